#pragma once
// Windows-1252 <-> UTF-8, used only where text leaves or enters the program:
// the toolkit, the terminal, and file names on disk.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velkart::runtime {

// Code points of the bytes 0x80 to 0x9F. The five unassigned bytes map to
// the C1 control of the same value so every byte survives a round trip.
inline constexpr std::array<std::uint16_t, 32> cp1252_row_80{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
}};

// The one UTF-8 decoder: the character starting at `at`, or valid == false
// (length 1) for a malformed, overlong or cut-off sequence. Overlong forms
// are malformed, not a way to smuggle in other bytes.
struct Utf8Character {
  std::uint32_t code = 0;
  std::size_t length = 1;
  bool valid = false;
};
constexpr Utf8Character decode_utf8(std::string_view utf8, std::size_t at) {
  const auto lead = static_cast<unsigned char>(utf8[at]);
  const std::size_t length = lead < 0x80             ? 1
                             : (lead & 0xE0) == 0xC0 ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 0;
  if (length == 0 || at + length > utf8.size()) return {};
  std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(utf8[at + k]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3Fu);
  }
  constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length]) return {};
  return {code, length, true};
}

// The Windows-1252 byte of a code point; '?' when it has none.
constexpr char cp1252_byte(std::uint32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t k = 0; k < cp1252_row_80.size(); ++k) {
    if (cp1252_row_80[k] == code) return static_cast<char>(0x80 + k);
  }
  return '?';
}

// Total: every byte has an answer. The five bytes Windows-1252 leaves
// unassigned (0x81 0x8D 0x8F 0x90 0x9D) become the C1 control characters of
// the same value, so that a round trip gives the bytes back.
std::string to_utf8(std::string_view cp1252);
// Appends one code point below U+10000 in UTF-8.
void append_utf8(std::string& out, std::uint32_t code);

// A character outside Windows-1252 becomes '?'; so does a malformed UTF-8
// sequence (one '?' per bad byte).
std::string to_cp1252(std::string_view utf8);

// How the bytes of a file from outside were read.
enum class FileEncoding { windows_1252, utf8, utf16_le, utf16_be };
struct DecodedText {
  std::string text;  // Windows-1252
  FileEncoding encoding = FileEncoding::windows_1252;
};

// Texts from outside (copies, word lists, sources) come as Windows-1252,
// UTF-8 or UTF-16. A UTF-16 byte-order mark (LE or BE) reads the rest as
// UTF-16; a UTF-8 byte-order mark, or bytes that are valid UTF-8 and hold at
// least one multi-byte sequence, as UTF-8; anything else is Windows-1252 as
// it is (a 1252 text with umlauts is never valid UTF-8 in practice). The
// byte-order mark is dropped; a character outside Windows-1252, a lone
// surrogate or a cut-off last byte becomes '?'.
DecodedText decode_file_text(std::string_view bytes);

}  // namespace velkart::runtime
