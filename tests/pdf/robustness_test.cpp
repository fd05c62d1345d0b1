// Bad input and misuse: the writer must answer with a valid PDF or with its
// silent refusal, never with a crash or a half-written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "pdf/document.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

namespace fs = std::filesystem;
using testing::content_streams;
using testing::count_of;
using testing::expect_passes_qpdf;
using testing::fixed_clock;
using velkart::testing::WorkingFolder;

std::string random_bytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(1, 255);
  std::string text(size, ' ');
  for (char& c : text) c = static_cast<char>(byte(generator));
  return text;
}

class Robustness : public ::testing::Test {
 protected:
  Robustness() : document(fixed_clock()) { folder.lay_out_program_folders(); }
  // Saves and checks the file with qpdf; returns its bytes.
  std::string save_and_check(const std::string& name = "out.pdf") {
    document.save_document(name);
    EXPECT_EQ(document.error(), WriterError::none);
    const std::string bytes = velkart::testing::read_bytes(folder.path() / name);
    EXPECT_FALSE(bytes.empty());
    expect_passes_qpdf((folder.path() / name).string());
    return bytes;
  }
  WorkingFolder folder;
  Document document;
};

TEST_F(Robustness, PrintsTextsOfEveryByteFromOneTo255) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  document.new_document();
  document.set_title(all);
  document.add_page();
  for (const char* family : {"Arial", "Times", "Courier", "Symbol", "ZapfDingbats"}) {
    document.set_font(family, "", 10);
    document.text_cell(0, 6, all, 1, 1, "C", 1);
    document.multi_line_cell(0, 5, all);
  }
  const std::string pdf = save_and_check();
  for (const char byte : pdf) ASSERT_LT(static_cast<unsigned char>(byte), 128);
  EXPECT_EQ(pdf.find('\r'), std::string::npos);
}

TEST_F(Robustness, PrintsATenMegabyteTextOfAnyBytes) {
  const std::string text = random_bytes(10'000'000, 1);
  document.new_document();
  document.add_page();
  document.set_font("Times", "", 12);
  document.text_cell(0, 6, text, 1, 1);
  EXPECT_EQ(document.page_number(), 1);
  EXPECT_EQ(document.multi_line_cell(0, 5, text), "");
  EXPECT_GT(document.page_number(), 1000);
  // Checked in memory: qpdf needs many seconds for a 55 MB file, so the
  // file-level check runs on the text of words below.
  document.close_document();
  const std::string pdf(document.bytes());
  EXPECT_TRUE(testing::has_consistent_structure(pdf));
  EXPECT_EQ(static_cast<int>(content_streams(pdf).size()), document.page_number());
}

TEST_F(Robustness, PrintsATenMegabyteTextOfWordsOnThousandsOfPages) {
  std::string text;
  while (text.size() < 10'000'000) text += "MORSE KOCH 73 ";
  document.new_document();
  document.set_footer_hook([&] {
    document.set_y(-15);
    document.text_cell(0, 10, "Page " + std::to_string(document.page_number()), 0, 0, "C");
  });
  document.add_page();
  document.set_font("Times", "", 12);
  document.multi_line_cell(0, 5, text);
  EXPECT_GT(document.page_number(), 2000);
  const std::string pdf = save_and_check();
  const auto streams = content_streams(pdf);
  ASSERT_EQ(static_cast<int>(streams.size()), document.page_number());
  EXPECT_EQ(count_of(streams.back(), "(Page " + std::to_string(streams.size()) + ") Tj"), 1u);
}

TEST_F(Robustness, CutsAWordWiderThanTheLineOverSeveralPages) {
  document.new_document();
  document.add_page();
  document.set_font("Arial", "B", 12);
  document.multi_line_cell(0, 5, std::string(50'000, 'W'));
  EXPECT_GT(document.page_number(), 10);
  save_and_check();
}

TEST_F(Robustness, TakesTenThousandCellsAndPages) {
  document.new_document();
  int headers = 0;
  document.set_header_hook([&] {
    ++headers;
    document.set_font("Arial", "B", 10);
    document.text_cell(0, 6, "Kopf", 1, 1, "C");
  });
  document.set_font("Times", "", 12);
  document.add_page();
  for (int cell = 0; cell < 10'000; ++cell) document.text_cell(0, 5, "Zelle " + std::to_string(cell), 0, 1);
  const int pages_of_cells = document.page_number();
  for (int page = 0; page < 10'000; ++page) document.add_page();
  EXPECT_EQ(document.page_number(), pages_of_cells + 10'000);
  EXPECT_EQ(headers, document.page_number());
  const std::string pdf = save_and_check();
  EXPECT_NE(pdf.find("/Count " + std::to_string(pages_of_cells + 10'000) + "\n"), std::string::npos);
}

TEST_F(Robustness, RefusesBadFileNamesAndWritesNothing) {
  for (const std::string_view name :
       {"eure_Texte\\", "eure_Texte/", "frage?.pdf", "eure_Texte\\st*r.pdf", "a:b.pdf", "a<b.pdf", "a>b.pdf",
        "a|b.pdf", "\"quoted.pdf\"", "tab\tname.pdf", "\x01.pdf"}) {
    SCOPED_TRACE(name);
    document.new_document();
    document.add_page();
    document.save_document(name);
    EXPECT_EQ(document.error(), WriterError::invalid_file_name);
    EXPECT_EQ(document.bytes(), "");
  }
  EXPECT_TRUE(fs::is_empty(folder.path() / "eure_Texte"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

TEST_F(Robustness, WritesNothingForAnEmptyNameOrAMissingFolder) {
  document.new_document();
  document.save_document("");
  EXPECT_EQ(document.error(), WriterError::none);
  EXPECT_EQ(document.bytes(), "");
  document.new_document();
  document.save_document("fehlt\\sheet.pdf");
  EXPECT_EQ(document.error(), WriterError::file_not_created);
  EXPECT_FALSE(fs::exists(folder.path() / "fehlt"));
}

TEST_F(Robustness, KeepsTheFirstFileWhenSavedTwice) {
  document.new_document();
  document.add_page();
  const std::string first = save_and_check("twice.pdf");
  document.save_document("twice.pdf");
  document.save_document("other.pdf");
  EXPECT_EQ(velkart::testing::read_bytes(folder.path() / "twice.pdf"), first);
  EXPECT_FALSE(fs::exists(folder.path() / "other.pdf"));
}

TEST_F(Robustness, DropsDrawingOutsideAnOpenPage) {
  document.new_document();
  document.set_font("Arial", "", 12);
  document.text_cell(0, 6, "before any page", 1, 1, "", 1);
  EXPECT_EQ(document.bytes(), "%PDF-1.5\n");
  document.add_page();
  document.text_cell(0, 6, "on the page");
  save_and_check();
  // After the save the document is gone; drawing must not bring it back.
  document.set_font("Times", "", 10);
  document.set_fill_color(1, 2, 3);
  document.text_cell(0, 6, "after the save");
  document.multi_line_cell(0, 5, "after the save");
  EXPECT_EQ(document.bytes(), "");
}

TEST_F(Robustness, BeginsANewDocumentWhenAPageIsAddedAfterTheSave) {
  document.new_document();
  document.add_page();
  document.add_page();
  document.save_document("first.pdf");
  document.add_page();
  EXPECT_EQ(document.page_number(), 1);
  document.set_font("Times", "", 12);
  document.text_cell(0, 6, "second");
  const std::string pdf = save_and_check("second.pdf");
  EXPECT_NE(pdf.find("/Count 1\n"), std::string::npos);
}

TEST_F(Robustness, DrawsNoTextWithoutAFont) {
  document.new_document();
  document.add_page();
  document.text_cell(0, 6, "no font", 1, 1);
  document.multi_line_cell(0, 5, "no font\nat all");
  EXPECT_EQ(document.page_content(1).find("Tj"), std::string::npos);
  save_and_check();
}

TEST_F(Robustness, RefusesPagesOpenedByTheHooks) {
  document.new_document();
  document.set_header_hook([&] { document.add_page(); });
  document.set_footer_hook([&] { document.add_page(); });
  document.add_page();
  document.add_page();
  EXPECT_EQ(document.page_number(), 2);
  save_and_check();
}

TEST_F(Robustness, SurvivesNonsenseGeometry) {
  document.new_document();
  document.add_page();
  document.set_font("Arial", "", 12);
  document.text_cell(-50, -5, "negative", -15, 1, "R", 1);
  document.text_cell(1e30f, 5, "huge", 1, 1);
  document.multi_line_cell(-20, 5, "narrow text");
  document.set_x(-1e30f);
  document.text_cell(0, 5, "far left");
  save_and_check();
}

}  // namespace
}  // namespace velkart::pdf
