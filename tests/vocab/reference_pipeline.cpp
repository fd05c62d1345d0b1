#include "vocab/reference_pipeline.h"

#include "gui/cp1252_literal.h"
#include "runtime/text.h"
#include "runtime/text_list.h"

namespace velkart::testing {

namespace {

using runtime::TextList;

constexpr gui::Cp1252Literal allowed{"aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVwWxXyYzZäÄöÖüÜß"};

void add_word(TextList& list, std::string_view segment) {
  std::string& word = list.add_after_current();
  word = runtime::trim_blanks(segment);
  if (word.empty()) list.delete_current();
}

template <typename Keep>
void keep_only(TextList& list, Keep keep) {
  list.reset_to_start();
  while (list.next_element()) {
    if (!keep(list.current())) list.delete_current();
  }
}

std::vector<std::string> texts_of(const TextList& list) {
  return {list.texts().begin(), list.texts().end()};
}

}  // namespace

ReferenceLists reference_lists(std::string_view source) {
  std::string text =
      runtime::upper_case(runtime::text_from_memory(source.data(), std::int64_t(source.size())));
  for (const char* wanted : {"\t", "\x84", "\x93", "\x94", "\r", "\n", "\v", "\f"}) {
    text = runtime::replace_all(text, wanted, " ");
  }

  TextList list;
  std::size_t segment_start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == ' ') {
      add_word(list, std::string_view(text).substr(segment_start, at - segment_start));
      segment_start = at + 1;
    } else if (text[at] == ',') {
      text[at] = ' ';
    }
  }
  // The final segment is trimmed like every other.
  add_word(list, std::string_view(text).substr(segment_start));

  keep_only(list, [](const std::string& word) {
    return !word.empty() && word != " " && word.size() >= 3 && word.size() <= 10;
  });
  keep_only(list, [](const std::string& word) {
    return word.find_first_not_of(allowed.view()) == std::string::npos;
  });
  list.sort_list();

  std::string previous;
  keep_only(list, [&previous](const std::string& word) {
    if (word == previous) return false;
    previous = word;
    return true;
  });

  TextList by_length;
  auto append_all = [&](auto belongs) {
    list.reset_to_start();
    while (list.next_element()) {
      if (belongs(list.current().size())) by_length.add_after_current() = list.current();
    }
  };
  for (std::size_t length = 2; length <= 10; ++length)
    append_all([length](std::size_t size) { return size == length; });
  append_all([](std::size_t size) { return size > 10; });

  return {texts_of(list), texts_of(by_length)};
}

std::string joined(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += word + " ";
  return line;
}

}  // namespace velkart::testing
