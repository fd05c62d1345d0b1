// The file slots; files are replaced whole or not at all, inputs that are no
// regular files never block, the run lock outlives the run in its encoders,
// the freedesktop.org trash keeps a file with its old place and time; and the
// system launcher starts programs alone, without a shell and without our files.
#include "runtime/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "runtime/process.h"
#include "runtime/run_lock.h"
#include "runtime/trash.h"
#include "support/test_support.h"

namespace velkart::runtime {
namespace {

namespace fs = std::filesystem;
namespace disk = velkart::testing;

class SafeFiles : public ::testing::Test {
 protected:
  velkart::testing::WorkingFolder folder;
  void TearDown() override {
    fail_file_operation(0);
    close_all_files();
  }
  // Only the target is left in the folder: no temporary file stays behind.
  static void expect_only(const std::string& name, std::string_view content) {
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(".")) ++entries;
    EXPECT_EQ(entries, 1u);
    EXPECT_EQ(disk::read_bytes(name), content);
  }
};

using Files = SafeFiles;

TEST_F(Files, WriteLineEndsWithCrLfAndTheLengthCountsBufferedWrites) {
  ASSERT_TRUE(create_file(1, "b.txt"));
  EXPECT_EQ(write_line(1, ""), 2);
  EXPECT_EQ(write_line(1, "12345678"), 10);
  EXPECT_EQ(file_length(1), 12);
  const std::string big(file_buffer_size * 3 + 5, 'z');
  write_bytes(1, big);
  EXPECT_EQ(file_length(1), static_cast<std::int64_t>(12 + big.size()));
  ASSERT_TRUE(create_file(1, "second.txt"));  // reopening the slot closes b.txt first
  close_file(1);
  EXPECT_EQ(disk::read_bytes("b.txt"), "\r\n12345678\r\n" + big);
}

TEST_F(Files, CreateFileTruncatesAndAnySlotTakesAFreeOne) {
  disk::write_bytes("x.txt", std::string(100, 'x'));
  const int created = create_file(any_slot, "x.txt");
  ASSERT_NE(created, 0);
  EXPECT_EQ(file_length(created), 0);
  const int reading = open_for_reading(any_slot, "x.txt");
  EXPECT_NE(reading, 0);
  EXPECT_NE(reading, created);
  close_file(created);
  EXPECT_EQ(fs::file_size("x.txt"), 0u);
}

TEST_F(Files, OpeningFailsWithoutTouchingAnything) {
  EXPECT_EQ(open_for_reading(0, "missing.txt"), 0);
  EXPECT_EQ(open_for_reading(0, ""), 0);
  EXPECT_EQ(create_file(1, "no_such_folder/a.txt"), 0);
  EXPECT_FALSE(fs::exists("no_such_folder"));
  EXPECT_EQ(write_line(1, "lost"), 0);
  // Line ends are replayed against a plain split by the read_line fuzz target.
  EXPECT_EQ(read_line(7), "");
  EXPECT_TRUE(at_end_of_file(7));
}

TEST_F(Files, WriteProtectedFileCannotBeCreated) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write anything";
  disk::write_bytes("ro.txt", "old");
  ::chmod("ro.txt", 0444);
  EXPECT_EQ(create_file(1, "ro.txt"), 0);
  EXPECT_EQ(disk::read_bytes("ro.txt"), "old");
}

TEST_F(Files, ReadBytesReadsLargeFilesWhole) {
  std::string content;
  for (int k = 0; k < 300000; ++k) content.push_back(static_cast<char>('a' + k % 26));
  disk::write_bytes("big.txt", content);
  ASSERT_TRUE(open_for_reading(0, "big.txt"));
  std::string back(content.size() + 10, '\0');
  // A small read leaves look-ahead in the buffer; the large one must use it first.
  EXPECT_EQ(read_bytes(0, back.data(), 10), 10);
  EXPECT_EQ(read_bytes(0, back.data() + 10, static_cast<std::int64_t>(back.size()) - 10),
            static_cast<std::int64_t>(content.size()) - 10);
  back.resize(content.size());
  EXPECT_EQ(back, content);
  close_file(0);
}

TEST_F(SafeFiles, EveryFailedWriteCloseOrRenameKeepsTheOldContent) {
  // Longer than the transfer buffer, so the slot writes more than once.
  const std::string text(3 * file_buffer_size, 'x');
  const auto replace_through_slot = [&text] {
    if (!create_file(1, "f.txt")) return false;
    write_line(1, text);
    return close_file(1);
  };
  const auto replace_whole = [&text] { return replace_file("f.txt", text); };
  for (const auto& replace :
       {std::function<bool()>(replace_through_slot), std::function<bool()>(replace_whole)}) {
    disk::write_bytes("f.txt", "old");
    fail_file_operation(0);
    ASSERT_TRUE(replace());
    const std::int64_t operations = file_operations_counted();
    EXPECT_GE(operations, 3);
    const std::string complete = disk::read_bytes("f.txt");
    EXPECT_TRUE(complete == text || complete == text + "\r\n");
    for (std::int64_t k = 1; k <= operations; ++k) {
      disk::write_bytes("f.txt", "old");
      fail_file_operation(k);
      EXPECT_FALSE(replace()) << k;
      expect_only("f.txt", "old");
    }
  }
}

TEST_F(SafeFiles, FoldersAndSpecialFilesAreNeitherReadNorReplaced) {
  fs::create_directory("folder");
  ASSERT_EQ(::mkfifo("fifo", 0666), 0);
  fs::create_symlink("/dev/zero", "zero");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, "socket");
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  for (const char* name : {"folder", "fifo", "zero", "socket"}) {
    EXPECT_EQ(open_for_reading(0, name), 0) << name;  // returns at once, reads nothing
    EXPECT_EQ(create_file(1, name), 0) << name;
    EXPECT_FALSE(replace_file(name, "new")) << name;
  }
  ::close(sock);
  EXPECT_TRUE(fs::is_fifo("fifo"));
  EXPECT_TRUE(fs::is_symlink("zero"));
}

// A replacement changes the content, nothing else: the link stays a link,
// and a private file stays private.
TEST_F(SafeFiles, ALinkAndThePermissionsOfTheReplacedFileStay) {
  disk::write_bytes("real.txt", "old");
  fs::permissions("real.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real.txt", "link.txt");
  ASSERT_TRUE(replace_file("link.txt", "new"));
  EXPECT_TRUE(fs::is_symlink("link.txt"));
  EXPECT_EQ(disk::read_bytes("real.txt"), "new");
  EXPECT_EQ(fs::status("real.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeFiles, NamesMustStayInTheirFolderAndFitTheFileSystem) {
  for (std::string_view good : {"", "Kurs 1", "\x80", "-3_a.b"}) EXPECT_TRUE(plain_file_name(good));
  EXPECT_TRUE(plain_file_name(disk::cp1252("Übung 1")));
  for (std::string_view bad :
       {"../x", "a/b", "a\\b", "a:b", "a*", "a?", "a\"", "a<", "a>", "a|", "tab\t", "\x7f"})
    EXPECT_FALSE(plain_file_name(bad)) << bad;
  EXPECT_TRUE(name_fits(".", std::string(255, 'a')));
  EXPECT_FALSE(name_fits(".", std::string(256, 'a')));
  // On disk "Ü" takes two bytes.
  EXPECT_FALSE(name_fits(".", std::string(128, '\xDC')));
}

TEST_F(SafeFiles, TheRunLockLivesAsLongAsTheProgramsStartedUnderIt) {
  fs::create_directory("nicht_loeschen");
  int child = 0;
  {
    const RunLock run;
    ASSERT_FALSE(run.busy());
    EXPECT_TRUE(RunLock().busy());
    child = system_launcher().start_program("sleep", {"600"});
    ASSERT_NE(child, 0);
  }
  EXPECT_TRUE(RunLock().busy());
  ::kill(child, SIGTERM);
  system_launcher().wait_for(child);
  EXPECT_FALSE(RunLock().busy());
  // Programs started without a run hold nothing.
  child = system_launcher().start_program("sleep", {"600"});
  EXPECT_FALSE(RunLock().busy());
  ::kill(child, SIGTERM);
  system_launcher().wait_for(child);
}

// Any desktop's trash can gets the file back from there.
TEST_F(SafeFiles, TheTrashKeepsEachFileWithItsPlaceUnderANameOfItsOwn) {
  const fs::path trash = folder.path() / "Daten" / "Trash";  // XDG_DATA_HOME is the folder's Daten/
  fs::create_directory("eure_Texte");
  for (const char* content : {"erste", "zweite"}) {
    disk::write_bytes("eure_Texte/Kurs 0002_.txt", content);
    ASSERT_TRUE(move_to_trash("eure_Texte/Kurs 0002_.txt"));
    EXPECT_FALSE(fs::exists("eure_Texte/Kurs 0002_.txt"));
  }
  EXPECT_EQ(disk::read_bytes(trash / "files" / "Kurs 0002_.txt"), "erste");
  EXPECT_EQ(disk::read_bytes(trash / "files" / "Kurs 0002_.txt.2"), "zweite");
  const std::string info = disk::read_bytes(trash / "info" / "Kurs 0002_.txt.2.trashinfo");
  EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + folder.path().string() +
                               "/eure_Texte/Kurs%200002_.txt\nDeletionDate=20"))
      << info;
  EXPECT_FALSE(move_to_trash("eure_Texte/fehlt.txt"));
}

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

class SystemLauncher : public ::testing::Test {
 protected:
  runtime::Launcher& launcher = runtime::system_launcher();
  testing::WorkingFolder folder;
};

TEST_F(SystemLauncher, ReturnsAtOnceReapsFinishedProgramsAndGivesZeroForOnesThatCannotStart) {
  disk::write_script("haengt", "exec sleep 30\n");
  disk::write_script("fehler", "exit 3\n");
  // Returns at once: had it waited, the hanging program would have ended below.
  const int hanging = launcher.start_program("./haengt", {});
  const int failing = launcher.start_program("./fehler", {});
  ASSERT_GT(hanging, 0);
  ASSERT_GT(failing, 0);
  EXPECT_EQ(::getsid(hanging), hanging);  // a session of its own: no Ctrl-C or hang-up reaches it
  for (int wait = 0; wait < 1000 && launcher.is_running(failing); ++wait) ::usleep(10000);
  EXPECT_TRUE(launcher.is_running(hanging));
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(failing)));  // reaped unasked: no zombie
  EXPECT_EQ(launcher.wait_for(failing), 3);
  ::kill(hanging, SIGKILL);
  EXPECT_EQ(launcher.wait_for(hanging), 128 + SIGKILL);
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(hanging)));
  EXPECT_EQ(launcher.wait_for(999999), -1);
  disk::write_bytes("nicht_ausfuehrbar", "#!/bin/sh\nexit 0\n");
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
  disk::write_script(
      "zeigt",
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
      disk::read_bytes("worte.txt"),
      "[a b][][*][$(touch boese)][x; touch boese2 `touch boese3`][\xDC][eigenes Heim][bleibt]");
  for (const char* trace : {"boese", "boese2", "boese3"}) EXPECT_FALSE(fs::exists(trace)) << trace;
}

// A program we do not wait for writes into its own file and reads nothing:
// no pipe of ours stays open until it ends.
TEST_F(SystemLauncher, AProgramWithAnOutputOfItsOwnHoldsNoneOfOurStreams) {
  disk::write_script("spricht",
                     "echo aus; echo fehler >&2; [ -e /proc/$$/fd/0 ] && cat >/dev/null\n");
  send_child_output_to_file("eigene Ausgabe.txt");
  const int pid = launcher.start_program("./spricht", {});
  send_child_output_to_file("");
  ASSERT_GT(pid, 0);
  EXPECT_EQ(launcher.wait_for(pid), 0);
  EXPECT_EQ(disk::read_bytes("eigene Ausgabe.txt"), "aus\nfehler\n");
}

TEST_F(SystemLauncher, RunsOnlyExecutableFilesThatAreNoWindowsProgramAndOpensOnlyWhatExists) {
  disk::write_script("skript", "exit 0\n");
  disk::write_bytes("text", "#!/bin/sh\n");
  disk::write_bytes("windows.exe", std::string("MZ\x90\0\3\0\0\0", 8));
  fs::permissions("windows.exe", fs::perms::owner_all);
  fs::create_directories("bin/ordner");
  disk::write_script("bin/auf_dem_pfad", "exit 0\n");
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
