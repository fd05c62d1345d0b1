// The practice-text draw: shuffle of the whole word pool, cut to the word
// limit, beside the plain linked-list shuffle the tests hold it to.
#include <benchmark/benchmark.h>

#include <string>

#include "generator/word_pool.h"
#include "runtime/random.h"
#include "support/reference_draw.h"

namespace {

using velkart::generator::WordPool;

WordPool sample_pool(std::size_t size) {
  WordPool pool;
  pool.reserve(size);
  for (std::size_t k = 0; k < size; ++k) pool.push_back("WORT" + std::to_string(k % 9973));
  return pool;
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
  for (auto _ : state) benchmark::DoNotOptimize(velkart::testing::linked_list_draw(pool, 300));
}
BENCHMARK(draw_linked_list)->Arg(13000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
