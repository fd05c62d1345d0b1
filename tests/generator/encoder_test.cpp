#include "generator/encoder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "generator/encoder_progress.h"
#include "gui/controls.h"
#include "gui/texts.h"
#include "runtime/process.h"
#include "support/main_window_fixture.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

namespace fs = std::filesystem;
using gui::RecordedMessage;
using testing::cp1252;
using testing::read_bytes;
using testing::write_bytes;
using Messages = std::vector<RecordedMessage>;

const RecordedMessage encoder_missing{std::string(texts::message_title.view()),
                                      std::string(texts::encoder_missing.view())};

TEST(EncoderProgress, CountsAFileOnceTheEncoderHasMovedOnOrEnded) {
  struct Case {
    std::vector<bool> begun;
    bool ended;
    std::int64_t finished;
  };
  for (const Case& each : std::vector<Case>{{{false, false, false}, false, 0},
                                            {{true, false, false}, false, 0},
                                            {{true, true, false}, false, 1},
                                            {{true, true, true}, true, 3},
                                            {{true, true, false}, true, 2},
                                            {{}, true, 0}}) {
    EXPECT_EQ(finished_sound_files(each.begun, each.ended), each.finished);
  }
  using S = EncoderState;
  EXPECT_EQ(encoder_status(S::working, 2, 3), "mp3-Dateien: 2 von 3 fertig");
  EXPECT_EQ(encoder_status(S::ended, 3, 3), "Alle 3 mp3-Dateien sind fertig.");
  EXPECT_EQ(encoder_status(S::ended, 1, 3, 1), "ebook2cw endete mit dem Fehlercode 1.");
  EXPECT_EQ(encoder_status(S::ended, 2, 3), "ebook2cw ist fertig, aber nur 2 von 3 fertig.");
  EXPECT_EQ(encoder_status(S::cancelled, 2, 3), "mp3 abgebrochen: 2 von 3 fertig.");
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void write_script(const fs::path& path, const std::string& body) {
  write_bytes(path, "#!/bin/sh\n" + body);
  fs::permissions(path, fs::perms::owner_all);
}

// Waits up to ten seconds for something a started program does.
template <typename Done>
void wait_until(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < deadline) ::usleep(10000);
}

// The main window with its default fields: 20 and 5 WpM, 650 Hz, no extra
// spacing, no QRQ, base name "Dateiname".
class AudioExport : public testing::MainWindowTest {
 protected:
  fs::path at(const char* name) const { return folder.path() / name; }
  void place_encoder(const char* name, const std::string& body = "exit 0\n") const {
    write_script(at("nicht_loeschen") / name, body);
  }
  // An ebook2cw found only on PATH, past a folder that does not exist.
  ScopedEnvironment encoder_on_path() const {
    fs::create_directory(at("bin"));
    write_script(at("bin") / "ebook2cw", "exit 0\n");
    return ScopedEnvironment("PATH", "/nonexistent:" + at("bin").string());
  }
  std::string input_file() const { return read_bytes(folder.path() / encoder_input_path); }

  testing::RecordingLauncher launcher;
};

TEST_F(AudioExport, GivesTheGoldenWordsOfEachExampleDirectlyAndThroughTheStartedEncoder) {
  const struct {
    const char *golden, *character_speed, *effective_speed;
    int word_spacing;
    const char *qrq, *base_name;
  } examples[] = {{"encoder/defaults.txt", "20", "5", 0, "0", "Dateiname"},
                  {"encoder/slider_3_qrq_2.txt", "20", "20", 3, "2", "Dateiname"},
                  {"encoder/effective_25_over_20.txt", "20", "25", 0, "0", "Dateiname"},
                  {"encoder/effective_05_character_5.txt", "5", "05", 0, "0", "Dateiname"},
                  {"encoder/effective_0.txt", "20", "0", 0, "0", "Dateiname"},
                  {"encoder/base_name_with_blank.txt", "20", "5", 0, "0", "Mein Text"}};
  place_encoder("ebook2cw.exe",
                "for word in \"$@\"; do printf '%s\\n' \"$word\"; done >argv.txt\n");
  runtime::Launcher& system = runtime::system_launcher();
  for (const auto& example : examples) {
    SCOPED_TRACE(example.golden);
    gui.set_text(controls::character_speed_field, example.character_speed);
    gui.set_text(controls::effective_speed_field, example.effective_speed);
    gui.set_state(controls::word_spacing_slider, example.word_spacing);
    gui.set_text(controls::qrq_field, example.qrq);
    gui.set_text(controls::base_name_field, example.base_name);
    check_speeds(gui);  // the first step of every generation run
    std::string words;
    for (const std::string& word : encoder_arguments(read_encoder_fields(gui)))
      words += word + "\n";
    testing::expect_matches_golden(words, example.golden);

    const int pid = write_input_and_start_encoder(gui, "TEST <> ", system);
    ASSERT_NE(pid, 0);
    EXPECT_EQ(system.wait_for(pid), 0);
    testing::expect_matches_golden(read_bytes(at("argv.txt")), example.golden);
  }
}

TEST(EncoderArguments, DecideByNumberButPassTheTypedTextsAndSpellTheOutputPathForTheDisk) {
  const EncoderFields fields{"018", "00", "0700", 0, "abc", cp1252("Übung")};
  EXPECT_EQ(encoder_arguments(fields),
            (std::vector<std::string>{"-w", "018", "-e", "00", "-f", "0700", "-q", "9", "-s",
                                      "16000", "-c", "<>", "-t", cp1252("Übung"),
                                      "nicht_loeschen/mp3_temp.txt", "-o", "eure_Texte/Übung"}));
}

TEST_F(AudioExport, CheckSpeedsLowersOnlyAnEffectiveSpeedAboveTheCharacterSpeed) {
  const std::pair<const char*, const char*> cases[] = {
      {"25", "20"}, {"021", "20"}, {"5", "5"}, {"20", "20"}, {"020", "020"}, {"", ""}, {"0", "0"}};
  for (const auto& [typed, after] : cases) {
    gui.set_text(controls::effective_speed_field, typed);
    check_speeds(gui);
    EXPECT_EQ(gui.get_text(controls::effective_speed_field), after) << typed;
  }
}

TEST_F(AudioExport, WritesRepeatedBlocksAndCutsOnlyTheLastMarkerReplacingTheOldInput) {
  const struct {
    std::vector<std::string> texts;
    std::int64_t repetitions;
    std::string file;
  } cases[] = {{{"A", "B", "C"}, 2, "A A <> B B <> C C <\r\n"},
               {{"X"}, 3, "X X X <\r\n"},
               {{cp1252("ÄRGER ÖL")}, 1, cp1252("ÄRGER ÖL <\r\n")},
               {{"CQ DE"}, 0, "CQ DE <\r\n"},
               {{"CQ DE"}, -3, "CQ DE <\r\n"},
               {{}, 1, "\r\n"}};
  place_encoder("ebook2cw.exe");
  for (const auto& [texts, repetitions, file] : cases) {
    write_bytes(folder.path() / encoder_input_path, std::string(9000, 'Z'));
    std::string text;
    for (const std::string& practice : texts) add_encoder_block(text, practice, repetitions);
    EXPECT_EQ(write_input_and_start_encoder(gui, text, launcher), 4242);
    EXPECT_EQ(input_file(), file) << repetitions;
  }
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_EQ(launcher.starts.back().environment,
            (runtime::EnvironmentChanges{{"HOME", "nicht_loeschen"}}));
}

TEST_F(AudioExport, SaysTheEncoderIsMissingWhenItCannotBeStartedOrNoneIsFound) {
  place_encoder("ebook2cw.exe");
  launcher.can_start = false;
  EXPECT_EQ(write_input_and_start_encoder(gui, "X <> ", launcher), 0);
  fs::remove(at("nicht_loeschen") / "ebook2cw.exe");
  const ScopedEnvironment path("PATH", at("leer").string());
  EXPECT_EQ(write_input_and_start_encoder(gui, "X <> ", launcher), 0);
  EXPECT_EQ(launcher.starts.size(), 1u);  // the second time there was nothing to start
  EXPECT_EQ(gui.messages(), (Messages{encoder_missing, encoder_missing}));
}

TEST_F(AudioExport, StartsNoEncoderOnAnEarlierInputWhenTheInputFileCannotBeWritten) {
  fs::remove_all(at("nicht_loeschen"));
  const ScopedEnvironment path = encoder_on_path();
  EXPECT_EQ(write_input_and_start_encoder(gui, "X <> ", launcher), 0);
  EXPECT_EQ(gui.messages(), (Messages{{std::string(texts::message_title.view()),
                                       std::string(texts::file_not_created.view())}}));
  EXPECT_TRUE(launcher.starts.empty());
}

TEST_F(AudioExport, FindsTheEncoderInTheProgramFolderFirstThenOnPath) {
  place_encoder("ebook2cw.exe");
  place_encoder("ebook2cw");
  EXPECT_EQ(find_encoder(), "nicht_loeschen/ebook2cw.exe");
  fs::permissions(at("nicht_loeschen") / "ebook2cw.exe", fs::perms::owner_read);
  EXPECT_EQ(find_encoder(), "nicht_loeschen/ebook2cw");
  // A Windows encoder copied along counts as none, even with the execute bit.
  fs::remove(at("nicht_loeschen") / "ebook2cw");
  write_bytes(at("nicht_loeschen") / "ebook2cw.exe", std::string("MZ\x90\0\3\0\0\0", 8));
  fs::permissions(at("nicht_loeschen") / "ebook2cw.exe", fs::perms::owner_all);
  const ScopedEnvironment path = encoder_on_path();
  EXPECT_EQ(find_encoder(), "ebook2cw");
  fs::remove(at("bin") / "ebook2cw");
  fs::create_directory(at("nicht_loeschen") / "ebook2cw");  // a folder is no program
  EXPECT_EQ(find_encoder(), "");
}

class SystemLauncher : public ::testing::Test {
 protected:
  runtime::Launcher& launcher = runtime::system_launcher();
  testing::WorkingFolder folder;
};

TEST_F(SystemLauncher, ReturnsAtOnceReapsFinishedProgramsAndGivesZeroForOnesThatCannotStart) {
  write_script("haengt", "exec sleep 30\n");
  write_script("fehler", "exit 3\n");
  const auto started = std::chrono::steady_clock::now();
  const int hanging = launcher.start_program("./haengt", {});
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  const int failing = launcher.start_program("./fehler", {});
  ASSERT_GT(hanging, 0);
  ASSERT_GT(failing, 0);
  EXPECT_EQ(::getsid(hanging), hanging);  // a session of its own: no Ctrl-C or hang-up reaches it
  wait_until([&] { return !launcher.is_running(failing); });
  EXPECT_TRUE(launcher.is_running(hanging));
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(failing)));  // reaped unasked: no zombie
  EXPECT_EQ(launcher.wait_for(failing), 3);
  ::kill(hanging, SIGKILL);
  EXPECT_EQ(launcher.wait_for(hanging), 128 + SIGKILL);
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(hanging)));
  EXPECT_EQ(launcher.wait_for(999999), -1);
  write_bytes("nicht_ausfuehrbar", "#!/bin/sh\nexit 0\n");
  for (const char* program :
       {"./nicht_ausfuehrbar", "./gibt_es_nicht", "velkart-gibt-es-nirgends", ""})
    EXPECT_EQ(launcher.start_program(program, {}), 0) << program;
}

TEST_F(SystemLauncher, PassesEachArgumentAsOneWordWithoutAShellAndNoOpenFiles) {
  const ScopedEnvironment kept("VELKART_PROBE", "bleibt");
  // A descriptor opened without close-on-exec, as a careless library might.
  const int opened = ::open("/dev/null", O_RDONLY);
  ASSERT_EQ(::dup2(opened, 57), 57);
  ::close(opened);
  write_script("zeigt",
               "for word in \"$@\" \"$HOME\" \"$VELKART_PROBE\"; do printf '[%s]' \"$word\"; done "
               ">worte.txt\n"
               "[ -e /proc/$$/fd/57 ] && echo geerbt >>worte.txt\n");
  const int pid = launcher.start_program(
      "./zeigt", {"a b", "", "*", "$(touch boese)", "x; touch boese2 `touch boese3`", "\xDC"},
      {{"HOME", "eigenes Heim"}});
  ::close(57);
  ASSERT_GT(pid, 0);
  launcher.wait_for(pid);
  EXPECT_EQ(
      read_bytes("worte.txt"),
      "[a b][][*][$(touch boese)][x; touch boese2 `touch boese3`][\xDC][eigenes Heim][bleibt]");
  for (const char* trace : {"boese", "boese2", "boese3"}) EXPECT_FALSE(fs::exists(trace)) << trace;
}

TEST_F(SystemLauncher, HandsOnlyAnExistingDocumentToXdgOpenAndGivesItsVerdict) {
  fs::create_directories("bin");
  const fs::path opened = folder.path() / "geoeffnet.txt";
  write_script("bin/xdg-open", "printf '%s' \"$1\" >" + opened.string() + "\nexit 3\n");
  const ScopedEnvironment path("PATH", (folder.path() / "bin").string() + ":/usr/bin:/bin");
  EXPECT_EQ(launcher.open_document("hilfe.pdf"), 0);
  write_bytes("hilfe.pdf", "%PDF-1.5\n");
  const int opener = launcher.open_document("hilfe.pdf");
  ASSERT_NE(opener, 0);
  EXPECT_EQ(launcher.wait_for(opener), 3);
  EXPECT_EQ(read_bytes(opened), "hilfe.pdf");
}

}  // namespace
}  // namespace velkart::generator
