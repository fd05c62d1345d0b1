#pragma once
// The program's pseudo-random generator: a lagged generator with two 32-bit
// words per position over two tables of 17 words. Seeded once, at first use,
// from the clock; the batch companion may seed it explicitly to reproduce a set.
#include <array>
#include <cstdint>

namespace velkart::runtime {

class RandomGenerator {
 public:
  void seed(std::uint32_t seed);
  // One step; its output.
  std::uint32_t step();
  // 0 to max inclusive: the upper half of output × (max + 1). With max = -1
  // the output itself (as an unsigned value).
  std::uint32_t up_to(std::int32_t max);

 private:
  std::array<std::uint32_t, 17> a_{};
  std::array<std::uint32_t, 17> b_{};
  int i_ = 0;
  int j_ = 10;
};

// The process-wide generator. Unless seed_random was called first, the first
// call seeds it from the thread number and the millisecond clock.
std::uint32_t random_up_to(std::int32_t max);
void seed_random(std::uint32_t seed);
// The seed the clock gives now (thread number XOR milliseconds since boot).
std::uint32_t clock_seed();

}  // namespace velkart::runtime
