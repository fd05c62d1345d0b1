#pragma once
// The practice-text draw as a plain linked list does it: select by index,
// move to the shuffled list, cut, join and tidy the blanks. The program's
// draw must give the same text and use the same random numbers; the
// benchmark measures it against this.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "runtime/random.h"
#include "runtime/text.h"

namespace velkart::testing {

inline std::string linked_list_draw(const std::vector<std::string>& pool, std::int32_t word_limit) {
  std::list<std::string> draw(pool.begin(), pool.end());
  std::list<std::string> shuffled;
  while (!draw.empty()) {
    const auto r = runtime::random_up_to(static_cast<std::int32_t>(draw.size() - 1));
    shuffled.splice(shuffled.end(), draw, std::next(draw.begin(), r));
  }
  while (static_cast<std::int64_t>(shuffled.size()) > std::max(word_limit, 0)) shuffled.pop_back();
  std::string joined;
  for (const std::string& entry : shuffled) joined += entry + " ";
  return runtime::replace_all(runtime::trim_blanks(joined), "  ", " ");
}

}  // namespace velkart::testing
