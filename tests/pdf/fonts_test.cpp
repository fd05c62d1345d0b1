#include "pdf/fonts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "pdf/document.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

using testing::fixed_clock;
using testing::lines_of;
using velkart::testing::cp1252;

const FontWidths& widths_of(std::string_view lookup_name) {
  const StandardFont* font = find_standard_font(lookup_name);
  EXPECT_NE(font, nullptr) << lookup_name;
  static const FontWidths none{};
  return font == nullptr ? none : font->widths;
}

TEST(StandardFontWidths, MatchTheReferenceTableForEveryCode) {
  std::ifstream tsv(VELKART_PDF_TEST_DATA "/core14-widths.tsv");
  ASSERT_TRUE(tsv) << "reference table missing";
  std::string line;
  std::getline(tsv, line);  // header
  std::map<std::string, int> rows_per_font;
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
    ++rows_per_font[base_font];
  }
  EXPECT_EQ(rows_per_font.size(), 10u);
  for (const auto& [font, rows] : rows_per_font) EXPECT_EQ(rows, 256) << font;
}

TEST(StandardFontWidths, GiveSpaceWidthBelowThirtyTwoAndBulletWidthToUnassignedCodes) {
  for (const char* name : {"HELVETICA", "TIMES", "COURIER"}) {
    const FontWidths& widths = widths_of(name);
    for (int code = 0; code < 32; ++code) EXPECT_EQ(widths[code], widths[32]) << name << " " << code;
  }
  for (const char* name : {"HELVETICA", "HELVETICABI", "TIMES", "TIMESB"}) {
    for (const int code : {127, 129, 141, 143, 144, 157}) EXPECT_EQ(widths_of(name)[code], 350) << name;
  }
  EXPECT_EQ(widths_of("HELVETICA")[128], 556);
  EXPECT_EQ(widths_of("TIMESI")[128], 500);
}

TEST(StandardFontWidths, HaveTheTellingValues) {
  const FontWidths& helvetica = widths_of("HELVETICA");
  EXPECT_EQ(helvetica[' '], 278);
  EXPECT_EQ(helvetica['W'], 944);
  EXPECT_EQ(helvetica['@'], 1015);
  EXPECT_EQ(helvetica[static_cast<unsigned char>(cp1252("ä")[0])], 556);
  EXPECT_EQ(helvetica[static_cast<unsigned char>(cp1252("ß")[0])], 611);
  EXPECT_EQ(widths_of("HELVETICAB")['@'], 975);
  EXPECT_EQ(widths_of("TIMES")[static_cast<unsigned char>(cp1252("ß")[0])], 500);
  EXPECT_EQ(widths_of("TIMESI")['A'], 611);
  EXPECT_EQ(widths_of("HELVETICAI"), helvetica);
  EXPECT_EQ(widths_of("HELVETICABI"), widths_of("HELVETICAB"));
  FontWidths courier;
  courier.fill(600);
  EXPECT_EQ(widths_of("COURIERBI"), courier);
}

class SetFont : public ::testing::Test {
 protected:
  SetFont() : document(fixed_clock()) { document.new_document(); }
  std::string page_text() const { return std::string(document.page_content(document.page_number())); }
  Document document;
};

TEST_F(SetFont, NumbersFontsInOrderOfFirstUse) {
  document.add_page();
  document.set_font("Arial", "B", 10);
  document.set_font("Arial", "", 12);
  document.set_font("Times", "", 12);
  document.set_font("", "I");
  document.set_font("Arial", "I", 8);
  document.set_font("arial", "b", 10);
  EXPECT_EQ(page_text(),
            "2 J\n0.57 w\n"
            "BT /F1 10.00 Tf ET\nBT /F2 12.00 Tf ET\nBT /F3 12.00 Tf ET\n"
            "BT /F4 12.00 Tf ET\nBT /F5 8.00 Tf ET\nBT /F1 10.00 Tf ET\n");
  const std::string pdf = (document.close_document(), std::string(document.bytes()));
  std::size_t at = 0;
  for (const char* name : {"Helvetica-Bold", "Helvetica\n", "Times-Roman", "Times-Italic", "Helvetica-Oblique"}) {
    const std::size_t found = pdf.find(std::string("/BaseFont/") + name, at);
    ASSERT_NE(found, std::string::npos) << name;
    at = found;
  }
}

TEST_F(SetFont, KeepsFamilyAndSizeWhenOnlyTheStyleIsGiven) {
  document.set_font("Times", "", 12);
  document.set_font("", "I");
  EXPECT_EQ(document.font_family(), "Times");
  EXPECT_EQ(document.font_style(), "I");
  EXPECT_EQ(document.font_size_pt(), 12);
}

TEST_F(SetFont, TakesIbAsBiAndIgnoresCaseAndBlanks) {
  document.add_page();
  document.set_font("Arial", "ib", 10);
  EXPECT_EQ(document.font_style(), "BI");
  document.set_font("  Times ", " b ", 10);
  EXPECT_EQ(document.font_family(), "Times");
  EXPECT_EQ(document.font_style(), "B");
  document.close_document();
  EXPECT_NE(document.bytes().find("/BaseFont/Helvetica-BoldOblique"), std::string::npos);
  EXPECT_NE(document.bytes().find("/BaseFont/Times-Bold\n"), std::string::npos);
}

TEST_F(SetFont, WritesNothingWhenUnchangedButAgainOnANewPage) {
  document.add_page();
  document.set_font("Times", "", 12);
  document.set_font("TIMES", "", 12);
  EXPECT_EQ(lines_of(page_text()).size(), 3u);
  document.add_page();
  // add_page carries the font over; asking for it again writes nothing more.
  document.set_font("Times", "", 12);
  EXPECT_EQ(page_text(), "2 J\n0.57 w\nBT /F1 12.00 Tf ET\n");
}

TEST_F(SetFont, WritesNothingBeforeTheFirstPage) {
  document.set_font("Times", "", 14);
  document.add_page();
  EXPECT_EQ(page_text(), "2 J\n0.57 w\nBT /F1 14.00 Tf ET\n");
}

TEST_F(SetFont, IgnoresTheStyleOfSymbolAndZapfDingbats) {
  document.add_page();
  document.set_font("Symbol", "B", 10);
  document.set_font("ZapfDingbats", "I", 10);
  document.close_document();
  const std::string pdf(document.bytes());
  EXPECT_NE(pdf.find("/BaseFont/Symbol\n/Subtype/Type1\n>>"), std::string::npos);
  EXPECT_NE(pdf.find("/BaseFont/ZapfDingbats\n/Subtype/Type1\n>>"), std::string::npos);
}

TEST_F(SetFont, LeavesTheFontUnchangedForAFamilyWithoutMetrics) {
  document.add_page();
  document.set_font("Times", "", 12);
  document.set_font("Comic", "", 20);
  document.set_font("Times", "X", 20);
  EXPECT_EQ(document.font_family(), "Times");
  EXPECT_EQ(document.font_size_pt(), 12);
  document.close_document();
  EXPECT_EQ(testing::count_of(document.bytes(), "/Type/Font"), 1u);
}

TEST_F(SetFont, UnderlineIsAFlagNotAStyle) {
  document.add_page();
  document.set_font("Arial", "BU", 10);
  EXPECT_EQ(document.font_style(), "B");
  document.text_cell(0, 5, "Hi");
  // The text and its underline bar, both in one operator line.
  EXPECT_NE(page_text().find(") Tj ET "), std::string::npos);
  EXPECT_NE(page_text().find(" re f\n"), std::string::npos);
}

TEST(StringWidth, AddsTheWidthsInUserUnits) {
  Document document(fixed_clock());
  document.new_document();
  document.set_font("Helvetica", "", 10);
  EXPECT_NEAR(document.string_width("AW"), 5.6832f, 0.0001f);
  EXPECT_EQ(document.string_width(""), 0.0f);
  document.set_font("Courier", "", 10);
  const float space = document.string_width(" ");
  EXPECT_EQ(document.string_width("\t"), space);
  document.set_font("Times", "", 10);
  EXPECT_EQ(document.string_width("\x01"), document.string_width(" "));
}

}  // namespace
}  // namespace velkart::pdf
