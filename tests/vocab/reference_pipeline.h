#pragma once
// The word-list steps written out one by one, the slow and obvious way, with
// the program's own text operations. The fast word builder must
// give exactly the same lists for every input.
#include <string>
#include <string_view>
#include <vector>

namespace velkart::testing {

struct ReferenceLists {
  std::vector<std::string> alphabetical;
  std::vector<std::string> by_length;
};

ReferenceLists reference_lists(std::string_view source);

// Every word followed by one blank.
std::string joined(const std::vector<std::string>& words);

}  // namespace velkart::testing
