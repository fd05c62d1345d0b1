#pragma once
// The one-page table of a course: per lesson its number, new letter,
// letters, word-pool size, words or groups, texts, effective speed and
// minutes of audio; and the seed, when one was given, to make it again.
#include <optional>
#include <string_view>
#include <vector>

#include "generator/course.h"
#include "pdf/document.h"

namespace velkart::generator {

// A lesson folder of the same course left by an earlier run: the overview
// lists it too, with what its files tell.
struct EarlierLesson {
  int number = 0;
  std::size_t texts = 0;
  std::optional<double> audio_seconds;
};

// The lesson folders of `base_name` outside this run's range, in order.
std::vector<EarlierLesson> earlier_lessons(const CourseOptions& options,
                                           std::string_view base_name);

// `audio_seconds` holds one entry per planned lesson; nullopt where unknown.
bool write_course_overview(const CourseOptions& options, const CourseBase& base,
                           const CoursePlan& plan,
                           const std::vector<std::optional<double>>& audio_seconds,
                           const std::vector<EarlierLesson>& earlier, std::string_view path,
                           const pdf::Clock& clock);

}  // namespace velkart::generator
