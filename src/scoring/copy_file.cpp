#include "scoring/copy_file.h"

#include <algorithm>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"

namespace velkart::scoring {

namespace {

bool is_control(char byte) {
  const auto code = static_cast<unsigned char>(byte);
  return (code < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') ||
         code == 0x7F;
}

bool blank_only(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char byte) { return byte == ' ' || byte == '\t' || byte == '\f'; });
}

}  // namespace

FileBytes read_file_bytes(std::string_view path, std::int64_t limit) {
  FileBytes result;
  const int file = runtime::open_for_reading(runtime::any_slot, path);
  if (file == 0) return result;
  const std::int64_t length = runtime::file_length(file);
  if (length > limit) {
    runtime::close_file(file);
    result.status = ReadStatus::too_large;
    return result;
  }
  // One more byte than the length: a file that grew since then shows as too large.
  result.bytes.resize(static_cast<std::size_t>(length) + 1);
  const std::int64_t got = runtime::read_bytes(file, result.bytes.data(), length + 1);
  runtime::close_file(file);
  if (got > length) {
    result.bytes.clear();
    result.status = ReadStatus::too_large;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(got));
  result.status = ReadStatus::read;
  return result;
}

ParsedCopy parse_copy(std::string_view bytes) {
  ParsedCopy copy;
  const std::string text = runtime::decode_file_text(bytes).text;
  if (std::any_of(text.begin(), text.end(), is_control)) {
    copy.problem = CopyProblem::binary;
    return copy;
  }
  if (text.find_first_not_of(" \t\f\r\n") == std::string::npos) {
    copy.problem = CopyProblem::empty;
    return copy;
  }
  std::string current;
  bool in_text = false;
  auto finish_text = [&] {
    if (!in_text) return;
    copy.texts.push_back(runtime::trim_blanks(current) == "-" ? std::string() : current);
    current.clear();
    in_text = false;
  };
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = std::string_view(text).substr(at, end - at);
    if (blank_only(line)) {
      finish_text();
    } else {
      if (in_text) current += ' ';
      current += line;
      in_text = true;
    }
    if (end == text.size()) break;
    at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  finish_text();
  return copy;
}

}  // namespace velkart::scoring
