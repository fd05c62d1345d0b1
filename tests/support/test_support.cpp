#include "support/test_support.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <random>
#include <sstream>

namespace velkart::testing {

namespace fs = std::filesystem;

WorkingFolder::WorkingFolder() : previous_(fs::current_path()) {
  std::random_device seed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() /
                         ("velkart-test-" + std::to_string(seed()) + std::to_string(attempt));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      break;
    }
  }
  if (path_.empty()) throw std::runtime_error("no temporary folder");
  fs::current_path(path_);
#ifndef _WIN32
  // What a test moves to the trash stays in its own folder, not the user's.
  ::setenv("XDG_DATA_HOME", (path_ / "Daten").c_str(), 1);
#endif
}

WorkingFolder::~WorkingFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  // Read-only files left by a test must not stop the clean-up.
  for (auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

void WorkingFolder::lay_out_program_folders() const {
  fs::create_directories(path_ / "nicht_loeschen");
  fs::create_directories(path_ / "eure_Texte");
  fs::create_directories(path_ / "Wortschatz_erweitern");
}

void WorkingFolder::copy_shipped_word_lists() const {
  lay_out_program_folders();
  for (const char* name : {"eigeneDatei.txt", "de_AllgemAfuTechnik.txt", "en1000.txt",
                           "Qgruppe.txt", "CWabkuerzungen.txt"}) {
    fs::copy_file(fs::path(VELKART_SOURCE_DIR) / "data" / "wordlists" / name,
                  path_ / "nicht_loeschen" / name, fs::copy_options::overwrite_existing);
  }
}

fs::path utf8_path(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_bytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

fs::path golden_path(std::string_view name) {
  return fs::path(VELKART_SOURCE_DIR) / "tests" / "golden" / std::string(name);
}

::testing::AssertionResult same_bytes(std::string_view actual, std::string_view expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const std::size_t offset = static_cast<std::size_t>(at.first - actual.begin());
  const auto around = [offset](std::string_view bytes) {  // 16 bytes from 8 before, in hex
    std::ostringstream out;
    for (std::size_t i = offset >= 8 ? offset - 8 : 0; i < bytes.size() && i < offset + 8; ++i)
      out << (i == offset ? "[" : "") << std::hex << std::setw(2) << std::setfill('0')
          << (static_cast<unsigned>(bytes[i]) & 0xFF) << (i == offset ? "] " : " ");
    return out.str();
  };
  return ::testing::AssertionFailure()
         << "first difference at offset " << offset << " (sizes " << actual.size() << " and "
         << expected.size() << ")\n  actual:   " << around(actual)
         << "\n  expected: " << around(expected);
}

void expect_matches_golden(std::string_view actual, std::string_view golden_name) {
  const fs::path path = golden_path(golden_name);
  const char* update = std::getenv("VELKART_UPDATE_GOLDEN");
  if (update != nullptr && std::string_view(update) == "1") {
    fs::create_directories(path.parent_path());
    write_bytes(path, actual);
    return;
  }
  ASSERT_TRUE(fs::exists(path)) << "golden file missing: " << path;
  EXPECT_TRUE(same_bytes(actual, read_bytes(path))) << "golden file: " << path;
}

void write_script(const fs::path& path, const std::string& body) {
  write_bytes(path, "#!/bin/sh\n" + body);
  fs::permissions(path, fs::perms::owner_all);
}

std::string ten_seconds_of_mp3() {
  std::string frame("\xFF\xF3\x18\xC4", 4);
  frame.resize(36, '\0');
  std::string data = "ID3\x03" + std::string(5, '\0') + "\x02" + "xx";
  for (int k = 0; k < 278; ++k) data += frame;
  return data;
}

}  // namespace velkart::testing
