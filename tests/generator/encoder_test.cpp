#include "generator/encoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "generator/encoder_progress.h"
#include "runtime/process.h"
#include "support/recording_launcher.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

namespace fs = std::filesystem;
using testing::cp1252;
using testing::read_bytes;
using testing::write_bytes;

TEST(EncoderProgress, CountsAFileOnceTheEncoderHasMovedOnOrEnded) {
  EXPECT_EQ(finished_sound_files({false, false, false}, false), 0);
  EXPECT_EQ(finished_sound_files({true, false, false}, false), 0);
  EXPECT_EQ(finished_sound_files({true, true, false}, false), 1);
  EXPECT_EQ(finished_sound_files({true, true, true}, true), 3);
  EXPECT_EQ(finished_sound_files({true, true, false}, true), 2);
  EXPECT_EQ(finished_sound_files({}, true), 0);
  using S = EncoderState;
  EXPECT_EQ(encoder_status(S::working, 2, 3), "mp3-Dateien: 2 von 3 fertig");
  EXPECT_EQ(encoder_status(S::ended, 3, 3), "Alle 3 mp3-Dateien sind fertig.");
  EXPECT_EQ(encoder_status(S::ended, 1, 3, 1), "ebook2cw endete mit dem Fehlercode 1.");
  EXPECT_EQ(encoder_status(S::ended, 2, 3), "ebook2cw ist fertig, aber nur 2 von 3 fertig.");
  EXPECT_EQ(encoder_status(S::cancelled, 2, 3), "mp3 abgebrochen: 2 von 3 fertig.");
}

TEST(EncoderArguments, GivesTheGoldenWordsOfEachExampleAlsoThroughAStartedProgram) {
  const struct {
    const char* golden;
    EncoderFields fields;  // as the speed check leaves them
  } examples[] = {{"encoder/defaults.txt", {"20", "5", "650", 0, "0", "Dateiname"}},
                  {"encoder/slider_3_qrq_2.txt", {"20", "20", "650", 3, "2", "Dateiname"}},
                  {"encoder/effective_25_over_20.txt", {"20", "20", "650", 0, "0", "Dateiname"}},
                  {"encoder/effective_05_character_5.txt", {"5", "05", "650", 0, "0", "Dateiname"}},
                  {"encoder/effective_0.txt", {"20", "0", "650", 0, "0", "Dateiname"}},
                  {"encoder/base_name_with_blank.txt", {"20", "5", "650", 0, "0", "Mein Text"}}};
  testing::WorkingFolder folder;
  folder.lay_out_program_folders();
  write_bytes("nicht_loeschen/ebook2cw.exe",
              "#!/bin/sh\nfor word in \"$@\"; do printf '%s\\n' \"$word\"; done >argv.txt\n");
  fs::permissions("nicht_loeschen/ebook2cw.exe", fs::perms::owner_all);
  runtime::Launcher& system = runtime::system_launcher();
  for (const auto& [golden, fields] : examples) {
    SCOPED_TRACE(golden);
    std::string words;
    for (const std::string& word : encoder_arguments(fields)) words += word + "\n";
    testing::expect_matches_golden(words, golden);
    const int pid = find_and_start_encoder(fields, system);
    ASSERT_NE(pid, 0);
    EXPECT_EQ(system.wait_for(pid), 0);
    testing::expect_matches_golden(read_bytes("argv.txt"), golden);
  }
}

TEST(EncoderArguments, DecideByNumberButPassTheTypedTextsAndSpellTheOutputPathForTheDisk) {
  const EncoderFields fields{"018", "00", "0700", 0, "abc", cp1252("Übung")};
  EXPECT_EQ(encoder_arguments(fields),
            (std::vector<std::string>{"-w", "018", "-e", "00", "-f", "0700", "-q", "9", "-s",
                                      "16000", "-c", "<>", "-t", cp1252("Übung"),
                                      "nicht_loeschen/mp3_temp.txt", "-o", "eure_Texte/Übung"}));
}

TEST(EncoderInput, HoldsRepeatedBlocksCutsOnlyTheLastMarkerAndReplacesTheOldInput) {
  const struct {
    std::vector<std::string> texts;
    std::int64_t repetitions;
    std::string file;
  } cases[] = {{{"A", "B", "C"}, 2, "A A <> B B <> C C <\r\n"},
               {{"X"}, 3, "X X X <\r\n"},
               {{cp1252("ÄRGER ÖL")}, 1, cp1252("ÄRGER ÖL <\r\n")},
               {{"CQ DE"}, -3, "CQ DE <\r\n"},
               {{}, 1, "\r\n"}};
  for (const auto& [texts, repetitions, file] : cases) {
    std::string text;
    for (const std::string& practice : texts) add_encoder_block(text, practice, repetitions);
    EXPECT_EQ(finish_encoder_text(text) + "\r\n", file) << repetitions;
  }
}

TEST(FindEncoder, PrefersTheProgramFolderThenPath) {
  const struct {
    std::set<std::string> runnable;
    const char* found;
  } cases[] = {{{"nicht_loeschen/ebook2cw.exe", "nicht_loeschen/ebook2cw", "ebook2cw"},
                "nicht_loeschen/ebook2cw.exe"},
               {{"nicht_loeschen/ebook2cw", "ebook2cw"}, "nicht_loeschen/ebook2cw"},
               {{"ebook2cw"}, "ebook2cw"},
               {{}, ""}};
  for (const auto& [runnable, found] : cases) {
    testing::RecordingLauncher launcher;
    launcher.runnable = runnable;
    EXPECT_EQ(find_encoder(launcher), found);
    EXPECT_EQ(find_and_start_encoder({}, launcher), *found ? 4242 : 0);
    EXPECT_EQ(launcher.starts.size(), *found ? 1u : 0u);
    // Always in a home of ours, so a user's encoder configuration cannot change our audio.
    for (const auto& start : launcher.starts)
      EXPECT_EQ(start.environment, (runtime::EnvironmentChanges{{"HOME", "nicht_loeschen"}}));
  }
}

}  // namespace
}  // namespace velkart::generator
