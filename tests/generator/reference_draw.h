#pragma once
// The draw as a plain linked list does it: select by index, move to the
// shuffled list, delete; then cut, join and tidy the blanks. The fast draw
// must give the same text and use the same random numbers.
#include <cstdint>
#include <string>

#include "generator/word_pool.h"

namespace velkart::testing {

std::string reference_draw(const generator::WordPool& pool, std::int32_t word_limit);

}  // namespace velkart::testing
