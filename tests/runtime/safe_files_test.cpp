// Files are replaced whole or not at all, inputs that are no regular files
// never block, and the run lock outlives the run in its encoders.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/run_lock.h"
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

TEST_F(SafeFiles, ALinkKeepsPointingAtTheReplacedFile) {
  disk::write_bytes("real.txt", "old");
  fs::create_symlink("real.txt", "link.txt");
  ASSERT_TRUE(replace_file("link.txt", "new"));
  EXPECT_TRUE(fs::is_symlink("link.txt"));
  EXPECT_EQ(disk::read_bytes("real.txt"), "new");
}

TEST_F(SafeFiles, NamesMustStayInTheirFolderAndFitTheFileSystem) {
  EXPECT_TRUE(plain_file_name(disk::cp1252("Übung 1")));
  for (std::string_view bad : {"../x", "a\\b", "a:b", "a|b", "a<b", "tab\t"})
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

}  // namespace
}  // namespace velkart::runtime
