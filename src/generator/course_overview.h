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

// `audio_seconds` holds one entry per planned lesson; nullopt where unknown.
bool write_course_overview(const CourseOptions& options, const CourseBase& base,
                           const CoursePlan& plan,
                           const std::vector<std::optional<double>>& audio_seconds,
                           std::string_view path, const pdf::Clock& clock);

}  // namespace velkart::generator
