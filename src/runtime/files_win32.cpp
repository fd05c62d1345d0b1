// The Windows side of the file seam: the program's Windows-1252 names go
// through our own table to Unicode and reach the system through the wide
// calls, so "Übung" is "Übung" in Explorer whatever the ANSI code page is.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/files_platform.h"
#include "runtime/wide_text.h"

namespace velkart::runtime {

std::wstring wide_from_utf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string utf8_from_wide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(length, 0)), '\0');
  if (length > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  }
  return utf8;
}

std::string native_path(std::string_view path) {
  std::string with_backslashes(path);
  std::replace(with_backslashes.begin(), with_backslashes.end(), '/', '\\');
  return to_utf8(with_backslashes);
}

int open_regular_file(const std::string& native_name, int flags) {
  // Binary: the C runtime would otherwise turn CR LF into LF and stop at
  // Ctrl-Z. Not inherited: an encoder that outlives us must not keep our
  // files open. Others may read what we have open, never write it.
  const std::wstring name = wide_from_utf8(native_name);
  if (name.empty()) return -1;
  int fd = -1;
  if (::_wsopen_s(&fd, name.c_str(), flags | _O_BINARY | _O_NOINHERIT, _SH_DENYWR,
                  _S_IREAD | _S_IWRITE) != 0 ||
      fd < 0) {
    return -1;
  }
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    ::_close(fd);
    return -1;
  }
  return fd;
}

std::filesystem::file_time_type last_written(const std::filesystem::path& file,
                                             std::error_code& error) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) {
    error.assign(static_cast<int>(::GetLastError()), std::system_category());
    return std::filesystem::file_time_type::min();
  }
  error.clear();
  // Ticks of 100 ns since 1601, the system clock's since 1970.
  const std::int64_t ticks =
      (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime;
  constexpr std::int64_t ticks_before_1970 = 116444736000000000;
  const std::chrono::sys_time<std::chrono::nanoseconds> written{
      std::chrono::nanoseconds((ticks - ticks_before_1970) * 100)};
  return std::chrono::file_clock::from_sys(written);
}

namespace platform {

// Windows has no links to follow for our files.
std::string replacement_target(const std::string& native_name) {
  return native_name;
}

bool may_replace(const std::string& target) {
  const DWORD attributes = ::GetFileAttributesW(wide_from_utf8(target).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_READONLY)) == 0;
}

int create_temporary(const std::string& target, std::string& temporary) {
  static unsigned serial = 0;
  const std::size_t separator = target.find_last_of("\\/");
  const std::string folder = separator == std::string::npos ? "" : target.substr(0, separator + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder + ".velkart-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++serial);
    int fd = -1;
    const int failed = ::_wsopen_s(&fd, wide_from_utf8(temporary).c_str(),
                                   _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                   _SH_DENYWR, _S_IREAD | _S_IWRITE);
    if (failed == 0 && fd >= 0) return fd;
    if (failed != EEXIST) return -1;
  }
  return -1;
}

// Replaces the target in one step, and only returns once the new name is on
// the disk: a crash right after cannot leave the old content under it.
bool rename_over(const std::string& temporary, const std::string& target) {
  return ::MoveFileExW(wide_from_utf8(temporary).c_str(), wide_from_utf8(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool sync_file(int descriptor) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
  return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle) != 0;
}

// MOVEFILE_WRITE_THROUGH already waits for the rename to reach the disk.
void sync_folder_of(const std::string&) {}

void remove_file(const std::string& native_name) {
  ::DeleteFileW(wide_from_utf8(native_name).c_str());
}

int own_process() {
  return static_cast<int>(::GetCurrentProcessId());
}

bool process_exists(int pid) {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

// NTFS and FAT take names of up to 255 UTF-16 units.
bool name_fits(const std::string& /*native_folder*/, const std::string& native_name) {
  return wide_from_utf8(native_name).size() <= 255;
}

}  // namespace platform

}  // namespace velkart::runtime
