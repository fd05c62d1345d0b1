#pragma once
// An ordered list of texts with a cursor. `delete_current` steps back to the
// element before, so a walk of reset_to_start / next_element may delete as it
// goes and still visits every element exactly once.
#include <cstdint>
#include <list>
#include <string>

namespace velkart::runtime {

class TextList {
 public:
  // Inserts an empty text after the current element (at the front when the
  // cursor is before the first); the new element becomes current.
  std::string& add_after_current();
  // Removes the current element; the one before becomes current, or the
  // cursor goes before the first. Without a current element: nothing.
  void delete_current();
  void reset_to_start() { cursor_ = elements_.end(); }
  // False at the end, where the cursor stays on the last element.
  bool next_element();
  std::int64_t list_size() const { return static_cast<std::int64_t>(elements_.size()); }
  // Makes the 0-based index current; outside the list: no current element, nullptr.
  std::string* select_element(std::int64_t index);
  void last_element();
  // Stable merge sort in unsigned byte order; the cursor goes before the first.
  void sort_list();
  void clear();

  bool has_current() const { return cursor_ != elements_.end(); }
  std::string& current() { return *cursor_; }
  const std::list<std::string>& texts() const { return elements_; }

 private:
  std::list<std::string> elements_;
  // end() stands for "before the first element".
  std::list<std::string>::iterator cursor_ = elements_.end();
};

}  // namespace velkart::runtime
