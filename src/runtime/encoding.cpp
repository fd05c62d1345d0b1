#include "runtime/encoding.h"

#include <algorithm>
#include <utility>

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

// The beginning of a UTF-8 character whose last bytes are still to come.
bool cut_utf8(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes.front());
  const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (needed == 0 || lead > 0xF4 || bytes.size() >= needed) return false;
  return std::all_of(bytes.begin() + 1, bytes.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
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

std::string PieceDecoder::convert(std::string_view bytes) const {
  switch (encoding_) {
    case FileEncoding::utf8:
      return to_cp1252(bytes);
    case FileEncoding::utf16_le:
    case FileEncoding::utf16_be:
      return utf16_to_cp1252(bytes, encoding_ == FileEncoding::utf16_le);
    case FileEncoding::windows_1252:
      break;
  }
  return std::string(bytes);
}

std::string PieceDecoder::decode(std::string_view piece) {
  pending_ += piece;
  if (!started_) {
    // A byte-order mark may still be coming.
    if (pending_.size() < 3 && (std::string_view("\xEF\xBB\xBF").starts_with(pending_) ||
                                std::string_view("\xFF\xFE").starts_with(pending_) ||
                                std::string_view("\xFE\xFF").starts_with(pending_)))
      return {};
    started_ = true;
    std::size_t mark = 0;
    if (pending_.starts_with("\xEF\xBB\xBF")) {
      encoding_ = FileEncoding::utf8, mark = 3;
    } else if (pending_.starts_with("\xFF\xFE")) {
      encoding_ = FileEncoding::utf16_le, mark = 2;
    } else if (pending_.starts_with("\xFE\xFF")) {
      encoding_ = FileEncoding::utf16_be, mark = 2;
    }
    if (mark != 0) {
      decided_ = true;
      pending_.erase(0, mark);
    }
  }
  std::size_t ready = pending_.size();
  if (!decided_) {
    std::size_t at = 0;
    while (at < pending_.size() && static_cast<unsigned char>(pending_[at]) < 0x80) ++at;
    if (at == pending_.size()) return std::exchange(pending_, {});  // ASCII reads alike
    const Utf8Character first = decode_utf8(pending_, at);
    if (!first.valid && cut_utf8(std::string_view(pending_).substr(at)))
      ready = at;  // perhaps a character cut by the piece's end
    else {
      decided_ = true;
      encoding_ = first.valid ? FileEncoding::utf8 : FileEncoding::windows_1252;
    }
  }
  if (decided_ && encoding_ == FileEncoding::utf8) {
    // Back to the start of a last character that is not complete yet.
    std::size_t start = pending_.size();
    for (int back = 0; back < 3 && start > 0; ++back) {
      const auto byte = static_cast<unsigned char>(pending_[start - 1]);
      if (byte < 0x80) break;
      --start;
      if (byte >= 0xC0) {
        const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        if (pending_.size() - start < needed) ready = start;
        break;
      }
    }
  } else if (decided_ && encoding_ != FileEncoding::windows_1252) {
    ready = pending_.size() - pending_.size() % 2;
    if (ready >= 2) {
      const auto high = static_cast<unsigned char>(
          pending_[ready - (encoding_ == FileEncoding::utf16_le ? 1 : 2)]);
      if (high >= 0xD8 && high <= 0xDB) ready -= 2;  // the pair's second half is to come
    }
  }
  std::string text = convert(std::string_view(pending_).substr(0, ready));
  pending_.erase(0, ready);
  return text;
}

std::string PieceDecoder::finish() {
  std::string text = convert(pending_);
  pending_.clear();
  return text;
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
