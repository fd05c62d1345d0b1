#include "runtime/text_list.h"

#include <iterator>

namespace velkart::runtime {

std::string& TextList::add_after_current() {
  const auto before = has_current() ? std::next(cursor_) : elements_.begin();
  cursor_ = elements_.emplace(before);
  return *cursor_;
}

void TextList::delete_current() {
  if (!has_current()) return;
  const auto previous = cursor_ == elements_.begin() ? elements_.end() : std::prev(cursor_);
  elements_.erase(cursor_);
  cursor_ = previous;
}

bool TextList::next_element() {
  if (elements_.empty()) return false;
  const auto next = has_current() ? std::next(cursor_) : elements_.begin();
  if (next == elements_.end()) return false;
  cursor_ = next;
  return true;
}

std::string* TextList::select_element(std::int64_t index) {
  if (index < 0 || index >= list_size()) {
    cursor_ = elements_.end();
    return nullptr;
  }
  // Walk from the nearer end; the list has no index of its own.
  if (index < list_size() / 2) {
    cursor_ = std::next(elements_.begin(), static_cast<std::ptrdiff_t>(index));
  } else {
    cursor_ = std::prev(elements_.end(), static_cast<std::ptrdiff_t>(list_size() - index));
  }
  return &*cursor_;
}

void TextList::last_element() {
  if (!elements_.empty()) cursor_ = std::prev(elements_.end());
}

void TextList::sort_list() {
  // std::list::sort is a stable merge sort that relinks the nodes, and
  // std::string compares bytes as unsigned values, as the lists need.
  elements_.sort();
  cursor_ = elements_.end();
}

void TextList::clear() {
  elements_.clear();
  cursor_ = elements_.end();
}

}  // namespace velkart::runtime
