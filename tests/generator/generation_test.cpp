#include "generator/generation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/controls.h"
#include "gui/texts.h"
#include "runtime/random.h"
#include "support/main_window_fixture.h"

namespace velkart::generator {
namespace {

namespace c = controls;
namespace fs = std::filesystem;
using velkart::testing::read_bytes;

class RunGeneration : public velkart::testing::MainWindowTest {
 protected:
  GenerationResult run() {
    context.launcher = &launcher;
    context.clock = [] { return pdf::LocalTime{2011, 3, 6, 9, 5, 3}; };
    return run_generation(gui, context);
  }
  velkart::testing::RecordingLauncher launcher;
  GenerationContext context;
};

TEST(TextFileName, KeepsFourDigitsAndWidensBeyond) {
  EXPECT_EQ(text_file_name("Dateiname", 0), "Dateiname0000_.txt");
  EXPECT_EQ(text_file_name("Kurs1", 7), "Kurs10007_.txt");
  EXPECT_EQ(text_file_name("", 9999), "9999_.txt");
  EXPECT_EQ(text_file_name("x", 10000), "x10000_.txt");
  EXPECT_EQ(text_file_name("x", 123456), "x123456_.txt");
}

TEST(BaseNameAllowed, RefusesSeparatorsReservedCharactersAndControls) {
  for (std::string_view good : {"", "Dateiname", "Kurs 1", "Übung-3_a.b", "\x80"}) {
    EXPECT_TRUE(base_name_allowed(good)) << good;
  }
  for (std::string_view bad :
       {"a/b", "a\\b", "..\\x", "a:b", "a*", "a?", "a\"", "a<", "a>", "a|", "a\tb", "\x7f"}) {
    EXPECT_FALSE(base_name_allowed(bad)) << bad;
  }
}

TEST_F(RunGeneration, WritesNumberedOneLineFilesWithTheDrawnTexts) {
  gui.set_text(c::base_name_field, "Kurs1");
  gui.set_text(c::text_count_field, "3");
  runtime::seed_random(4711);
  const GenerationResult result = run();
  EXPECT_EQ(result.written_files,
            (std::vector<std::string>{"Kurs10000_.txt", "Kurs10001_.txt", "Kurs10002_.txt"}));
  std::string all;
  for (const std::string& name : result.written_files) {
    const std::string bytes = read_bytes(folder.path() / "eure_Texte" / name);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.size() - 1);  // exactly one line
    all += bytes;
  }
  // The last text drawn stays in the output area.
  EXPECT_EQ(read_bytes(folder.path() / "eure_Texte" / "Kurs10002_.txt"),
            gui.get_text(c::output_area) + "\r\n");
  velkart::testing::expect_matches_golden(all, "generator/kurs1_seed4711.txt");
  EXPECT_TRUE(gui.messages().empty());
}

TEST_F(RunGeneration, SameSeedGivesTheSameSet) {
  gui.set_text(c::text_count_field, "2");
  runtime::seed_random(99);
  run();
  const std::string first = read_bytes(folder.path() / "eure_Texte" / "Dateiname0001_.txt");
  runtime::seed_random(99);
  run();
  EXPECT_EQ(read_bytes(folder.path() / "eure_Texte" / "Dateiname0001_.txt"), first);
}

TEST_F(RunGeneration, EmptyBaseNameAndEmptyTextsAreFine) {
  gui.set_text(c::base_name_field, "");
  gui.set_text(c::word_limit_field, "0");
  gui.set_text(c::text_count_field, "2");
  run();
  EXPECT_EQ(read_bytes(folder.path() / "eure_Texte" / "0000_.txt"), "\r\n");
  EXPECT_EQ(read_bytes(folder.path() / "eure_Texte" / "0001_.txt"), "\r\n");
}

TEST_F(RunGeneration, RefusesABaseNameThatLeavesTheFolderBeforeWritingAnything) {
  gui.set_text(c::base_name_field, "..\\..\\x");
  gui.set_text(c::effective_speed_field, "40");
  const GenerationResult result = run();
  EXPECT_TRUE(result.refused);
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].text, texts::bad_base_name.view());
  EXPECT_TRUE(fs::is_empty(folder.path() / "eure_Texte"));
  EXPECT_FALSE(fs::exists(folder.path() / "nicht_loeschen" / "mp3_temp.txt"));
  EXPECT_EQ(gui.get_text(c::effective_speed_field), "40");  // untouched too
  EXPECT_TRUE(launcher.starts.empty());
}

TEST_F(RunGeneration, RefusesWhileTheLastEncoderStillRuns) {
  run();
  ASSERT_EQ(launcher.starts.size(), 1u);
  fs::remove_all(folder.path() / "eure_Texte");
  fs::create_directory(folder.path() / "eure_Texte");
  launcher.still_running = true;
  EXPECT_TRUE(run().refused);
  EXPECT_EQ(gui.messages().back().text, texts::encoder_still_running.view());
  EXPECT_TRUE(fs::is_empty(folder.path() / "eure_Texte"));
  launcher.still_running = false;
  EXPECT_FALSE(run().refused);
}

TEST_F(RunGeneration, AFileThatCannotBeCreatedIsReportedAndTheRunGoesOn) {
  gui.set_text(c::text_count_field, "3");
  fs::create_directory(folder.path() / "eure_Texte" / "Dateiname0001_.txt");
  const GenerationResult result = run();
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].text, texts::file_not_created.view());
  EXPECT_EQ(result.written_files.size(), 3u);
  EXPECT_TRUE(fs::exists(folder.path() / "eure_Texte" / "Dateiname0002_.txt"));
  // The text still reaches the encoder: three chapters.
  const std::string input = read_bytes(folder.path() / "nicht_loeschen" / "mp3_temp.txt");
  EXPECT_EQ(std::count(input.begin(), input.end(), '>'), 2);
}

TEST_F(RunGeneration, MissingOutputFolderGivesOneMessagePerText) {
  fs::remove_all(folder.path() / "eure_Texte");
  gui.set_text(c::text_count_field, "2");
  run();
  EXPECT_EQ(gui.messages().size(), 5u);  // and one each for both sheets and the playlist
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte"));
}

TEST_F(RunGeneration, ZeroTextsStillFeedTheEncoderAnEmptyLine) {
  gui.set_text(c::text_count_field, "0");
  const GenerationResult result = run();
  EXPECT_TRUE(result.written_files.empty());
  EXPECT_EQ(read_bytes(folder.path() / "nicht_loeschen" / "mp3_temp.txt"), "\r\n");
}

TEST_F(RunGeneration, ListMessagesRepeatForEveryText) {
  gui.set_state(c::list_english, 1);
  fs::remove(folder.path() / "nicht_loeschen" / "en1000.txt");
  gui.set_text(c::text_count_field, "3");
  run();
  EXPECT_EQ(gui.messages().size(), 3u);
}

}  // namespace
}  // namespace velkart::generator
