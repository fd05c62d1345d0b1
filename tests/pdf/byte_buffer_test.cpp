#include "pdf/byte_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace velkart::pdf {
namespace {

TEST(ByteBuffer, GrowsToTheNextMultipleOfTheStepAboveWhatIsNeeded) {
  ByteBuffer buffer(64000);
  ASSERT_TRUE(buffer.append(std::string(63999, 'a')));
  EXPECT_EQ(buffer.capacity(), 64000u);
  ASSERT_TRUE(buffer.append("b"));  // exactly full: no growth yet
  EXPECT_EQ(buffer.capacity(), 64000u);
  ASSERT_TRUE(buffer.append("c"));
  EXPECT_EQ(buffer.capacity(), 128000u);
  ASSERT_TRUE(buffer.append(std::string(200000, 'd')));
  // length 264001: (264001 / 64000 + 1) * 64000
  EXPECT_EQ(buffer.capacity(), 320000u);
  EXPECT_EQ(buffer.size(), 264001u);
  // "Greater than length + n": an exact multiple is not enough.
  ByteBuffer exact(100);
  ASSERT_TRUE(exact.append(std::string(128000, 'x')));
  EXPECT_EQ(exact.capacity(), 192000u);
}

TEST(ByteBuffer, ReservesByTheSameRuleWithoutAppending) {
  ByteBuffer buffer(64000);
  ASSERT_TRUE(buffer.append("%PDF-1.5\n"));
  ASSERT_TRUE(buffer.reserve(200000));
  EXPECT_EQ(buffer.capacity(), 256000u);
  EXPECT_EQ(buffer.size(), 9u);
  ASSERT_TRUE(buffer.append(std::string(200000, 'x')));
  EXPECT_EQ(buffer.capacity(), 256000u);
}

TEST(ByteBuffer, AppendsALineWithItsLineFeed) {
  ByteBuffer buffer(4);
  ASSERT_TRUE(buffer.append_line("2 J"));
  ASSERT_TRUE(buffer.append_line(""));
  EXPECT_EQ(buffer.view(), "2 J\n\n");
}

TEST(ByteBuffer, DropsTheWholeTextWhenItCannotGrow) {
  ByteBuffer buffer(64000, /*limit*/ 128000);
  ASSERT_TRUE(buffer.append(std::string(100000, 'a')));
  EXPECT_TRUE(buffer.append_line(std::string(27999, 'b')));  // exactly at the limit
  EXPECT_FALSE(buffer.append_line("c"));                      // one byte beyond it
  EXPECT_EQ(buffer.size(), 128000u);
  EXPECT_EQ(buffer.view().back(), '\n');
}

TEST(ByteBuffer, RefusesAppendsOnceReleased) {
  ByteBuffer buffer(64000);
  ASSERT_TRUE(buffer.append("%PDF-1.5"));
  buffer.release();
  EXPECT_FALSE(buffer.present());
  EXPECT_FALSE(buffer.append("x"));
  EXPECT_EQ(buffer.view(), "");
  ByteBuffer absent;
  EXPECT_FALSE(absent.append_line("x"));
}

}  // namespace
}  // namespace velkart::pdf
