// Renders the help document "hilfe.pdf" from its text source with the
// program's own PDF writer, so the help is built with the program and never
// falls behind it.
//
//   render_help SOURCE.txt OUTPUT.pdf
//
// The source is UTF-8 with a small markup: "# " title, "## " and "### "
// headings, "- " list items, "1. " numbered steps, lines beginning with a
// command name or made of capitals and blanks are set in a fixed font, and
// blank lines separate paragraphs.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "pdf/document.h"
#include "runtime/encoding.h"

namespace {

using velkart::pdf::Align;
using velkart::pdf::Border;
using velkart::pdf::Document;
using velkart::pdf::Fill;
using velkart::pdf::LineMode;

bool starts_with(const std::string& line, std::string_view prefix) {
  return line.rfind(prefix, 0) == 0;
}

bool is_fixed(const std::string& line) {
  if (starts_with(line, "sudo ") || starts_with(line, "velkart-batch ")) return true;
  if (line.size() < 20) return false;
  for (char c : line) {
    if (!(c == ' ' || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

void paragraph(Document& pdf, const std::string& text) {
  pdf.set_font("Times", "", 11);
  pdf.multi_line_cell(0, 5.5f, text);
  pdf.line_break(2);
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

  std::string pending;  // the lines of the paragraph being collected
  const auto flush = [&] {
    if (!pending.empty()) paragraph(pdf, pending);
    pending.clear();
  };
  std::size_t at = 0;
  while (at <= source.size()) {
    const std::size_t end = std::min(source.find('\n', at), source.size());
    std::string line = velkart::runtime::to_cp1252(std::string_view(source).substr(at, end - at));
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      flush();
    } else if (starts_with(line, "# ")) {
      flush();
      pdf.set_font("Arial", "B", 18);
      pdf.set_text_color(49, 33, 137);
      pdf.text_cell(0, 12, line.substr(2), Border::none, LineMode::next_line, Align::centre);
      pdf.set_text_color(0);
      pdf.line_break(4);
    } else if (starts_with(line, "## ")) {
      flush();
      pdf.line_break(2);
      pdf.set_font("Arial", "B", 13);
      pdf.set_fill_color(255, 255, 128);
      pdf.set_text_color(183, 0, 0);
      pdf.text_cell(0, 8, line.substr(3), Border::none, LineMode::next_line, Align::left,
                    Fill::paint);
      pdf.set_text_color(0);
      pdf.line_break(2);
    } else if (starts_with(line, "### ")) {
      flush();
      pdf.set_font("Arial", "B", 11);
      pdf.text_cell(0, 7, line.substr(4), Border::none, LineMode::next_line);
      pdf.line_break(1);
    } else if (starts_with(line, "- ")) {
      flush();
      pdf.set_font("Times", "", 11);
      pdf.multi_line_cell(0, 5.5f, "\x95 " + line.substr(2));
      pdf.line_break(1);
    } else if (line.size() > 3 && line[0] >= '1' && line[0] <= '9' && line[1] == '.' &&
               line[2] == ' ') {
      flush();
      pdf.set_font("Times", "", 11);
      pdf.multi_line_cell(0, 5.5f, line);
      pdf.line_break(1);
    } else if (is_fixed(line)) {
      flush();
      pdf.set_font("Courier", "", 10);
      pdf.multi_line_cell(0, 5.5f, line);
      pdf.line_break(2);
    } else {
      pending += pending.empty() ? line : " " + line;
    }
  }
  flush();
  pdf.save_document(argv[2]);
  std::ifstream check(argv[2]);
  if (!check) {
    std::cerr << "Kann " << argv[2] << " nicht schreiben\n";
    return 1;
  }
  return 0;
}
