// Bad input and failing disks: nothing lost, nothing reported that did not
// happen, nothing written before a refusal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/batch.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "runtime/files.h"
#include "runtime/interruption.h"
#include "runtime/run_lock.h"
#include "support/batch_fixture.h"

namespace velkart::app {
namespace {

namespace fs = std::filesystem;
using velkart::testing::read_bytes;
using velkart::testing::write_bytes;
using Contents = std::map<std::string, std::string>;

class Safety : public velkart::testing::BatchTest {
 protected:
  void TearDown() override { runtime::fail_file_operation(0); }
  bool said(std::string_view text) const { return err.str().find(text) != std::string::npos; }

  // Walks the failure over every write, close and rename of `action` (which
  // must succeed untouched): each time it must tell the user, and every file
  // must hold its old content or its complete new one, with no temporary
  // file left behind.
  template <typename Action>
  void walk_faults(const Contents& old, Action action, bool silent = false) {
    const auto prepare = [&old] {
      for (const auto& [path, content] : old) write_bytes(path, content);
    };
    prepare();
    runtime::fail_file_operation(0);
    ASSERT_EQ(action(), 0);
    const std::int64_t operations = runtime::file_operations_counted();
    Contents fresh;
    for (const auto& [path, content] : old) {
      fresh[path] = read_bytes(path);
      ASSERT_NE(fresh[path], content) << path;
    }
    for (std::int64_t k = 1; k <= operations; ++k) {
      prepare();
      runtime::fail_file_operation(k);
      EXPECT_EQ(action(), silent ? 0 : batch_message_shown) << k;
      runtime::fail_file_operation(0);
      if (!silent) {
        EXPECT_TRUE(said("Information: Konnte Datei nicht erstellen!")) << k;
      }
      for (const auto& [path, content] : old) {
        const std::string now = read_bytes(path);
        // The sheet's heading carries the time, and a text that failed has a
        // title-only chapter: a new PDF is known by being complete.
        const bool renewed = path.ends_with(".pdf")
                                 ? now.starts_with("%PDF-1.5") && now.ends_with("%%EOF\n")
                                 : now == fresh[path];
        EXPECT_TRUE(now == content || renewed) << path << " after failure " << k;
      }
      for (const auto& entry : fs::recursive_directory_iterator("."))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".velkart-")) << entry.path();
    }
  }
};

TEST_F(Safety, LimitsAndBadNamesAreRefusedBeforeAnythingIsWritten) {
  const struct {
    std::vector<std::string> arguments;
    std::string_view message;
  } cases[] = {
      {{"generate", "--set", "String_wiederholungsschleife=2147483647"},
       "höchstens 100 Wiederholungen"},
      {{"generate", "--set", "String_wiederholungsschleife=101"}, "höchstens 100 Wiederholungen"},
      {{"generate", "--set", "String_mp_dateiname=" + std::string(248, 'a')},
       "Der Dateiname ist zu lang."},
      {{"vocab", std::string(240, 'a')}, "Der Dateiname ist zu lang."},
      {{"vocab", "../../outside"}, "Der Dateiname darf keines der Zeichen"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(run(test.arguments), batch_message_shown) << test.arguments.back();
    EXPECT_TRUE(said(test.message)) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(fs::is_empty("eure_Texte"));
    EXPECT_TRUE(fs::is_empty("Wortschatz_erweitern"));
    EXPECT_FALSE(fs::exists("nicht_loeschen/mp3_temp.txt"));
  }
  EXPECT_TRUE(launcher.starts.empty());
  EXPECT_EQ(run({"trial", "--set", "String_anzahl_woerter=2147483648"}), batch_usage_error);
  EXPECT_EQ(run({"trial", "--set", "String_anzahl_woerter=-2147483649"}), batch_usage_error);
  EXPECT_EQ(run({"generate", "--set", "String_wiederholungsschleife=100", "--no-wait"}), batch_ok);
}

TEST_F(Safety, AnotherRunsEncoderKeepsTheFolder) {
  const runtime::RunLock other;
  ASSERT_FALSE(other.busy());
  for (const char* command : {"generate", "course"}) {
    EXPECT_EQ(run({command}), batch_message_shown) << command;
    EXPECT_TRUE(said("Information: Die mp3-Dateien des letzten Durchlaufs werden noch erzeugt."))
        << command;
    EXPECT_TRUE(fs::is_empty("eure_Texte")) << command;
  }
}

// A lock file that cannot be taken (here a folder of its name; a file a
// sudo run left behaves alike for other users) refuses the run.
TEST_F(Safety, ALockThatCannotBeTakenRefusesTheRun) {
  fs::create_directory("nicht_loeschen/velkart.lock");
  for (const char* command : {"generate", "course"}) {
    EXPECT_EQ(run({command}), batch_message_shown) << command;
    EXPECT_TRUE(
        said("Information: Die Sperrdatei nicht_loeschen/velkart.lock lässt sich nicht "
             "öffnen oder sperren"))
        << err.str();
    EXPECT_TRUE(fs::is_empty("eure_Texte")) << command;
  }
}

// Listed and in the playlist: only the sound files the encoder finished in
// this run. One it failed in is cut off and removed.
TEST_F(Safety, OnlyFilesThisRunFinishedAreListed) {
  write_bytes("eure_Texte/Dateiname0000.mp3", "old");
  struct Encoder : velkart::testing::RecordingLauncher {
    int wait_for(int) override {
      for (const std::string& sound : written) write_bytes(sound, "new");
      return exit_code;
    }
    std::vector<std::string> written{"eure_Texte/Dateiname0001.mp3"};
  } encoder;
  const std::string texts_and_sheets =
      "eure_Texte/Dateiname0000_.txt\neure_Texte/Dateiname0001_.txt\n"
      "eure_Texte/Dateiname.pdf\neure_Texte/Dateiname_Mitschrift.pdf\neure_Texte/Dateiname.m3u\n";
  EXPECT_EQ(run_batch(std::vector<std::string>{"generate"}, out, err, encoder), batch_ok);
  EXPECT_EQ(out.str(), texts_and_sheets + "eure_Texte/Dateiname0001.mp3\n");

  out.str("");
  encoder.exit_code = 1;
  encoder.written = {"eure_Texte/Dateiname0000.mp3", "eure_Texte/Dateiname0001.mp3"};
  EXPECT_EQ(run_batch(std::vector<std::string>{"generate"}, out, err, encoder),
            batch_message_shown);
  EXPECT_EQ(out.str(), texts_and_sheets + "eure_Texte/Dateiname0000.mp3\n");
  EXPECT_FALSE(fs::exists("eure_Texte/Dateiname0001.mp3"));
  EXPECT_EQ(read_bytes("eure_Texte/Dateiname.m3u"),
            "#EXTM3U\r\n#EXTINF:-1,Dateiname0000\r\nDateiname0000.mp3\r\n");
}

TEST_F(Safety, AFailedWriteOfAGenerationRunKeepsEveryEarlierFile) {
  walk_faults({{"eure_Texte/Dateiname0000_.txt", "old 0"},
               {"eure_Texte/Dateiname0001_.txt", "old 1"},
               {"nicht_loeschen/mp3_temp.txt", "old input"},
               {"eure_Texte/Dateiname.pdf", "old sheet"}},
              [this] {
                return run({"generate", "--seed", "7", "--no-wait"});
              });
}

// A lesson pack stops at the first file it cannot put in place: it says so,
// lists only files that are whole, and starts no encoder on a lesson whose
// input is not complete.
TEST_F(Safety, AFailedWriteOfACourseStopsItAndListsOnlyWholeFiles) {
  const std::vector<std::string> course{"course", "--from",  "2", "--to",
                                        "3",      "--texts", "2", "--overwrite"};
  runtime::fail_file_operation(0);
  ASSERT_EQ(run(course), batch_ok);
  const std::int64_t operations = runtime::file_operations_counted();
  const std::string complete = out.str();
  ASSERT_EQ(launcher.starts.size(), 2u);
  for (std::int64_t k = 1; k <= operations; ++k) {
    launcher.starts.clear();
    runtime::fail_file_operation(k);
    EXPECT_EQ(run(course), batch_message_shown) << k;
    runtime::fail_file_operation(0);
    EXPECT_TRUE(said("Konnte Datei nicht erstellen!")) << k;
    std::istringstream listed(out.str());
    std::size_t whole_lessons = 0;
    for (std::string path; std::getline(listed, path);) {
      EXPECT_TRUE(complete.find(path + "\n") != std::string::npos) << path;
      if (path.ends_with("_Mitschrift.pdf")) ++whole_lessons;
    }
    EXPECT_LE(launcher.starts.size(), whole_lessons) << k;
    // Each lesson is the old one or the new one, whole: never half of either.
    for (const std::string lesson : {"Dateiname_Lektion02", "Dateiname_Lektion03"})
      for (const char* file : {"_0001_.txt", "_Loesung.pdf", "_Mitschrift.pdf"})
        EXPECT_TRUE(fs::exists("eure_Texte/" + lesson + "/" + lesson + file))
            << lesson << file << " after " << k;
    for (const auto& entry : fs::recursive_directory_iterator("."))
      EXPECT_FALSE(entry.path().filename().string().starts_with(".velkart-")) << entry.path();
  }
}

// Replacing a lesson never reaches through a link of its name.
TEST_F(Safety, ALessonThatIsALinkIsReplacedWithoutTouchingItsTarget) {
  fs::create_directory("stick");
  write_bytes("stick/Dateiname0000_.txt", "vom Stick");
  fs::create_directory_symlink("../stick", "eure_Texte/Dateiname_Lektion02");
  EXPECT_EQ(run({"course", "--to", "2", "--texts", "1", "--overwrite"}), batch_ok) << err.str();
  EXPECT_EQ(read_bytes("stick/Dateiname0000_.txt"), "vom Stick");
  EXPECT_FALSE(fs::is_symlink("eure_Texte/Dateiname_Lektion02"));
  EXPECT_TRUE(fs::exists("eure_Texte/Dateiname_Lektion02/Dateiname_Lektion02_Mitschrift.pdf"));
}

// Ctrl-C while velkart-batch waits ends the encoders, removes what they were
// cut off in and says what is complete; what an ended run left is cleared.
TEST_F(Safety, AnInterruptedRunEndsItsEncodersAndLeavesNoHalfFiles) {
  write_bytes("eure_Texte/.velkart-999999999-1", "von einem beendeten Lauf");
  struct Encoder : velkart::testing::RecordingLauncher {
    int start_program(const std::string& program, const std::vector<std::string>& arguments,
                      const runtime::EnvironmentChanges& environment) override {
      still_running = true;
      write_bytes(arguments.back() + "0000.mp3", "halb");
      return RecordingLauncher::start_program(program, arguments, environment);
    }
  } encoder;
  runtime::set_interrupted(true);
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"generate"},
        std::vector<std::string>{"course", "--to", "3", "--texts", "1"}}) {
    EXPECT_EQ(run_batch(command, out, err, encoder), batch_message_shown) << command[0];
    EXPECT_FALSE(encoder.still_running);
    EXPECT_NE(err.str().find("Information: Abgebrochen: "), std::string::npos) << err.str();
    EXPECT_EQ(out.str().find(".mp3"), std::string::npos) << out.str();
    out.str(""), err.str("");
  }
  runtime::set_interrupted(false);
  EXPECT_FALSE(fs::exists("eure_Texte/Dateiname0000.mp3"));
  EXPECT_FALSE(fs::exists("eure_Texte/Dateiname_Lektion02/Dateiname_Lektion02_0000.mp3"));
  EXPECT_FALSE(fs::exists("eure_Texte/.velkart-999999999-1"));
}

TEST_F(Safety, AFailedWriteOfAVocabularyRunKeepsBothEarlierResults) {
  write_bytes("Wortschatz_erweitern/quelle.txt", "Haus Maus Baum");
  walk_faults({{"Wortschatz_erweitern/quelle_bearbeitet_ABC.txt", "old abc"},
               {"Wortschatz_erweitern/quelle_bearbeitet_Groesse.txt", "old size"}},
              [this] {
                return run({"vocab", "quelle"});
              });
}

TEST_F(Safety, AFailedSettingsSaveKeepsTheOldFileWhole) {
  SettingsRecord record;
  record.set_number(Setting::word_limit, 12);
  walk_faults(
      {{"voreinstellungen.pref", "[voreinstellungen]\r\nString_anzahl_woerter = 7\r\n"}},
      [&record] {
        SettingsStore store;
        save_settings(store, record);
        return 0;
      },
      /*silent*/ true);
}

TEST_F(Safety, SettingsThatAreNoRegularFileGiveTheDefaultsAtOnceAndStay) {
  ASSERT_EQ(::mkfifo("fifo.pref", 0666), 0);
  fs::create_symlink("/dev/zero", "zero.pref");
  write_bytes("huge.pref", "[voreinstellungen]\r\nString_anzahl_woerter = 7\r\n" +
                               std::string(settings_size_limit, ';'));
  for (const char* name : {"fifo.pref", "zero.pref", "huge.pref"}) {
    SettingsStore store;
    EXPECT_EQ(load_settings(store, name).number(Setting::word_limit), 300) << name;
    save_settings(store, SettingsRecord{}, name);
  }
  EXPECT_TRUE(fs::is_fifo("fifo.pref"));
  EXPECT_TRUE(fs::is_symlink("zero.pref"));
}

}  // namespace
}  // namespace velkart::app
