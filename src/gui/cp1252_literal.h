#pragma once
// German texts are written in the source as UTF-8 literals, so they stay
// readable, and become Windows-1252 bytes at compile time.
#include <cstddef>
#include <string_view>

namespace velkart::gui {

template <std::size_t N>
struct Cp1252Literal {
  char bytes[N]{};
  std::size_t size = 0;

  consteval Cp1252Literal(const char (&utf8)[N]) {  // NOLINT: implicit on purpose
    std::size_t at = 0;
    while (at + 1 < N) {
      const auto lead = static_cast<unsigned char>(utf8[at]);
      if (lead < 0x80) {
        bytes[size++] = static_cast<char>(lead);
        at += 1;
      } else if ((lead & 0xE0) == 0xC0) {
        const unsigned code =
            ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[at + 1]) & 0x3Fu);
        if (code > 0xFF) throw "only Latin-1 letters and the euro sign are supported";
        bytes[size++] = static_cast<char>(code);
        at += 2;
      } else if (lead == 0xE2 && static_cast<unsigned char>(utf8[at + 1]) == 0x82 &&
                 static_cast<unsigned char>(utf8[at + 2]) == 0xAC) {
        bytes[size++] = '\x80';  // €
        at += 3;
      } else {
        throw "only Latin-1 letters and the euro sign are supported";
      }
    }
  }
  constexpr operator std::string_view() const { return {bytes, size}; }  // NOLINT
  constexpr std::string_view view() const { return {bytes, size}; }
};

}  // namespace velkart::gui
