#include "runtime/text_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"

namespace velkart::runtime {
namespace {

std::vector<std::string> contents(const TextList& list) {
  return {list.texts().begin(), list.texts().end()};
}

TextList list_of(std::initializer_list<const char*> texts) {
  TextList list;
  for (const char* text : texts) list.add_after_current() = text;
  return list;
}

TEST(TextList, AddAfterCurrentKeepsInsertionOrder) {
  TextList list = list_of({"a", "b", "c"});
  EXPECT_EQ(contents(list), (std::vector<std::string>{"a", "b", "c"}));
  list.reset_to_start();
  list.add_after_current() = "front";
  EXPECT_EQ(contents(list).front(), "front");
  EXPECT_EQ(list.list_size(), 4);
}

TEST(TextList, DeletingInAWalkVisitsEveryElementOnce) {
  TextList list = list_of({"a", "b", "c", "d"});
  std::vector<std::string> visited;
  list.reset_to_start();
  while (list.next_element()) {
    visited.push_back(list.current());
    list.delete_current();
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(list.list_size(), 0);

  TextList some = list_of({"x1", "keep", "x2", "x3", "keep2"});
  some.reset_to_start();
  while (some.next_element()) {
    if (some.current().starts_with("x")) some.delete_current();
  }
  EXPECT_EQ(contents(some), (std::vector<std::string>{"keep", "keep2"}));
}

TEST(TextList, NextElementStaysOnTheLastAtTheEnd) {
  TextList list = list_of({"a", "b"});
  list.reset_to_start();
  EXPECT_TRUE(list.next_element());
  EXPECT_TRUE(list.next_element());
  EXPECT_FALSE(list.next_element());
  EXPECT_EQ(list.current(), "b");
  TextList empty;
  EXPECT_FALSE(empty.next_element());
  empty.delete_current();  // nothing current: nothing happens
  EXPECT_EQ(empty.list_size(), 0);
}

TEST(TextList, SelectElementOutsideTheListLeavesNoCurrent) {
  TextList list = list_of({"a", "b", "c"});
  ASSERT_NE(list.select_element(2), nullptr);
  EXPECT_EQ(list.current(), "c");
  EXPECT_EQ(list.select_element(3), nullptr);
  EXPECT_FALSE(list.has_current());
  EXPECT_EQ(list.select_element(-1), nullptr);
  list.last_element();
  EXPECT_EQ(list.current(), "c");
  list.select_element(0);
  list.delete_current();
  EXPECT_FALSE(list.has_current());  // the cursor went before the new first
  EXPECT_TRUE(list.next_element());
  EXPECT_EQ(list.current(), "b");
}

TEST(SortList, SortsBytesUnsignedWithCapitalsFirst) {
  TextList list = list_of({"Zebra", "apfel", "Apfel", "\xC4pfel"});
  list.sort_list();
  EXPECT_EQ(contents(list), (std::vector<std::string>{"Apfel", "Zebra", "apfel", "\xC4pfel"}));
  TextList prefixes = list_of({"ABC", "AB", "", "\xDF", "\xDC"});
  prefixes.sort_list();
  EXPECT_EQ(contents(prefixes), (std::vector<std::string>{"", "AB", "ABC", "\xDC", "\xDF"}));
  EXPECT_FALSE(prefixes.has_current());
}

}  // namespace
}  // namespace velkart::runtime
