#include "runtime/encoding.h"

namespace velkart::runtime {

namespace {

std::uint32_t code_point_of(unsigned char byte) {
  return (byte >= 0x80 && byte < 0xA0) ? cp1252_row_80[byte - 0x80] : byte;
}

}  // namespace

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

std::string to_utf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  for (char byte : cp1252) append_utf8(out, code_point_of(static_cast<unsigned char>(byte)));
  return out;
}

std::string to_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Character character = decode_utf8(utf8, at);
    out.push_back(character.valid ? cp1252_byte(character.code) : '?');
    at += character.length;
  }
  return out;
}

}  // namespace velkart::runtime
