#include "pdf/format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "support/test_support.h"

namespace velkart::pdf {
namespace {

using velkart::testing::cp1252;

TEST(FormatNumber, PrintsTheRequestedDecimalsRoundedToNearest) {
  EXPECT_EQ(format_number(595.28f, 2), "595.28");
  EXPECT_EQ(format_number(0.567f, 2), "0.57");
  EXPECT_EQ(format_number(12, 2), "12.00");
  EXPECT_EQ(format_number(200 / 255.0f, 3), "0.784");
  EXPECT_EQ(format_number(220 / 255.0f, 3), "0.863");
  EXPECT_EQ(format_number(1, 3), "1.000");
  EXPECT_EQ(format_number(7.5f, 0), "8");
  EXPECT_EQ(format_number(-16.9999f, 2), "-17.00");
}

TEST(FormatNumber, WidensTheFloatBeforeRounding) {
  // Near a half the float's exact value decides: 31.185f is 31.18499946...,
  // the first text position of a page is 31.1850014...
  EXPECT_EQ(format_number(31.185f, 2), "31.18");
  EXPECT_EQ(format_number(31.1850014f, 2), "31.19");
  // 0.125 is exact in binary: a true tie, which goes to the even neighbour.
  EXPECT_EQ(format_number(0.125f, 2), "0.12");
}

TEST(FormatNumber, NeverPrintsANegativeZero) {
  EXPECT_EQ(format_number(-0.0f, 2), "0.00");
  EXPECT_EQ(format_number(-0.001f, 2), "0.00");
  EXPECT_EQ(format_number(-0.0004f, 3), "0.000");
  EXPECT_EQ(format_number(-0.006f, 2), "-0.01");
}

TEST(FormatNumber, HandlesTheWholeFloatRange) {
  const std::string largest = format_number(std::numeric_limits<float>::max(), 2);
  EXPECT_EQ(largest.size(), 39u + 3u);
  EXPECT_EQ(largest.substr(0, 6), "340282");
  EXPECT_EQ(format_number(-std::numeric_limits<float>::max(), 3).substr(0, 4), "-340");
  // A PDF number cannot say "inf" or "nan"; they come out as zero.
  EXPECT_EQ(format_number(std::numeric_limits<float>::infinity(), 2), "0.00");
  EXPECT_EQ(format_number(std::nanf(""), 3), "0.000");
}

TEST(FormatNumber, UsesAPointUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "locale de_DE.UTF-8 missing";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
  const std::string printf_form = buffer;
  const std::string ours = format_number(595.28f, 2);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(printf_form, "1,50") << "the locale did not take effect";
  EXPECT_EQ(ours, "595.28");
}

TEST(EscapeText, EscapesTheBytesThatWouldEndOrBendTheString) {
  EXPECT_EQ(escape_text("a(b)c\\d"), "a\\(b\\)c\\\\d");
  EXPECT_EQ(escape_text(std::string("\b\t\n\f\r", 5)), "\\b\\t\\n\\f\\r");
  // Other control bytes, including 11, stay as they are.
  EXPECT_EQ(escape_text(std::string("\x01\x0b\x1f\x7f", 4)), std::string("\x01\x0b\x1f\x7f", 4));
}

TEST(EscapeText, WritesHighBytesAsThreeOctalDigits) {
  EXPECT_EQ(escape_text(cp1252("ü")), "\\374");
  EXPECT_EQ(escape_text(cp1252("ö")), "\\366");
  EXPECT_EQ(escape_text(cp1252("€")), "\\200");
  EXPECT_EQ(escape_text("\xff"), "\\377");
}

TEST(EscapeText, KeepsEveryByteFromOneTo255SevenBit) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string escaped = escape_text(all);
  for (const char byte : escaped) ASSERT_LT(static_cast<unsigned char>(byte), 128);
  // Eight two-byte escapes (five control bytes, backslash, parentheses),
  // 128 octal ones, and the other 119 bytes as they are.
  EXPECT_EQ(escaped.size(), 119u + 2 * 8 + 4 * 128);
}

TEST(TextString, WrapsTheEscapedTextInParentheses) {
  EXPECT_EQ(text_string(""), "()");
  EXPECT_EQ(text_string("Chapter (1)"), "(Chapter \\(1\\))");
}

}  // namespace
}  // namespace velkart::pdf
