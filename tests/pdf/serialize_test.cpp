#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "pdf/document.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

using testing::content_streams;
using testing::count_of;
using testing::expect_passes_qpdf;
using testing::fixed_clock;
using velkart::testing::cp1252;
using velkart::testing::expect_matches_golden;
using velkart::testing::WorkingFolder;

// The text-cell example of the writer: one cell "Hi" in Arial 12.
std::string worked_example() {
  Document document(fixed_clock());
  document.new_document();
  document.add_page();
  document.set_font("Arial", "", 12);
  document.text_cell(0, 6, "Hi", 0, 1, "L", 0);
  document.close_document();
  return std::string(document.bytes());
}

// A small solution sheet: framed heading on every page, page number in the
// footer, chapter bars and bodies in Times, umlauts and parentheses.
std::string small_sheet(Document& document) {
  const std::string heading = cp1252("   Velkart   Morseübungstexte (Test)   02.01.2024 03:04:05    ");
  document.new_document();
  document.set_footer_hook([&] {
    document.set_y(-15);
    document.set_font("Arial", "I", 8);
    document.set_text_color(128);
    document.text_cell(0, 10, "Page " + std::to_string(document.page_number()), 0, 0, "C");
  });
  document.set_header_hook([&] {
    document.set_font("Arial", "B", 10);
    const float w = static_cast<float>(std::lround(document.string_width(heading) + 6));
    document.set_x((210 - w) / 2);
    document.set_draw_color(0, 50, 50);
    document.set_fill_color(255, 255, 255);
    document.set_text_color(0, 50, 50);
    document.set_line_width(1);
    document.text_cell(w, 6, heading, 1, 1, "C", 1);
    document.line_break(5);
  });
  document.set_title(heading);
  document.set_author("");
  document.add_page();
  document.multi_line_cell(0, 5, cp1252("20WpM Zeichengeschwindigkeit         600Hz Frequenz"));
  document.multi_line_cell(0, 5, cp1252("5WpM Effektivgeschwindigkeit        1 Wiederholungen je Text"));
  document.line_break();
  std::string long_body;
  for (int line = 0; line < 45; ++line) long_body += "KM URE " + std::to_string(line) + "\n";
  const std::vector<std::string> bodies = {cp1252("KÖNIG ÄRGER ÜBER GRÜßE\r\n"), cp1252("MUT REST (TEST) \\ ENDE\r\n"),
                                           long_body};
  for (std::size_t k = 0; k < bodies.size(); ++k) {
    document.set_font("Arial", "", 12);
    document.set_fill_color(200, 220, 255);
    document.text_cell(0, 6, "Chapter " + std::to_string(k) + " : Dateiname000" + std::to_string(k) + "_.pdf", 0, 1,
                       "L", 1);
    document.line_break(4);
    document.set_font("Times", "", 12);
    const std::string rest = document.multi_line_cell(0, 5, bodies[k]);
    document.text_cell(0, 5, rest);
    document.line_break();
    document.set_font("", "I");
    document.line_break();
  }
  document.close_document();
  return std::string(document.bytes());
}

TEST(SaveDocument, WritesTheWorkedExampleAsGolden) {
  const std::string pdf = worked_example();
  const auto streams = content_streams(pdf);
  ASSERT_EQ(streams.size(), 1u);
  EXPECT_EQ(streams[0], "2 J\n0.57 w\nBT /F1 12.00 Tf ET\nBT 31.19 801.44 Td (Hi) Tj ET\n");
  EXPECT_NE(pdf.find("<</Length 60>>\nstream\n"), std::string::npos);
  expect_matches_golden(pdf, "pdf/worked_example.pdf");
}

TEST(SaveDocument, WritesASmallSheetAsGolden) {
  Document document(fixed_clock());
  expect_matches_golden(small_sheet(document), "pdf/small_sheet.pdf");
}

TEST(SaveDocument, LaysOutObjectsOfOnePageWithOneFont) {
  const std::string pdf = worked_example();
  EXPECT_EQ(pdf.substr(0, 16), "%PDF-1.5\n3 0 obj");  // the first object right after the header
  std::vector<std::size_t> order;
  for (const char* object : {"\n3 0 obj", "\n4 0 obj", "\n1 0 obj", "\n5 0 obj", "\n2 0 obj", "\n6 0 obj", "\n7 0 obj"}) {
    order.push_back(pdf.find(object));
    ASSERT_NE(order.back(), std::string::npos) << object;
  }
  for (std::size_t i = 1; i < order.size(); ++i) EXPECT_LT(order[i - 1], order[i]);
  const std::size_t xref = pdf.find("xref\n0 8\n0000000000 65535 f \n");
  ASSERT_NE(xref, std::string::npos);
  EXPECT_EQ(pdf.substr(xref + 9 + 20 + 2 * 20, 20), "0000000009 00000 n \n");  // object 3
  EXPECT_NE(pdf.find("trailer\n<<\n/Size 8\n/Root 7 0 R\n/Info 6 0 R\n>>\nstartxref\n"), std::string::npos);
  EXPECT_NE(pdf.find("/Kids [3 0 R ]\n/Count 1\n"), std::string::npos);
  EXPECT_NE(pdf.find("/F1 5 0 R\n"), std::string::npos);
  EXPECT_NE(pdf.find("<<\n/Type /Catalog\n/Pages 1 0 R\n/OpenAction [3 0 R /FitH null]\n/PageLayout /OneColumn\n>>"),
            std::string::npos);
  EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
  EXPECT_EQ(pdf.find('\r'), std::string::npos);
}

TEST(SaveDocument, PointsEveryCrossReferenceAtItsObjectAndMeasuresEveryStream) {
  Document document(fixed_clock());
  const std::string pdf = small_sheet(document);
  EXPECT_TRUE(testing::has_consistent_structure(pdf));
  EXPECT_EQ(content_streams(pdf).size(), 2u);  // the long third chapter runs onto page 2
  // 2 pages, 5 fonts: /Size 2P + F + 5. Objects 1 and 2 stand after the
  // pages, so their offsets are not ascending.
  EXPECT_NE(pdf.find("xref\n0 14\n0000000000 65535 f \n"), std::string::npos);
  EXPECT_LT(pdf.find("\n5 0 obj"), pdf.find("\n1 0 obj"));
  EXPECT_NE(pdf.find("/Kids [3 0 R 5 0 R ]"), std::string::npos);
}

TEST(SaveDocument, WritesTheInformationEntriesThatAreSet) {
  Document document(fixed_clock());
  document.new_document();
  document.set_title(cp1252("Übung (1)"));
  document.set_author("   ");
  document.set_creator("Velkart");
  document.close_document();
  const std::string pdf(document.bytes());
  EXPECT_NE(pdf.find("<<\n/Producer (Velkart PDF " VELKART_VERSION ")\n/Title (\\334bung \\(1\\))\n/Creator (Velkart)\n"
                     "/CreationDate (D:20240102030405)\n>>\n"),
            std::string::npos);
  EXPECT_EQ(pdf.find("/Author"), std::string::npos);
}

TEST(SaveDocument, LeavesOutATitleOfBlanks) {
  Document document(fixed_clock());
  document.new_document();
  document.set_title("     ");
  document.close_document();
  EXPECT_EQ(std::string(document.bytes()).find("/Title"), std::string::npos);
}

TEST(SaveDocument, PadsTheCreationDate) {
  Document document([] { return LocalTime{2012, 1, 1, 0, 0, 7}; });
  document.new_document();
  document.close_document();
  EXPECT_NE(std::string(document.bytes()).find("/CreationDate (D:20120101000007)\n"), std::string::npos);
}

TEST(SaveDocument, GivesOneExtraPageHeaderAndFooterForAnEmptyDocument) {
  Document document(fixed_clock());
  document.new_document();
  int headers = 0;
  int footers = 0;
  document.set_header_hook([&] { ++headers; });
  document.set_footer_hook([&] { ++footers; });
  document.close_document();
  document.close_document();  // finished already: nothing more
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(footers, 1);
  EXPECT_EQ(content_streams(document.bytes()), (std::vector<std::string>{"2 J\n0.57 w\n"}));
}

TEST(SaveDocument, WritesTheFileThatQpdfAcceptsAndPdftotextReads) {
  WorkingFolder folder;
  folder.lay_out_program_folders();
  Document document(fixed_clock());
  const std::string expected = small_sheet(document);
  Document saved(fixed_clock());
  small_sheet(saved);  // closed already: save writes what was built
  saved.save_document("eure_Texte\\Dateiname0001_.txt.pdf");
  EXPECT_EQ(saved.error(), WriterError::none);
  const std::filesystem::path file = folder.path() / "eure_Texte" / "Dateiname0001_.txt.pdf";
  EXPECT_EQ(velkart::testing::read_bytes(file), expected);
  EXPECT_EQ(saved.bytes(), "");

  expect_passes_qpdf(file.string());
  const testing::ToolRun text = testing::run_pdftotext(file.string());
  if (!text.available) GTEST_SKIP() << "pdftotext is not installed";
  EXPECT_EQ(text.exit_code, 0) << text.output;
  for (const char* printed : {"Morseübungstexte (Test)", "KÖNIG ÄRGER ÜBER GRÜßE", "MUT REST (TEST) \\ ENDE",
                              "Chapter 1 : Dateiname0001_.pdf", "20WpM Zeichengeschwindigkeit", "Page 1",
                              "KM URE 44", "Page 2"}) {
    EXPECT_NE(text.output.find(printed), std::string::npos) << printed << "\n" << text.output;
  }
}

TEST(SaveDocument, WritesTheSameBytesUnderAGermanLocale) {
  Document plain(fixed_clock());
  const std::string expected = small_sheet(plain);
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "locale de_DE.UTF-8 missing";
  Document german(fixed_clock());
  const std::string actual = small_sheet(german);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_TRUE(velkart::testing::same_bytes(actual, expected));
}

}  // namespace
}  // namespace velkart::pdf
