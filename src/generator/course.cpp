#include "generator/course.h"

#include <cmath>

#include "generator/output_names.h"
#include "generator/run_checks.h"
#include "runtime/files.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

using runtime::integer_to_text;
using runtime::text_to_integer;

std::string two_digits(int lesson) {
  return runtime::pad_left(integer_to_text(lesson), 2, "0");
}

}  // namespace

std::optional<GroupsMode> groups_mode_from_text(std::string_view text) {
  if (text == "auto") return GroupsMode::automatic;
  if (text == "aus") return GroupsMode::off;
  if (text == "immer") return GroupsMode::always;
  return std::nullopt;
}

std::string_view groups_mode_text(GroupsMode mode) {
  switch (mode) {
    case GroupsMode::off:
      return "aus";
    case GroupsMode::always:
      return "immer";
    case GroupsMode::automatic:
      break;
  }
  return "auto";
}

std::string lesson_label(int lesson) {
  return std::string(texts::course_lesson.view()) + two_digits(lesson);
}

std::string lesson_letters(int lesson) {
  return std::string(koch_order.substr(0, static_cast<std::size_t>(lesson)));
}

std::string lesson_effective_speed(const CourseOptions& options, const EncoderFields& encoder,
                                   int lesson) {
  const std::int64_t character = text_to_integer(encoder.character_speed);
  if (!options.ramp) {
    // The window's value, after the speed check every generation run makes.
    return text_to_integer(encoder.effective_speed) > character ? encoder.character_speed
                                                                : encoder.effective_speed;
  }
  const int span = options.to - options.from;
  const double share = span == 0 ? 0.0 : static_cast<double>(lesson - options.from) / span;
  const auto speed = static_cast<std::int64_t>(
      std::lround(options.ramp->first + (options.ramp->last - options.ramp->first) * share));
  return integer_to_text(std::min(speed, character));
}

std::optional<std::string> check_course_options(const CourseOptions& options,
                                                const CourseBase& base) {
  if (options.from < first_lesson || options.to > last_lesson || options.from > options.to)
    return std::string(texts::course_bad_range.view());
  if (options.texts < 1 || options.texts > most_texts_per_lesson)
    return std::string(texts::course_bad_text_count.view());
  if (options.minutes < 1 || options.minutes > most_minutes_per_text)
    return std::string(texts::course_bad_minutes.view());
  if (options.ramp && (options.ramp->first < 1 || options.ramp->last < 1))
    return std::string(texts::course_bad_ramp.view());
  if (!base_name_allowed(base.encoder.base_name)) return std::string(texts::bad_base_name.view());
  // The last lesson's folder has the longest name; its files are named like a run's.
  const std::string last_folder = lesson_folder(base.encoder.base_name, options.to);
  if (!runtime::name_fits(
          output_folder,
          last_folder.substr(output_folder.size(), last_folder.size() - output_folder.size() - 1)))
    return std::string(texts::name_too_long.view());
  return check_run(base, options.texts, last_folder);
}

SendTiming lesson_timing(const CourseBase& base, std::string_view effective_speed) {
  SendTiming timing = send_timing(base);
  timing.effective_speed = text_to_integer(effective_speed);
  return timing;
}

PoolFilter lesson_filter(const CourseBase& base, int lesson) {
  PoolOptions lesson_options = base.pool;
  lesson_options.allowed = lesson_letters(lesson);
  lesson_options.mandatory = std::string(1, lesson_options.allowed.back());
  return pool_filter(lesson_options);
}

std::string draw_letter_groups(std::string_view letters, char must, std::int32_t count) {
  std::string text;
  const auto last = static_cast<std::int32_t>(letters.size()) - 1;
  for (std::int32_t group = 0; group < count; ++group) {
    std::string drawn;
    // With two letters a group misses the new one once in 32 draws; the
    // loop ends with certainty as long as `must` is among the letters.
    do {
      drawn.clear();
      for (int k = 0; k < group_length; ++k) drawn += letters[runtime::random_up_to(last)];
    } while (drawn.find(must) == std::string::npos);
    if (!text.empty()) text += ' ';
    text += drawn;
  }
  return text;
}

CoursePlan plan_course(const CourseOptions& options, const CourseBase& base,
                       const WordPool& source_pool) {
  CoursePlan plan;
  for (int lesson = options.from; lesson <= options.to; ++lesson) {
    LessonPlan entry;
    entry.number = lesson;
    entry.letters = lesson_letters(lesson);
    entry.new_letter = entry.letters.back();
    entry.effective_speed = lesson_effective_speed(options, base.encoder, lesson);

    WordPool pool = source_pool;
    filter_pool(pool, lesson_filter(base, lesson));
    entry.pool_size = pool.size();
    // As many words as one text's sound file holds in the minutes asked for,
    // at the lesson's speeds; with too few words, groups if allowed.
    const SendTiming timing = lesson_timing(base, entry.effective_speed);
    const double seconds = 60.0 * options.minutes;
    const std::int64_t words = words_for_seconds(timing, average_word(pool), seconds).value_or(1);
    entry.groups =
        options.groups == GroupsMode::always ||
        (options.groups == GroupsMode::automatic && pool.size() < static_cast<std::size_t>(words));
    if (!entry.groups && pool.empty()) {
      plan.lessons.clear();
      plan.error = std::string(texts::course_nothing_to_draw.view()) + two_digits(lesson);
      return plan;
    }
    entry.words =
        entry.groups
            ? std::min<std::int64_t>(
                  words_for_seconds(timing, average_group(entry.letters, group_length), seconds)
                      .value_or(1),
                  most_groups_per_text)
            : words;
    const auto count = static_cast<std::int32_t>(entry.words);
    double all_seconds = 0;
    for (int text = 0; text < options.texts; ++text) {
      entry.texts.push_back(entry.groups
                                ? draw_letter_groups(entry.letters, entry.new_letter, count)
                                : draw_from_pool(pool, count));
      all_seconds += text_file_seconds(timing, entry.texts.back()).value_or(0);
    }
    if (file_seconds(timing, {}, 0)) entry.text_seconds = all_seconds / options.texts;
    plan.lessons.push_back(std::move(entry));
  }
  return plan;
}

}  // namespace velkart::generator
