#include "scoring/score.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <tuple>

#include "runtime/text.h"

namespace velkart::scoring {

namespace {

// Bounds that keep any copy, however long, within fixed time and memory.
// Practice texts hold a few hundred words; key words beyond the first 4000
// count as missed, and copied words beyond twice the key's words (plus some
// slack) could never all be paired, so they count as extra unaligned.
constexpr std::size_t max_key_words = 4000;
constexpr std::size_t copy_word_slack = 64;
// A stretch without equal words is aligned again by characters only while
// it is small; a larger one keeps the word alignment's own pairing.
constexpr std::size_t max_stretch_cells = 4096;
// Two "words" too long to align by characters are paired position by position.
constexpr std::size_t max_character_cells = std::size_t{1} << 22;

// The steps of an alignment. A merge pairs two key words with one copied
// word (the blank was left out), a split one key word with two copied words.
// On equal cost the first step in this order is taken, walking back from the
// end: so items are paired as early as possible, and what is left over
// unpaired ends up as late as possible.
enum class Step : unsigned char { miss, extra, pair, merge, split };

struct Op {
  Step step;
  std::size_t key;   // the first key word (not used by extra)
  std::size_t copy;  // the first copied word (not used by miss)
};

struct Word {
  std::string_view text;
  std::uint64_t hash;
};

bool is_blank(char byte) {
  const auto code = static_cast<unsigned char>(byte);
  return code <= 0x20 || code == 0xA0;
}

std::vector<Word> hashed(const std::vector<std::string_view>& words) {
  std::vector<Word> result;
  result.reserve(words.size());
  for (std::string_view word : words) {
    std::uint64_t hash = 14695981039346656037u;
    for (char byte : word) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    result.push_back({word, hash});
  }
  return result;
}

bool same(const Word& a, const Word& b) {
  return a.hash == b.hash && a.text == b.text;
}

// Counts per character while the alignment is walked.
class Tally {
 public:
  void right(std::size_t count) { right_ += static_cast<std::int64_t>(count); }
  void add(ErrorKind kind, char sent, char copied) { raw_.push_back({kind, sent, copied, 1}); }
  std::int64_t right_count() const { return right_; }

  std::vector<ErrorItem> errors() {
    auto key = [](const ErrorItem& e) {
      return std::tuple(e.kind, static_cast<unsigned char>(e.sent),
                        static_cast<unsigned char>(e.copied));
    };
    std::sort(raw_.begin(), raw_.end(),
              [&](const auto& a, const auto& b) { return key(a) < key(b); });
    std::vector<ErrorItem> merged;
    for (const ErrorItem& item : raw_) {
      if (!merged.empty() && key(merged.back()) == key(item)) {
        ++merged.back().count;
      } else {
        merged.push_back(item);
      }
    }
    sort_errors(merged);
    return merged;
  }

 private:
  std::int64_t right_ = 0;
  std::vector<ErrorItem> raw_;
};

// Edit distance between two words (unit costs), two rows.
std::size_t distance(std::string_view a, std::string_view b, std::vector<std::size_t>& row) {
  row.resize(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Aligns the characters of a key word (or two merged) with a copied word
// (or two split) by minimal edits, with the tie order of Step.
void align_characters(std::string_view key, std::string_view copy, Tally& tally) {
  const std::size_t columns = copy.size() + 1;
  if ((key.size() + 1) * columns > max_character_cells) {
    const std::size_t common = std::min(key.size(), copy.size());
    for (std::size_t k = 0; k < common; ++k) {
      if (key[k] == copy[k]) {
        tally.right(1);
      } else {
        tally.add(ErrorKind::confused, key[k], copy[k]);
      }
    }
    for (std::size_t k = common; k < key.size(); ++k) tally.add(ErrorKind::missed, key[k], 0);
    for (std::size_t k = common; k < copy.size(); ++k) tally.add(ErrorKind::extra, 0, copy[k]);
    return;
  }
  std::vector<std::size_t> cost((key.size() + 1) * columns);
  for (std::size_t i = 0; i <= key.size(); ++i) {
    for (std::size_t j = 0; j <= copy.size(); ++j) {
      std::size_t best = std::numeric_limits<std::size_t>::max();
      if (i == 0 && j == 0) best = 0;
      if (i > 0) best = std::min(best, cost[(i - 1) * columns + j] + 1);
      if (j > 0) best = std::min(best, cost[i * columns + j - 1] + 1);
      if (i > 0 && j > 0)
        best =
            std::min(best, cost[(i - 1) * columns + j - 1] + (key[i - 1] == copy[j - 1] ? 0 : 1));
      cost[i * columns + j] = best;
    }
  }
  std::size_t i = key.size();
  std::size_t j = copy.size();
  while (i > 0 || j > 0) {
    const std::size_t here = cost[i * columns + j];
    if (i > 0 && here == cost[(i - 1) * columns + j] + 1) {
      tally.add(ErrorKind::missed, key[--i], 0);
    } else if (j > 0 && here == cost[i * columns + j - 1] + 1) {
      tally.add(ErrorKind::extra, 0, copy[--j]);
    } else {
      --i;
      --j;
      if (key[i] == copy[j]) {
        tally.right(1);
      } else {
        tally.add(ErrorKind::confused, key[i], copy[j]);
      }
    }
  }
}

// The word alignment with minimal edits: an unequal pair, a missed and an
// extra word cost one each. Directions are kept for every cell; the first
// step of Step's order that reaches the minimum is the one taken.
std::vector<Op> align_words(const std::vector<Word>& key, const std::vector<Word>& copy) {
  const std::size_t n = key.size();
  const std::size_t m = copy.size();
  const std::size_t columns = m + 1;
  std::vector<Step> step((n + 1) * columns, Step::pair);
  std::vector<std::uint32_t> above(columns);
  std::vector<std::uint32_t> row(columns);
  for (std::size_t j = 0; j <= m; ++j) {
    row[j] = static_cast<std::uint32_t>(j);
    step[j] = Step::extra;
  }
  for (std::size_t i = 1; i <= n; ++i) {
    std::swap(above, row);
    row[0] = static_cast<std::uint32_t>(i);
    step[i * columns] = Step::miss;
    for (std::size_t j = 1; j <= m; ++j) {
      const std::uint32_t miss = above[j] + 1;
      const std::uint32_t extra = row[j - 1] + 1;
      const std::uint32_t pair = above[j - 1] + (same(key[i - 1], copy[j - 1]) ? 0 : 1);
      Step chosen = Step::miss;
      std::uint32_t best = miss;
      if (extra < best) {
        best = extra;
        chosen = Step::extra;
      }
      if (pair < best) {
        best = pair;
        chosen = Step::pair;
      }
      row[j] = best;
      step[i * columns + j] = chosen;
    }
  }
  std::vector<Op> ops;
  std::size_t i = n;
  std::size_t j = m;
  while (i > 0 || j > 0) {
    switch (step[i * columns + j]) {
      case Step::miss:
        ops.push_back({Step::miss, --i, 0});
        break;
      case Step::extra:
        ops.push_back({Step::extra, 0, --j});
        break;
      default:
        ops.push_back({Step::pair, --i, --j});
        break;
    }
  }
  std::reverse(ops.begin(), ops.end());
  return ops;
}

// A stretch between equal words aligned again, now costing characters: an
// unequal pair its character edits, a missed or extra word its length, a
// merge or split its character edits plus one for the blank. So "AB CD"
// copied as "ABCD" becomes one merge with every character right, where the
// word alignment alone would pair AB with ABCD and miss CD.
class StretchAligner {
 public:
  std::vector<Op> align(const std::vector<Word>& key, std::size_t key_begin, std::size_t key_end,
                        const std::vector<Word>& copy, std::size_t copy_begin,
                        std::size_t copy_end) {
    const std::size_t p = key_end - key_begin;
    const std::size_t q = copy_end - copy_begin;
    const std::size_t columns = q + 1;
    cost_.assign((p + 1) * columns, 0);
    step_.assign((p + 1) * columns, Step::pair);
    auto k = [&](std::size_t i) { return key[key_begin + i].text; };
    auto c = [&](std::size_t j) { return copy[copy_begin + j].text; };
    for (std::size_t i = 0; i <= p; ++i) {
      for (std::size_t j = 0; j <= q; ++j) {
        if (i == 0 && j == 0) continue;
        std::size_t best = std::numeric_limits<std::size_t>::max();
        Step chosen = Step::pair;
        auto offer = [&](Step candidate, std::size_t value) {
          if (value < best) {
            best = value;
            chosen = candidate;
          }
        };
        if (i > 0) offer(Step::miss, cost_[(i - 1) * columns + j] + k(i - 1).size());
        if (j > 0) offer(Step::extra, cost_[i * columns + j - 1] + c(j - 1).size());
        if (i > 0 && j > 0)
          offer(Step::pair, cost_[(i - 1) * columns + j - 1] + distance(k(i - 1), c(j - 1), row_));
        // Merges and splits are worked out only when their lower bound (the
        // difference in length, plus the blank) could still beat the best.
        if (i > 1 && j > 0) {
          const std::size_t before = cost_[(i - 2) * columns + j - 1] + 1;
          const std::size_t merged = k(i - 2).size() + k(i - 1).size();
          const std::size_t low =
              merged > c(j - 1).size() ? merged - c(j - 1).size() : c(j - 1).size() - merged;
          if (before + low < best) {
            joined_.assign(k(i - 2));
            joined_.append(k(i - 1));
            offer(Step::merge, before + distance(joined_, c(j - 1), row_));
          }
        }
        if (i > 0 && j > 1) {
          const std::size_t before = cost_[(i - 1) * columns + j - 2] + 1;
          const std::size_t split = c(j - 2).size() + c(j - 1).size();
          const std::size_t low =
              split > k(i - 1).size() ? split - k(i - 1).size() : k(i - 1).size() - split;
          if (before + low < best) {
            joined_.assign(c(j - 2));
            joined_.append(c(j - 1));
            offer(Step::split, before + distance(k(i - 1), joined_, row_));
          }
        }
        cost_[i * columns + j] = best;
        step_[i * columns + j] = chosen;
      }
    }
    std::vector<Op> ops;
    std::size_t i = p;
    std::size_t j = q;
    while (i > 0 || j > 0) {
      const Step chosen = step_[i * columns + j];
      switch (chosen) {
        case Step::miss:
          --i;
          break;
        case Step::extra:
          --j;
          break;
        case Step::pair:
          --i;
          --j;
          break;
        case Step::merge:
          i -= 2;
          --j;
          break;
        case Step::split:
          --i;
          j -= 2;
          break;
      }
      ops.push_back({chosen, key_begin + i, copy_begin + j});
    }
    std::reverse(ops.begin(), ops.end());
    return ops;
  }

 private:
  std::vector<std::size_t> cost_;
  std::vector<Step> step_;
  std::vector<std::size_t> row_;
  std::string joined_;
};

bool equal_pair(const Op& op, const std::vector<Word>& key, const std::vector<Word>& copy) {
  return op.step == Step::pair && same(key[op.key], copy[op.copy]);
}

// Every stretch of the word alignment between equal pairs that holds words
// of both sides is aligned again by characters.
std::vector<Op> refine(const std::vector<Op>& ops, const std::vector<Word>& key,
                       const std::vector<Word>& copy) {
  std::vector<Op> result;
  result.reserve(ops.size());
  StretchAligner aligner;
  std::size_t at = 0;
  while (at < ops.size()) {
    if (equal_pair(ops[at], key, copy)) {
      result.push_back(ops[at++]);
      continue;
    }
    std::size_t end = at;
    std::size_t key_words = 0;
    std::size_t copy_words = 0;
    for (; end < ops.size() && !equal_pair(ops[end], key, copy); ++end) {
      if (ops[end].step != Step::extra) ++key_words;
      if (ops[end].step != Step::miss) ++copy_words;
    }
    const bool single_pair = end - at == 1 && ops[at].step == Step::pair;
    if (key_words == 0 || copy_words == 0 || single_pair ||
        (key_words + 1) * (copy_words + 1) > max_stretch_cells) {
      result.insert(result.end(), ops.begin() + static_cast<std::ptrdiff_t>(at),
                    ops.begin() + static_cast<std::ptrdiff_t>(end));
    } else {
      // The stretch's words are contiguous on both sides: the first key and
      // copied word of the stretch start it.
      std::size_t key_begin = key.size();
      std::size_t copy_begin = copy.size();
      for (std::size_t k = at; k < end; ++k) {
        if (ops[k].step != Step::extra) key_begin = std::min(key_begin, ops[k].key);
        if (ops[k].step != Step::miss) copy_begin = std::min(copy_begin, ops[k].copy);
      }
      const std::vector<Op> better = aligner.align(key, key_begin, key_begin + key_words, copy,
                                                   copy_begin, copy_begin + copy_words);
      result.insert(result.end(), better.begin(), better.end());
    }
    at = end;
  }
  return result;
}

}  // namespace

std::string normalise(std::string_view text) {
  const std::string upper = runtime::upper_case(text);
  std::string result;
  result.reserve(upper.size() + upper.size() / 8);
  for (char byte : upper) {
    switch (static_cast<unsigned char>(byte)) {
      case 0xDF:
        result += "SS";
        break;
      case 0xC4:
        result += "AE";
        break;
      case 0xD6:
        result += "OE";
        break;
      case 0xDC:
        result += "UE";
        break;
      default:
        result += byte;
    }
  }
  return result;
}

std::vector<std::string_view> split_words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && is_blank(text[at])) ++at;
    const std::size_t start = at;
    while (at < text.size() && !is_blank(text[at])) ++at;
    if (at > start) words.push_back(text.substr(start, at - start));
  }
  return words;
}

void sort_errors(std::vector<ErrorItem>& errors) {
  std::stable_sort(errors.begin(), errors.end(), [](const ErrorItem& a, const ErrorItem& b) {
    if (a.kind != b.kind) return a.kind < b.kind;
    if (a.count != b.count) return a.count > b.count;
    const auto sent_a = static_cast<unsigned char>(a.sent);
    const auto sent_b = static_cast<unsigned char>(b.sent);
    if (sent_a != sent_b) return sent_a < sent_b;
    return static_cast<unsigned char>(a.copied) < static_cast<unsigned char>(b.copied);
  });
}

TextScore score_text(std::string_view key_text, std::string_view copy_text) {
  const std::string key_normal = normalise(key_text);
  const std::string copy_normal = normalise(copy_text);
  const std::vector<Word> all_key = hashed(split_words(key_normal));
  const std::vector<Word> all_copy = hashed(split_words(copy_normal));

  TextScore score;
  score.words_sent = static_cast<std::int64_t>(all_key.size());
  std::array<std::int64_t, 256> sent{};
  for (const Word& word : all_key) {
    for (char byte : word.text) ++sent[static_cast<unsigned char>(byte)];
    score.characters_sent += static_cast<std::int64_t>(word.text.size());
  }
  for (std::size_t code = 0; code < sent.size(); ++code) {
    if (sent[code] > 0) score.sent.push_back({static_cast<char>(code), sent[code]});
  }

  const std::size_t n = std::min(all_key.size(), max_key_words);
  const std::size_t m = std::min(all_copy.size(), 2 * n + copy_word_slack);
  const std::vector<Word> key(all_key.begin(), all_key.begin() + static_cast<std::ptrdiff_t>(n));
  const std::vector<Word> copy(all_copy.begin(), all_copy.begin() + static_cast<std::ptrdiff_t>(m));

  Tally tally;
  std::string joined;
  auto missed_word = [&](std::string_view word) {
    for (char byte : word) tally.add(ErrorKind::missed, byte, 0);
  };
  auto extra_word = [&](std::string_view word) {
    for (char byte : word) tally.add(ErrorKind::extra, 0, byte);
    score.extra_words.emplace_back(word);
  };
  for (const Op& op : refine(align_words(key, copy), key, copy)) {
    switch (op.step) {
      case Step::miss:
        missed_word(key[op.key].text);
        break;
      case Step::extra:
        extra_word(copy[op.copy].text);
        break;
      case Step::pair:
        if (same(key[op.key], copy[op.copy])) {
          ++score.words_right;
          tally.right(key[op.key].text.size());
        } else {
          align_characters(key[op.key].text, copy[op.copy].text, tally);
        }
        break;
      case Step::merge:
        joined.assign(key[op.key].text);
        joined.append(key[op.key + 1].text);
        align_characters(joined, copy[op.copy].text, tally);
        break;
      case Step::split:
        joined.assign(copy[op.copy].text);
        joined.append(copy[op.copy + 1].text);
        align_characters(key[op.key].text, joined, tally);
        break;
    }
  }
  for (std::size_t k = n; k < all_key.size(); ++k) missed_word(all_key[k].text);
  for (std::size_t k = m; k < all_copy.size(); ++k) extra_word(all_copy[k].text);

  score.characters_right = tally.right_count();
  score.errors = tally.errors();
  return score;
}

}  // namespace velkart::scoring
