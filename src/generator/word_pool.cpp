#include "generator/word_pool.h"

#include <algorithm>
#include <array>
#include <optional>

#include "generator/duration.h"
#include "generator/run_settings.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

using runtime::integer_to_text;
using runtime::remove_all;
using runtime::replace_all;
using runtime::text_to_integer;
using runtime::upper_case;

constexpr int reading_slot = 0;

// Counts of the entries still in the draw, over their pool positions, so the
// r-th remaining entry is found in log n steps instead of walking a list.
class RemainingEntries {
 public:
  explicit RemainingEntries(std::size_t count) : tree_(count + 1, 0) {
    for (std::size_t k = 1; k <= count; ++k) {
      tree_[k] += 1;
      const std::size_t parent = k + (k & (~k + 1));
      if (parent <= count) tree_[parent] += tree_[k];
    }
    top_bit_ = 1;
    while (top_bit_ * 2 <= count) top_bit_ *= 2;
  }

  // Removes and returns the pool index of the 0-based `rank`-th remaining entry.
  std::size_t take(std::size_t rank) {
    std::size_t position = 0;
    std::uint32_t remaining = static_cast<std::uint32_t>(rank);
    for (std::size_t step = top_bit_; step > 0; step /= 2) {
      const std::size_t next = position + step;
      if (next < tree_.size() && tree_[next] <= remaining) {
        position = next;
        remaining -= tree_[next];
      }
    }
    for (std::size_t k = position + 1; k < tree_.size(); k += k & (~k + 1)) tree_[k] -= 1;
    return position;
  }

 private:
  std::vector<std::uint32_t> tree_;
  std::size_t top_bit_;
};

// Every line is appended after a blank; nullopt when the list cannot be opened.
// A word list of more is no list for practice texts.
constexpr std::int64_t max_list_bytes = std::int64_t{64} << 20;

std::optional<std::string> read_list(std::string_view path) {
  const runtime::FileBytes file = runtime::read_file_bytes(path, max_list_bytes);
  if (file.status != runtime::ReadStatus::read) return std::nullopt;
  // Lists saved as UTF-8 or UTF-16 read as the same words as in Windows-1252.
  const std::string text = runtime::decode_file_text(file.bytes).text;
  // Every line after a blank: LF, CR LF, a lone CR or a zero byte ends one.
  std::string list_text;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = at;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r' && text[end] != '\0') ++end;
    list_text += ' ';
    list_text.append(text, at, end - at);
    at = end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'
             ? end + 2
             : end + 1;
  }
  return list_text;
}

}  // namespace

WordPool split_pool_text(std::string_view pool_text) {
  WordPool pool;
  std::string entry;
  for (char byte : pool_text) {
    if (byte == ' ') {
      if (!entry.empty()) pool.push_back(std::move(entry));
      entry.clear();
    } else {
      entry.push_back(byte == ',' ? ' ' : byte);
    }
  }
  pool.push_back(std::move(entry));
  return pool;
}

bool passes_filter(std::string_view entry, const PoolFilter& filter) {
  // The encoder reads "#" as the start of a comment, "<>" as a chapter mark
  // and "|" as a command: such a word would change the sound files instead
  // of being sent, and they would no longer match the texts and the sheet.
  if (entry.find_first_of(encoder_command_characters) != std::string_view::npos) return false;
  for (char letter : filter.filtered_out) {
    if (entry.find(letter) != std::string_view::npos) return false;
  }
  for (char letter : filter.mandatory) {
    if (entry.find(letter) == std::string_view::npos) return false;
  }
  if (!filter.any_of.empty() && entry.find_first_of(filter.any_of) == std::string_view::npos)
    return false;
  const auto length = static_cast<std::int64_t>(entry.size());
  return filter.up_to ? length <= filter.word_length : length == filter.word_length;
}

WordPool weighted_pool(const WordPool& pool, std::string_view weak) {
  WordPool weighted;
  for (const std::string& entry : pool) {
    // The weakest character counts most: N for the first of N, 1 for the last.
    std::size_t times = 0;
    for (std::size_t k = 0; k < weak.size(); ++k)
      times += entry.find(weak[k]) != std::string::npos ? weak.size() - k : 0;
    for (std::size_t k = 0; k < std::max<std::size_t>(times, 1); ++k) weighted.push_back(entry);
  }
  return weighted;
}

void filter_pool(WordPool& pool, const PoolFilter& filter) {
  std::erase_if(pool,
                [&filter](const std::string& entry) { return !passes_filter(entry, filter); });
}

std::string draw_from_pool(const WordPool& pool, std::int32_t word_limit) {
  const std::size_t count = pool.size();
  const std::size_t keep =
      word_limit <= 0 ? 0 : std::min(count, static_cast<std::size_t>(word_limit));
  RemainingEntries remaining(keep > 0 ? count : 0);
  std::string joined;
  for (std::size_t drawn = 0; drawn < count; ++drawn) {
    const auto rank = runtime::random_up_to(static_cast<std::int32_t>(count - drawn - 1));
    // Every entry takes its random number, so the generator moves on exactly
    // as far as a full shuffle; only the kept entries need to be found.
    if (drawn < keep) {
      joined += pool[remaining.take(rank)];
      joined += ' ';
    }
  }
  return replace_all(runtime::trim_blanks(joined), "  ", " ");
}

std::string filtered_alphabet(std::string_view allowed, std::string_view mandatory) {
  const std::string allowed_set =
      remove_all(upper_case(std::string(allowed) + std::string(mandatory)), " ");
  std::string filtered_out(letter_alphabet);
  for (char letter : allowed_set) filtered_out = remove_all(filtered_out, std::string(1, letter));
  return filtered_out;
}

PoolFilter pool_filter(const PoolOptions& options) {
  return PoolFilter{filtered_alphabet(options.allowed, options.mandatory),
                    upper_case(options.mandatory), options.word_length, options.up_to,
                    upper_case(options.any_of)};
}

std::string replace_special_letters(std::string pool_text, bool replace_sz, bool replace_umlauts) {
  if (replace_sz) pool_text = replace_all(pool_text, "\xDF", "SS");
  if (replace_umlauts) {
    pool_text = replace_all(pool_text, "\xD6", "OE");
    pool_text = replace_all(pool_text, "\xC4", "AE");
    pool_text = replace_all(pool_text, "\xDC", "UE");
  }
  return pool_text;
}

std::int64_t pool_word_count(const WordPool& pool) {
  return std::count_if(pool.begin(), pool.end(),
                       [](const std::string& entry) { return !entry.empty(); });
}

std::string pool_summary(const WordPool& pool, std::int64_t word_limit) {
  const std::int64_t words = pool_word_count(pool);
  std::string summary =
      std::string(texts::pool_words.view()) + integer_to_text(words) +
      std::string(words == 1 ? texts::pool_one_word.view() : texts::pool_many_words.view());
  if (words == 0) return summary + std::string(texts::pool_empty.view());
  if (words <= word_limit) summary += texts::pool_all_in_every_text.view();
  return summary;
}

WordPool read_source_pool(const std::vector<std::string>& lists, bool replace_sz,
                          bool replace_umlauts, std::vector<std::string>& unreadable_lists) {
  std::string pool_text;
  bool first_list = true;
  for (const std::string& path : lists) {
    if (!first_list) pool_text += ' ';
    first_list = false;
    const std::optional<std::string> list_text = read_list(path);
    if (list_text) {
      pool_text += *list_text;
    } else {
      unreadable_lists.push_back(path);
    }
  }
  return split_pool_text(
      replace_special_letters(upper_case(pool_text), replace_sz, replace_umlauts));
}

PoolBuild build_word_pool(const PoolOptions& options) {
  PoolBuild build;
  build.pool = read_source_pool(options.lists, options.replace_sz, options.replace_umlauts,
                                build.unreadable_lists);
  filter_pool(build.pool, pool_filter(options));
  if (!options.any_of.empty()) build.pool = weighted_pool(build.pool, upper_case(options.any_of));
  return build;
}

std::string pool_line(const WordPool& pool, const RunSettings& settings) {
  return pool_summary(pool, settings.pool.word_limit) + text_length_note(pool, settings);
}

Trial run_trial(const RunSettings& settings, const runtime::MessageSink& tell) {
  const PoolBuild build = build_word_pool(settings.pool);
  for (std::size_t k = 0; k < build.unreadable_lists.size(); ++k) tell(texts::no_words_or_file);
  return {draw_from_pool(build.pool, settings.pool.word_limit), pool_line(build.pool, settings)};
}

}  // namespace velkart::generator
