#include "generator/course_overview.h"

#include <array>
#include <cmath>

#include "generator/output_names.h"
#include "generator/playlist.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

using runtime::integer_to_text;

// Widths in millimetres add up to the 190 mm between the margins.
const std::array<pdf::TableColumn, 9> columns{{
    {14, texts::overview_lesson, pdf::Align::centre},
    {10, texts::overview_new, pdf::Align::centre},
    {62, texts::overview_letters, pdf::Align::left},
    {20, texts::overview_pool, pdf::Align::right},
    {24, texts::overview_kind, pdf::Align::centre},
    {12, texts::overview_texts, pdf::Align::right},
    {17, texts::overview_speed, pdf::Align::right},
    {14, texts::overview_per_text, pdf::Align::right},
    {17, texts::overview_minutes, pdf::Align::right},
}};

std::string text(std::string_view literal) {
  return std::string(literal);
}

// One decimal with a comma, as German readers expect: 12,5.
std::string minutes_text(std::optional<double> seconds) {
  if (!seconds) return "-";
  const std::int64_t tenths = std::llround(*seconds / 6.0);
  return integer_to_text(tenths / 10) + "," + integer_to_text(tenths % 10);
}

// A lesson's minutes: what its sound files play, or before they are there
// the estimate for its texts.
std::string lesson_minutes_text(std::optional<double> measured, const LessonPlan& lesson) {
  if (measured || !lesson.text_seconds) return minutes_text(measured);
  return std::string(texts::overview_about.view()) +
         minutes_text(*lesson.text_seconds * static_cast<double>(lesson.texts.size()));
}

void print_row(pdf::Document& document, const std::array<std::string, 9>& cells) {
  pdf::print_table_row(document, columns, cells, 6);
}

}  // namespace

std::vector<EarlierLesson> earlier_lessons(const CourseOptions& options,
                                           std::string_view base_name) {
  std::vector<EarlierLesson> earlier;
  for (int lesson = first_lesson; lesson <= last_lesson; ++lesson) {
    if (lesson >= options.from && lesson <= options.to) continue;
    const std::string folder = lesson_folder(base_name, lesson);
    std::error_code failed;
    if (!std::filesystem::is_directory(runtime::file_system_path(folder), failed)) continue;
    EarlierLesson entry{lesson, 0, std::nullopt};
    // Folders written before the lessons' files carried the lesson in their
    // names hold the base name's files.
    for (const SetName& name : {lesson_set_name(base_name, lesson), SetName(base_name)}) {
      while (entry.texts < static_cast<std::size_t>(most_texts_per_lesson) &&
             std::filesystem::is_regular_file(
                 runtime::file_system_path(
                     folder + text_file_name(name, static_cast<std::int64_t>(entry.texts))),
                 failed))
        ++entry.texts;
      if (entry.texts == 0) continue;
      for (const PlaylistEntry& sound : sound_playlist(folder, name, entry.texts)) {
        if (sound.seconds) entry.audio_seconds = entry.audio_seconds.value_or(0) + *sound.seconds;
      }
      break;
    }
    earlier.push_back(entry);
  }
  return earlier;
}

bool write_course_overview(const CourseOptions& options, const CourseBase& base,
                           const CoursePlan& plan,
                           const std::vector<std::optional<double>>& audio_seconds,
                           const std::vector<EarlierLesson>& earlier, std::string_view path,
                           const pdf::Clock& clock) {
  pdf::Document document(clock);
  document.new_document();
  const std::string title = std::string(texts::overview_title.view()) + base.encoder.base_name;
  document.set_title(title);
  document.set_author("");
  document.add_page();

  document.set_font("Arial", "B", 16);
  document.text_cell(0, 9, title, pdf::Border::none, pdf::LineMode::next_line);
  document.set_font("Arial", "", 11);
  document.text_cell(0, 6,
                     text(texts::overview_range) + integer_to_text(options.from) +
                         text(texts::overview_to) + integer_to_text(options.to) +
                         text(texts::overview_each) + integer_to_text(options.texts) +
                         text(options.texts == 1 ? texts::overview_one_text_of.view()
                                                 : texts::overview_texts_of.view()) +
                         integer_to_text(options.minutes) + text(texts::length_minutes),
                     pdf::Border::none, pdf::LineMode::next_line);
  document.text_cell(0, 6,
                     base.encoder.character_speed + text(texts::overview_character) +
                         base.encoder.frequency + " Hz",
                     pdf::Border::none, pdf::LineMode::next_line);
  if (options.seed) {
    document.text_cell(0, 6,
                       std::string(texts::overview_seed.view()) + integer_to_text(*options.seed),
                       pdf::Border::none, pdf::LineMode::next_line);
  }
  document.line_break(4);

  pdf::print_table_head(document, columns, 7);
  // The lessons of this run and those left by earlier ones, in lesson order.
  auto next_earlier = earlier.begin();
  const auto print_earlier_before = [&](int number) {
    for (; next_earlier != earlier.end() && next_earlier->number < number; ++next_earlier) {
      print_row(document,
                {integer_to_text(next_earlier->number),
                 std::string(1, koch_order[static_cast<std::size_t>(next_earlier->number - 1)]),
                 lesson_letters(next_earlier->number), "-", "-",
                 integer_to_text(static_cast<std::int64_t>(next_earlier->texts)), "-", "-",
                 minutes_text(next_earlier->audio_seconds)});
    }
  };
  for (std::size_t k = 0; k < plan.lessons.size(); ++k) {
    const LessonPlan& lesson = plan.lessons[k];
    print_earlier_before(lesson.number);
    print_row(document, {
                            integer_to_text(lesson.number),
                            std::string(1, lesson.new_letter),
                            lesson.letters,
                            integer_to_text(static_cast<std::int64_t>(lesson.pool_size)),
                            integer_to_text(lesson.words) +
                                std::string(lesson.groups ? texts::overview_groups.view()
                                                          : texts::overview_words_kind.view()),
                            integer_to_text(static_cast<std::int64_t>(lesson.texts.size())),
                            lesson.effective_speed,
                            lesson.text_seconds ? minutes_and_seconds(*lesson.text_seconds) : "-",
                            lesson_minutes_text(
                                k < audio_seconds.size() ? audio_seconds[k] : std::nullopt, lesson),
                        });
  }
  print_earlier_before(last_lesson + 1);
  if (!earlier.empty()) {
    document.line_break(2);
    document.multi_line_cell(0, 5, text(texts::overview_earlier_note));
  }
  document.save_document(path);
  return document.error() == pdf::WriterError::none;
}

}  // namespace velkart::generator
