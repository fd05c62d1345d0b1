// Renders the help document "hilfe.pdf" from its text source with the
// program's own PDF writer, so the help is built with the program and never
// falls behind it. The help window reads the same blocks.
//
//   render_help SOURCE.txt OUTPUT.pdf
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "app/help_text.h"
#include "pdf/document.h"

namespace {

using velkart::app::HelpBlockKind;
using velkart::pdf::Align;
using velkart::pdf::Border;
using velkart::pdf::Document;
using velkart::pdf::Fill;
using velkart::pdf::LineMode;

void body(Document& pdf, const std::string& text, float after) {
  pdf.set_font("Times", "", 11);
  pdf.multi_line_cell(0, 5.5f, text);
  pdf.line_break(after);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "Aufruf: render_help QUELLE.txt ZIEL.pdf\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "Kann " << argv[1] << " nicht lesen\n";
    return 1;
  }
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  Document pdf;
  pdf.new_document();
  pdf.set_footer_hook([&pdf] {
    print_page_number(pdf, "Seite");
    pdf.set_text_color(0);
  });
  pdf.set_title("Velkart - Hilfe und Informationen");
  pdf.set_author("Velkart");
  pdf.add_page();

  for (const velkart::app::HelpBlock& block : velkart::app::parse_help(source)) {
    switch (block.kind) {
      case HelpBlockKind::title:
        pdf.set_font("Arial", "B", 18);
        pdf.set_text_color(49, 33, 137);
        pdf.text_cell(0, 12, block.text, Border::none, LineMode::next_line, Align::centre);
        pdf.set_text_color(0);
        pdf.line_break(4);
        break;
      case HelpBlockKind::heading:
        pdf.line_break(2);
        pdf.set_font("Arial", "B", 13);
        pdf.set_fill_color(255, 255, 128);
        pdf.set_text_color(183, 0, 0);
        pdf.text_cell(0, 8, block.text, Border::none, LineMode::next_line, Align::left,
                      Fill::paint);
        pdf.set_text_color(0);
        pdf.line_break(2);
        break;
      case HelpBlockKind::subheading:
        pdf.set_font("Arial", "B", 11);
        pdf.text_cell(0, 7, block.text, Border::none, LineMode::next_line);
        pdf.line_break(1);
        break;
      case HelpBlockKind::item:
        body(pdf, "\x95 " + block.text, 1);
        break;
      case HelpBlockKind::step:
        body(pdf, block.text, 1);
        break;
      case HelpBlockKind::fixed:
        pdf.set_font("Courier", "", 10);
        pdf.multi_line_cell(0, 5.5f, block.text);
        pdf.line_break(2);
        break;
      case HelpBlockKind::paragraph:
        body(pdf, block.text, 2);
        break;
    }
  }
  pdf.save_document(argv[2]);
  std::ifstream check(argv[2]);
  if (!check) {
    std::cerr << "Kann " << argv[2] << " nicht schreiben\n";
    return 1;
  }
  return 0;
}
