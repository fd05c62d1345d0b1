#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/document.h"
#include "pdf/format.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

using testing::count_of;
using testing::fixed_clock;
using testing::lines_of;
using velkart::testing::cp1252;

class TextCell : public ::testing::Test {
 protected:
  TextCell() : document(fixed_clock()) {
    document.new_document();
    document.add_page();
    document.set_font("Arial", "", 12);
  }
  // The operator lines the cells wrote, after "2 J", the width and the font.
  std::vector<std::string> cell_lines(int page = 1) const {
    auto lines = lines_of(document.page_content(page));
    return {lines.begin() + std::min<std::ptrdiff_t>(3, static_cast<std::ptrdiff_t>(lines.size())), lines.end()};
  }
  Document document;
};

TEST_F(TextCell, WritesTheWorkedExampleExactly) {
  document.text_cell(0, 6, "Hi", 0, 1, "L", 0);
  EXPECT_EQ(document.page_content(1), "2 J\n0.57 w\nBT /F1 12.00 Tf ET\nBT 31.19 801.44 Td (Hi) Tj ET\n");
  EXPECT_EQ(document.page_content(1).size(), 60u);
  EXPECT_NEAR(document.y(), 16.00125f, 0.00001f);
  EXPECT_FLOAT_EQ(document.x(), document.left_margin());
}

TEST_F(TextCell, PaintsTheRectangleWithTheLetterForBorderAndFill) {
  document.set_y(100);
  document.text_cell(20, 10, "", 1, 0, "", 1);
  document.text_cell(20, 10, "", 1, 0, "", 0);
  document.text_cell(20, 10, "", 0, 0, "", 1);
  document.text_cell(20, 10, "", 2, 0, "", 0);  // other positive borders draw nothing
  EXPECT_EQ(cell_lines(), (std::vector<std::string>{"28.35 558.43 56.69 -28.35 re B ",
                                                    "85.04 558.43 56.69 -28.35 re S ",
                                                    "141.74 558.43 56.69 -28.35 re f "}));
}

TEST_F(TextCell, DrawsSingleSidesLeftTopRightBottom) {
  document.set_y(100);
  document.text_cell(20, 10, "", -15);
  EXPECT_EQ(cell_lines(), (std::vector<std::string>{"28.35 558.43 m 28.35 530.08 l S "
                                                    "28.35 558.43 m 85.04 558.43 l S "
                                                    "85.04 558.43 m 85.04 530.08 l S "
                                                    "28.35 530.08 m 85.04 530.08 l S "}));
  document.set_y(100);
  document.text_cell(20, 10, "", -5);
  EXPECT_EQ(count_of(cell_lines()[1], " l S "), 2u);
}

TEST_F(TextCell, AlignsTextRightAndCentre) {
  const float text_width = document.string_width("Hi");
  document.text_cell(50, 6, "Hi", 0, 2, "R");
  document.text_cell(50, 6, "Hi", 0, 2, "C");
  const double k = document.scale_factor();
  const double left = document.left_margin();
  const float right_x = static_cast<float>((left + 50 - document.cell_margin() - text_width) * k);
  const float centre_x = static_cast<float>((left + (50 - text_width) / 2) * k);
  EXPECT_EQ(cell_lines()[0].rfind("BT " + format_number(right_x, 2) + " ", 0), 0u) << cell_lines()[0];
  EXPECT_EQ(cell_lines()[1].rfind("BT " + format_number(centre_x, 2) + " ", 0), 0u) << cell_lines()[1];
}

TEST_F(TextCell, EscapesParenthesesBackslashesAndHighBytes) {
  document.text_cell(0, 6, cp1252("(ä) \\ ü"));
  EXPECT_NE(cell_lines()[0].find("Td (\\(\\344\\) \\\\ \\374) Tj ET"), std::string::npos);
}

TEST_F(TextCell, WrapsTheTextInItsOwnColourWhenFillAndTextDiffer) {
  document.set_fill_color(200, 220, 255);
  document.set_text_color(0);
  document.text_cell(0, 6, "Chapter 0 : x.pdf", 0, 1, "L", 1);
  const std::string line = cell_lines()[1];
  EXPECT_EQ(line.substr(0, line.find(" re f q 0.000 g BT ")), "28.35 813.54 538.58 -17.01");
  EXPECT_EQ(line.substr(line.size() - 9), ") Tj ET Q");
}

TEST_F(TextCell, MovesRightBelowOrToTheNextLine) {
  document.set_x(30);
  document.text_cell(20, 5, "", 0, 0);
  EXPECT_FLOAT_EQ(document.x(), 50);
  document.text_cell(20, 5, "", 0, 2);
  EXPECT_FLOAT_EQ(document.x(), 50);
  EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 5);
  document.text_cell(20, 5, "", 0, 1);
  EXPECT_FLOAT_EQ(document.x(), document.left_margin());
  document.text_cell(0, 5, "", 0, -3);
  EXPECT_NEAR(document.x(), document.page_width() - document.right_margin(), 0.0001);
  EXPECT_TRUE(cell_lines().empty());
}

TEST_F(TextCell, StaysOnThePageWhenItEndsExactlyAtTheBreakLine) {
  document.set_y(document.page_break_trigger() - 8);
  ASSERT_EQ(static_cast<double>(document.y()) + 8, document.page_break_trigger());
  document.text_cell(0, 8, "last");
  EXPECT_EQ(document.page_number(), 1);
  document.set_y(document.page_break_trigger() - 8);
  document.text_cell(0, 8.001f, "over");
  EXPECT_EQ(document.page_number(), 2);
}

TEST_F(TextCell, BreaksThePageBeforeAnEmptyCellToo) {
  std::vector<std::string> events;
  document.set_footer_hook([&] { events.push_back("footer"); });
  document.set_header_hook([&] { events.push_back("header"); });
  document.set_y(275);
  document.set_x(40);
  document.text_cell(0, 5, "");
  EXPECT_EQ(events, (std::vector<std::string>{"footer", "header"}));
  EXPECT_EQ(document.page_number(), 2);
  // The interrupted cell keeps its x and then reaches the right margin.
  EXPECT_NEAR(document.x(), document.page_width() - document.right_margin(), 0.0001);
  EXPECT_EQ(document.page_content(2), "2 J\n0.57 w\nBT /F1 12.00 Tf ET\n");
}

TEST_F(TextCell, LetsTheFooterDrawBelowTheBreakLine) {
  document.set_footer_hook([&] {
    document.set_y(-15);
    document.text_cell(0, 10, "Page " + std::to_string(document.page_number()), 0, 0, "C");
  });
  document.close_document();
  EXPECT_NE(document.bytes().find("(Page 1) Tj"), std::string::npos);
  EXPECT_EQ(count_of(document.bytes(), "/Type /Page\n"), 1u);
}

TEST_F(TextCell, DoesNotLetAnOverlongHeaderOpenPagesWithoutEnd) {
  document.set_header_hook([&] { document.text_cell(0, 400, "too tall", 1, 1); });
  document.add_page();
  EXPECT_EQ(document.page_number(), 2);
}

TEST_F(TextCell, StretchesBlanksForForcedJustification) {
  document.text_cell(100, 6, "a b", 0, 2, "FJ");
  const auto lines = cell_lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 3), " Tw");
  EXPECT_NE(lines[0], "0.000 Tw");
  EXPECT_EQ(lines[2], "0 Tw");
}

class MultiLineCell : public TextCell {
 protected:
  // The texts of the Tj operators, one per printed line.
  std::vector<std::string> printed(int page = 1) const {
    std::vector<std::string> texts;
    for (const std::string& line : lines_of(document.page_content(page))) {
      const std::size_t open = line.find(" Td (");
      if (open == std::string::npos) continue;
      texts.push_back(line.substr(open + 5, line.rfind(") Tj") - open - 5));
    }
    return texts;
  }
};

TEST_F(MultiLineCell, MovesTheWordThatDoesNotFitToTheNextLine) {
  document.set_font("Courier", "", 10);
  // 30 mm less the cell margins holds 13 Courier characters at 10 pt.
  document.multi_line_cell(30, 5, "abcde fghij klmno");
  EXPECT_EQ(printed(), (std::vector<std::string>{"abcde fghij", "klmno"}));
  EXPECT_FLOAT_EQ(document.x(), document.left_margin());
  EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 10);
}

TEST_F(MultiLineCell, DropsOnlyTheBlankAtTheBreak) {
  document.set_font("Courier", "", 10);
  document.multi_line_cell(30, 5, "abc  defghijkl mno");
  // The last blank before the overflow ends the line; the one before it stays.
  EXPECT_EQ(printed(), (std::vector<std::string>{"abc ", "defghijkl mno"}));
  document.multi_line_cell(30, 5, "abcdefghijk  mno");
  EXPECT_EQ(printed().back(), "mno");
  EXPECT_EQ(printed()[2], "abcdefghijk ");
}

TEST_F(MultiLineCell, CutsAWordWiderThanTheLine) {
  document.set_font("Courier", "", 10);
  document.multi_line_cell(30, 5, "abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_EQ(printed(), (std::vector<std::string>{"abcdefghijklm", "nopqrstuvwxyz", "0123456789"}));
}

TEST_F(MultiLineCell, PutsAtLeastOneByteOnEachLineOfANarrowCell) {
  document.multi_line_cell(1, 5, "abc");
  EXPECT_EQ(printed(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(MultiLineCell, EndsALineAtEveryLineFeed) {
  document.multi_line_cell(0, 5, "one\n\ntwo\n");
  // The empty line is an empty cell: it moves down but prints nothing.
  EXPECT_EQ(printed(), (std::vector<std::string>{"one", "two"}));
  EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 15);
  document.multi_line_cell(0, 5, "three\n\n");
  EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 25);
}

TEST_F(MultiLineCell, KeepsTheCarriageReturnOfACrLfEnding) {
  document.multi_line_cell(0, 5, "KM URE\r\n");
  EXPECT_EQ(printed(), (std::vector<std::string>{"KM URE\\r"}));
  EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 5);
}

TEST_F(MultiLineCell, PrintsAnEmptyCellForAnEmptyText) {
  EXPECT_EQ(document.multi_line_cell(0, 5, ""), "");
  EXPECT_FLOAT_EQ(document.y(), document.left_margin() + 5);
  EXPECT_TRUE(printed().empty());
}

TEST_F(MultiLineCell, FillsTheLineUpToTheRoundedRoom) {
  document.set_font("Helvetica", "", 10);
  // Room for exactly twenty full stops (278 each) between the cell margins.
  const float w = 2 * document.cell_margin() + 20 * 278 * document.font_size() / 1000;
  document.multi_line_cell(w, 5, std::string(20, '.') + "," + std::string(5, '.'));
  EXPECT_EQ(printed(), (std::vector<std::string>{std::string(20, '.'), "," + std::string(5, '.')}));
}

TEST_F(MultiLineCell, ContinuesOnTheNextPageInTheSameFont) {
  std::vector<int> footer_pages;
  document.set_header_hook([&] {
    document.set_font("Arial", "B", 10);
    document.text_cell(0, 6, "HEAD", 1, 1, "C");
  });
  document.set_footer_hook([&] {
    footer_pages.push_back(document.page_number());
    document.set_y(-15);
    document.set_font("Arial", "I", 8);
    document.text_cell(0, 10, "Page " + std::to_string(document.page_number()), 0, 0, "C");
  });
  document.set_font("Times", "", 12);
  std::string body;
  for (int word = 0; word < 3000; ++word) body += (word ? " Wort" : "Wort") + std::to_string(word);
  document.multi_line_cell(0, 5, body);
  document.close_document();
  const auto streams = testing::content_streams(document.bytes());
  ASSERT_GE(streams.size(), 5u);
  EXPECT_EQ(footer_pages.size(), streams.size());
  // Fonts by first use: Helvetica (the cells' font), Times, then on the
  // first break the footer's Helvetica-Oblique, then the header's
  // Helvetica-Bold.
  for (std::size_t page = 1; page < streams.size(); ++page) {
    const std::string& stream = streams[page];
    SCOPED_TRACE("page " + std::to_string(page + 1));
    const std::size_t header_font = stream.find("BT /F4 10.00 Tf ET");
    const std::size_t header = stream.find("(HEAD) Tj");
    const std::size_t body_font = stream.find("BT /F2 12.00 Tf ET", header);
    const std::size_t first_word = stream.find("(Wort", header);
    const std::size_t footer_font = stream.find("BT /F3 8.00 Tf ET", first_word);
    const std::size_t footer = stream.find("(Page " + std::to_string(page + 1) + ") Tj");
    ASSERT_NE(header, std::string::npos);
    EXPECT_LT(header_font, header);
    EXPECT_LT(body_font, first_word);
    EXPECT_LT(footer_font, footer);
    ASSERT_NE(footer, std::string::npos);
    EXPECT_EQ(count_of(stream, "(HEAD) Tj"), 1u);
  }
  // Every word printed once, in order: the lines joined at the dropped
  // blanks give the body back.
  std::string joined;
  for (const std::string& stream : streams) {
    for (const std::string& line : lines_of(stream)) {
      const std::size_t open = line.find(" Td (Wort");
      if (open == std::string::npos) continue;
      joined += (joined.empty() ? "" : " ") + line.substr(open + 5, line.rfind(") Tj") - open - 5);
    }
  }
  EXPECT_EQ(joined, body);
}

}  // namespace
}  // namespace velkart::pdf
