#include "generator/solution_sheet.h"

#include <cmath>

#include "generator/output_names.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

using pdf::Align;
using pdf::Border;
using pdf::Fill;
using pdf::LineMode;
using runtime::integer_to_text;

// The mp3 file a text is heard in: "Kurs0007_.txt" gives "Kurs0007.mp3".
std::string chapter_label(std::string_view text_file) {
  constexpr std::string_view text_ending = "_.txt";
  if (text_file.ends_with(text_ending)) text_file.remove_suffix(text_ending.size());
  return std::string(text_file) + ".mp3";
}

std::string two_digits(int value) {
  return runtime::pad_left(integer_to_text(value), 2, "0");
}

// The sheet's page hooks and chapters, drawn into one document.
class SolutionSheet {
 public:
  SolutionSheet(pdf::Document& document, std::string heading)
      : pdf_(document), heading_(std::move(heading)) {}

  void header() {
    pdf_.set_font("Arial", "B", 10);
    const float width = std::round(pdf_.string_width(heading_) + 6);
    pdf_.set_x((210 - width) / 2);
    pdf_.set_draw_color(0, 50, 50);
    pdf_.set_fill_color(255, 255, 255);
    pdf_.set_text_color(0, 50, 50);
    pdf_.set_line_width(1);
    pdf_.text_cell(width, 6, heading_, Border::frame, LineMode::next_line, Align::centre,
                   Fill::paint);
    pdf_.line_break(5);
  }

  void footer() { pdf::print_page_number(pdf_, "Page"); }

  void print_chapter(int number, std::string_view label, std::string_view path) {
    print_chapter_title(number, label);
    print_chapter_body(path);
  }

 private:
  void print_chapter_title(int number, std::string_view label) {
    pdf_.set_font("Arial", "", 12);
    pdf_.set_fill_color(200, 220, 255);
    pdf_.text_cell(0, 6, "Chapter " + integer_to_text(number) + " : " + std::string(label),
                   Border::none, LineMode::next_line, Align::left, Fill::paint);
    pdf_.line_break(4);
  }

  void print_chapter_body(std::string_view path) {
    // A file that could not be written shows its chapter title only; nothing
    // is created here, so no empty file stands in for a failed one.
    std::string content;
    const int file = runtime::open_for_reading(runtime::any_slot, path);
    if (file != 0) {
      const std::int64_t length = runtime::file_length(file);
      if (length > 0) {
        std::string block(static_cast<std::size_t>(length) + 2, '\0');
        const std::int64_t got = runtime::read_bytes(file, block.data(), length);
        content = runtime::text_from_memory(block.data(), got);
      }
      runtime::close_file(file);
    }
    if (content.empty()) return;
    pdf_.set_font("Times", "", 12);
    const std::string rest = pdf_.multi_line_cell(0, 5, content);
    pdf_.text_cell(0, 5, rest);
    pdf_.line_break();
    pdf_.set_font("", "I");
  }

  pdf::Document& pdf_;
  std::string heading_;
};

}  // namespace

std::string sheet_heading(const pdf::LocalTime& now) {
  return std::string(texts::sheet_heading.view()) + two_digits(now.day) + "." +
         two_digits(now.month) + "." + integer_to_text(now.year) + " " + two_digits(now.hour) +
         ":" + two_digits(now.minute) + ":" + two_digits(now.second) + "    ";
}

bool write_solution_sheet(const SheetSettings& settings,
                          const std::vector<std::string>& written_files, std::string_view folder,
                          std::string_view path, const pdf::Clock& clock, std::string_view note,
                          std::string_view title) {
  const std::string heading = sheet_heading(clock());
  pdf::Document document(clock);
  SolutionSheet sheet(document, heading);
  document.new_document();
  document.set_footer_hook([&sheet] { sheet.footer(); });
  document.set_header_hook([&sheet] { sheet.header(); });
  document.set_title(heading);
  document.set_author("");
  document.add_page();
  if (!title.empty()) {
    document.set_font("Arial", "B", 14);
    document.multi_line_cell(0, 7, title);
    document.line_break(2);
    document.set_font("Arial", "B", 10);
  }

  // These lines print in the heading's bold Arial, chosen again after a title.
  // Each setting line says what the run really used: "aus" only when it is off.
  document.multi_line_cell(0, 5,
                           settings.character_speed +
                               std::string(texts::sheet_character_speed.view()) +
                               settings.frequency + std::string(texts::sheet_frequency.view()) +
                               (settings.word_spacing != 0 ? integer_to_text(settings.word_spacing)
                                                           : std::string(texts::sheet_off.view())));
  document.multi_line_cell(0, 5,
                           settings.effective_speed +
                               std::string(texts::sheet_effective_speed.view()) +
                               settings.repetitions + std::string(texts::sheet_repetitions.view()) +
                               (runtime::text_to_integer(settings.qrq) != 0
                                    ? settings.qrq + std::string(texts::sheet_minutes.view())
                                    : std::string(texts::sheet_off.view())));
  if (!settings.conditions.empty()) document.multi_line_cell(0, 5, settings.conditions);
  if (!note.empty()) document.multi_line_cell(0, 5, note);
  document.line_break();

  // A chapter is named after the mp3 file in which it is heard.
  std::int64_t number = 0;
  for (const std::string& name : written_files) {
    std::string label = chapter_label(name);
    // A drawn tone is part of the key: which text sounded where.
    if (static_cast<std::size_t>(number) < settings.tones.size())
      label += " (" + integer_to_text(settings.tones[static_cast<std::size_t>(number)]) +
               std::string(texts::listening_hz.view()) + ")";
    sheet.print_chapter(static_cast<int>(number), label, std::string(folder) + name);
    document.line_break();
    ++number;
  }
  document.save_document(path);
  return document.error() == pdf::WriterError::none;
}

}  // namespace velkart::generator
