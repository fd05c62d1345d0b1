#include "generator/encoder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gui/controls.h"
#include "gui/headless_gui.h"
#include "gui/texts.h"
#include "runtime/process.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

namespace fs = std::filesystem;
using testing::cp1252;
using testing::read_bytes;
using testing::write_bytes;

const gui::RecordedMessage encoder_missing{std::string(texts::message_title.view()),
                                           std::string(texts::encoder_missing.view())};
const gui::RecordedMessage not_created{std::string(texts::message_title.view()),
                                       std::string(texts::file_not_created.view())};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void write_script(const fs::path& path, const std::string& body) {
  write_bytes(path, "#!/bin/sh\n" + body);
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

// The encoder's words one per line, as the recording encoder writes them.
std::string one_per_line(const std::vector<std::string>& words) {
  std::string lines;
  for (const std::string& word : words) lines += word + "\n";
  return lines;
}

// A launcher that only records what it was asked to start.
class RecordingLauncher : public runtime::Launcher {
 public:
  int start_program(const std::string& program,
                    const std::vector<std::string>& arguments) override {
    programs.push_back(program);
    this->arguments = arguments;
    return answer;
  }
  bool open_document(const std::string&) override { return false; }
  bool is_running(int) override { return false; }
  int wait_for(int) override { return -1; }

  std::vector<std::string> programs;
  std::vector<std::string> arguments;
  int answer = 4242;
};

// The main window's fields the audio export reads, with their defaults.
void create_fields(gui::HeadlessGui& gui) {
  gui.open_window(controls::main_window, 0, 0, 800, 600, "Velkart", {});
  gui.create_edit(controls::character_speed_field, {}, "20", {});
  gui.create_edit(controls::effective_speed_field, {}, "5", {});
  gui.create_edit(controls::frequency_field, {}, "650", {});
  gui.create_slider(controls::word_spacing_slider, {}, 0, 10, true);
  gui.create_edit(controls::repetitions_field, {}, "1", {});
  gui.create_edit(controls::qrq_field, {}, "0", {});
  gui.create_edit(controls::base_name_field, {}, "Dateiname", {});
}

EncoderFields defaults() {
  return {"20", "5", "650", 0, "0", "Dateiname"};
}

// ---------------------------------------------------------------------------
// The command line as a pure function

TEST(EncoderArguments, LeaveOutTheEffectiveSpeedWhenItEqualsTheCharacterSpeed) {
  EncoderFields fields = defaults();
  fields.effective_speed = "20";
  EXPECT_EQ(one_per_line(encoder_arguments(fields)).find("-e\n"), std::string::npos);
  // Equal as numbers is enough, although the texts differ.
  fields.character_speed = "5";
  fields.effective_speed = "05";
  EXPECT_EQ(one_per_line(encoder_arguments(fields)).find("-e\n"), std::string::npos);
}

TEST(EncoderArguments, LeaveOutTheEffectiveSpeedWhenItIsZeroButNotWhenItIsDoubleZero) {
  EncoderFields fields = defaults();
  fields.effective_speed = "0";
  EXPECT_EQ(one_per_line(encoder_arguments(fields)).find("-e\n"), std::string::npos);
  fields.effective_speed = "00";
  EXPECT_NE(one_per_line(encoder_arguments(fields)).find("-e\n00\n"), std::string::npos);
}

TEST(EncoderArguments, PassTheTypedTextsUnchanged) {
  EncoderFields fields = defaults();
  fields.character_speed = "018";
  fields.effective_speed = "";
  fields.frequency = "0700";
  const std::string lines = one_per_line(encoder_arguments(fields));
  EXPECT_EQ(lines.rfind("-w\n018\n-e\n\n-f\n0700\n", 0), 0u) << lines;
}

TEST(EncoderArguments, AddTheWordSpacingOnlyWhenTheSliderIsMoved) {
  EncoderFields fields = defaults();
  EXPECT_EQ(one_per_line(encoder_arguments(fields)).find("-W\n"), std::string::npos);
  fields.word_spacing = 10;
  EXPECT_NE(one_per_line(encoder_arguments(fields)).find("-f\n650\n-W\n10\n-q\n"),
            std::string::npos);
}

TEST(EncoderArguments, AddTheQrqIntervalOnlyWhenItIsNotZero) {
  EncoderFields fields = defaults();
  for (const char* constant : {"0", "", "00", "abc"}) {
    fields.qrq = constant;
    EXPECT_EQ(one_per_line(encoder_arguments(fields)).find("-Q\n"), std::string::npos) << constant;
  }
  fields.qrq = "3";
  EXPECT_NE(one_per_line(encoder_arguments(fields)).find("-f\n650\n-Q\n3\n-q\n"),
            std::string::npos);
}

TEST(EncoderArguments, KeepABaseNameWithBlanksAndShellCharactersAsOneWord) {
  EncoderFields fields = defaults();
  fields.base_name = "Mein Text; rm -rf $HOME";
  const std::vector<std::string> words = encoder_arguments(fields);
  ASSERT_EQ(words.size(), 17u);
  EXPECT_EQ(words[13], "Mein Text; rm -rf $HOME");
  EXPECT_EQ(words[16], "eure_Texte/Mein Text; rm -rf $HOME");
}

TEST(EncoderArguments, SpellTheOutputPrefixAsTheFilesOnDiskAreNamed) {
  EncoderFields fields = defaults();
  fields.base_name = cp1252("Übung");
  const std::vector<std::string> words = encoder_arguments(fields);
  EXPECT_EQ(words[13],
            "\xDC"
            "bung");  // the title, as the encoder reads its input
  EXPECT_EQ(words[16],
            "eure_Texte/\xC3\x9C"
            "bung");  // the file names, UTF-8 like every path
}

// ---------------------------------------------------------------------------
// The speed check and the encoder text

TEST(CheckSpeeds, LowersOnlyAnEffectiveSpeedAboveTheCharacterSpeed) {
  gui::HeadlessGui gui;
  create_fields(gui);
  const std::pair<const char*, const char*> cases[] = {
      {"25", "20"}, {"021", "20"}, {"5", "5"}, {"20", "20"}, {"020", "020"}, {"", ""}, {"0", "0"}};
  for (const auto& [typed, after] : cases) {
    gui.set_text(controls::effective_speed_field, typed);
    check_speeds(gui);
    EXPECT_EQ(gui.get_text(controls::effective_speed_field), after) << typed;
  }
}

TEST(AddEncoderBlock, RepeatsTheTextAndEndsTheBlockWithAMarker) {
  std::string text;
  add_encoder_block(text, "A", 2);
  add_encoder_block(text, "B", 2);
  add_encoder_block(text, "C", 2);
  EXPECT_EQ(text, "A A <> B B <> C C <> ");
}

TEST(AddEncoderBlock, GivesTheTextOnceForOneZeroAndNegativeCounts) {
  for (std::int64_t repetitions : {1, 0, -3}) {
    std::string text;
    add_encoder_block(text, "CQ DE", repetitions);
    EXPECT_EQ(text, "CQ DE <> ") << repetitions;
  }
  std::string three;
  add_encoder_block(three, "X", 3);
  EXPECT_EQ(three, "X X X <> ");
}

class AudioExport : public ::testing::Test {
 protected:
  AudioExport() {
    folder_.lay_out_program_folders();
    create_fields(gui_);
  }
  std::string input_file() const {
    return read_bytes(folder_.path() / "nicht_loeschen" / "mp3_temp.txt");
  }
  // An encoder in the program's folder that runs `body`.
  void place_encoder(const std::string& body, const char* name = "ebook2cw.exe") const {
    write_script(folder_.path() / "nicht_loeschen" / name, body);
  }

  testing::WorkingFolder folder_;
  gui::HeadlessGui gui_;
  RecordingLauncher launcher_;
};

TEST_F(AudioExport, WritesThreeRepeatedTextsWithTwoMarkersAndAFinalOpenMarker) {
  place_encoder("exit 0\n");
  std::string text;
  for (const char* practice : {"A", "B", "C"}) add_encoder_block(text, practice, 2);
  write_input_and_start_encoder(gui_, text, launcher_);
  EXPECT_EQ(input_file(), "A A <> B B <> C C <\r\n");
}

TEST_F(AudioExport, WritesOneTextWithoutACompleteMarker) {
  place_encoder("exit 0\n");
  std::string text;
  add_encoder_block(text, cp1252("ÄRGER ÖL"), 1);
  write_input_and_start_encoder(gui_, text, launcher_);
  EXPECT_EQ(input_file(), cp1252("ÄRGER ÖL <\r\n"));
}

TEST_F(AudioExport, WritesOnlyTheLineEndWithoutTexts) {
  place_encoder("exit 0\n");
  write_input_and_start_encoder(gui_, "", launcher_);
  EXPECT_EQ(input_file(), "\r\n");
}

TEST_F(AudioExport, ReplacesTheInputOfTheLastRun) {
  place_encoder("exit 0\n");
  write_bytes(folder_.path() / "nicht_loeschen" / "mp3_temp.txt", std::string(9000, 'Z'));
  write_input_and_start_encoder(gui_, "NEU <> ", launcher_);
  EXPECT_EQ(input_file(), "NEU <\r\n");
}

TEST_F(AudioExport, StartsTheEncoderWithTheFieldsReadAtThatMoment) {
  place_encoder("exit 0\n");
  gui_.set_state(controls::word_spacing_slider, 4);
  gui_.set_text(controls::base_name_field, "Lektion");
  EXPECT_EQ(write_input_and_start_encoder(gui_, "X <> ", launcher_), 4242);
  EXPECT_EQ(launcher_.programs, std::vector<std::string>{"nicht_loeschen/ebook2cw.exe"});
  EncoderFields expected = defaults();
  expected.word_spacing = 4;
  expected.base_name = "Lektion";
  EXPECT_EQ(launcher_.arguments, encoder_arguments(expected));
  EXPECT_TRUE(gui_.messages().empty());
}

TEST_F(AudioExport, SaysSoAndGoesOnWhenNoEncoderCanBeFound) {
  const ScopedEnvironment path("PATH", (folder_.path() / "leer").string());
  EXPECT_EQ(write_input_and_start_encoder(gui_, "X <> ", launcher_), 0);
  EXPECT_TRUE(launcher_.programs.empty());
  EXPECT_EQ(gui_.messages(), std::vector<gui::RecordedMessage>{encoder_missing});
  EXPECT_EQ(input_file(), "X <\r\n");
}

TEST_F(AudioExport, SaysSoWhenTheEncoderCannotBeStarted) {
  place_encoder("exit 0\n");
  launcher_.answer = 0;
  EXPECT_EQ(write_input_and_start_encoder(gui_, "X <> ", launcher_), 0);
  EXPECT_EQ(gui_.messages(), std::vector<gui::RecordedMessage>{encoder_missing});
}

TEST_F(AudioExport, StillStartsTheEncoderWhenTheInputFileCannotBeCreated) {
  fs::remove_all(folder_.path() / "nicht_loeschen");
  const fs::path bin = folder_.path() / "bin";
  fs::create_directory(bin);
  write_script(bin / "ebook2cw", "exit 0\n");
  const ScopedEnvironment path("PATH", bin.string());
  EXPECT_EQ(write_input_and_start_encoder(gui_, "X <> ", launcher_), 4242);
  EXPECT_EQ(gui_.messages(), std::vector<gui::RecordedMessage>{not_created});
  EXPECT_EQ(launcher_.programs, std::vector<std::string>{"ebook2cw"});
}

// ---------------------------------------------------------------------------
// Which encoder is started

TEST_F(AudioExport, PrefersTheEncoderInTheProgramFolder) {
  place_encoder("exit 0\n", "ebook2cw.exe");
  place_encoder("exit 0\n", "ebook2cw");
  EXPECT_EQ(find_encoder(), "nicht_loeschen/ebook2cw.exe");
}

TEST_F(AudioExport, PassesOverAnEncoderThatIsNotExecutable) {
  write_bytes(folder_.path() / "nicht_loeschen" / "ebook2cw.exe", "#!/bin/sh\n");
  place_encoder("exit 0\n", "ebook2cw");
  EXPECT_EQ(find_encoder(), "nicht_loeschen/ebook2cw");
}

TEST_F(AudioExport, PassesOverAWindowsEncoderEvenWithTheExecuteBit) {
  const fs::path windows_program = folder_.path() / "nicht_loeschen" / "ebook2cw.exe";
  write_bytes(windows_program, std::string("MZ\x90\0\3\0\0\0", 8));
  fs::permissions(windows_program, fs::perms::owner_all);
  const fs::path bin = folder_.path() / "bin";
  fs::create_directory(bin);
  write_script(bin / "ebook2cw", "exit 0\n");
  const ScopedEnvironment path("PATH", bin.string());
  EXPECT_EQ(find_encoder(), "ebook2cw");
}

TEST_F(AudioExport, FindsNoEncoderWhenThereIsNoneAnywhere) {
  fs::create_directory(folder_.path() / "nicht_loeschen" / "ebook2cw");  // a folder is no program
  const ScopedEnvironment path("PATH", "/nonexistent:" + (folder_.path() / "leer").string());
  EXPECT_EQ(find_encoder(), "");
}

// ---------------------------------------------------------------------------
// The examples of the command line, each with its golden words

struct Example {
  const char* golden;
  void (*set_fields)(gui::HeadlessGui&);
};
const Example examples[] = {
    {"encoder/defaults.txt", [](gui::HeadlessGui&) {}},
    {"encoder/slider_3_qrq_2.txt",
     [](gui::HeadlessGui& gui) {
       gui.set_state(controls::word_spacing_slider, 3);
       gui.set_text(controls::qrq_field, "2");
       gui.set_text(controls::effective_speed_field, "20");
     }},
    {"encoder/effective_25_over_20.txt",
     [](gui::HeadlessGui& gui) { gui.set_text(controls::effective_speed_field, "25"); }},
    {"encoder/effective_05_character_5.txt",
     [](gui::HeadlessGui& gui) {
       gui.set_text(controls::character_speed_field, "5");
       gui.set_text(controls::effective_speed_field, "05");
     }},
    {"encoder/effective_0.txt",
     [](gui::HeadlessGui& gui) { gui.set_text(controls::effective_speed_field, "0"); }},
    {"encoder/base_name_with_blank.txt",
     [](gui::HeadlessGui& gui) { gui.set_text(controls::base_name_field, "Mein Text"); }},
};

TEST(EncoderArguments, MatchTheGoldenWordsOfEachExample) {
  for (const Example& example : examples) {
    SCOPED_TRACE(example.golden);
    gui::HeadlessGui gui;
    create_fields(gui);
    example.set_fields(gui);
    check_speeds(gui);
    testing::expect_matches_golden(one_per_line(encoder_arguments(read_encoder_fields(gui))),
                                   example.golden);
  }
}

// A recording encoder started for real: what it receives is what ebook2cw would.
class RecordedEncoder : public AudioExport {
 protected:
  RecordedEncoder() {
    place_encoder("for word in \"$@\"; do printf '%s\\n' \"$word\"; done > argv.txt\n");
  }
  // Runs the export as a generation run does and waits for the encoder (the
  // program itself never waits).
  std::string recorded_words() {
    check_speeds(gui_);
    runtime::Launcher& launcher = runtime::system_launcher();
    const int pid = write_input_and_start_encoder(gui_, "TEST <> ", launcher);
    EXPECT_NE(pid, 0);
    EXPECT_EQ(launcher.wait_for(pid), 0);
    return read_bytes(folder_.path() / "argv.txt");
  }
};

TEST_F(RecordedEncoder, ReceivesTheGoldenWordsOfEachExample) {
  for (const Example& example : examples) {
    SCOPED_TRACE(example.golden);
    create_fields(gui_);
    example.set_fields(gui_);
    testing::expect_matches_golden(recorded_words(), example.golden);
  }
}

TEST_F(RecordedEncoder, NeverRunsWhatTheBaseNameContains) {
  gui_.set_text(controls::base_name_field, "x; touch gehackt `touch gehackt2` $(touch gehackt3)");
  const std::string words = recorded_words();
  EXPECT_NE(words.find("\nx; touch gehackt `touch gehackt2` $(touch gehackt3)\n"),
            std::string::npos);
  for (const char* trace : {"gehackt", "gehackt2", "gehackt3"})
    EXPECT_FALSE(fs::exists(folder_.path() / trace));
}

// ---------------------------------------------------------------------------
// Starting programs: never waiting, nothing inherited, no zombies

class SystemLauncher : public ::testing::Test {
 protected:
  runtime::Launcher& launcher_ = runtime::system_launcher();
  testing::WorkingFolder folder_;
};

bool zombie_or_alive(int pid) {
  return fs::exists("/proc/" + std::to_string(pid));
}

TEST_F(SystemLauncher, ReturnsAtOnceWhileTheProgramHangs) {
  write_script(folder_.path() / "haengt", "exec sleep 30\n");
  const auto started = std::chrono::steady_clock::now();
  const int pid = launcher_.start_program("./haengt", {});
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(launcher_.is_running(pid));
  // A session of its own: the terminal's Ctrl-C or hang-up does not reach it.
  EXPECT_EQ(::getsid(pid), pid);
  ::kill(pid, SIGKILL);
  EXPECT_EQ(launcher_.wait_for(pid), 128 + SIGKILL);
  EXPECT_FALSE(launcher_.is_running(pid));
  EXPECT_FALSE(zombie_or_alive(pid));
}

TEST_F(SystemLauncher, ReapsAFinishedProgramWithoutBeingAskedToWait) {
  write_script(folder_.path() / "fehler", "exit 3\n");
  const int pid = launcher_.start_program("./fehler", {});
  ASSERT_GT(pid, 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (launcher_.is_running(pid) && std::chrono::steady_clock::now() < deadline) ::usleep(10000);
  EXPECT_FALSE(launcher_.is_running(pid));
  EXPECT_FALSE(zombie_or_alive(pid));
  EXPECT_EQ(launcher_.wait_for(pid), 3);
}

TEST_F(SystemLauncher, ReportsAProgramThatCannotBeStarted) {
  write_bytes(folder_.path() / "nicht_ausfuehrbar", "#!/bin/sh\nexit 0\n");
  EXPECT_EQ(launcher_.start_program("./nicht_ausfuehrbar", {}), 0);
  EXPECT_EQ(launcher_.start_program("./gibt_es_nicht", {}), 0);
  EXPECT_EQ(launcher_.start_program("velkart-gibt-es-nirgends", {}), 0);
  EXPECT_EQ(launcher_.start_program("", {}), 0);
  EXPECT_EQ(launcher_.wait_for(999999), -1);
}

TEST_F(SystemLauncher, PassesEachArgumentAsOneWordWithoutAShell) {
  write_script(folder_.path() / "zeigt",
               "for word in \"$@\"; do printf '[%s]' \"$word\"; done > worte.txt\n");
  const int pid = launcher_.start_program("./zeigt", {"a b", "", "*", "$(touch boese)", "\xDC"});
  ASSERT_GT(pid, 0);
  EXPECT_EQ(launcher_.wait_for(pid), 0);
  EXPECT_EQ(read_bytes(folder_.path() / "worte.txt"), "[a b][][*][$(touch boese)][\xDC]");
  EXPECT_FALSE(fs::exists(folder_.path() / "boese"));
}

TEST_F(SystemLauncher, LetsTheProgramInheritNoOpenFiles) {
  // A descriptor opened without close-on-exec, as a careless library might.
  const int opened = ::open("/dev/null", O_RDONLY);
  const int stray = ::dup2(opened, 57);
  ::close(opened);
  ASSERT_EQ(stray, 57);
  write_script(folder_.path() / "offen",
               "if [ -e /proc/$$/fd/57 ]; then echo geerbt; else echo frei; fi > fd.txt\n");
  const int pid = launcher_.start_program("./offen", {});
  ::close(stray);
  ASSERT_GT(pid, 0);
  EXPECT_EQ(launcher_.wait_for(pid), 0);
  EXPECT_EQ(read_bytes(folder_.path() / "fd.txt"), "frei\n");
}

TEST_F(SystemLauncher, HandsAnExistingDocumentToXdgOpen) {
  const fs::path bin = folder_.path() / "bin";
  fs::create_directory(bin);
  write_script(bin / "xdg-open",
               "printf '%s' \"$1\" > " + (folder_.path() / "geoeffnet.txt").string() + "\n");
  const ScopedEnvironment path("PATH", bin.string() + ":/usr/bin:/bin");
  write_bytes(folder_.path() / "hilfe.pdf", "%PDF-1.5\n");
  EXPECT_TRUE(launcher_.open_document("hilfe.pdf"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(folder_.path() / "geoeffnet.txt") &&
         std::chrono::steady_clock::now() < deadline) {
    ::usleep(10000);
  }
  ::usleep(50000);
  EXPECT_EQ(read_bytes(folder_.path() / "geoeffnet.txt"), "hilfe.pdf");
}

TEST_F(SystemLauncher, OpensNoDocumentThatIsNotThere) {
  EXPECT_FALSE(launcher_.open_document("hilfe.pdf"));
  fs::create_directory(folder_.path() / "ordner.pdf");
  EXPECT_FALSE(launcher_.open_document("ordner.pdf"));
}

// ---------------------------------------------------------------------------
// The real encoder

bool installed(const char* program) {
  const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

double duration_of(const fs::path& mp3) {
  const std::string command = "soxi -D '" + mp3.string() + "' 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[64] = {};
  const bool got = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
  ::pclose(pipe);
  return got ? std::strtod(buffer, nullptr) : -1;
}

class RealEncoder : public AudioExport {
 protected:
  void SetUp() override {
    if (!installed("ebook2cw") || !installed("soxi"))
      GTEST_SKIP() << "ebook2cw or soxi is not installed";
  }
  // Two texts at 20 WpM without a slower effective speed: PARIS is the
  // standard word of 50 dot lengths, 3 seconds at 20 WpM.
  void run_two_texts() {
    gui_.set_text(controls::effective_speed_field, "20");
    std::string text;
    add_encoder_block(text, "PARIS PARIS", 1);
    add_encoder_block(text, "PARIS PARIS", 2);
    check_speeds(gui_);
    runtime::Launcher& launcher = runtime::system_launcher();
    const int pid = write_input_and_start_encoder(gui_, text, launcher);
    ASSERT_NE(pid, 0);
    EXPECT_EQ(launcher.wait_for(pid), 0);
    EXPECT_TRUE(gui_.messages().empty());
  }
  void expect_two_plausible_mp3_files() const {
    const fs::path first = folder_.path() / "eure_Texte" / "Dateiname0000.mp3";
    const fs::path second = folder_.path() / "eure_Texte" / "Dateiname0001.mp3";
    EXPECT_FALSE(fs::exists(folder_.path() / "eure_Texte" / "Dateiname0002.mp3"));
    const double two_words = duration_of(first);
    const double four_words = duration_of(second);
    EXPECT_GT(two_words, 4.0);
    EXPECT_LT(two_words, 10.0);
    EXPECT_GT(four_words, 10.0);
    EXPECT_LT(four_words, 18.0);
  }
};

TEST_F(RealEncoder, TurnsTwoTextsIntoTwoMp3FilesOfPlausibleLength) {
  const fs::path home = folder_.path() / "home";
  fs::create_directory(home);
  const ScopedEnvironment set_home("HOME", home.string());
  run_two_texts();
  expect_two_plausible_mp3_files();
  // ebook2cw keeps its settings there from its first run on.
  EXPECT_TRUE(fs::exists(home / ".ebook2cw" / "ebook2cw.conf"));
}

TEST_F(RealEncoder, StillWritesTheMp3FilesWhenHomeIsNotWritable) {
  // A home below a plain file can never be created, even by root.
  write_bytes(folder_.path() / "datei", "");
  const ScopedEnvironment set_home("HOME", (folder_.path() / "datei" / "home").string());
  run_two_texts();
  expect_two_plausible_mp3_files();
}

TEST_F(RealEncoder, EndsWithAnErrorButLeavesTheProgramAloneWhenTheOutputFolderIsMissing) {
  const fs::path home = folder_.path() / "home";
  fs::create_directory(home);
  const ScopedEnvironment set_home("HOME", home.string());
  fs::remove_all(folder_.path() / "eure_Texte");
  runtime::Launcher& launcher = runtime::system_launcher();
  const int pid = write_input_and_start_encoder(gui_, "PARIS <> ", launcher);
  ASSERT_NE(pid, 0);
  EXPECT_TRUE(gui_.messages().empty());
  EXPECT_EQ(launcher.wait_for(pid), 1);
}

}  // namespace
}  // namespace velkart::generator
