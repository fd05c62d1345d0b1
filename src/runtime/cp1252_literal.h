#pragma once
// German texts are written in the source as UTF-8 literals, so they stay
// readable, and become Windows-1252 bytes at compile time.
#include <cstddef>
#include <string_view>

#include "runtime/encoding.h"

namespace velkart::runtime {

template <std::size_t N>
struct Cp1252Literal {
  char bytes[N]{};
  std::size_t size = 0;

  consteval Cp1252Literal(const char (&utf8)[N]) {  // NOLINT: implicit on purpose
    const std::string_view text(utf8, N - 1);
    for (std::size_t at = 0; at < text.size();) {
      const runtime::Utf8Character character = runtime::decode_utf8(text, at);
      const char byte = runtime::cp1252_byte(character.code);
      if (!character.valid || (byte == '?' && character.code != '?'))
        throw "only characters of Windows-1252 are supported";
      bytes[size++] = byte;
      at += character.length;
    }
  }
  constexpr operator std::string_view() const { return {bytes, size}; }  // NOLINT
  constexpr std::string_view view() const { return {bytes, size}; }
};

}  // namespace velkart::runtime
