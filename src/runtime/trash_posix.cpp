#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/trash.h"

namespace velkart::runtime {

namespace {

namespace fs = std::filesystem;

// A folder of ours in a trash: made when missing, never a link.
bool private_folder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool trash_folders(const std::string& trash) {
  return private_folder(trash) && private_folder(trash + "/files") &&
         private_folder(trash + "/info");
}

std::optional<dev_t> device_of(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_dev;
}

// The home trash, when it lies on the file's file system.
std::optional<std::string> home_trash(dev_t device) {
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
    data = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    data = std::string(home) + "/.local/share";
  } else {
    return std::nullopt;
  }
  std::error_code failed;
  fs::create_directories(data, failed);
  const std::string trash = data + "/Trash";
  if (!trash_folders(trash) || device_of(trash) != device) return std::nullopt;
  return trash;
}

// The trash at the top of the file's file system: $top/.Trash/UID when an
// administrator made $top/.Trash (a sticky folder, no link), else $top/.Trash-UID.
std::optional<std::string> top_trash(const fs::path& file, dev_t device, std::string& top) {
  fs::path at = file.parent_path();
  while (at.has_parent_path() && at != at.parent_path() &&
         device_of(at.parent_path().string()) == device)
    at = at.parent_path();
  top = at.string();
  const std::string uid = std::to_string(::getuid());
  struct stat shared {};
  const std::string shared_trash = top + "/.Trash";
  if (::lstat(shared_trash.c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
      (shared.st_mode & S_ISVTX) != 0 && trash_folders(shared_trash + "/" + uid))
    return shared_trash + "/" + uid;
  const std::string own = top + "/.Trash-" + uid;
  if (trash_folders(own)) return own;
  return std::nullopt;
}

// The path as a URL path: bytes outside the unreserved characters escaped.
std::string escaped(std::string_view path) {
  static constexpr std::string_view keep = "-_.!~*'()/";
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || keep.find(c) != std::string_view::npos) {
      out += c;
    } else {
      out += '%';
      out += hex[byte >> 4];
      out += hex[byte & 15];
    }
  }
  return out;
}

std::string deletion_date() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

}  // namespace

bool move_to_trash(std::string_view path) {
  const std::string native = native_path(path);
  std::error_code failed;
  const fs::path file = fs::absolute(native, failed).lexically_normal();
  const std::optional<dev_t> device = device_of(native);
  if (failed || !device) return false;
  std::string top;
  std::optional<std::string> trash = home_trash(*device);
  std::string recorded = file.string();
  if (!trash) {
    trash = top_trash(file, *device, top);
    if (!trash) return false;
    recorded = file.lexically_relative(top).string();
  }
  const std::string info =
      "[Trash Info]\nPath=" + escaped(recorded) + "\nDeletionDate=" + deletion_date() + "\n";
  const std::string name = file.filename().string();
  for (int attempt = 1; attempt <= 1000; ++attempt) {
    const std::string entry = attempt == 1 ? name : name + "." + std::to_string(attempt);
    const std::string info_path = *trash + "/info/" + entry + ".trashinfo";
    // The info file, made exclusively, reserves the name.
    const int fd = ::open(info_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    const bool written = write_all(fd, info) && ::close(fd) == 0;
    const std::string target = *trash + "/files/" + entry;
    struct stat taken {};
    if (written && ::lstat(target.c_str(), &taken) != 0 &&
        ::rename(native.c_str(), target.c_str()) == 0)
      return true;
    ::unlink(info_path.c_str());
    if (!written || ::lstat(target.c_str(), &taken) != 0) return false;
  }
  return false;
}

}  // namespace velkart::runtime
