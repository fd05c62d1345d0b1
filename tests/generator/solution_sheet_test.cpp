#include "generator/solution_sheet.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "pdf/pdf_test_support.h"
#include "runtime/texts.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

namespace fs = std::filesystem;
using velkart::testing::cp1252;
using velkart::testing::read_bytes;
using velkart::testing::write_bytes;
namespace pdft = velkart::pdf::testing;

pdf::Clock pinned_clock() {
  return [] { return pdf::LocalTime{2011, 3, 6, 9, 5, 3}; };
}

class Sheet : public ::testing::Test {
 protected:
  Sheet() { folder.lay_out_program_folders(); }
  std::string write(const std::vector<std::string>& names, std::string_view base = "Kurs",
                    const SheetSettings& settings = {"20", "650", "5", "1", 0, "0"}) {
    const std::string path = output_path(answer_key_name(base));
    return write_solution_sheet(settings, names, output_folder, path, pinned_clock()) ? path : "";
  }
  velkart::testing::WorkingFolder folder;
};

// The golden files pin the heading with its padded date and time.
TEST_F(Sheet, TwoChaptersMatchGoldenAndPassTheTools) {
  write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", cp1252("HAUS MAUS GRÖßE\r\n"));
  write_bytes(folder.path() / "eure_Texte" / "Kurs0001_.txt", "KM UR ES\r\n");
  const std::string path = write({"Kurs0000_.txt", "Kurs0001_.txt"});
  EXPECT_EQ(path, "eure_Texte/Kurs.pdf");
  const std::string bytes = read_bytes(path);
  velkart::testing::expect_matches_golden(bytes, "generator/sheet_two_chapters.pdf");
  pdft::expect_passes_qpdf(path);
  const pdft::ToolRun text = pdft::run_pdftotext(path);
  if (!text.available) GTEST_SKIP() << "pdftotext missing";
  for (const char* expected :
       {"Chapter 0 : Kurs0000.mp3", "Chapter 1 : Kurs0001.mp3", "HAUS MAUS GRÖßE",
        "20WpM Zeichengeschwindigkeit", "5WpM Effektivgeschwindigkeit", "06.03.2011 09:05:03",
        "große Wortabstände: aus", "erhöhen: aus", "Morseübungstexte", "Page 1"}) {
    EXPECT_NE(text.output.find(expected), std::string::npos) << expected;
  }
}

TEST_F(Sheet, SettingsLinesGiveSpacingAndQrqWhenTheyAreOn) {
  write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", "KM UR ES\r\n");
  const std::string path = write({"Kurs0000_.txt"}, "Kurs", {"20", "650", "5", "1", 3, "2"});
  velkart::testing::expect_matches_golden(read_bytes(path), "generator/sheet_spacing3_qrq2.pdf");
}

TEST_F(Sheet, LongChapterRepeatsHeadingAndFooterOnEveryPage) {
  std::string body;
  for (int k = 0; k < 1500; ++k) body += "KM UR ES NA ";
  write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", body + "\r\n");
  const std::string bytes = read_bytes(write({"Kurs0000_.txt"}));
  const auto pages = pdft::content_streams(bytes);
  ASSERT_GE(pages.size(), 3u);
  for (std::size_t page = 0; page < pages.size(); ++page) {
    const std::string& content = pages[page];
    EXPECT_NE(content.find("Morse"), std::string::npos) << page;  // the framed heading
    EXPECT_NE(content.find("(Page " + std::to_string(page + 1) + ")"), std::string::npos) << page;
    EXPECT_NE(content.find("/F1 10.00 Tf"), std::string::npos) << page;  // heading in bold Arial
    if (page > 0) {
      EXPECT_NE(content.find("/F3 12.00 Tf"), std::string::npos) << page;  // body goes on in Times
    }
  }
  pdft::expect_passes_qpdf("eure_Texte/Kurs.pdf");
}

TEST_F(Sheet, MissingTextFileGivesATitleOnlyChapter) {
  const std::string bytes = read_bytes(write({"Kurs0000_.txt"}));
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte" / "Kurs0000_.txt"));  // reading creates none
  EXPECT_NE(bytes.find("Chapter 0 : Kurs0000.mp3"), std::string::npos);
}

TEST_F(Sheet, MissingOutputFolderWritesNothingAndSaysNothing) {
  fs::remove_all(folder.path() / "eure_Texte");
  write({});
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte"));
}

}  // namespace
}  // namespace velkart::generator
