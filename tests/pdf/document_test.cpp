// The document as a whole: the files it writes (golden, checked by qpdf and
// read back by pdftotext), pages and what carries over from one to the next;
// the cells that print on them; bad input and misuse; and the byte-level
// building blocks: the buffer, the number and string encoders, the fonts.
#include "pdf/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/byte_buffer.h"
#include "pdf/fonts.h"
#include "pdf/format.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

using testing::content_streams;
using testing::fixed_clock;
using testing::lines_of;
using velkart::testing::cp1252;
using velkart::testing::expect_matches_golden;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// A small solution sheet: framed heading on every page, page number in the
// footer, chapter bars and bodies in Times, umlauts and parentheses; the
// long third chapter runs onto page 2.
void build_small_sheet(Document& document) {
  const std::string heading =
      cp1252("   Velkart   Morseübungstexte (Test)   02.01.2024 03:04:05    ");
  document.new_document();
  document.set_footer_hook([&] { print_page_number(document, "Page"); });
  document.set_header_hook([&document, heading] {
    document.set_font("Arial", "B", 10);
    const float w = static_cast<float>(std::lround(document.string_width(heading) + 6));
    document.set_x((210 - w) / 2);
    document.set_draw_color(0, 50, 50);
    document.set_fill_color(255, 255, 255);
    document.set_text_color(0, 50, 50);
    document.set_line_width(1);
    document.text_cell(w, 6, heading, Border::frame, LineMode::next_line, Align::centre,
                       Fill::paint);
    document.line_break(5);
  });
  document.set_title(heading);
  document.set_author("");
  document.add_page();
  document.multi_line_cell(0, 5, cp1252("20WpM Zeichengeschwindigkeit         600Hz Frequenz"));
  document.multi_line_cell(0, 5,
                           cp1252("5WpM Effektivgeschwindigkeit        1 Wiederholungen je Text"));
  document.line_break();
  std::string long_body;
  for (int line = 0; line < 45; ++line) long_body += "KM URE " + std::to_string(line) + "\n";
  const Lines bodies = {cp1252("KÖNIG ÄRGER ÜBER GRÜßE\r\n"), cp1252("MUT REST (TEST) \\ ENDE\r\n"),
                        long_body};
  for (std::size_t k = 0; k < bodies.size(); ++k) {
    document.set_font("Arial", "", 12);
    document.set_fill_color(200, 220, 255);
    document.text_cell(
        0, 6, "Chapter " + std::to_string(k) + " : Dateiname000" + std::to_string(k) + "_.pdf",
        Border::none, LineMode::next_line, Align::left, Fill::paint);
    document.line_break(4);
    document.set_font("Times", "", 12);
    document.text_cell(0, 5, document.multi_line_cell(0, 5, bodies[k]));
    document.line_break();
    document.set_font("", "I");
    document.line_break();
  }
}

TEST(SaveDocument, WritesTheWorkedExampleAsGolden) {
  Document document(fixed_clock());
  document.add_page();
  document.set_font("Arial", "", 12);
  document.text_cell(0, 6, "Hi", Border::none, LineMode::next_line);
  document.close_document();
  expect_matches_golden(std::string(document.bytes()), "pdf/worked_example.pdf");
}

// Written under a German locale where the machine has one: printf would
// write 595,28 there, and the file must not change.
TEST(SaveDocument, WritesTheSmallSheetAsGoldenForQpdfAndPdftotextWhateverTheLocale) {
  velkart::testing::WorkingFolder folder;
  folder.lay_out_program_folders();
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
    char printf_form[16];
    std::snprintf(printf_form, sizeof printf_form, "%.2f", 1.5);
    EXPECT_STREQ(printf_form, "1,50") << "the locale did not take effect";
  }
  Document document(fixed_clock());
  build_small_sheet(document);
  document.save_document("eure_Texte\\Dateiname0001_.txt.pdf");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(document.error(), WriterError::none);
  const std::string file = (folder.path() / "eure_Texte" / "Dateiname0001_.txt.pdf").string();
  expect_matches_golden(velkart::testing::read_bytes(file), "pdf/small_sheet.pdf");

  testing::expect_passes_qpdf(file);
  const testing::ToolRun text = testing::run_pdftotext(file);
  if (!text.available) GTEST_SKIP() << "pdftotext is not installed";
  EXPECT_EQ(text.exit_code, 0) << text.output;
  for (const char* printed :
       {"Morseübungstexte (Test)", "KÖNIG ÄRGER ÜBER GRÜßE", "MUT REST (TEST) \\ ENDE",
        "Chapter 1 : Dateiname0001_.pdf", "Page 1", "KM URE 44", "Page 2"}) {
    EXPECT_NE(text.output.find(printed), std::string::npos) << printed << "\n" << text.output;
  }
}

// The small sheet's golden file holds a title with escapes, no author and the
// producer; here what only an empty document or blank texts reach.
TEST(SaveDocument, GivesAnEmptyDocumentOnePageAndOnlyTheInformationThatHoldsText) {
  Document document(fixed_clock());
  document.new_document();
  std::string calls;
  document.set_header_hook([&] { calls += "header "; });
  document.set_footer_hook([&] { calls += "footer "; });
  document.set_title("     ");
  document.set_author("   ");
  document.set_creator("Velkart");
  document.close_document();
  document.close_document();  // finished already: nothing more
  EXPECT_EQ(calls, "header footer ");
  const std::string pdf(document.bytes());
  EXPECT_EQ(content_streams(pdf), Lines{"2 J\n0.57 w\n"});
  EXPECT_NE(pdf.find(")\n/Creator (Velkart)\n/CreationDate (D:20240102030405)\n>>\n"),
            std::string::npos);
  EXPECT_EQ(pdf.find("/Title"), std::string::npos);
  EXPECT_EQ(pdf.find("/Author"), std::string::npos);
}

TEST(NewDocument, UnderstandsUnitsOrientationsAndFormatsAndFallsBackToA4) {
  const struct {
    const char* orientation;
    const char* unit;
    const char* format;
    float width, height;
  } cases[] = {{"landscape", "pt", "100,200", 200, 100},
               {"P", "cm", "", 21.00016f, 29.70001f},
               {"l", "in", "", 11.69292f, 8.26778f},
               {"", "furlong", "nonsense", 210.0016f, 297.0001f},
               {"", "", "-5,100", 210.0016f, 297.0001f}};
  Document document(fixed_clock());
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.orientation) + " " + c.unit + " " + c.format);
    document.new_document(c.orientation, c.unit, c.format);
    EXPECT_NEAR(document.page_width(), c.width, 0.0001f);
    EXPECT_NEAR(document.page_height(), c.height, 0.0001f);
  }
}

TEST(NewDocument, StartsAfreshAfterAnAbandonedDocument) {
  Document document(fixed_clock());
  document.add_page();
  document.set_font("Times", "", 12);
  document.new_document();
  document.set_font("Arial", "", 12);
  document.close_document();
  const std::string pdf(document.bytes());
  EXPECT_EQ(testing::count_of(pdf, "/Type /Page\n"), 1u);
  EXPECT_EQ(testing::count_of(pdf, "/Type/Font"), 1u);
  EXPECT_NE(pdf.find("/BaseFont/Helvetica\n"), std::string::npos);
}

// The small sheet's golden file holds a header that changes font, width and
// colours on every page and the page's own state restored after it.
TEST(AddPage, CarriesTheDrawingStateOverFromOnePageToTheNext) {
  // State set before the first page (black and grey in the grey form), or a
  // header that sets the only font.
  for (const bool header_font : {false, true}) {
    Document document(fixed_clock());
    document.new_document();
    if (header_font) {
      document.set_header_hook([&] { document.set_font("Arial", "B", 10); });
    } else {
      document.set_line_width(1);
      document.set_draw_color(0, 0, 0);
      document.set_fill_color(128);
    }
    document.add_page();
    const Lines expected = header_font ? Lines{"2 J", "0.57 w", "BT /F1 10.00 Tf ET"}
                                       : Lines{"2 J", "2.83 w", "0.000 G", "0.502 g"};
    EXPECT_EQ(lines_of(document.page_content(1)), expected);
    document.add_page();
    EXPECT_EQ(document.page_content(2), document.page_content(1)) << header_font;
  }
}

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
  const std::pair<Border, const char*> cases[] = {
      {Border::frame, "28.35 558.43 56.69 -28.35 re S "},
      {Border::left | Border::top | Border::right | Border::bottom,
       "28.35 558.43 m 28.35 530.08 l S 28.35 558.43 m 85.04 558.43 l S "
       "85.04 558.43 m 85.04 530.08 l S 28.35 530.08 m 85.04 530.08 l S "},
      {Border::left | Border::right,
       "28.35 558.43 m 28.35 530.08 l S 85.04 558.43 m 85.04 530.08 l S "}};
  for (const auto& [border, expected] : cases) {
    restart();
    document.set_y(100);
    document.text_cell(20, 10, "", border);
    EXPECT_EQ(cell_lines(), Lines{expected}) << static_cast<unsigned>(border);
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
  const std::string stops(20, '.');
  const std::string cut_word = "abcdefghijklmnopqrstuvwxyz0123456789";
  // 30 mm less the cell margins holds 13 Courier characters at 10 pt.
  const struct {
    const char* font;
    float w;
    std::string text;
    Lines lines;
    int rows;
  } cases[] = {
      // The word that does not fit moves; only the last blank is dropped.
      {"Courier", 30, "abcde fghij klmno", {"abcde fghij", "klmno"}, 2},
      {"Courier", 30, "abc  defghijkl mno", {"abc ", "defghijkl mno"}, 2},
      {"Courier", 30, "abcdefghijk  mno", {"abcdefghijk ", "mno"}, 2},
      // A word wider than the line is cut, at least one byte on each line (and an empty one).
      {"Courier", 30, cut_word, {"abcdefghijklm", "nopqrstuvwxyz", "0123456789"}, 3},
      {"Arial", 1, "abc", {"a", "b", "c"}, 4},
      // The line fills up to the rounded room.
      {"Helvetica", twenty_stops, stops + ",.....", {stops, ",....."}, 2},
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

// Bad input and misuse: the writer must answer with a valid PDF or with its
// silent refusal, never with a crash or a half-written file.
class Robustness : public ::testing::Test {
 protected:
  Robustness() : document(fixed_clock()) {
    folder.lay_out_program_folders();
    document.new_document();
  }
  // Saves and checks the file with qpdf; returns its bytes.
  std::string save_and_check(const std::string& name = "out.pdf") {
    document.save_document(name);
    EXPECT_EQ(document.error(), WriterError::none);
    const std::string bytes = velkart::testing::read_bytes(folder.path() / name);
    EXPECT_FALSE(bytes.empty());
    testing::expect_passes_qpdf((folder.path() / name).string());
    return bytes;
  }
  velkart::testing::WorkingFolder folder;
  Document document;
};

TEST_F(Robustness, PrintsEveryByteFromOneTo255InEveryFamilyAndCutsOverlongWords) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  document.set_title(all);
  document.add_page();
  for (const char* family : {"Arial", "Times", "Courier", "Symbol", "ZapfDingbats"}) {
    document.set_font(family, "", 10);
    document.text_cell(0, 6, all, Border::frame, LineMode::next_line, Align::centre, Fill::paint);
    document.multi_line_cell(0, 5, all);
  }
  document.multi_line_cell(0, 5,
                           std::string(50'000, 'W'));  // a word wider than the line, over pages
  EXPECT_GT(document.page_number(), 10);
  const std::string pdf = save_and_check();
  for (const char byte : pdf) ASSERT_LT(static_cast<unsigned char>(byte), 128);
  EXPECT_EQ(pdf.find('\r'), std::string::npos);
}

TEST_F(Robustness, WritesNoFileForARefusedNameOrAMissingFolder) {
  const auto save_as = [&](std::string_view name) {
    document.new_document();
    document.add_page();
    document.save_document(name);
    EXPECT_EQ(document.bytes(), "") << name;
    return document.error();
  };
  for (std::string_view name :
       {"eure_Texte\\", "eure_Texte/", "frage?.pdf", "eure_Texte\\st*r.pdf", "a:b.pdf", "a<b.pdf",
        "a>b.pdf", "a|b.pdf", "\"q.pdf\"", "tab\tname.pdf", "\x01.pdf"})
    EXPECT_EQ(save_as(name), WriterError::invalid_file_name) << name;
  EXPECT_EQ(save_as("fehlt\\sheet.pdf"), WriterError::file_not_created);
  EXPECT_EQ(save_as(""), WriterError::none);  // no name: the document is dropped on purpose
  EXPECT_TRUE(fs::is_empty(folder.path() / "eure_Texte"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

TEST_F(Robustness, IgnoresDrawingAndSavingOutsideAnOpenDocument) {
  document.set_font("Arial", "", 12);
  document.text_cell(0, 6, "before any page", Border::frame, LineMode::next_line, Align::left,
                     Fill::paint);
  EXPECT_EQ(document.bytes(), "%PDF-1.5\n");
  document.add_page();
  const std::string first = save_and_check("first.pdf");
  // The saved document is gone: drawing must not bring it back, and saving
  // again must neither overwrite nor add a file.
  document.text_cell(0, 6, "after the save");
  document.multi_line_cell(0, 5, "after the save");
  EXPECT_EQ(document.bytes(), "");
  document.save_document("first.pdf");
  document.save_document("other.pdf");
  EXPECT_EQ(velkart::testing::read_bytes(folder.path() / "first.pdf"), first);
  EXPECT_FALSE(fs::exists(folder.path() / "other.pdf"));
  document.add_page();  // begins a new document
  EXPECT_NE(save_and_check("second.pdf").find("/Count 1\n"), std::string::npos);
}

TEST_F(Robustness, WritesAValidFileAfterMisuse) {
  document.set_header_hook([&] { document.add_page(); });
  document.set_footer_hook([&] { document.add_page(); });
  document.add_page();
  document.text_cell(0, 6, "no font", Border::frame, LineMode::next_line);
  document.multi_line_cell(0, 5, "no font\nat all");
  EXPECT_EQ(document.page_content(1).find("Tj"), std::string::npos);
  document.add_page();
  EXPECT_EQ(document.page_number(), 2);  // the hooks opened no pages
  document.set_font("Arial", "", 12);
  document.text_cell(-50, -5, "negative",
                     Border::left | Border::top | Border::right | Border::bottom,
                     LineMode::next_line, Align::right, Fill::paint);
  document.text_cell(1e30f, 5, "huge", Border::frame, LineMode::next_line);
  document.multi_line_cell(-20, 5, "narrow text");
  document.set_x(-1e30f);
  document.text_cell(0, 5, "far left");
  save_and_check();
}

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
    const auto font = std::ranges::find(standard_fonts, base_font, &StandardFont::base_font);
    ASSERT_NE(font, standard_fonts.end()) << base_font;
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
