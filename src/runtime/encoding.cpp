#include "runtime/encoding.h"

namespace velkart::runtime {

namespace {

std::uint32_t code_point_of(unsigned char byte) {
  return (byte >= 0x80 && byte < 0xA0) ? cp1252_row_80[byte - 0x80] : byte;
}

// Valid UTF-8 throughout, with at least one character beyond ASCII.
bool reads_as_utf8(std::string_view bytes) {
  bool multi_byte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Character character = decode_utf8(bytes, at);
    if (!character.valid) return false;
    multi_byte = multi_byte || character.length > 1;
    at += character.length;
  }
  return multi_byte;
}

std::string utf16_to_cp1252(std::string_view bytes, bool little_endian) {
  std::string out;
  out.reserve(bytes.size() / 2 + 1);
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    const std::uint32_t unit = little_endian ? (second << 8 | first) : (first << 8 | second);
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < bytes.size()) {
      const auto third = static_cast<unsigned char>(bytes[at + 2]);
      const auto fourth = static_cast<unsigned char>(bytes[at + 3]);
      const std::uint32_t low = little_endian ? (fourth << 8 | third) : (third << 8 | fourth);
      // A pair stands for one character beyond U+FFFF: none is in 1252.
      if (low >= 0xDC00 && low <= 0xDFFF) at += 2;
      out.push_back('?');
      continue;
    }
    out.push_back(unit >= 0xD800 && unit <= 0xDFFF ? '?' : cp1252_byte(unit));
  }
  if (bytes.size() % 2 != 0) out.push_back('?');
  return out;
}

}  // namespace

DecodedText decode_file_text(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE"))
    return {utf16_to_cp1252(bytes.substr(2), /*little_endian*/ true), FileEncoding::utf16_le};
  if (bytes.starts_with("\xFE\xFF"))
    return {utf16_to_cp1252(bytes.substr(2), /*little_endian*/ false), FileEncoding::utf16_be};
  if (bytes.starts_with("\xEF\xBB\xBF")) return {to_cp1252(bytes.substr(3)), FileEncoding::utf8};
  if (reads_as_utf8(bytes)) return {to_cp1252(bytes), FileEncoding::utf8};
  return {std::string(bytes), FileEncoding::windows_1252};
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
