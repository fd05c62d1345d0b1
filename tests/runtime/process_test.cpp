#include "runtime/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/test_support.h"

namespace velkart::runtime {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::write_bytes;
using testing::write_script;

// Sets an environment variable for one test and puts the old value back.
struct ScopedEnvironment {
  ScopedEnvironment(const char* name, const std::string& value) : name(name) {
    if (const char* was = std::getenv(name)) old = was;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() { old ? ::setenv(name, old->c_str(), 1) : ::unsetenv(name); }
  const char* name;
  std::optional<std::string> old;
};

// Waits up to ten seconds for something a started program does.
template <typename Done>
void wait_until(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < deadline) ::usleep(10000);
}

class SystemLauncher : public ::testing::Test {
 protected:
  runtime::Launcher& launcher = runtime::system_launcher();
  testing::WorkingFolder folder;
};

TEST_F(SystemLauncher, ReturnsAtOnceReapsFinishedProgramsAndGivesZeroForOnesThatCannotStart) {
  write_script("haengt", "exec sleep 30\n");
  write_script("fehler", "exit 3\n");
  // Returns at once: had it waited, the hanging program would have ended below.
  const int hanging = launcher.start_program("./haengt", {});
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

// A program we do not wait for writes into its own file and reads nothing:
// no pipe of ours stays open until it ends.
TEST_F(SystemLauncher, AProgramWithAnOutputOfItsOwnHoldsNoneOfOurStreams) {
  write_script("spricht", "echo aus; echo fehler >&2; [ -e /proc/$$/fd/0 ] && cat >/dev/null\n");
  send_child_output_to_file("eigene Ausgabe.txt");
  const int pid = launcher.start_program("./spricht", {});
  send_child_output_to_file("");
  ASSERT_GT(pid, 0);
  EXPECT_EQ(launcher.wait_for(pid), 0);
  EXPECT_EQ(read_bytes("eigene Ausgabe.txt"), "aus\nfehler\n");
}

TEST_F(SystemLauncher, RunsOnlyExecutableFilesThatAreNoWindowsProgramAndOpensOnlyWhatExists) {
  write_script("skript", "exit 0\n");
  write_bytes("text", "#!/bin/sh\n");
  write_bytes("windows.exe", std::string("MZ\x90\0\3\0\0\0", 8));
  fs::permissions("windows.exe", fs::perms::owner_all);
  fs::create_directories("bin/ordner");
  write_script("bin/auf_dem_pfad", "exit 0\n");
  const ScopedEnvironment path("PATH", "/nonexistent:" + (folder.path() / "bin").string());
  for (const char* program : {"./skript", "skript", "auf_dem_pfad", "bin/auf_dem_pfad"})
    EXPECT_EQ(launcher.is_runnable(program), std::string_view(program) != "skript") << program;
  for (const char* program : {"./text", "./windows.exe", "bin/ordner", "ordner", "./fehlt", ""})
    EXPECT_FALSE(launcher.is_runnable(program)) << program;
  // A missing document is not handed to the opener; the opener's argument
  // and verdict are checked on the desktop by the end-to-end test.
  EXPECT_EQ(launcher.open_document("fehlt.pdf"), 0);
}

}  // namespace
}  // namespace velkart::runtime
