#include "gui/fltk/caption.h"

#include "runtime/encoding.h"

namespace velkart::gui::fltk {

std::string caption_text(std::string_view cp1252) {
  std::string escaped;
  escaped.reserve(cp1252.size() + 4);
  for (const char c : cp1252) {
    if (c == '\r') continue;
    if (c == '@') escaped.push_back('@');
    escaped.push_back(c);
  }
  return runtime::to_utf8(escaped);
}

std::string utf8_text(std::string_view cp1252) {
  return runtime::to_utf8(cp1252);
}

std::string cp1252_text(std::string_view utf8) {
  return runtime::to_cp1252(utf8);
}

}  // namespace velkart::gui::fltk
