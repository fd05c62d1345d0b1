// The word pool and the draw against the linked-list reference: any pool
// text, filter and word limit give the same text from the same random
// numbers, and no word the encoder would read as a command gets through.
#include "fuzz_support.h"
#include "generator/word_pool.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "support/reference_draw.h"

using velkart::fuzz::check;
namespace gen = velkart::generator;
namespace rt = velkart::runtime;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 7) return 0;
  const std::uint32_t seed = static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16) |
                             static_cast<std::uint32_t>(data[3]) << 24;
  const std::int32_t limit = static_cast<std::int8_t>(data[4]);
  gen::PoolFilter filter;
  filter.word_length = data[5] & 0x1F;
  filter.up_to = (data[5] & 0x20) == 0;
  // Letters of the alphabet left out by the bits of the seventh byte.
  for (int bit = 0; bit < 8; ++bit)
    if (data[6] >> bit & 1)
      filter.filtered_out += gen::letter_alphabet[static_cast<std::size_t>(bit) * 3];
  gen::WordPool pool =
      gen::split_pool_text(rt::upper_case(velkart::fuzz::bytes_of(data + 7, size - 7)));
  gen::filter_pool(pool, filter);
  for (const std::string& entry : pool)
    check(entry.find_first_of(gen::encoder_command_characters) == std::string::npos,
          "command word");

  rt::seed_random(seed);
  const std::string expected = velkart::testing::linked_list_draw(pool, limit);
  const std::uint32_t next_expected = rt::random_up_to(-1);
  rt::seed_random(seed);
  check(gen::draw_from_pool(pool, limit) == expected, "draw differs from the linked list");
  check(rt::random_up_to(-1) == next_expected, "random numbers used differ");
  return 0;
}
