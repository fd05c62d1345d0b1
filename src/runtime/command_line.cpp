#include <string>
#include <string_view>
#include <vector>

#include "runtime/process.h"

namespace velkart::runtime {

namespace {

// The rules CommandLineToArgvW undoes: backslashes are literal unless they
// come before a double quote, where each one needs a second one.
void append_argument(std::string& line, std::string_view word) {
  if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    line += word;
    return;
  }
  line += '"';
  std::size_t backslashes = 0;
  for (const char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    line += c;
  }
  // The closing quote follows: the trailing backslashes are doubled too.
  line.append(2 * backslashes, '\\');
  line += '"';
}

}  // namespace

std::string windows_command_line(std::string_view program,
                                 const std::vector<std::string>& arguments) {
  std::string line;
  if (!program.empty() && program.front() == '"') {
    line = program;
  } else {
    line = '"' + std::string(program) + '"';
  }
  for (const std::string& word : arguments) {
    line += ' ';
    append_argument(line, word);
  }
  return line;
}

}  // namespace velkart::runtime
