#pragma once
// The word-list steps written out one by one, the slow and obvious way, with
// the program's own text operations. The fast word builder must
// give exactly the same lists for every input.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/cp1252_literal.h"
#include "runtime/text.h"

namespace velkart::testing {

struct ReferenceLists {
  std::vector<std::string> alphabetical;
  std::vector<std::string> by_length;
};

inline ReferenceLists reference_lists(std::string_view source) {
  std::string text =
      runtime::upper_case(runtime::text_from_memory(source.data(), std::int64_t(source.size())));
  for (const char* wanted : {"\t", "\x84", "\x93", "\x94", "\r", "\n", "\v", "\f"}) {
    text = runtime::replace_all(text, wanted, " ");
  }
  std::vector<std::string> list;
  const auto add_word = [&list](std::string_view segment) {
    std::string word = runtime::trim_blanks(segment);
    if (!word.empty()) list.push_back(std::move(word));
  };
  std::size_t segment_start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == ' ') {
      add_word(std::string_view(text).substr(segment_start, at - segment_start));
      segment_start = at + 1;
    } else if (text[at] == ',') {
      text[at] = ' ';
    }
  }
  // The final segment is trimmed like every other.
  add_word(std::string_view(text).substr(segment_start));

  static constexpr runtime::Cp1252Literal allowed{
      "aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVwWxXyYzZäÄöÖüÜß"};
  std::erase_if(list, [](const std::string& word) {
    return word.size() < 3 || word.size() > 10 ||
           word.find_first_not_of(allowed.view()) != std::string::npos;
  });
  // std::string compares bytes unsigned, as the program sorts.
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());

  std::vector<std::string> by_length;
  for (std::size_t length = 2; length <= 11; ++length) {
    for (const std::string& word : list) {
      if (word.size() == length || (length == 11 && word.size() > 10)) by_length.push_back(word);
    }
  }
  return {list, by_length};
}

// Every word followed by one blank.
inline std::string joined(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += word + " ";
  return line;
}

}  // namespace velkart::testing
