#include "runtime/text.h"

#include <array>
#include <charconv>
#include <cstring>

namespace velkart::runtime {

namespace {

// 0-based index of a 1-based position, with starts below 1 counted as 1.
std::size_t index_of(std::int64_t start) {
  return start < 1 ? 0 : static_cast<std::size_t>(start - 1);
}

constexpr std::array<unsigned char, 256> make_upper_table() {
  std::array<unsigned char, 256> table{};
  for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<unsigned char>(byte);
  for (int byte = 'a'; byte <= 'z'; ++byte) table[byte] = static_cast<unsigned char>(byte - 0x20);
  for (int byte = 0xE0; byte <= 0xFE; ++byte) {
    if (byte != 0xF7) table[byte] = static_cast<unsigned char>(byte - 0x20);  // 0xF7 is ÷
  }
  table[0x9A] = 0x8A;  // š Š
  table[0x9C] = 0x8C;  // œ Œ
  table[0x9E] = 0x8E;  // ž Ž
  table[0xFF] = 0x9F;  // ÿ Ÿ
  return table;
}
constexpr std::array<unsigned char, 256> upper_table = make_upper_table();

}  // namespace

std::int64_t text_length(std::string_view text) {
  return static_cast<std::int64_t>(text.size());
}

std::string substring(std::string_view text, std::int64_t start, std::int64_t count) {
  const std::size_t from = index_of(start);
  if (from >= text.size() || count <= 0) return {};
  return std::string(text.substr(from, static_cast<std::size_t>(count)));
}

std::string replace_all(std::string_view text, std::string_view wanted,
                        std::string_view replacement) {
  if (wanted.empty()) return std::string(text);
  // The exact-case pass can jump from match to match with find().
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  for (std::size_t hit = text.find(wanted); hit != std::string_view::npos;
       hit = text.find(wanted, at)) {
    out.append(text.substr(at, hit - at));
    out.append(replacement);
    at = hit + wanted.size();
  }
  out.append(text.substr(at));
  return out;
}

std::string remove_all(std::string_view text, std::string_view wanted) {
  return replace_all(text, wanted, {});
}

std::vector<std::string_view> split_at_blanks(std::string_view text) {
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t blank = std::min(text.find(' ', at), text.size());
    if (blank > at) words.push_back(text.substr(at, blank - at));
    at = blank + 1;
  }
  return words;
}

std::string trim_blanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

char upper_case_byte(char byte) {
  return static_cast<char>(upper_table[static_cast<unsigned char>(byte)]);
}

std::string upper_case(std::string_view text) {
  std::string out(text);
  for (char& byte : out) byte = upper_case_byte(byte);
  return out;
}

std::string pad_left(std::string_view text, std::int64_t width, std::string_view pad) {
  const std::size_t wanted = width < 0 ? 0 : static_cast<std::size_t>(width);
  if (text.size() >= wanted) return std::string(text.substr(0, wanted));
  const char fill = pad.empty() ? ' ' : pad.front();
  return std::string(wanted - text.size(), fill) + std::string(text);
}

std::string integer_to_text(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::int64_t text_to_integer(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    negative = text[at] == '-';
    ++at;
  }
  unsigned base = 10;
  if (at < text.size() && text[at] == '$') {
    base = 16;
    ++at;
  } else if (at < text.size() && text[at] == '%') {
    base = 2;
    ++at;
  }
  // Unsigned arithmetic gives the silent 64-bit wrap without undefined behaviour.
  std::uint64_t value = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0 - value;
  return static_cast<std::int64_t>(value);
}

std::string text_from_memory(const char* address, std::optional<std::int64_t> maximum) {
  if (address == nullptr) return {};
  if (!maximum) return std::string(address);
  if (*maximum <= 0) return {};
  const void* zero = std::memchr(address, 0, static_cast<std::size_t>(*maximum));
  const std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - address)
           : static_cast<std::size_t>(*maximum);
  return std::string(address, length);
}

}  // namespace velkart::runtime
