#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/encoding.h"

namespace velkart::testing {

// A fresh folder under the system's temp folder that becomes the current
// working folder for the test, as the program's working folder would be.
// The previous working folder is restored and the folder removed afterwards.
class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Creates nicht_loeschen/, eure_Texte/ and Wortschatz_erweitern/.
  void lay_out_program_folders() const;
  // Copies the shipped word lists into nicht_loeschen/.
  void copy_shipped_word_lists() const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// A path from a UTF-8 literal, the same on every system (a plain char path
// would be read in the ANSI code page on Windows).
std::filesystem::path utf8_path(std::string_view utf8);

std::string read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, std::string_view bytes);

// 10.008 s of MPEG-2 layer III at 16 kHz, 8 kbit/s: 278 frames of 36 bytes.
std::string ten_seconds_of_mp3();

// Path of a file under tests/golden/.
std::filesystem::path golden_path(std::string_view name);

// Compares with a golden file byte for byte. With VELKART_UPDATE_GOLDEN=1 in
// the environment the golden file is rewritten instead (review the diff!).
void expect_matches_golden(std::string_view actual, std::string_view golden_name);

// Byte comparison that reports the first differing offset with hex context.
::testing::AssertionResult same_bytes(std::string_view actual, std::string_view expected);

// Windows-1252 bytes written as a C++ literal are hard to read; tests write
// UTF-8 and convert with the program's own converter.
inline std::string cp1252(std::string_view utf8) {
  return runtime::to_cp1252(utf8);
}

// A shell script with the execute bit.
void write_script(const std::filesystem::path& path, const std::string& body);

}  // namespace velkart::testing
