// The byte-level building blocks: the growable buffer, the number and
// string encoders every operator goes through, and the fonts.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "pdf/byte_buffer.h"
#include "pdf/document.h"
#include "pdf/fonts.h"
#include "pdf/format.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

TEST(ByteBuffer, AppendsALineAndItsLineFeedTogetherOrNotAtAll) {
  ByteBuffer buffer(64000, /*limit*/ 128000);
  ASSERT_TRUE(buffer.append(std::string(100000, 'a')));
  EXPECT_TRUE(buffer.append_line(std::string(27999, 'b')));  // exactly at the limit
  EXPECT_FALSE(buffer.append_line("c"));                     // one byte beyond it
  EXPECT_EQ(buffer.size(), 128000u);
  EXPECT_EQ(buffer.view().back(), '\n');
  buffer.release();
  EXPECT_FALSE(buffer.append("x"));
  EXPECT_EQ(buffer.view(), "");
}

TEST(FormatNumber, RoundsTheWidenedFloatToTheRequestedDecimals) {
  const struct {
    float value;
    int decimals;
    const char* expected;
  } cases[] = {{595.28f, 2, "595.28"},
               {0.567f, 2, "0.57"},
               {12, 2, "12.00"},
               {200 / 255.0f, 3, "0.784"},
               {7.5f, 0, "8"},
               {-16.9999f, 2, "-17.00"},
               // Near a half the float's exact value decides (31.185f is 31.18499...),
               // and a true binary tie goes to the even neighbour.
               {31.185f, 2, "31.18"},
               {31.1850014f, 2, "31.19"},
               {0.125f, 2, "0.12"},
               // No negative zero, and no "inf" or "nan", which a PDF cannot read.
               {-0.0f, 2, "0.00"},
               {-0.0004f, 3, "0.000"},
               {-0.006f, 2, "-0.01"},
               {std::numeric_limits<float>::infinity(), 2, "0.00"},
               {std::nanf(""), 3, "0.000"}};
  for (const auto& c : cases) EXPECT_EQ(format_number(c.value, c.decimals), c.expected) << c.value;
  const std::string largest = format_number(-std::numeric_limits<float>::max(), 2);
  EXPECT_EQ(largest.substr(0, 7), "-340282");
  EXPECT_EQ(largest.size(), 1u + 39u + 3u);
}

TEST(EscapeText, EscapesWhatWouldEndOrBendTheStringAndKeepsEveryByteSevenBit) {
  EXPECT_EQ(escape_text(std::string("\b\t\n\f\r\x01\x0b\x7f", 8)),
            std::string("\\b\\t\\n\\f\\r\x01\x0b\x7f", 13));
  EXPECT_EQ(escape_text(velkart::testing::cp1252("üö€") + "\xff"), "\\374\\366\\200\\377");
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string escaped = escape_text(all);
  for (const char byte : escaped) ASSERT_LT(static_cast<unsigned char>(byte), 128);
  // Eight two-byte escapes (five control bytes, backslash, parentheses),
  // 128 octal ones, and the other 119 bytes as they are.
  EXPECT_EQ(escaped.size(), 119u + 2 * 8 + 4 * 128);
}

TEST(StandardFontWidths, MatchTheReferenceTableForEveryCode) {
  std::ifstream tsv(VELKART_PDF_TEST_DATA "/core14-widths.tsv");
  ASSERT_TRUE(tsv) << "reference table missing";
  std::string line;
  std::getline(tsv, line);  // header
  while (std::getline(tsv, line)) {
    std::istringstream fields(line);
    std::string base_font;
    int code = 0;
    int width = 0;
    fields >> base_font >> code >> width;
    const StandardFont* font = nullptr;
    for (const StandardFont& candidate : standard_fonts) {
      if (candidate.base_font == base_font) font = &candidate;
    }
    ASSERT_NE(font, nullptr) << base_font;
    EXPECT_EQ(font->widths[static_cast<std::size_t>(code)], width) << base_font << " code " << code;
  }
  // The table leaves out Courier, which is 600 wide throughout.
  for (const char* name : {"COURIER", "COURIERB", "COURIERI", "COURIERBI"}) {
    const StandardFont* courier = find_standard_font(name);
    ASSERT_NE(courier, nullptr) << name;
    for (const int width : courier->widths) ASSERT_EQ(width, 600) << name;
  }
}

TEST(SetFont, NumbersFontsInOrderOfFirstUseAndWritesOnlyChanges) {
  Document document(testing::fixed_clock());
  document.add_page();
  document.set_font("Arial", "B", 10);
  document.set_font("Arial", "", 12);
  document.set_font("Times", "", 12);
  document.set_font("", "I");          // family and size stay
  document.set_font("TIMES ", " i ");  // the same font: nothing written
  document.set_font("Comic", "", 20);  // no metrics: nothing changes
  document.set_font("Times", "X", 20);
  document.set_font("Arial", "ib", 8);
  document.set_font("arial", "b", 10);
  document.set_font("Symbol", "B", 10);  // Symbol and ZapfDingbats have no styles
  document.set_font("ZapfDingbats", "I", 10);
  EXPECT_EQ(document.page_content(1),
            "2 J\n0.57 w\nBT /F1 10.00 Tf ET\nBT /F2 12.00 Tf ET\nBT /F3 12.00 Tf ET\nBT /F4 12.00 "
            "Tf ET\n"
            "BT /F5 8.00 Tf ET\nBT /F1 10.00 Tf ET\nBT /F6 10.00 Tf ET\nBT /F7 10.00 Tf ET\n");
}

TEST(SetFont, TreatsUnderlineAsAFlagThatSurvivesTheHeadersFont) {
  Document document(testing::fixed_clock());
  document.new_document();
  document.set_font("Arial", "BU", 10);
  EXPECT_EQ(document.font_style(), "B");
  document.set_header_hook([&] { document.set_font("Times", "", 12); });
  document.add_page();
  document.text_cell(0, 5, "Hi");
  const std::string_view page = document.page_content(1);  // the text and its bar on one line
  EXPECT_TRUE(page.ends_with(" re f\n") && page.find(") Tj ET ") != std::string_view::npos) << page;
}

}  // namespace
}  // namespace velkart::pdf
