// The generator driven through the main window: what it reads from the
// controls, what it shows, and the files of a whole run.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/main_window.h"
#include "generator/encoder.h"
#include "generator/generation.h"
#include "generator/word_pool.h"
#include "gui/controls.h"
#include "pdf/pdf_test_support.h"
#include "runtime/process.h"
#include "runtime/random.h"
#include "support/main_window_fixture.h"

namespace velkart::generator {
namespace {

using app::read_pool_options;

namespace c = controls;
namespace fs = std::filesystem;
using gui::RecordedMessage;
using velkart::testing::cp1252;
using velkart::testing::read_bytes;
using velkart::testing::write_bytes;
using Messages = std::vector<RecordedMessage>;

RecordedMessage message(std::string_view text) {
  return {"Information", std::string(text)};
}

class RunGeneration : public velkart::testing::MainWindowTest {
 protected:
  GenerationResult run() {
    context.launcher = &launcher;
    context.clock = [] { return pdf::LocalTime{2011, 3, 6, 9, 5, 3}; };
    return app::run_generation_in_window(gui, context);
  }
  std::string written(const std::string& name) const {
    return read_bytes(folder.path() / "eure_Texte" / name);
  }
  velkart::testing::RecordingLauncher launcher;
  GenerationContext context;
};

using RunTrial = velkart::testing::MainWindowTest;

// The pool options as the other controls give them are checked through the
// batch companion's --set; the word limit field alone wraps a typed number.
TEST_F(RunTrial, TakesTheLow32BitsOfATypedWordLimit) {
  for (const auto& [typed, limit] : {std::pair{"300", 300}, {"", 0}, {"4294967299", 3}}) {
    gui.set_text(c::word_limit_field, typed);
    EXPECT_EQ(read_pool_options(gui).word_limit, limit) << typed;  // low 32 bits
  }
}

TEST_F(RunTrial, DefaultSettingsNeverLeakAFilteredLetter) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    runtime::seed_random(seed);
    const std::string text = app::run_trial_in_window(gui);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(gui.get_text(c::output_area), text);
    std::size_t word_start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
      if (at == text.size() || text[at] == ' ') {
        EXPECT_LE(at - word_start, 5u) << text;
        word_start = at + 1;
      } else if (letter_alphabet.find(text[at]) != std::string_view::npos) {
        EXPECT_NE(std::string_view("KMURESNIAT").find(text[at]), std::string_view::npos) << text;
      }
    }
  }
  EXPECT_EQ(gui.get_text(c::filtered_label), cp1252("BCDFGHJLOPQVWXYZÄÖÜß"));
  EXPECT_EQ(gui.get_text(c::word_length_label), "5");
  EXPECT_TRUE(gui.messages().empty());
}

TEST_F(RunGeneration, WritesNumberedOneLineFilesWithTheDrawnTexts) {
  gui.set_text(c::base_name_field, "Kurs1");
  gui.set_text(c::text_count_field, "3");
  runtime::seed_random(4711);
  const GenerationResult result = run();
  EXPECT_EQ(result.files.text_files,
            (std::vector<std::string>{"eure_Texte/Kurs10000_.txt", "eure_Texte/Kurs10001_.txt",
                                      "eure_Texte/Kurs10002_.txt"}));
  std::string all;
  for (const std::string& path : result.files.text_files) {
    const std::string bytes = read_bytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.find('\n'), bytes.size() - 1);  // exactly one line, ending in CR LF
    EXPECT_EQ(bytes[bytes.size() - 2], '\r');
    all += bytes;
  }
  // The last text drawn stays in the output area.
  EXPECT_EQ(written("Kurs10002_.txt"), gui.get_text(c::output_area) + "\r\n");
  velkart::testing::expect_matches_golden(all, "generator/kurs1_seed4711.txt");
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_EQ(result.files.answer_key, "eure_Texte/Kurs1.pdf");
  EXPECT_EQ(velkart::pdf::testing::count_of(read_bytes(result.files.answer_key), "(Chapter "), 3u);
}

TEST_F(RunGeneration, RefusesABaseNameThatLeavesTheFolderBeforeWritingAnything) {
  gui.set_text(c::base_name_field, "..\\..\\x");
  gui.set_text(c::effective_speed_field, "40");
  EXPECT_TRUE(run().refused);
  EXPECT_EQ(gui.messages(),
            Messages{message("Der Dateiname darf keines der Zeichen \\ / : * ? \" < > | und keine "
                             "Steuerzeichen enthalten!")});
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
  EXPECT_EQ(gui.messages().back(),
            message("Die mp3-Dateien des letzten Durchlaufs werden noch erzeugt. Bitte warten, bis "
                    "das Erzeugen beendet ist."));
  EXPECT_TRUE(fs::is_empty(folder.path() / "eure_Texte"));
  launcher.still_running = false;
  EXPECT_FALSE(run().refused);
}

// The first file that cannot be put in place ends the run: nothing after
// it is written, the encoder never starts, and the message says so.
TEST_F(RunGeneration, StopsAtTheFirstFileThatCannotBePutInPlace) {
  gui.set_text(c::text_count_field, "3");
  fs::create_directory(folder.path() / "eure_Texte" / "Dateiname0001_.txt");
  const GenerationResult result = run();
  EXPECT_EQ(gui.messages(),
            Messages{message(cp1252("Konnte Datei nicht erstellen! eure_Texte/Dateiname0001_.txt\n"
                                    "Der Durchlauf wurde abgebrochen: vollständig sind nur die "
                                    "Dateien davor, mp3-Dateien werden nicht erzeugt."))});
  EXPECT_EQ(result.files.text_files, std::vector<std::string>{"eure_Texte/Dateiname0000_.txt"});
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte" / "Dateiname0002_.txt"));
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte" / "Dateiname.pdf"));
  EXPECT_TRUE(launcher.starts.empty());

  // Without its input the encoder would read an earlier run's.
  fs::remove(folder.path() / "eure_Texte" / "Dateiname0001_.txt");
  fs::create_directory(folder.path() / "nicht_loeschen" / "mp3_temp.txt");
  gui.clear_messages();
  EXPECT_EQ(run().files.failed, "nicht_loeschen/mp3_temp.txt");
  EXPECT_TRUE(fs::exists(folder.path() / "eure_Texte" / "Dateiname.m3u"));
  EXPECT_TRUE(launcher.starts.empty());
}

// A run that would write nothing of use is refused before it writes
// anything: the last good set stays as it was.
TEST_F(RunGeneration, RefusesAnEmptyRunOrAnUnplayableTone) {
  const struct {
    int field;
    const char* typed;
    std::string message;
  } cases[] = {
      {c::text_count_field, "0", "Bitte mindestens einen Text eintragen."},
      {c::text_count_field, "10001", cp1252("Bitte höchstens 10000 Texte eintragen.")},
      {c::frequency_field, "99999",
       cp1252("Die Tonhöhe muss zwischen 100 und 3000 Hz liegen; andere Töne kann der "
              "mp3-Encoder nicht sauber erzeugen.")},
      {c::allowed_field, "q",
       cp1252("Der Wortvorrat ist leer: kein Wort der angekreuzten Wortlisten passt zu den "
              "erlaubten und verpflichtenden Zeichen und zur Wortlänge. Bitte mehr Zeichen "
              "erlauben, die Wortlänge ändern oder weitere Wortlisten ankreuzen; es wurde "
              "nichts geschrieben.")},
  };
  for (const auto& test : cases) {
    const std::string before = gui.get_text(test.field);
    gui.set_text(test.field, test.typed);
    gui.clear_messages();
    EXPECT_TRUE(run().refused) << test.typed;
    EXPECT_EQ(gui.messages(), Messages{message(test.message)}) << test.typed;
    gui.set_text(test.field, before);
  }
  EXPECT_TRUE(fs::is_empty(folder.path() / "eure_Texte"));
  EXPECT_TRUE(launcher.starts.empty());
}

// A shorter run of the same name leaves nothing of the longer one beside
// its key: the numbered files beyond its count go to the trash.
TEST_F(RunGeneration, MovesAnEarlierLongerRunsNumberedFilesToTheTrash) {
  gui.set_text(c::text_count_field, "3");
  run();
  for (const char* sound : {"Dateiname0001.mp3", "Dateiname0002.mp3", "Dateiname10002.mp3"})
    write_bytes(folder.path() / "eure_Texte" / sound, "mp3");
  write_bytes(folder.path() / "eure_Texte" / "Dateiname10000_.txt", "Kurs Dateiname1");
  gui.set_text(c::text_count_field, "1");
  run();
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder.path() / "eure_Texte"))
    left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"Dateiname0000_.txt", "Dateiname10000_.txt",
                                         "Dateiname10002.mp3", "Dateiname.pdf",
                                         "Dateiname_Mitschrift.pdf", "Dateiname.m3u"}));
  EXPECT_TRUE(gui.get_text(c::output_area)
                  .ends_with(cp1252("\n\n4 ältere Dateien dieses Namens mit höheren Nummern "
                                    "liegen jetzt im Papierkorb.")))
      << gui.get_text(c::output_area);
#ifndef _WIN32
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "Daten/Trash/files"),
                          fs::directory_iterator()),
            4);
#endif
}

TEST_F(RunGeneration, ListAndEncoderMessagesRepeatForEveryRun) {
  gui.set_state(c::list_english, 1);
  fs::remove(folder.path() / "nicht_loeschen" / "en1000.txt");
  gui.set_text(c::text_count_field, "3");
  launcher.runnable.clear();
  run();
  const RecordedMessage list = message(
      cp1252("Es wurden keine Wörter ausgewählt oder die Datei konnte nicht geöffnet werden!"));
  EXPECT_EQ(gui.messages(),
            (Messages{list, list, list, message(generator::encoder_missing_message())}));
  EXPECT_TRUE(launcher.starts.empty());
  launcher.runnable = {"nicht_loeschen/ebook2cw"};
  launcher.can_start = false;
  gui.clear_messages();
  gui.set_state(c::list_english, 0);
  run();
  EXPECT_EQ(gui.messages(), Messages{message(generator::encoder_missing_message())});
  EXPECT_EQ(launcher.starts.back().program, "nicht_loeschen/ebook2cw");
}

TEST(LowerEffectiveSpeed, LowersOnlyAnEffectiveSpeedAboveTheCharacterSpeed) {
  const std::pair<const char*, const char*> cases[] = {
      {"25", "20"}, {"021", "20"}, {"5", "5"}, {"20", "20"}, {"020", "020"}, {"", ""}, {"0", "0"}};
  for (const auto& [typed, after] : cases) {
    EncoderFields fields{"20", typed, "650", 0, "0", "x", {}};
    EXPECT_EQ(lower_effective_speed(fields), std::string_view(typed) != after) << typed;
    EXPECT_EQ(fields.effective_speed, after) << typed;
  }
}

TEST_F(RunGeneration, StartsTheEncoderWithTheFieldsAfterTheSpeedCheck) {
  gui.set_text(c::effective_speed_field, "25");
  gui.set_text(c::text_count_field, "1");
  run();
  std::string words;
  for (const std::string& word : launcher.starts.back().arguments) words += word + "\n";
  velkart::testing::expect_matches_golden(words, "encoder/effective_25_over_20.txt");
}

}  // namespace
}  // namespace velkart::generator
