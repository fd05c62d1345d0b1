#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/document.h"
#include "pdf_test_support.h"

namespace velkart::pdf {
namespace {

using testing::lines_of;
using Lines = std::vector<std::string>;

// The texts of the Tj operators, one per printed line.
Lines printed(std::string_view page) {
  Lines texts;
  for (const std::string& line : lines_of(page)) {
    const std::size_t open = line.find(" Td (");
    if (open != std::string::npos)
      texts.push_back(line.substr(open + 5, line.rfind(") Tj") - open - 5));
  }
  return texts;
}

class TextCell : public ::testing::Test {
 protected:
  TextCell() { restart(); }
  // A fresh document with one page in the given font.
  void restart(const char* font = "Arial", int size_pt = 12) {
    document.new_document();
    document.add_page();
    document.set_font(font, "", size_pt);
  }
  // The operator lines of page 1 after "2 J", the line width and the font.
  Lines cell_lines() const {
    const Lines lines = lines_of(document.page_content(1));
    return {lines.begin() + std::min<std::ptrdiff_t>(3, std::ssize(lines)), lines.end()};
  }
  Document document{testing::fixed_clock()};
};

// Framed and filled ("re B") and filled only ("re f") are in the small sheet's
// golden file.
TEST_F(TextCell, DrawsTheRectangleOrTheSidesItsBorderAsksFor) {
  const struct {
    Border border;
    Fill fill;
    Lines expected;
  } cases[] = {{Border::frame, Fill::none, {"28.35 558.43 56.69 -28.35 re S "}},
               {Border::left | Border::top | Border::right | Border::bottom,
                Fill::none,
                {"28.35 558.43 m 28.35 530.08 l S 28.35 558.43 m 85.04 558.43 l S "
                 "85.04 558.43 m 85.04 530.08 l S 28.35 530.08 m 85.04 530.08 l S "}},
               {Border::left | Border::right,
                Fill::none,
                {"28.35 558.43 m 28.35 530.08 l S 85.04 558.43 m 85.04 530.08 l S "}}};
  for (const auto& c : cases) {
    restart();
    document.set_y(100);
    document.text_cell(20, 10, "", c.border, LineMode::right, Align::left, c.fill);
    EXPECT_EQ(cell_lines(), c.expected) << static_cast<unsigned>(c.border);
  }
}

TEST_F(TextCell, PrintsTextInItsOwnColourOnceFillAndTextDiffered) {
  document.text_cell(0, 6, "a", Border::none, LineMode::next_line);
  document.set_text_color(128);
  document.text_cell(0, 6, "b", Border::none, LineMode::next_line);
  document.set_fill_color(128);  // equal again: the flag stays on
  document.text_cell(0, 6, "c", Border::none, LineMode::next_line);
  const Lines lines = cell_lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[0].starts_with("BT "));
  for (const std::size_t i : {1, 3})
    EXPECT_TRUE(lines[i].starts_with("q 0.502 g BT ") && lines[i].ends_with(" Q"));
}

TEST_F(TextCell, BreaksThePageOnlyWhenTheCellWouldEndBelowTheBreakLine) {
  const float trigger = document.page_break_trigger();
  const struct {
    const char* what;
    float y;
    float h;
    const char* text;
    int pages;
  } cases[] = {{"ends exactly at the line", trigger - 8, 8, "last", 1},
               {"ends just below it", trigger - 8, 8.001f, "over", 2},
               {"empty cell below it", 275, 5, "", 2},
               {"starts below it", trigger + 1, 1, "x", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    restart();
    document.set_y(c.y);
    if (c.pages == 1) {
      ASSERT_EQ(static_cast<double>(document.y()) + c.h, document.page_break_trigger());
    }
    document.set_x(40);
    document.text_cell(20, c.h, c.text);
    EXPECT_EQ(document.page_number(), c.pages);
    EXPECT_FLOAT_EQ(document.x(), 60);  // the interrupted cell keeps its x
    // The new page starts with the page's font, then the cell.
    const Lines lines = lines_of(document.page_content(c.pages));
    ASSERT_EQ(lines.size(), c.text[0] ? 4u : 3u);
    EXPECT_EQ(lines[2], "BT /F1 12.00 Tf ET");
  }
}

TEST_F(TextCell, LetsNoHeaderOpenPagesWithoutEnd) {
  document.set_header_hook(
      [&] { document.text_cell(0, 400, "too tall", Border::frame, LineMode::next_line); });
  document.add_page();
  EXPECT_EQ(document.page_number(), 2);
}

using MultiLineCell = TextCell;

TEST_F(MultiLineCell, BreaksLinesByTheWidthRules) {
  restart("Helvetica", 10);
  // Room for exactly twenty full stops (278 each) between the cell margins.
  const float twenty_stops = 2 * document.cell_margin() + 20 * 278 * document.font_size() / 1000;
  // 30 mm less the cell margins holds 13 Courier characters at 10 pt.
  const struct {
    const char* font;
    float w;
    std::string text;
    Lines lines;
    int rows;
  } cases[] = {// The word that does not fit moves; only the last blank is dropped.
               {"Courier", 30, "abcde fghij klmno", {"abcde fghij", "klmno"}, 2},
               {"Courier", 30, "abc  defghijkl mno", {"abc ", "defghijkl mno"}, 2},
               {"Courier", 30, "abcdefghijk  mno", {"abcdefghijk ", "mno"}, 2},
               // A word wider than the line is cut, at least one byte on each line.
               {"Courier",
                30,
                "abcdefghijklmnopqrstuvwxyz0123456789",
                {"abcdefghijklm", "nopqrstuvwxyz", "0123456789"},
                3},
               {"Arial", 1, "abc", {"a", "b", "c"}, 4},  // and an empty one
                                                         // The line fills up to the rounded room.
               {"Helvetica",
                twenty_stops,
                std::string(20, '.') + ",.....",
                {std::string(20, '.'), ",....."},
                2},
               // Every line feed ends a line; the CR of a CR LF stays; no text: one empty cell.
               {"Arial", 0, "one\n\ntwo\n", {"one", "two"}, 3},
               {"Arial", 0, "KM URE\r\n", {"KM URE\\r"}, 1},
               {"Arial", 0, "", {}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    restart(c.font, 10);
    document.set_x(50);
    EXPECT_EQ(document.multi_line_cell(c.w, 5, c.text), "");
    EXPECT_EQ(printed(document.page_content(1)), c.lines);
    EXPECT_FLOAT_EQ(document.x(), document.left_margin());
    EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 5.0f * static_cast<float>(c.rows));
  }
}

}  // namespace
}  // namespace velkart::pdf
