// Bad input and misuse: the writer must answer with a valid PDF or with its
// silent refusal, never with a crash or a half-written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "pdf/document.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::pdf {
namespace {

namespace fs = std::filesystem;
using testing::fixed_clock;

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

}  // namespace
}  // namespace velkart::pdf
