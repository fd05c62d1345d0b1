#include "runtime/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>

#include "runtime/encoding.h"
#include "runtime/files_platform.h"
#include "runtime/text.h"

namespace velkart::runtime {

namespace {

// The fault-injection hook: the operation number to fail, and the count.
std::int64_t fail_at = 0;
std::int64_t operations = 0;

bool injected_failure() {
  ++operations;
  if (operations != fail_at) return false;
  errno = ENOSPC;
  return true;
}

bool checked_write(int descriptor, std::string_view bytes) {
  return !injected_failure() && write_all(descriptor, bytes);
}

// The bytes reach the disk before the close: a file renamed into place is
// whole even after a power cut.
bool checked_close(int descriptor) {
  const bool failed = injected_failure() || !platform::sync_file(descriptor);
  // Linux releases the descriptor even when close reports an error, so it is
  // never closed twice.
  return ::close(descriptor) == 0 && !failed;
}

bool put_in_place(const std::string& temporary, const std::string& target) {
  if (!injected_failure() && platform::rename_over(temporary, target)) {
    platform::sync_folder_of(target);
    return true;
  }
  platform::remove_file(temporary);
  return false;
}

// One open file: the descriptor and its transfer buffer, which holds either
// bytes read ahead or bytes waiting to be written, never both. A file being
// created writes into `temporary` until it is put in place as `target`.
struct OpenFile {
  int fd = -1;
  std::array<char, file_buffer_size> buffer{};
  std::size_t fill = 0;      // bytes in the buffer
  std::size_t position = 0;  // next byte to hand out when reading
  enum class Holds { nothing, read_ahead, pending_writes } holds = Holds::nothing;
  std::string temporary;
  std::string target;
  bool failed = false;  // a write went wrong: the file is not put in place

  ~OpenFile() {
    if (temporary.empty()) settle();
    if (fd >= 0) ::close(fd);
    if (!temporary.empty()) platform::remove_file(temporary);
  }

  // Closes, and puts a created file in place when all went well.
  bool finish() {
    settle();
    if (temporary.empty()) {
      const bool closed = ::close(fd) == 0;
      fd = -1;
      return closed && !failed;
    }
    const bool closed = checked_close(fd);
    fd = -1;
    const std::string created = std::move(temporary);
    temporary.clear();
    if (!closed || failed) {
      platform::remove_file(created);
      return false;
    }
    return put_in_place(created, target);
  }

  // Leaves the buffer empty with the descriptor's offset at the logical
  // position: pending writes go out, unread look-ahead is given back.
  void settle() {
    if (holds == Holds::pending_writes) {
      if (!checked_write(fd, {buffer.data(), fill})) failed = true;
    } else if (holds == Holds::read_ahead && position < fill) {
      ::lseek(fd, -static_cast<off_t>(fill - position), SEEK_CUR);
    }
    fill = position = 0;
    holds = Holds::nothing;
  }

  // True when a byte is available at `position`.
  bool ensure_readable() {
    if (holds == Holds::read_ahead && position < fill) return true;
    settle();
    ssize_t got;
    do {
      got = ::read(fd, buffer.data(), buffer.size());
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return false;
    fill = static_cast<std::size_t>(got);
    position = 0;
    holds = Holds::read_ahead;
    return true;
  }

  std::size_t write(const char* data, std::size_t count) {
    if (holds == Holds::read_ahead) settle();
    if (fill + count > buffer.size()) {
      settle();
      // A write larger than the buffer goes to the file directly.
      if (count > buffer.size()) {
        if (checked_write(fd, {data, count})) return count;
        failed = true;
        return 0;
      }
    }
    std::copy(data, data + count, buffer.data() + fill);
    fill += count;
    holds = Holds::pending_writes;
    if (fill == buffer.size()) settle();
    return failed ? 0 : count;
  }
};

class FileTable {
 public:
  OpenFile* find(int slot) {
    auto it = files_.find(slot);
    return it == files_.end() ? nullptr : it->second.get();
  }

  int install(int slot, std::unique_ptr<OpenFile> file) {
    if (slot == any_slot) slot = next_anonymous_++;
    files_[slot] = std::move(file);
    return slot;
  }

  bool close(int slot) {
    const auto found = files_.find(slot);
    if (found == files_.end()) return true;
    const bool done = found->second->finish();
    files_.erase(found);
    return done;
  }
  void close_all() { files_.clear(); }

 private:
  std::map<int, std::unique_ptr<OpenFile>> files_;
  // Identifiers handed out for any_slot: far above the slots the logic uses,
  // and never 0, which would read as failure.
  int next_anonymous_ = 0x10000;
};

FileTable& table() {
  static FileTable instance;
  return instance;
}

int open_in_slot(int slot, std::string_view path, std::initializer_list<int> attempts) {
  if (slot != any_slot) close_file(slot);
  const std::string name = native_path(path);
  if (name.empty()) return 0;
  for (int flags : attempts) {
    const int fd = open_regular_file(name, flags);
    if (fd >= 0) {
      auto file = std::make_unique<OpenFile>();
      file->fd = fd;
      const int id = table().install(slot, std::move(file));
      return slot == any_slot ? id : 1;
    }
  }
  return 0;
}

}  // namespace

bool replace_file(const std::string& native_name, std::string_view bytes) {
  const std::string target = platform::replacement_target(native_name);
  std::string temporary;
  if (target.empty() || !platform::may_replace(target)) return false;
  const int fd = platform::create_temporary(target, temporary);
  if (fd < 0) return false;
  const bool written = checked_write(fd, bytes);
  if (!checked_close(fd) || !written) {
    platform::remove_file(temporary);
    return false;
  }
  return put_in_place(temporary, target);
}

bool plain_file_name(std::string_view name) {
  for (char byte : name) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 32 || code == 127 ||
        std::string_view("\\/:*?\"<>|").find(byte) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

bool name_fits(std::string_view folder, std::string_view file_name) {
  return platform::name_fits(native_path(folder), native_path(file_name));
}

void fail_file_operation(std::int64_t k) {
  fail_at = k;
  operations = 0;
}

std::int64_t file_operations_counted() {
  return operations;
}

bool write_all(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::filesystem::path file_system_path(std::string_view path) {
  std::string utf8 = to_utf8(path);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).make_preferred();
}

int open_for_reading(int slot, std::string_view path) {
  return open_in_slot(slot, path, {O_RDONLY});
}

int create_file(int slot, std::string_view path) {
  if (slot != any_slot) close_file(slot);
  const std::string name = native_path(path);
  if (name.empty()) return 0;
  auto file = std::make_unique<OpenFile>();
  file->target = platform::replacement_target(name);
  if (!platform::may_replace(file->target)) return 0;
  file->fd = platform::create_temporary(file->target, file->temporary);
  if (file->fd < 0) {
    file->temporary.clear();
    return 0;
  }
  const int id = table().install(slot, std::move(file));
  return slot == any_slot ? id : 1;
}

bool close_file(int slot) {
  return table().close(slot);
}

void close_all_files() {
  table().close_all();
}

std::string read_line(int slot) {
  OpenFile* file = table().find(slot);
  std::string line;
  if (file == nullptr) return line;
  while (file->ensure_readable()) {
    const char* begin = file->buffer.data() + file->position;
    const char* end = file->buffer.data() + file->fill;
    const char* stop =
        std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    line.append(begin, stop);
    file->position += static_cast<std::size_t>(stop - begin);
    if (stop == end) continue;
    const char ended_by = *stop;
    ++file->position;
    // CR LF is one line end; the LF may sit at the start of the next buffer.
    if (ended_by == '\r' && file->ensure_readable() && file->buffer[file->position] == '\n')
      ++file->position;
    break;
  }
  return line;
}

bool at_end_of_file(int slot) {
  OpenFile* file = table().find(slot);
  return file == nullptr || !file->ensure_readable();
}

std::int64_t file_length(int slot) {
  OpenFile* file = table().find(slot);
  if (file == nullptr) return 0;
  if (file->holds == OpenFile::Holds::pending_writes) file->settle();
  struct stat info {};
  return ::fstat(file->fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
}

std::int64_t read_bytes(int slot, char* memory, std::int64_t count) {
  OpenFile* file = table().find(slot);
  if (file == nullptr || memory == nullptr || count <= 0) return 0;
  std::int64_t done = 0;
  // Whole source texts are read in one call: once the look-ahead is used up,
  // large remainders go straight into the caller's memory.
  if (file->holds == OpenFile::Holds::read_ahead && file->position < file->fill) {
    const std::size_t take = std::min(file->fill - file->position, static_cast<std::size_t>(count));
    std::copy_n(file->buffer.data() + file->position, take, memory);
    file->position += take;
    done = static_cast<std::int64_t>(take);
  }
  if (count - done >= static_cast<std::int64_t>(file_buffer_size)) {
    file->settle();
    while (count - done >= static_cast<std::int64_t>(file_buffer_size)) {
      const ssize_t got = ::read(file->fd, memory + done, static_cast<std::size_t>(count - done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return done;
      done += got;
    }
  }
  while (done < count && file->ensure_readable()) {
    const std::size_t take =
        std::min(file->fill - file->position, static_cast<std::size_t>(count - done));
    std::copy_n(file->buffer.data() + file->position, take, memory + done);
    file->position += take;
    done += static_cast<std::int64_t>(take);
  }
  return done;
}

std::int64_t write_bytes(int slot, std::string_view bytes) {
  OpenFile* file = table().find(slot);
  if (file == nullptr) return 0;
  return static_cast<std::int64_t>(file->write(bytes.data(), bytes.size()));
}

std::int64_t write_line(int slot, std::string_view text) {
  OpenFile* file = table().find(slot);
  if (file == nullptr) return 0;
  const std::size_t body = file->write(text.data(), text.size());
  return static_cast<std::int64_t>(body + file->write("\r\n", 2));
}

FileBytes read_file_bytes(std::string_view path, std::int64_t limit) {
  FileBytes result;
  const int file = open_for_reading(any_slot, path);
  if (file == 0) return result;
  const std::int64_t length = file_length(file);
  if (length > limit) {
    close_file(file);
    result.status = ReadStatus::too_large;
    return result;
  }
  // One more byte than the length: a file that grew since then shows as too large.
  result.bytes.resize(static_cast<std::size_t>(length) + 1);
  const std::int64_t got = read_bytes(file, result.bytes.data(), length + 1);
  close_file(file);
  if (got > length) {
    result.bytes.clear();
    result.status = ReadStatus::too_large;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(got));
  result.status = ReadStatus::read;
  return result;
}

void remove_orphaned_temporaries(std::string_view folder) {
  std::error_code failed;
  for (std::filesystem::directory_iterator entry(file_system_path(folder), failed), end;
       !failed && entry != end; entry.increment(failed)) {
    const std::string name = entry->path().filename().string();
    if (!name.starts_with(".velkart-")) continue;
    const std::size_t dash = name.find('-', 9);
    const std::string_view number = std::string_view(name).substr(9, dash - 9);
    if (dash == std::string::npos || number.empty() ||
        number.find_first_not_of("0123456789") != std::string_view::npos)
      continue;
    const int pid = static_cast<int>(text_to_integer(number));
    std::error_code ignored;
    if (pid != platform::own_process() && !platform::process_exists(pid) &&
        entry->is_regular_file(ignored))
      std::filesystem::remove(entry->path(), ignored);
  }
}

bool may_replace_file(std::string_view path) {
  const std::filesystem::path folder = file_system_path(path).parent_path();
  std::error_code failed;
  if (!folder.empty() && !std::filesystem::is_directory(folder, failed)) return false;
  return platform::may_replace(platform::replacement_target(native_path(path)));
}

}  // namespace velkart::runtime
