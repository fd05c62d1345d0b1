#include "pdf/format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace velkart::pdf {

void append_number(std::string& out, float value, int decimals) {
  double wide = value;
  if (!std::isfinite(wide)) wide = 0.0;
  if (decimals < 0) decimals = 0;
  if (decimals > 9) decimals = 9;
  // std::to_chars never consults the locale, unlike printf and iostreams, so
  // a German LC_NUMERIC cannot turn 595.28 into 595,28. The largest float
  // has 39 integer digits, so 64 bytes always suffice.
  std::array<char, 64> digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), wide,
                                          std::chars_format::fixed, decimals);
  const char* begin = digits.data();
  if (error != std::errc{}) {
    out += '0';
    return;
  }
  if (*begin == '-') {
    bool all_zero = true;
    for (const char* p = begin + 1; p != end; ++p) {
      if (*p != '0' && *p != '.') all_zero = false;
    }
    if (all_zero) ++begin;
  }
  out.append(begin, static_cast<std::size_t>(end - begin));
}

std::string format_number(float value, int decimals) {
  std::string out;
  append_number(out, value, decimals);
  return out;
}

void append_escaped(std::string& out, std::string_view text) {
  for (const char byte : text) {
    const auto c = static_cast<unsigned char>(byte);
    switch (c) {
      case 8:
        out += "\\b";
        break;
      case 9:
        out += "\\t";
        break;
      case 10:
        out += "\\n";
        break;
      case 12:
        out += "\\f";
        break;
      case 13:
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '(':
        out += "\\(";
        break;
      case ')':
        out += "\\)";
        break;
      default:
        if (c >= 128) {
          const char octal[4] = {'\\', static_cast<char>('0' + (c >> 6)),
                                 static_cast<char>('0' + ((c >> 3) & 7)),
                                 static_cast<char>('0' + (c & 7))};
          out.append(octal, 4);
        } else {
          out += byte;
        }
    }
  }
}

std::string escape_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  append_escaped(out, text);
  return out;
}

std::string text_string(std::string_view text) {
  std::string out = "(";
  append_escaped(out, text);
  out += ')';
  return out;
}

}  // namespace velkart::pdf
