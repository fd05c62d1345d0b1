// read_line against a plain split of the bytes, with lines and line ends
// falling anywhere across the 4096-byte transfer buffer.
#include <vector>

#include "fuzz_support.h"

using velkart::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velkart::fuzz::bytes_of(data, size);
  std::vector<std::string> expected;
  std::string line;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const char c = bytes[at];
    if (c != '\r' && c != '\n' && c != '\0') {
      line += c;
      continue;
    }
    expected.push_back(std::move(line));
    line.clear();
    if (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
  }
  if (!line.empty()) expected.push_back(line);

  namespace rt = velkart::runtime;
  check(rt::open_for_reading(0, velkart::fuzz::scratch_file(bytes)) != 0, "not opened");
  std::vector<std::string> lines;
  while (!rt::at_end_of_file(0)) lines.push_back(rt::read_line(0));
  rt::close_file(0);
  check(lines == expected, "lines differ from the plain split");
  return 0;
}
