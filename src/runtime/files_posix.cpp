// The Linux side of the file seam: names on disk are UTF-8 with "/".
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/files_platform.h"

namespace velkart::runtime {

std::string native_path(std::string_view path) {
  std::string with_slashes(path);
  std::replace(with_slashes.begin(), with_slashes.end(), '\\', '/');
  return to_utf8(with_slashes);
}

int open_regular_file(const std::string& native_name, int flags) {
  int fd;
  // Without O_NONBLOCK, opening a FIFO would wait for a writer that never comes.
  do {
    fd = ::open(native_name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::filesystem::file_time_type last_written(const std::filesystem::path& file,
                                             std::error_code& error) {
  return std::filesystem::last_write_time(file, error);
}

namespace platform {

// The name of the file that is really replaced: a link is followed, so the
// file it points to gets the new content and the link stays.
std::string replacement_target(const std::string& native_name) {
  struct stat info {};
  if (::lstat(native_name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return native_name;
  char* resolved = ::realpath(native_name.c_str(), nullptr);
  if (resolved == nullptr) return native_name;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// Whether the target may be replaced: missing, or a regular file we may write.
// A folder of that name, a FIFO or a write-protected file stays untouched.
bool may_replace(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && ::access(target.c_str(), W_OK) == 0;
}

// A fresh temporary file in the target's folder, where rename can put it in
// place. Its name is short, so a target name near the file system's limit
// still gets one.
int create_temporary(const std::string& target, std::string& temporary) {
  static unsigned serial = 0;
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder + ".velkart-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
    int fd;
    do {
      fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0) {
      struct stat replaced {};
      if (::stat(target.c_str(), &replaced) == 0) ::fchmod(fd, replaced.st_mode & 07777);
      return fd;
    }
    if (errno != EEXIST) return fd;
  }
  return -1;
}

bool rename_over(const std::string& temporary, const std::string& target) {
  return ::rename(temporary.c_str(), target.c_str()) == 0;
}

bool sync_file(int descriptor) {
  int synced;
  do {
    synced = ::fsync(descriptor);
  } while (synced != 0 && errno == EINTR);
  return synced == 0;
}

void sync_folder_of(const std::string& native_name) {
  const std::size_t slash = native_name.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : native_name.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot sync a folder; the rename stands all the same
  ::close(fd);
}

void remove_file(const std::string& native_name) {
  ::unlink(native_name.c_str());
}

int own_process() {
  return static_cast<int>(::getpid());
}

bool process_exists(int pid) {
  return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool name_fits(const std::string& native_folder, const std::string& native_name) {
  const long limit = ::pathconf(native_folder.empty() ? "." : native_folder.c_str(), _PC_NAME_MAX);
  return native_name.size() <= static_cast<std::size_t>(limit > 0 ? limit : 255);
}

}  // namespace platform

}  // namespace velkart::runtime
