#pragma once
// The open-file table. The logic names open files by small slot numbers
// (0 for reading, 1 for writing); the PDF writer and the solution sheet ask
// for a free anonymous slot with `any_slot` and use the identifier returned.
// Every open file has its own 4096-byte transfer buffer.
//
// Paths are Windows-1252 texts relative to the working folder. "\" and "/"
// both separate folders; on disk the names are UTF-8, as Linux programs
// expect.
#include <cstdint>
#include <string>
#include <string_view>

namespace velkart::runtime {

inline constexpr int any_slot = -1;
inline constexpr std::size_t file_buffer_size = 4096;

// The name on disk for a program path: separators made "/", bytes made UTF-8.
std::string native_path(std::string_view path);

// For stores that keep their own file (the settings): a regular file (never
// a folder) opened by its name on disk with open(2) flags, close-on-exec;
// -1 on failure. write_all retries short writes; false on an error.
int open_regular_file(const std::string& native_name, int flags);
bool write_all(int descriptor, std::string_view bytes);

// Each returns nonzero on success (with any_slot: the identifier to use as
// the slot from then on), 0 on failure. Opening a slot that is open closes
// its file first.
int open_for_reading(int slot, std::string_view path);
// Creates or truncates; when that fails, tries once more to truncate an
// existing file for writing.
int create_file(int slot, std::string_view path);
// Keeps an existing file's content; creates a missing file empty.
int open_for_update(int slot, std::string_view path);

// Writes out what is buffered and closes; a slot that is not open: nothing.
void close_file(int slot);
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
