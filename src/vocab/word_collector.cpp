#include "vocab/word_collector.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

#include "runtime/cp1252_literal.h"
#include "runtime/text.h"

namespace velkart::vocab {

namespace {

// The letters a word may consist of, as the builder has always listed them;
// after upper-casing only the capitals among them can occur.
constexpr runtime::Cp1252Literal allowed_letters{
    "aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVwWxXyYzZäÄöÖüÜß"};

// What the word builder sees in each byte of the source text, before any
// change: upper-casing happens first, then the line ends, tabs and
// typographic quotes become blanks; none of those is changed by upper-casing
// and none is the upper case of anything else, so one table says it all.
enum ByteClass : std::uint8_t {
  other = 0,
  blank = 31,
  comma = 32,
  text_end = 33
};  // 1-30: letter codes

constexpr int max_length = 10;
constexpr int min_length = 3;
constexpr int code_bits = 5;

struct ByteTables {
  std::array<std::uint8_t, 256> byte_class{};
  std::array<char, 32> letter_of_code{};  // code -> upper-case letter byte
};

ByteTables make_tables() {
  ByteTables tables;
  // The upper-case letters that can survive, in byte order, get the codes 1, 2, ...
  std::array<bool, 256> survives{};
  for (int byte = 0; byte < 256; ++byte) {
    const auto upper =
        static_cast<unsigned char>(runtime::upper_case_byte(static_cast<char>(byte)));
    if (allowed_letters.view().find(static_cast<char>(upper)) != std::string_view::npos)
      survives[upper] = true;
  }
  std::array<std::uint8_t, 256> code_of{};
  std::uint8_t next_code = 1;
  for (int byte = 0; byte < 256; ++byte) {
    if (!survives[byte]) continue;
    code_of[byte] = next_code;
    tables.letter_of_code[next_code] = static_cast<char>(byte);
    ++next_code;
  }
  assert(next_code <= blank && "the letters must fit in 5 bits");

  for (int byte = 0; byte < 256; ++byte) {
    const auto upper =
        static_cast<unsigned char>(runtime::upper_case_byte(static_cast<char>(byte)));
    tables.byte_class[byte] = code_of[upper];
  }
  for (unsigned char separator : {0x20, 0x09, 0x84, 0x93, 0x94, 0x0D, 0x0A, 0x0B, 0x0C}) {
    tables.byte_class[separator] = blank;
  }
  tables.byte_class[','] = comma;
  tables.byte_class[0] = text_end;
  return tables;
}

const ByteTables& tables() {
  static const ByteTables instance = make_tables();
  return instance;
}

std::uint64_t spread(WordKey key) {
  return key * 0x9E3779B97F4A7C15ull;
}

}  // namespace

WordCollector::WordCollector() : table_(1024, 0), shift_(64 - 10) {}

bool WordCollector::scan(std::string_view bytes) {
  if (ended_) return false;
  const auto& byte_class = tables().byte_class;
  // The state lives in locals through the hot loop.
  bool letters_begun = letters_begun_, comma_after_letters = comma_after_letters_,
       ruled_out = ruled_out_;
  int length = length_;
  WordKey key = key_;
  bool more = true;
  for (const char byte : bytes) {
    const std::uint8_t kind = byte_class[static_cast<unsigned char>(byte)];
    if (kind < blank) {
      if (kind == other || comma_after_letters) {
        // A byte outside the letters, or letters after an inner comma (which
        // the split leaves as a blank inside the word): the word cannot survive.
        ruled_out = true;
      } else {
        letters_begun = true;
        if (length < max_length)
          key |= static_cast<WordKey>(kind) << (code_bits * (max_length - 1 - length));
        ++length;
      }
    } else if (kind == blank) {
      if (!ruled_out && length >= min_length && length <= max_length) remember(key);
      letters_begun = comma_after_letters = ruled_out = false;
      length = 0;
      key = 0;
    } else if (kind == comma) {
      // A comma becomes a blank that the trimming removes at either end of
      // the word; only one followed by letters stays inside.
      comma_after_letters = letters_begun;
    } else {
      more = false;
      break;
    }
  }
  letters_begun_ = letters_begun;
  comma_after_letters_ = comma_after_letters;
  ruled_out_ = ruled_out;
  length_ = length;
  key_ = key;
  if (!more) {
    finish();
    ended_ = true;
  }
  return more;
}

void WordCollector::finish() {
  if (ended_) return;
  end_word();
}

void WordCollector::end_word() {
  if (!ruled_out_ && length_ >= min_length && length_ <= max_length) remember(key_);
  letters_begun_ = comma_after_letters_ = ruled_out_ = false;
  length_ = 0;
  key_ = 0;
}

void WordCollector::remember(WordKey key) {
  const std::size_t mask = table_.size() - 1;
  std::size_t place = static_cast<std::size_t>(spread(key) >> shift_);
  while (table_[place] != 0) {
    if (table_[place] == key) return;
    place = (place + 1) & mask;
  }
  table_[place] = key;
  if (++count_ * 2 > table_.size()) grow();
}

void WordCollector::grow() {
  std::vector<WordKey> old(table_.size() * 2, 0);
  old.swap(table_);
  --shift_;
  const std::size_t mask = table_.size() - 1;
  for (const WordKey key : old) {
    if (key == 0) continue;
    std::size_t place = static_cast<std::size_t>(spread(key) >> shift_);
    while (table_[place] != 0) place = (place + 1) & mask;
    table_[place] = key;
  }
}

std::vector<WordKey> WordCollector::sorted_words() const {
  std::vector<WordKey> words;
  words.reserve(count_);
  for (const WordKey key : table_) {
    if (key != 0) words.push_back(key);
  }
  std::sort(words.begin(), words.end());
  return words;
}

int word_length(WordKey key) {
  // The letters are left-aligned and no code is 0, so the free places are
  // the trailing 5-bit groups that are all 0.
  return key == 0 ? 0 : max_length - std::countr_zero(key) / code_bits;
}

std::string word_of(WordKey key) {
  std::string word;
  const int length = word_length(key);
  for (int at = 0; at < length; ++at) {
    const auto code = static_cast<std::size_t>((key >> (code_bits * (max_length - 1 - at))) & 31u);
    word += tables().letter_of_code[code];
  }
  return word;
}

std::vector<WordKey> grouped_by_length(const std::vector<WordKey>& sorted) {
  // A stable counting sort on the length keeps the sorted order inside each
  // length, which is what walking the list once per length gives.
  std::array<std::size_t, max_length + 2> start{};
  for (const WordKey key : sorted) ++start[static_cast<std::size_t>(word_length(key)) + 1];
  for (std::size_t length = 1; length < start.size(); ++length) start[length] += start[length - 1];
  std::vector<WordKey> grouped(sorted.size());
  for (const WordKey key : sorted)
    grouped[start[static_cast<std::size_t>(word_length(key))]++] = key;
  return grouped;
}

std::string result_line(const std::vector<WordKey>& words) {
  std::string line;
  line.reserve(words.size() * (max_length + 1));
  for (const WordKey key : words) {
    line += word_of(key);
    line += ' ';
  }
  return line;
}

}  // namespace velkart::vocab
