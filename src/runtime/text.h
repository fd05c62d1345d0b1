#pragma once
// The text operations the logic relies on. A text is a std::string of
// Windows-1252 bytes; positions are 1-based and count bytes, as in the
// messages and help the program shows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::runtime {

std::int64_t text_length(std::string_view text);

// Up to `count` bytes from 1-based `start`; a start below 1 begins at the
// first byte, a start past the end or a negative count gives "".
std::string substring(std::string_view text, std::int64_t start, std::int64_t count);

// One left-to-right pass; occurrences never overlap and inserted text is not
// scanned again. An empty `wanted` leaves the text unchanged.
std::string replace_all(std::string_view text, std::string_view wanted,
                        std::string_view replacement);

std::string remove_all(std::string_view text, std::string_view wanted);

// The words between blanks (0x20 only), empty ones left out: the words of a
// practice text.
std::vector<std::string_view> split_at_blanks(std::string_view text);

// Removes blanks (0x20 only) at both ends; tabs stay.
std::string trim_blanks(std::string_view text);

// The Windows-1252 upper-case mapping: a-z, 0xE0-0xF6 (not 0xF7), 0xF8-0xFE,
// and the four letters of the 0x80 row. ß (0xDF) stays ß. Length never changes.
std::string upper_case(std::string_view text);
char upper_case_byte(char byte);

// Exactly `width` bytes: left-padded with the first byte of `pad` (a blank
// when pad is empty), or cut on the right when the text is longer.
std::string pad_left(std::string_view text, std::int64_t width, std::string_view pad = " ");

std::string integer_to_text(std::int64_t value);

// Leading blanks/tabs, optional sign, then "$" hex, "%" binary or decimal
// digits up to the first other byte; 64-bit wrap; never fails (no digits: 0).
std::int64_t text_to_integer(std::string_view text);

// Bytes from `address` up to the first 0 byte, or up to `maximum` bytes.
std::string text_from_memory(const char* address,
                             std::optional<std::int64_t> maximum = std::nullopt);

}  // namespace velkart::runtime
