// The practice-text draw: shuffle of the whole word pool, cut to the word
// limit. The plain linked-list shuffle (select by index, delete) stays here
// as the reference the program's draw is measured against.
#include <benchmark/benchmark.h>

#include <list>
#include <string>

#include "generator/word_pool.h"
#include "runtime/random.h"
#include "runtime/text.h"

namespace {

using velkart::generator::WordPool;

WordPool sample_pool(std::size_t size) {
  WordPool pool;
  pool.reserve(size);
  for (std::size_t k = 0; k < size; ++k) pool.push_back("WORT" + std::to_string(k % 9973));
  return pool;
}

std::string linked_list_draw(const WordPool& pool, std::int32_t word_limit) {
  std::list<std::string> draw(pool.begin(), pool.end());
  std::list<std::string> shuffled;
  while (!draw.empty()) {
    const auto r = velkart::runtime::random_up_to(static_cast<std::int32_t>(draw.size() - 1));
    auto it = draw.begin();
    std::advance(it, r);
    shuffled.splice(shuffled.end(), draw, it);
  }
  while (static_cast<std::int64_t>(shuffled.size()) > std::max(word_limit, 0)) shuffled.pop_back();
  std::string joined;
  for (const std::string& entry : shuffled) joined += entry + " ";
  return velkart::runtime::replace_all(velkart::runtime::trim_blanks(joined), "  ", " ");
}

void draw_fenwick(benchmark::State& state) {
  const WordPool pool = sample_pool(static_cast<std::size_t>(state.range(0)));
  velkart::runtime::seed_random(4711);
  for (auto _ : state) benchmark::DoNotOptimize(velkart::generator::draw_from_pool(pool, 300));
}
BENCHMARK(draw_fenwick)->Arg(13000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void draw_linked_list(benchmark::State& state) {
  const WordPool pool = sample_pool(static_cast<std::size_t>(state.range(0)));
  velkart::runtime::seed_random(4711);
  for (auto _ : state) benchmark::DoNotOptimize(linked_list_draw(pool, 300));
}
BENCHMARK(draw_linked_list)->Arg(13000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
