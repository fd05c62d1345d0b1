#include "reference_draw.h"

#include "runtime/random.h"
#include "runtime/text.h"
#include "runtime/text_list.h"

namespace velkart::testing {

std::string reference_draw(const generator::WordPool& pool, std::int32_t word_limit) {
  runtime::TextList draw;
  for (const std::string& entry : pool) draw.add_after_current() = entry;
  runtime::TextList shuffled;
  const std::int64_t count = draw.list_size();
  for (std::int64_t k = 0; k < count; ++k) {
    const auto r = runtime::random_up_to(static_cast<std::int32_t>(draw.list_size() - 1));
    shuffled.add_after_current() = *draw.select_element(r);
    draw.delete_current();
  }
  if (word_limit < shuffled.list_size()) {
    shuffled.last_element();
    const std::int64_t deletions = shuffled.list_size() - word_limit;
    for (std::int64_t k = 0; k < deletions; ++k) shuffled.delete_current();
  }
  std::string joined;
  for (const std::string& entry : shuffled.texts()) joined += entry + " ";
  return runtime::replace_all(runtime::trim_blanks(joined), "  ", " ");
}

}  // namespace velkart::testing
