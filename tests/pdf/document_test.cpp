// The document as a whole: the files it writes (golden, checked by qpdf and
// read back by pdftotext), pages and what carries over from one to the next.
#include "pdf/document.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace velkart::pdf
