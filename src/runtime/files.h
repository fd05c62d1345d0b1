#pragma once
// The open-file table. The logic names open files by small slot numbers
// (0 for reading, 1 for writing); the PDF writer and the solution sheet ask
// for a free anonymous slot with `any_slot` and use the identifier returned.
// Every open file has its own 4096-byte transfer buffer.
//
// Paths are Windows-1252 texts relative to the working folder. "\" and "/"
// both separate folders; on disk the names are UTF-8 on Linux and UTF-16 on
// Windows, converted through our own table.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velkart::runtime {

inline constexpr int any_slot = -1;
inline constexpr std::size_t file_buffer_size = 4096;

// The name on disk for a program path: separators made "/", bytes made UTF-8.
std::string native_path(std::string_view path);

// The same name for std::filesystem, from the program's Windows-1252 path.
std::filesystem::path file_system_path(std::string_view path);

// When the file was last written, as finely as the file system keeps it
// (std::filesystem on Windows would round to whole seconds, so a file from
// the same second as an encoder start could not be told apart).
std::filesystem::file_time_type last_written(const std::filesystem::path& file,
                                             std::error_code& error);

// For stores that keep their own file (the settings): a regular file opened
// by its name on disk with open(2) flags, not inherited; -1 on failure. A
// folder, FIFO, device or socket (or a link to one) counts as unreadable: the
// open never waits for a writer and no read runs on without end.
// write_all retries short writes; false on an error.
int open_regular_file(const std::string& native_name, int flags);
bool write_all(int descriptor, std::string_view bytes);

// Replaces a file whole or not at all: the bytes go into a temporary file in
// the same folder, every write and the close are checked, and only then is it
// renamed over the target. On any failure the temporary file is removed and
// an earlier file of that name keeps its content. A target that is a folder,
// a special file or write-protected is refused.
bool replace_file(const std::string& native_name, std::string_view bytes);

// A file read whole by its program path (a copy, a word list, the
// settings); a file above `limit` bytes is not read. A folder or a special file
// is unreadable.
enum class ReadStatus { read, unreadable, too_large };
struct FileBytes {
  ReadStatus status = ReadStatus::unreadable;
  std::string bytes;
};
FileBytes read_file_bytes(std::string_view path, std::int64_t limit);

// Whether replace_file may put a file of this program path in place: its
// folder exists and it is missing, or a regular file we may write.
bool may_replace_file(std::string_view path);

// The temporary files (".velkart-PID-N") a process left in `folder` (a
// program path ending in "/") when it was ended while writing: removed once
// that process no longer runs.
void remove_orphaned_temporaries(std::string_view folder);

// False for names that would reach outside their folder or that no file
// system takes: "/", "\", control characters and : * ? " < > |.
bool plain_file_name(std::string_view name);

// Whether a file of this name (a program text) can exist in the folder: its
// name on disk within the file system's limit on name length.
bool name_fits(std::string_view folder, std::string_view file_name);

// Test hook: the k-th write, close or rename of a file being replaced from
// now on fails as on a full disk (k = 0: none). The count of those
// operations since the last call lets a test walk k over a whole run.
void fail_file_operation(std::int64_t k);
std::int64_t file_operations_counted();

// Each returns nonzero on success (with any_slot: the identifier to use as
// the slot from then on), 0 on failure. Opening a slot that is open closes
// its file first.
int open_for_reading(int slot, std::string_view path);
// Starts replacing the file (see replace_file): what is written goes into a
// temporary file until close_file puts it in place.
int create_file(int slot, std::string_view path);

// Writes out what is buffered and closes; a file being created is put in
// place. False when anything written since create_file failed: the earlier
// file then stays as it was. A slot that is not open: nothing, true.
bool close_file(int slot);
// Files still being created are dropped, never put in place half written.
void close_all_files();

// One line: LF, CR LF, a lone CR or a 0 byte ends it (not part of the line);
// at the end of the file: "".
std::string read_line(int slot);
bool at_end_of_file(int slot);
// Size in bytes, including what is still buffered for writing.
std::int64_t file_length(int slot);
// Up to `count` bytes at the current position; the number read.
std::int64_t read_bytes(int slot, char* memory, std::int64_t count);
// The text's bytes and CR LF; the number of bytes written.
std::int64_t write_line(int slot, std::string_view text);
// The bytes as they are, without a line end; the number of bytes written.
std::int64_t write_bytes(int slot, std::string_view bytes);

}  // namespace velkart::runtime
