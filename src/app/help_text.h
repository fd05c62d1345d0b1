#pragma once
// The help text: one source, data/hilfe.txt, for the PDF beside the program
// and for the help window that opens when no PDF viewer can show it. The
// source is UTF-8 with a small markup: "# " title, "## " and "### "
// headings, "- " list items, "1. " numbered steps, lines of capitals or
// commands shown as typed; other lines run on into a paragraph, blank
// lines end it.
#include <string>
#include <string_view>
#include <vector>

namespace velkart::app {

enum class HelpBlockKind { title, heading, subheading, item, step, fixed, paragraph };

struct HelpBlock {
  HelpBlockKind kind;
  std::string text;  // Windows-1252, without its markup ("- " stays off items)
};

std::vector<HelpBlock> parse_help(std::string_view source);

// The blocks as the help window shows them: HTML in Windows-1252, every
// character of the text escaped.
std::string help_html(const std::vector<HelpBlock>& blocks);

// data/hilfe.txt as it was when the program was built.
std::string_view help_source();

}  // namespace velkart::app
