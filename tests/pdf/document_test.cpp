#include "pdf/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/writer.h"
#include "pdf_test_support.h"

namespace velkart::pdf {
namespace {

using testing::fixed_clock;
using testing::lines_of;

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() : document(fixed_clock()) { document.new_document(); }
  std::vector<std::string> page_lines(int page) const { return lines_of(document.page_content(page)); }
  Document document;
};

using NewDocument = DocumentTest;

TEST_F(NewDocument, HoldsTheGeometryOfA4InMillimetres) {
  EXPECT_FLOAT_EQ(document.scale_factor(), 2.8346457f);
  EXPECT_NEAR(document.page_width(), 210.0016f, 0.0001f);
  EXPECT_NEAR(document.page_height(), 297.0001f, 0.0001f);
  EXPECT_NEAR(document.left_margin(), 10.00125f, 0.00001f);
  EXPECT_NEAR(document.cell_margin(), 1.000125f, 0.000001f);
  EXPECT_NEAR(document.page_break_trigger(), 276.9976f, 0.0001f);
  EXPECT_NEAR(document.line_width(), 0.20002f, 0.00001f);
  EXPECT_EQ(document.bytes(), "%PDF-1.5\n");
}

TEST_F(NewDocument, UnderstandsOtherUnitsOrientationsAndFormats) {
  document.new_document("landscape", "pt", "100,200");
  EXPECT_EQ(document.page_width(), 200.0f);
  EXPECT_EQ(document.page_height(), 100.0f);
  EXPECT_NEAR(document.left_margin(), 28.35f, 0.0001f);
  document.new_document("P", "cm", "");
  EXPECT_NEAR(document.page_width(), 21.00016f, 0.00001f);
  document.new_document("", "furlong", "nonsense");
  EXPECT_NEAR(document.page_width(), 210.0016f, 0.0001f);
}

TEST_F(NewDocument, StartsAfreshAfterAnAbandonedDocument) {
  document.add_page();
  document.set_font("Times", "", 12);
  document.new_document();
  document.set_font("Arial", "", 12);
  document.close_document();
  const std::string pdf(document.bytes());
  EXPECT_EQ(testing::count_of(pdf, "/Type /Page\n"), 1u);
  EXPECT_EQ(testing::count_of(pdf, "/Type/Font"), 1u);
  EXPECT_NE(pdf.find("/BaseFont/Helvetica"), std::string::npos);
}

using AddPage = DocumentTest;

TEST_F(AddPage, BeginsEveryPageWithLineCapsAndLineWidth) {
  document.add_page();
  document.add_page();
  EXPECT_EQ(document.page_number(), 2);
  EXPECT_EQ(document.page_content(1), "2 J\n0.57 w\n");
  EXPECT_EQ(document.page_content(2), "2 J\n0.57 w\n");
  EXPECT_FLOAT_EQ(document.x(), document.left_margin());
  EXPECT_FLOAT_EQ(document.y(), document.left_margin());
}

TEST_F(AddPage, WritesStateSetBeforeTheFirstPageIntoIt) {
  document.set_line_width(1);
  document.set_draw_color(255, 0, 0);
  document.set_fill_color(200, 220, 255);
  document.set_font("Times", "", 12);
  EXPECT_EQ(document.page_content(1), "");
  document.add_page();
  EXPECT_EQ(page_lines(1), (std::vector<std::string>{"2 J", "2.83 w", "BT /F1 12.00 Tf ET", "1.000 0.000 0.000 RG",
                                                     "0.784 0.863 1.000 rg"}));
}

TEST_F(AddPage, RunsFooterThenHeaderAndRestoresWhatTheHeaderChanged) {
  std::vector<std::string> events;
  document.set_header_hook([&] {
    events.push_back("header " + std::to_string(document.page_number()));
    document.set_font("Arial", "B", 10);
    document.set_line_width(1);
    document.set_draw_color(0, 50, 50);
    document.set_fill_color(255, 255, 255);
    document.set_text_color(0, 50, 50);
  });
  document.set_footer_hook([&] { events.push_back("footer " + std::to_string(document.page_number())); });
  document.add_page();
  document.set_font("Times", "", 12);
  document.set_fill_color(200, 220, 255);
  document.add_page();
  EXPECT_EQ(events, (std::vector<std::string>{"header 1", "footer 1", "header 2"}));
  EXPECT_EQ(page_lines(2),
            (std::vector<std::string>{"2 J", "0.57 w", "BT /F2 12.00 Tf ET", "0.784 0.863 1.000 rg",
                                      // the header's drawing state
                                      "BT /F1 10.00 Tf ET", "2.83 w", "0.000 0.196 0.196 RG", "1.000 1.000 1.000 rg",
                                      // and back to the page's own
                                      "0.57 w", "BT /F2 12.00 Tf ET", "0 G", "0.784 0.863 1.000 rg"}));
  EXPECT_EQ(document.font_family(), "Times");
}

TEST_F(AddPage, KeepsTheHeaderFontWhenNoFontWasSetBefore) {
  document.set_header_hook([&] { document.set_font("Arial", "B", 10); });
  document.add_page();
  EXPECT_EQ(document.font_family(), "HELVETICA");
  EXPECT_EQ(document.font_style(), "B");
}

TEST_F(AddPage, RestoresTheUnderlineWithTheFont) {
  document.set_font("Arial", "U", 10);
  document.set_header_hook([&] { document.set_font("Times", "", 12); });
  document.add_page();
  document.text_cell(20, 5, "x");
  EXPECT_NE(std::string(document.page_content(1)).find(" re f\n"), std::string::npos);
}

TEST_F(AddPage, StartsADocumentWhenNoneIsBegun) {
  Document fresh(fixed_clock());
  EXPECT_TRUE(fresh.add_page());
  EXPECT_EQ(fresh.state(), DocumentState::page_open);
  EXPECT_EQ(fresh.page_number(), 1);
}

TEST(Colours, UseTheGreyFormForBlackAndOneArgument) {
  Document document(fixed_clock());
  document.new_document();
  document.add_page();
  document.set_draw_color(0, 0, 0);
  document.set_fill_color(128);
  document.set_text_color(128);
  document.set_fill_color(0, -1, 7);
  EXPECT_EQ(lines_of(document.page_content(1)),
            (std::vector<std::string>{"2 J", "0.57 w", "0.000 G", "0.502 g", "0.000 g"}));
}

TEST(Colours, WriteTheBlackDrawColourAgainOnEveryPage) {
  Document document(fixed_clock());
  document.new_document();
  document.set_draw_color(0, 0, 0);
  document.add_page();
  document.add_page();
  EXPECT_EQ(document.page_content(2), "2 J\n0.57 w\n0.000 G\n");
}

TEST(Colours, SwitchTheColourFlagOnWhenFillAndTextDiffer) {
  Document document(fixed_clock());
  document.new_document();
  document.add_page();
  document.set_font("Arial", "", 12);
  document.text_cell(0, 6, "a", 0, 1);
  document.set_text_color(128);
  document.text_cell(0, 6, "b", 0, 1);
  // Made equal again, the flag stays on.
  document.set_fill_color(128);
  document.text_cell(0, 6, "c", 0, 1);
  const auto lines = lines_of(document.page_content(1));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[3].substr(0, 3), "BT ");
  EXPECT_EQ(lines[4].substr(0, 9), "q 0.502 g");
  EXPECT_EQ(lines[4].substr(lines[4].size() - 2), " Q");
  EXPECT_EQ(lines[6].substr(0, 9), "q 0.502 g");
}

TEST(Position, SetXAndSetYCountNegativeValuesFromTheFarEdge) {
  Document document(fixed_clock());
  document.new_document();
  document.add_page();
  document.set_x(50);
  EXPECT_EQ(document.x(), 50.0f);
  document.set_x(-10);
  EXPECT_NEAR(document.x(), 200.0016f, 0.0001f);
  document.set_y(-15);
  EXPECT_NEAR(document.y(), 282.0001f, 0.0001f);
  EXPECT_FLOAT_EQ(document.x(), document.left_margin());
  document.set_y(40);
  EXPECT_EQ(document.y(), 40.0f);
}

TEST(Position, LineBreakUsesTheLastCellHeightOnlyWithoutAHeight) {
  Document document(fixed_clock());
  document.new_document();
  document.add_page();
  document.set_x(70);
  document.text_cell(10, 6, "");
  const float y = document.y();
  document.line_break(4);
  EXPECT_FLOAT_EQ(document.y(), y + 4);
  EXPECT_FLOAT_EQ(document.x(), document.left_margin());
  EXPECT_EQ(document.last_height(), 6.0f);
  document.line_break();
  EXPECT_FLOAT_EQ(document.y(), y + 10);
}

TEST(GlobalWriter, ForwardsToTheProcessWideDocument) {
  new_document();
  set_font("Times", "", 12);
  add_page();
  text_cell(0, 5, "x", 0, 1);
  EXPECT_EQ(page_number(), 1);
  EXPECT_EQ(the_document().font_family(), "Times");
  EXPECT_NE(the_document().page_content(1).find("(x) Tj"), std::string_view::npos);
  save_document("");
  EXPECT_EQ(the_document().bytes(), "");
}

}  // namespace
}  // namespace velkart::pdf
