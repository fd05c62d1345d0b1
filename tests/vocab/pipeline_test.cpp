#include "vocab/pipeline.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "gui/controls.h"
#include "gui/headless_gui.h"
#include "gui/texts.h"
#include "support/test_support.h"
#include "vocab/reference_pipeline.h"

namespace velkart::vocab {
namespace {

namespace fs = std::filesystem;
using testing::cp1252;
using testing::read_bytes;
using testing::write_bytes;

const gui::RecordedMessage no_source{std::string(texts::message_title.view()),
                                     std::string(texts::no_words_or_file.view())};
const gui::RecordedMessage not_created{std::string(texts::message_title.view()),
                                       std::string(texts::file_not_created.view())};

class VocabularyPipeline : public ::testing::Test {
 protected:
  VocabularyPipeline() { folder_.lay_out_program_folders(); }

  void write_source(std::string_view name, std::string_view bytes) const {
    write_bytes(folder_.path() / "Wortschatz_erweitern" / (std::string(name) + ".txt"), bytes);
  }

  // Runs the pipeline as the window's start button does and keeps every
  // state of the progress display.
  void run(std::string name = "quelle") {
    PipelineHooks hooks;
    hooks.read_source_name = [this, name] {
      ++name_reads_;
      return name;
    };
    hooks.show_progress = [this](std::string_view log) { shown_.emplace_back(log); };
    run_vocabulary_pipeline(hooks, gui_);
  }

  std::string alphabetical(std::string_view name = "quelle") const {
    return read_bytes(folder_.path() / "Wortschatz_erweitern" /
                      (std::string(name) + "_bearbeitet_ABC.txt"));
  }
  std::string by_length(std::string_view name = "quelle") const {
    return read_bytes(folder_.path() / "Wortschatz_erweitern" /
                      (std::string(name) + "_bearbeitet_Groesse.txt"));
  }
  std::string final_log() const { return shown_.empty() ? std::string() : shown_.back(); }

  testing::WorkingFolder folder_;
  gui::HeadlessGui gui_;
  std::vector<std::string> shown_;
  int name_reads_ = 0;
};

TEST_F(VocabularyPipeline, WritesTheHouseAndMouseExampleAsGolden) {
  write_source("quelle", cp1252("Haus, Maus\r\nmaus HAUS Baum2 ab Tor Überfluss Straße"));
  run();
  EXPECT_TRUE(testing::same_bytes(alphabetical(), cp1252("HAUS MAUS STRAßE TOR ÜBERFLUSS \r\n")));
  EXPECT_TRUE(testing::same_bytes(by_length(), cp1252("TOR HAUS MAUS STRAßE ÜBERFLUSS \r\n")));
  testing::expect_matches_golden(alphabetical(), "vocab/haus_maus_bearbeitet_ABC.txt");
  testing::expect_matches_golden(by_length(), "vocab/haus_maus_bearbeitet_Groesse.txt");
  testing::expect_matches_golden(final_log(), "vocab/progress_log.txt");
  EXPECT_TRUE(gui_.messages().empty());
}

TEST_F(VocabularyPipeline, WritesTheEdgeCasesOfLengthCommasAndLettersAsGolden) {
  write_source(
      "quelle",
      cp1252("Zehnbuchst elfbuchstab Uhu, AB,CD Wort, café niño garçon äpfel Zebra\tgrüße Wort2 "
             "o'clock Öl-Ölen ,Komma, Schluss,"));
  run();
  EXPECT_EQ(alphabetical(), cp1252("GRÜßE KOMMA SCHLUSS UHU WORT ZEBRA ZEHNBUCHST ÄPFEL \r\n"));
  EXPECT_EQ(by_length(), cp1252("UHU WORT GRÜßE KOMMA ZEBRA ÄPFEL SCHLUSS ZEHNBUCHST \r\n"));
  testing::expect_matches_golden(alphabetical(), "vocab/edge_cases_bearbeitet_ABC.txt");
  testing::expect_matches_golden(by_length(), "vocab/edge_cases_bearbeitet_Groesse.txt");
}

TEST_F(VocabularyPipeline, ShowsTheLogAfterEveryEntryAndReadsTheNameOnce) {
  write_source("quelle", "Haus");
  run();
  EXPECT_EQ(name_reads_, 1);
  // One state for each step's entry and one for its end, the last step's entry only.
  ASSERT_EQ(shown_.size(), 23u);
  EXPECT_EQ(shown_.front(), "BITTE WARTEN\n\n-Ursprungsdatei laden");
  EXPECT_EQ(shown_[1], "BITTE WARTEN\n\n-Ursprungsdatei laden -->beendet\n");
  for (std::size_t at = 1; at < shown_.size(); ++at) {
    EXPECT_EQ(shown_[at].rfind(shown_[at - 1], 0), 0u) << "the log only grows, entry " << at;
  }
  EXPECT_TRUE(final_log().ends_with(" -->beendet\n\nE N D E"));
}

TEST_F(VocabularyPipeline, DrivesTheBuilderWindowThroughItsNameFieldAndProgressDisplay) {
  gui_.open_window(controls::builder_window, 0, 0, 692, 454, "Wortschatzgenerator", {});
  gui_.create_edit(controls::source_name_field, {85, 230, 135, 15}, "fenster", {});
  gui_.create_label(controls::progress_display, {335, 0, 355, 260}, "", {});
  write_source("fenster", "Haus Maus");
  run_vocabulary_pipeline(builder_window_hooks(gui_), gui_);
  EXPECT_EQ(alphabetical("fenster"), "HAUS MAUS \r\n");
  testing::expect_matches_golden(gui_.get_text(controls::progress_display),
                                 "vocab/progress_log.txt");
  EXPECT_EQ(gui_.get_text(controls::source_name_field), "fenster");
}

TEST_F(VocabularyPipeline, ReplacesOlderResultFiles) {
  write_bytes(folder_.path() / "Wortschatz_erweitern" / "quelle_bearbeitet_ABC.txt",
              std::string(5000, 'X'));
  write_source("quelle", "neu");
  run();
  EXPECT_EQ(alphabetical(), "NEU \r\n");
}

TEST_F(VocabularyPipeline, WritesOnlyLineEndsForAnEmptySource) {
  write_source("quelle", "");
  run();
  EXPECT_EQ(alphabetical(), "\r\n");
  EXPECT_EQ(by_length(), "\r\n");
  EXPECT_TRUE(gui_.messages().empty());
}

TEST_F(VocabularyPipeline, WritesOnlyLineEndsForASourceOfBlanksAndLineEnds) {
  write_source("quelle", "   \r\n  \n\r \t ,, , \r\n");
  run();
  EXPECT_EQ(alphabetical(), "\r\n");
  EXPECT_EQ(by_length(), "\r\n");
}

TEST_F(VocabularyPipeline, ReadsBinaryBytesUpToTheFirstZeroByte) {
  std::mt19937 random(99);
  std::string source;
  for (int i = 0; i < 20000; ++i) {
    source += static_cast<char>(1 + random() % 255);
    if (i % 5 == 0) source += "Haus ";
  }
  source += std::string("\0 Nachher", 9);
  write_source("quelle", source);
  run();
  const testing::ReferenceLists expected = testing::reference_lists(source);
  EXPECT_EQ(alphabetical(), testing::joined(expected.alphabetical) + "\r\n");
  EXPECT_EQ(by_length(), testing::joined(expected.by_length) + "\r\n");
  EXPECT_EQ(alphabetical().find("NACHHER"), std::string::npos);
  EXPECT_NE(alphabetical().find("HAUS "), std::string::npos);
}

TEST_F(VocabularyPipeline, HandlesOneLineOfFiftyMegabytes) {
  const std::string piece = cp1252("Haus, Maus Straße zu 1234 überlang_wort_hier ");
  std::string source;
  source.reserve(50u << 20);
  while (source.size() < (50u << 20)) source += piece;
  source += "Ende";
  write_source("quelle", source);
  source.clear();
  source.shrink_to_fit();
  const auto started = std::chrono::steady_clock::now();
  run();
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(alphabetical(), cp1252("ENDE HAUS MAUS STRAßE \r\n"));
  EXPECT_EQ(by_length(), cp1252("ENDE HAUS MAUS STRAßE \r\n"));
  // Generous, so a loaded machine passes; a quadratic walk would not.
  EXPECT_LT(took, std::chrono::seconds(20));
}

TEST_F(VocabularyPipeline, HandlesOneWordOfFiftyMegabytes) {
  write_source("quelle", std::string(50u << 20, 'a'));
  run();
  EXPECT_EQ(alphabetical(), "\r\n");
}

TEST_F(VocabularyPipeline, WarnsOnceAndStillWritesBothFilesWhenTheSourceIsMissing) {
  run("gibt_es_nicht");
  EXPECT_EQ(gui_.messages(), std::vector<gui::RecordedMessage>{no_source});
  EXPECT_EQ(alphabetical("gibt_es_nicht"), "\r\n");
  EXPECT_EQ(by_length("gibt_es_nicht"), "\r\n");
  EXPECT_TRUE(final_log().ends_with("E N D E"));
}

TEST_F(VocabularyPipeline, TreatsAFolderNamedLikeTheSourceAsMissing) {
  fs::create_directory(folder_.path() / "Wortschatz_erweitern" / "ordner.txt");
  run("ordner");
  EXPECT_EQ(gui_.messages(), std::vector<gui::RecordedMessage>{no_source});
}

TEST_F(VocabularyPipeline, GoesOnToTheEndWhenTheFolderIsMissing) {
  fs::remove_all(folder_.path() / "Wortschatz_erweitern");
  run();
  EXPECT_EQ(gui_.messages(),
            (std::vector<gui::RecordedMessage>{no_source, not_created, not_created}));
  EXPECT_FALSE(fs::exists(folder_.path() / "Wortschatz_erweitern"));
  testing::expect_matches_golden(final_log(), "vocab/progress_log.txt");
}

TEST_F(VocabularyPipeline, WarnsForTheOneResultFileThatCannotBeCreatedAndWritesTheOther) {
  fs::create_directory(folder_.path() / "Wortschatz_erweitern" / "quelle_bearbeitet_ABC.txt");
  write_source("quelle", "Haus Maus Tor");
  run();
  EXPECT_EQ(gui_.messages(), std::vector<gui::RecordedMessage>{not_created});
  EXPECT_EQ(by_length(), "TOR HAUS MAUS \r\n");
}

TEST_F(VocabularyPipeline, NamesTheFilesFromAnEmptyName) {
  write_source("", "Haus");
  run("");
  EXPECT_EQ(alphabetical(""), "HAUS \r\n");
  EXPECT_EQ(by_length(""), "HAUS \r\n");
}

TEST_F(VocabularyPipeline, UsesTheNameWithUmlautsAndBlanksAsTyped) {
  const std::string name = cp1252("Märchen Text");
  write_bytes(folder_.path() / "Wortschatz_erweitern" / "Märchen Text.txt", "Hexe");
  run(name);
  EXPECT_EQ(read_bytes(folder_.path() / "Wortschatz_erweitern" / "Märchen Text_bearbeitet_ABC.txt"),
            "HEXE \r\n");
}

}  // namespace
}  // namespace velkart::vocab
