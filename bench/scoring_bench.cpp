// Scoring one copy of a 1 500-character text with about 10 % of its
// characters wrong, and the reports of a whole class register.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scoring/class_register.h"
#include "scoring/learner_report.h"
#include "scoring/score.h"

namespace {

using namespace velkart::scoring;

// A fixed generator, so every run scores the same texts.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  std::uint32_t next(std::uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  std::uint32_t state_;
};

std::string key_text(Lcg& random, std::size_t characters) {
  std::string text;
  while (text.size() < characters) {
    if (!text.empty()) text += ' ';
    const std::uint32_t length = 2 + random.next(7);
    for (std::uint32_t k = 0; k < length; ++k) text += static_cast<char>('A' + random.next(26));
  }
  return text;
}

// Every tenth character on average is changed, left out, doubled or joins
// two words; now and then a word is lost or one is added.
std::string copy_of(const std::string& key, Lcg& random) {
  std::string copy;
  for (char c : key) {
    const std::uint32_t roll = random.next(1000);
    if (roll < 50) {
      copy += static_cast<char>('A' + random.next(26));
    } else if (roll < 75) {
      continue;
    } else if (roll < 100) {
      copy += c;
      copy += c;
    } else if (c == ' ' && roll < 140) {
      copy += random.next(2) == 0 ? " XY " : "";
    } else {
      copy += c;
    }
  }
  return copy;
}

void score_1500_characters_10_percent_wrong(benchmark::State& state) {
  Lcg random(4711);
  const std::string key = key_text(random, 1500);
  const std::string copy = copy_of(key, random);
  for (auto _ : state) benchmark::DoNotOptimize(score_text(key, copy));
}
BENCHMARK(score_1500_characters_10_percent_wrong)->Unit(benchmark::kMicrosecond);

// 30 learners, 40 sets of 10 texts: the register read back and every
// learner's summary made, as the report command does before the PDFs.
void class_register_summaries(benchmark::State& state) {
  Lcg random(815);
  std::vector<RegisterRow> rows;
  for (int set = 0; set < 40; ++set) {
    for (int text = 0; text < 10; ++text) {
      const std::string key = key_text(random, 150);
      for (int learner = 0; learner < 30; ++learner)
        rows.push_back(register_row("01.03.2024", "Lernender" + std::to_string(learner),
                                    "Kurs" + std::to_string(set), text,
                                    score_text(key, copy_of(key, random))));
    }
  }
  const std::string file = render_register(rows);
  for (auto _ : state) {
    const RegisterParse parse = parse_register(file);
    for (const std::string& learner : learners_of(parse.rows))
      benchmark::DoNotOptimize(summarise_learner(parse.rows, learner));
  }
}
BENCHMARK(class_register_summaries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
