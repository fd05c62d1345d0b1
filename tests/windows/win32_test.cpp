// The Windows side of the platform seam, under Wine or on Windows: names
// through the wide calls, sharing, the command line, process start.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/run_lock.h"
#include "support/test_support.h"

namespace velkart::runtime {
namespace {

using velkart::testing::cp1252;
namespace disk = velkart::testing;

class Win32 : public ::testing::Test {
 protected:
  void SetUp() override { folder_.lay_out_program_folders(); }
  void TearDown() override { close_all_files(); }
  velkart::testing::WorkingFolder folder_;
};

std::wstring wide(const std::string& utf8) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), length);
  return out;
}

TEST_F(Win32, CommandLineSplitsBackIntoTheSameWords) {
  const std::vector<std::vector<std::string>> cases{
      {"-t", "Kurs 1", "-o", "eure_Texte\\Kurs 1"},
      {"", "a\"b", "ends\\", "two\\\\\"quoted\"", "C:\\a b\\"},
      {cp1252("Übung"), "<>", "\t", "tab\there"},
  };
  for (const auto& words : cases) {
    const std::string line = windows_command_line("nicht_loeschen\\ebook2cw.exe", words);
    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(wide(to_utf8(line)).c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    ASSERT_EQ(count, static_cast<int>(words.size()) + 1) << line;
    EXPECT_EQ(std::wstring(parsed[0]), L"nicht_loeschen\\ebook2cw.exe");
    for (std::size_t k = 0; k < words.size(); ++k) {
      EXPECT_EQ(std::wstring(parsed[k + 1]), wide(to_utf8(words[k]))) << line;
    }
    LocalFree(parsed);
  }
}

TEST_F(Win32, NamesReachTheDiskAsUnicode) {
  ASSERT_TRUE(create_file(1, cp1252("eure_Texte\\Übung €.txt")));
  write_line(1, "x");
  close_file(1);
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(L"eure_Texte\\\u00DCbung \u20AC.txt", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  ASSERT_TRUE(open_for_reading(0, cp1252("eure_Texte/Übung €.txt")));
  EXPECT_EQ(read_line(0), "x");
  EXPECT_TRUE(std::filesystem::exists(file_system_path(cp1252("eure_Texte/Übung €.txt"))));
}

TEST_F(Win32, OpenFilesMayBeReadButNotWrittenByOthers) {
  ASSERT_TRUE(create_file(1, "geteilt.txt"));
  write_line(1, "x");
  // A written file appears whole when it is closed, not before.
  EXPECT_EQ(GetFileAttributesW(L"geteilt.txt"), INVALID_FILE_ATTRIBUTES);
  close_file(1);
  // Binary: the CR LF arrives as written.
  EXPECT_EQ(disk::read_bytes("geteilt.txt"), "x\r\n");
  ASSERT_TRUE(open_for_reading(1, "geteilt.txt"));
  const HANDLE reader =
      CreateFileW(L"geteilt.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  const HANDLE writer =
      CreateFileW(L"geteilt.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  close_file(1);
}

TEST_F(Win32, FilesAreReplacedWholeAndTheRunLockHoldsTheFolder) {
  disk::write_bytes("ziel.txt", "alt");
  EXPECT_TRUE(replace_file(native_path("ziel.txt"), "neu"));
  EXPECT_EQ(disk::read_bytes("ziel.txt"), "neu");
  SetFileAttributesW(L"ziel.txt", FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(replace_file(native_path("ziel.txt"), "x"));
  SetFileAttributesW(L"ziel.txt", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(disk::read_bytes("ziel.txt"), "neu");
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    entries += entry.is_regular_file();
  EXPECT_EQ(entries, 1);  // no temporary file left behind
  {
    const RunLock first;
    EXPECT_FALSE(first.busy());
    const RunLock second;
    EXPECT_TRUE(second.busy());
  }
  const RunLock again;
  EXPECT_FALSE(again.busy());
}

TEST_F(Win32, OnlyWindowsProgramsCountAsRunnable) {
  disk::write_bytes("nicht_loeschen/ebook2cw.exe", "MZ rest");
  disk::write_bytes("nicht_loeschen/ebook2cw", "MZ rest");
  disk::write_bytes("nicht_loeschen/script.exe", "#!/bin/sh");
  EXPECT_TRUE(system_launcher().is_runnable("nicht_loeschen/ebook2cw.exe"));
  EXPECT_TRUE(system_launcher().is_runnable("nicht_loeschen\\ebook2cw.exe"));
  EXPECT_FALSE(system_launcher().is_runnable("nicht_loeschen/ebook2cw"));
  EXPECT_FALSE(system_launcher().is_runnable("nicht_loeschen/script.exe"));
  EXPECT_FALSE(system_launcher().is_runnable("nicht_loeschen"));
  EXPECT_TRUE(system_launcher().is_runnable("cmd"));
  EXPECT_FALSE(system_launcher().is_runnable("velkart-no-such-program"));
}

TEST_F(Win32, StartedProgramsRunAloneAndReportTheirExitCode) {
  Launcher& launcher = system_launcher();
  EXPECT_EQ(launcher.start_program("nicht_loeschen/missing.exe", {}), 0);
  const int pid = launcher.start_program("cmd.exe", {"/c", "exit 3"});
  ASSERT_NE(pid, 0);
  EXPECT_EQ(launcher.wait_for(pid), 3);
  // Environment changes reach the child (the encoder's own home does so).
  const int probe =
      launcher.start_program("cmd.exe", {"/c", "exit %VELKART_PROBE%"}, {{"velkart_probe", "7"}});
  ASSERT_NE(probe, 0);
  EXPECT_EQ(launcher.wait_for(probe), 7);
  // A HOME of its own is also the folder it starts in; a path is found from ours.
  std::filesystem::create_directories("nicht_loeschen");
  const int home =
      launcher.start_program("cmd.exe", {"/c", "cd >ort.txt"}, {{"HOME", "nicht_loeschen"}});
  ASSERT_NE(home, 0);
  EXPECT_EQ(launcher.wait_for(home), 0);
  EXPECT_TRUE(std::filesystem::exists("nicht_loeschen/ort.txt"));
  EXPECT_FALSE(launcher.is_running(pid));
  EXPECT_EQ(launcher.wait_for(pid + 1000000), -1);
  EXPECT_EQ(launcher.open_document("fehlt.pdf"), 0);
  // A cancelled encoder ends at once and is reaped.
  const int busy = launcher.start_program("cmd.exe", {"/c", "for /L %i in (1,1,999999999) do rem"});
  ASSERT_NE(busy, 0);
  EXPECT_TRUE(launcher.is_running(busy));
  launcher.stop(busy);
  EXPECT_FALSE(launcher.is_running(busy));
  EXPECT_EQ(launcher.wait_for(busy), 1);
}

}  // namespace
}  // namespace velkart::runtime
