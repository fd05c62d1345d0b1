#pragma once
// Shared by the fuzz targets: a scratch file for targets that read through
// the file layer, and a check that stops the run as a finding.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace velkart::fuzz {

inline std::string_view bytes_of(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline void check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

// A fresh folder in memory (or under the temp folder), one per process.
inline const std::string& scratch_folder() {
  static const std::string folder = [] {
    std::string name = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/velkart-fuzz-XXXXXX"
                                                       : "/tmp/velkart-fuzz-XXXXXX";
    check(::mkdtemp(name.data()) != nullptr, "no scratch folder");
    return name;
  }();
  // Registered once the name exists: it is removed before the name goes.
  static const bool removed_at_exit = std::atexit([] { std::filesystem::remove_all(folder); }) == 0;
  (void)removed_at_exit;
  return folder;
}

// A file in it that holds the input, rewritten for every input.
inline std::string scratch_file(std::string_view bytes) {
  const std::string path = scratch_folder() + "/input";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  check(fd >= 0 && runtime::write_all(fd, bytes) && ::close(fd) == 0, "scratch file not written");
  return path;
}

}  // namespace velkart::fuzz
