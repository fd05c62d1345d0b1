#pragma once
// Texts cross into the toolkit as UTF-8 and come back as Windows-1252 bytes,
// always through runtime's own table (FLTK's converter reads the bytes as
// ISO-8859-1 and turns the euro sign into a control character).
#include <string>
#include <string_view>

namespace velkart::gui::fltk {

// A caption or label as FLTK draws it: a single '@' would start a symbol, so
// it is doubled; CR would be drawn as "^M", so it is dropped (LF breaks the line).
std::string caption_text(std::string_view cp1252);

// Field contents, window titles and tooltips: converted, nothing escaped.
std::string utf8_text(std::string_view cp1252);
std::string cp1252_text(std::string_view utf8);

}  // namespace velkart::gui::fltk
