#pragma once
// A whole Koch course in one run: lesson n (2 to 26) allows the first n
// letters of the Koch order and makes the n-th mandatory. Everything else
// comes from the main window's settings. This is the pure part: the options,
// the check of the input and the plan of every lesson with its drawn texts.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/duration.h"
#include "generator/run_settings.h"

namespace velkart::generator {

// The order label 18 of the main window shows.
inline constexpr std::string_view koch_order = "KMURESNAPTLWIJZFOYVGQHBCDX";
inline constexpr int first_lesson = 2;
inline constexpr int last_lesson = 26;
// A course is made for people, not for filling disks.
inline constexpr int most_texts_per_lesson = 999;
inline constexpr int group_length = 5;
// Groups mode takes the word limit as its group count, up to this many.
inline constexpr std::int32_t most_groups_per_text = 1000;
// The length of one text (its sound file, repetitions included), in minutes.
inline constexpr int most_minutes_per_text = 120;

enum class GroupsMode { automatic, off, always };
// "auto", "aus", "immer"; nullopt for anything else.
std::optional<GroupsMode> groups_mode_from_text(std::string_view text);
std::string_view groups_mode_text(GroupsMode mode);

struct SpeedRamp {
  int first = 0;  // effective speed of the first lesson, WpM
  int last = 0;   // of the last lesson
};

struct CourseOptions {
  int from = first_lesson;
  int to = last_lesson;
  int texts = 5;
  int minutes = 5;  // each lesson's word count follows from it and the lesson's speeds
  std::optional<SpeedRamp> ramp;
  GroupsMode groups = GroupsMode::automatic;
  std::optional<std::uint32_t> seed;  // shown in the overview when given
};

// What the course takes from the main window's settings: everything but the
// allowed and mandatory characters, which each lesson sets, and the text
// count, which is the course's own.
using CourseBase = RunSettings;

// "Lektion 05": how a lesson is named on its sheets, in its title tags and
// in the log.
std::string lesson_label(int lesson);

// The letters of lesson n in capitals ("KMU" for 3).
std::string lesson_letters(int lesson);

// The effective speed of a lesson as the encoder gets it: the ramp's value
// (linear, rounded to whole WpM) or the window's, never above the character
// speed.
std::string lesson_effective_speed(const CourseOptions& options, const EncoderFields& encoder,
                                   int lesson);

// The run's timing with the lesson's effective speed.
SendTiming lesson_timing(const CourseBase& base, std::string_view effective_speed);

// A German message for input that cannot make a course; nullopt when fine.
std::optional<std::string> check_course_options(const CourseOptions& options,
                                                const CourseBase& base);

// The lesson's filter: its letters allowed, its new letter mandatory.
PoolFilter lesson_filter(const CourseBase& base, int lesson);

// `count` groups of five of the letters, each holding `must` at least once,
// drawn with random_up_to.
std::string draw_letter_groups(std::string_view letters, char must, std::int32_t count);

struct LessonPlan {
  int number = 0;
  char new_letter = 0;
  std::string letters;  // capitals
  std::size_t pool_size = 0;
  bool groups = false;
  std::string effective_speed;
  std::int64_t words = 0;  // words or groups per text
  std::vector<std::string> texts;
  std::optional<double> text_seconds;  // estimated sound length of one text, on average
};

struct CoursePlan {
  std::vector<LessonPlan> lessons;
  std::optional<std::string> error;  // nothing to draw: no lesson is planned
};

// Draws every text of every lesson in order, as a generation run draws them,
// so a seed reproduces the whole course.
CoursePlan plan_course(const CourseOptions& options, const CourseBase& base,
                       const WordPool& source_pool);

}  // namespace velkart::generator
