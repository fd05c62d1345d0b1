#pragma once
// Reading what comes from outside the program for scoring: whole files with
// a size bound, and the learners' copy files.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::scoring {

inline constexpr std::int64_t max_copy_bytes = std::int64_t{16} << 20;

enum class ReadStatus { read, unreadable, too_large };
struct FileBytes {
  ReadStatus status = ReadStatus::unreadable;
  std::string bytes;
};

// The bytes of a program path (Windows-1252, relative to the working
// folder), read whole; a file above `limit` bytes is not read. A folder or a
// special file is unreadable.
FileBytes read_file_bytes(std::string_view path, std::int64_t limit);

enum class CopyProblem { none, empty, binary };

// The copy of text 0, text 1, ... in file order, Windows-1252. Texts are
// separated by one or more empty lines (blanks only count as empty), the
// lines of one text are joined by a blank. A text written as a single "-"
// is left empty, so the texts after it keep their numbers; an empty text
// means the learner did not take it.
struct ParsedCopy {
  std::vector<std::string> texts;
  CopyProblem problem = CopyProblem::none;
};

// `bytes` as read from the file, in any encoding decode_file_text knows.
// Control bytes other than tab, line ends and form feed make it binary;
// nothing but blanks makes it empty.
ParsedCopy parse_copy(std::string_view bytes);

}  // namespace velkart::scoring
