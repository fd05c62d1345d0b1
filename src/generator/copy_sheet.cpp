#include "generator/copy_sheet.h"

#include <cmath>

#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

using runtime::integer_to_text;

constexpr float ruled_line_height = 9;  // room for handwriting
constexpr float title_height = 7;
constexpr float box_height = 8;
constexpr float block_gap = 6;

// "K M U": each letter once, blanks between them.
std::string spaced(std::string_view letters) {
  std::string result;
  for (char letter : letters) {
    if (letter == ' ' || result.find(letter) != std::string::npos) continue;
    if (!result.empty()) result += ' ';
    result += letter;
  }
  return result;
}

class CopySheet {
 public:
  explicit CopySheet(pdf::Document& document) : pdf_(document) {}

  void footer() { pdf::print_page_number(pdf_, texts::copy_sheet_page.view()); }

  void heading(const CopySheetHeading& heading) {
    pdf_.set_font("Arial", "B", 16);
    pdf_.text_cell(0, 9, heading.title, pdf::Border::none, pdf::LineMode::next_line);
    pdf_.set_font("Arial", "", 11);
    pdf_.text_cell(0, 6, letters_line(heading.letters, heading.new_letter), pdf::Border::none,
                   pdf::LineMode::next_line);
    pdf_.text_cell(0, 6, heading.speeds, pdf::Border::none, pdf::LineMode::next_line);
    if (!heading.conditions.empty())
      pdf_.text_cell(0, 6, heading.conditions, pdf::Border::none, pdf::LineMode::next_line);
    pdf_.line_break(4);
    pdf_.text_cell(0, 8, texts::copy_sheet_name_date.view(), pdf::Border::none,
                   pdf::LineMode::next_line);
    pdf_.line_break(4);
  }

  void block(int number, const CopySheetText& text) {
    const int lines = solution_sheet_lines(text.text);
    // A block that would not fit starts on a new page, unless it fills a page
    // on its own anyway.
    const float height = title_height + 2 + lines * ruled_line_height + 3 + box_height;
    const float page_room = pdf_.page_break_trigger() - 20;
    if (pdf_.y() + height > pdf_.page_break_trigger() && height < page_room) pdf_.add_page();

    pdf_.set_font("Arial", "B", 11);
    pdf_.set_fill_color(230, 230, 230);
    pdf_.text_cell(0, title_height,
                   std::string(texts::copy_sheet_text.view()) + integer_to_text(number) + " : " +
                       text.sound_name,
                   pdf::Border::none, pdf::LineMode::next_line, pdf::Align::left, pdf::Fill::paint);
    pdf_.line_break(2);
    pdf_.set_draw_color(150);
    pdf_.set_line_width(0.2f);
    for (int line = 0; line < lines; ++line)
      pdf_.text_cell(0, ruled_line_height, "", pdf::Border::bottom, pdf::LineMode::next_line);
    pdf_.line_break(3);
    pdf_.set_draw_color(0);
    pdf_.set_line_width(0.3f);
    pdf_.set_font("Arial", "", 11);
    const std::string box =
        std::string(texts::copy_sheet_correct.view()) +
        integer_to_text(static_cast<std::int64_t>(runtime::split_at_blanks(text.text).size())) +
        std::string(texts::copy_sheet_words.view());
    pdf_.text_cell(pdf_.string_width(box) + 6, box_height, box, pdf::Border::frame,
                   pdf::LineMode::next_line);
    pdf_.line_break(block_gap);
  }

 private:
  pdf::Document& pdf_;
};

}  // namespace

std::string letters_line(std::string_view letters, std::string_view new_letters) {
  std::string line = std::string(texts::copy_sheet_letters.view()) + spaced(letters);
  if (!spaced(new_letters).empty())
    line += std::string(texts::copy_sheet_new_letter.view()) + spaced(new_letters);
  return line;
}

int solution_sheet_lines(std::string_view text) {
  // Measured with the writer itself on a page too tall to break, so the
  // count follows the solution sheet's line breaking exactly.
  pdf::Document scratch([] { return pdf::LocalTime{}; });
  scratch.new_document("P", "mm", "595.28,1000000");
  scratch.add_page();
  scratch.set_font("Times", "", 12);
  const float top = scratch.y();
  scratch.multi_line_cell(0, 5, text);
  return std::max(1, static_cast<int>(std::lround((scratch.y() - top) / 5)));
}

std::string speeds_line(std::string_view character_speed, std::string_view effective_speed,
                        std::string_view frequency) {
  return std::string(character_speed) + std::string(texts::copy_sheet_character.view()) +
         std::string(effective_speed) + std::string(texts::copy_sheet_effective.view()) +
         std::string(frequency) + " Hz";
}

bool write_copy_sheet(const CopySheetHeading& heading, const std::vector<CopySheetText>& texts,
                      std::string_view path, const pdf::Clock& clock) {
  pdf::Document document(clock);
  CopySheet sheet(document);
  document.new_document();
  document.set_footer_hook([&sheet] { sheet.footer(); });
  document.set_title(heading.title);
  document.set_author("");
  document.add_page();
  sheet.heading(heading);
  int number = 0;
  for (const CopySheetText& text : texts) sheet.block(number++, text);
  document.save_document(path);
  return document.error() == pdf::WriterError::none;
}

}  // namespace velkart::generator
