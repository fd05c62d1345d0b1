#include "runtime/random.h"

#include <bit>

namespace velkart::runtime {

void RandomGenerator::seed(std::uint32_t s) {
  for (std::size_t k = 0; k < 17; ++k) {
    s = 1u - s * 0x53A9B4FBu;
    b_[k] = s;
    s = 1u - s * 0x53A9B4FBu;
    a_[k] = s;
  }
  i_ = 0;
  j_ = 10;
  for (int warm_up = 0; warm_up < 31; ++warm_up) step();
}

std::uint32_t RandomGenerator::step() {
  const std::uint32_t x = std::rotr(b_[i_], 13) + b_[j_];
  const std::uint32_t y = std::rotr(a_[i_], 5) + a_[j_];
  a_[i_] = x;
  b_[i_] = y;
  if (--i_ < 0) i_ = 16;
  if (--j_ < 0) j_ = 16;
  return x;
}

std::uint32_t RandomGenerator::up_to(std::int32_t max) {
  const std::uint32_t x = step();
  const std::uint32_t n = static_cast<std::uint32_t>(max) + 1u;
  if (n == 0) return x;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(x) * n) >> 32);
}

namespace {

struct ProcessGenerator {
  RandomGenerator generator;
  bool seeded = false;
};

ProcessGenerator& process_generator() {
  static ProcessGenerator instance;
  return instance;
}

}  // namespace

void seed_random(std::uint32_t seed) {
  process_generator().generator.seed(seed);
  process_generator().seeded = true;
}

std::uint32_t random_up_to(std::int32_t max) {
  ProcessGenerator& process = process_generator();
  if (!process.seeded) seed_random(clock_seed());
  return process.generator.up_to(max);
}

}  // namespace velkart::runtime
