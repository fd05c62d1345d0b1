#include "runtime/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <map>
#include <memory>

#include "runtime/encoding.h"

namespace velkart::runtime {

namespace {

// One open file: the descriptor and its transfer buffer, which holds either
// bytes read ahead or bytes waiting to be written, never both.
struct OpenFile {
  int fd = -1;
  std::array<char, file_buffer_size> buffer{};
  std::size_t fill = 0;      // bytes in the buffer
  std::size_t position = 0;  // next byte to hand out when reading
  enum class Holds { nothing, read_ahead, pending_writes } holds = Holds::nothing;

  ~OpenFile() {
    settle();
    if (fd >= 0) ::close(fd);
  }

  // Leaves the buffer empty with the descriptor's offset at the logical
  // position: pending writes go out, unread look-ahead is given back.
  void settle() {
    if (holds == Holds::pending_writes) {
      runtime::write_all(fd, {buffer.data(), fill});
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
      if (count > buffer.size()) return runtime::write_all(fd, {data, count}) ? count : 0;
    }
    std::copy(data, data + count, buffer.data() + fill);
    fill += count;
    holds = Holds::pending_writes;
    if (fill == buffer.size()) settle();
    return count;
  }
};

class FileTable {
 public:
  OpenFile* find(int slot) {
    auto it = files_.find(slot);
    return it == files_.end() ? nullptr : it->second.get();
  }

  int install(int slot, int fd) {
    if (slot == any_slot) slot = next_anonymous_++;
    auto file = std::make_unique<OpenFile>();
    file->fd = fd;
    files_[slot] = std::move(file);
    return slot;
  }

  void close(int slot) { files_.erase(slot); }
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
      const int id = table().install(slot, fd);
      return slot == any_slot ? id : 1;
    }
  }
  return 0;
}

}  // namespace

int open_regular_file(const std::string& native_name, int flags) {
  int fd;
  do {
    fd = ::open(native_name.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  // A folder opens on Linux but is not a file the program can use.
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
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

std::string native_path(std::string_view path) {
  std::string with_slashes(path);
  std::replace(with_slashes.begin(), with_slashes.end(), '\\', '/');
  return to_utf8(with_slashes);
}

int open_for_reading(int slot, std::string_view path) {
  return open_in_slot(slot, path, {O_RDONLY});
}

int create_file(int slot, std::string_view path) {
  return open_in_slot(slot, path, {O_RDWR | O_CREAT | O_TRUNC, O_WRONLY | O_TRUNC});
}

int open_for_update(int slot, std::string_view path) {
  return open_in_slot(slot, path, {O_RDWR | O_CREAT});
}

void close_file(int slot) {
  table().close(slot);
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

}  // namespace velkart::runtime
