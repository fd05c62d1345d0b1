#pragma once
// Windows-1252 <-> UTF-8, used only where text leaves or enters the program:
// the toolkit, the terminal, and file names on disk.
#include <string>
#include <string_view>

namespace velkart::runtime {

// Total: every byte has an answer. The five bytes Windows-1252 leaves
// unassigned (0x81 0x8D 0x8F 0x90 0x9D) become the C1 control characters of
// the same value, so that a round trip gives the bytes back.
std::string to_utf8(std::string_view cp1252);

// A character outside Windows-1252 becomes '?'; so does a malformed UTF-8
// sequence (one '?' per bad byte).
std::string to_cp1252(std::string_view utf8);

}  // namespace velkart::runtime
