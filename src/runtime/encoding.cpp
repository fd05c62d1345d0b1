#include "runtime/encoding.h"

#include <array>
#include <cstdint>

namespace velkart::runtime {

namespace {

// Code points of the bytes 0x80 to 0x9F. The five unassigned bytes map to
// the C1 control of the same value so every byte survives a round trip.
constexpr std::array<std::uint16_t, 32> row_80{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
}};

std::uint32_t code_point_of(unsigned char byte) {
  return (byte >= 0x80 && byte < 0xA0) ? row_80[byte - 0x80] : byte;
}

void append_utf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

char byte_of(std::uint32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t k = 0; k < row_80.size(); ++k) {
    if (row_80[k] == code) return static_cast<char>(0x80 + k);
  }
  return '?';
}

}  // namespace

std::string to_utf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  for (char byte : cp1252) append_utf8(out, code_point_of(static_cast<unsigned char>(byte)));
  return out;
}

std::string to_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    int length = lead < 0x80             ? 1
                 : (lead & 0xE0) == 0xC0 ? 2
                 : (lead & 0xF0) == 0xE0 ? 3
                 : (lead & 0xF8) == 0xF0 ? 4
                                         : 0;
    bool valid = length > 0 && at + static_cast<std::size_t>(length) <= utf8.size();
    std::uint32_t code = length == 1   ? lead
                         : length == 2 ? (lead & 0x1Fu)
                         : length == 3 ? (lead & 0x0Fu)
                                       : (lead & 0x07u);
    for (int k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(utf8[at + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms are malformed, not a way to smuggle in other bytes.
    if (valid && ((length == 2 && code < 0x80) || (length == 3 && code < 0x800) ||
                  (length == 4 && code < 0x10000))) {
      valid = false;
    }
    if (!valid) {
      out.push_back('?');
      ++at;
      continue;
    }
    out.push_back(byte_of(code));
    at += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace velkart::runtime
