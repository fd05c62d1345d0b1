// The one-pass word builder against the step-by-step reference pipeline:
// any difference in either list is a finding. The first byte cuts the source
// into pieces of that size, as a large file is read.
#include "fuzz_support.h"
#include "vocab/reference_pipeline.h"
#include "vocab/word_collector.h"

using velkart::fuzz::check;
namespace vocab = velkart::vocab;

namespace {

std::vector<std::string> words_of(const std::vector<vocab::WordKey>& keys) {
  std::vector<std::string> words;
  for (const vocab::WordKey key : keys) words.push_back(vocab::word_of(key));
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = data[0] == 0 ? size : data[0];
  const std::string_view source = velkart::fuzz::bytes_of(data + 1, size - 1);
  vocab::WordCollector collector;
  for (std::size_t at = 0; at < source.size(); at += piece) {
    if (!collector.scan(source.substr(at, piece))) break;
  }
  collector.finish();
  const velkart::testing::ReferenceLists expected = velkart::testing::reference_lists(source);
  const std::vector<vocab::WordKey> sorted = collector.sorted_words();
  check(words_of(sorted) == expected.alphabetical, "alphabetical list differs");
  check(words_of(vocab::grouped_by_length(sorted)) == expected.by_length, "length list differs");
  return 0;
}
