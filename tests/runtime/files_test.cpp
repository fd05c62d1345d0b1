#include "runtime/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/test_support.h"

namespace velkart::runtime {
namespace {

using velkart::testing::WorkingFolder;
namespace disk = velkart::testing;  // whole files, beside the slot operations under test

class Files : public ::testing::Test {
 protected:
  WorkingFolder folder;
  void TearDown() override { close_all_files(); }
};

// Line ends, zero bytes and lines across the transfer buffer are replayed
// against a plain split by the read_line fuzz target.
TEST_F(Files, ReadLineTakesLfCrAsTwoEndsAndGivesTheEmptyTextAtTheEnd) {
  disk::write_bytes("a.txt", "x\n\r");
  ASSERT_TRUE(open_for_reading(0, "a.txt"));
  EXPECT_EQ(read_line(0), "x");
  EXPECT_FALSE(at_end_of_file(0));
  EXPECT_EQ(read_line(0), "");
  EXPECT_TRUE(at_end_of_file(0));
  EXPECT_EQ(read_line(0), "");
  EXPECT_EQ(read_line(7), "");  // a slot that is not open
  EXPECT_TRUE(at_end_of_file(7));
}

TEST_F(Files, WriteLineEndsWithCrLfAndTheLengthCountsBufferedWrites) {
  ASSERT_TRUE(create_file(1, "b.txt"));
  EXPECT_EQ(write_line(1, ""), 2);
  EXPECT_EQ(write_line(1, "12345678"), 10);
  EXPECT_EQ(file_length(1), 12);
  const std::string big(file_buffer_size * 3 + 5, 'z');
  write_bytes(1, big);
  EXPECT_EQ(file_length(1), static_cast<std::int64_t>(12 + big.size()));
  ASSERT_TRUE(create_file(1, "second.txt"));  // reopening the slot closes b.txt first
  close_file(1);
  EXPECT_EQ(disk::read_bytes("b.txt"), "\r\n12345678\r\n" + big);
}

TEST_F(Files, CreateFileTruncatesAndAnySlotTakesAFreeOne) {
  disk::write_bytes("x.txt", std::string(100, 'x'));
  const int created = create_file(any_slot, "x.txt");
  ASSERT_NE(created, 0);
  EXPECT_EQ(file_length(created), 0);
  const int reading = open_for_reading(any_slot, "x.txt");
  EXPECT_NE(reading, 0);
  EXPECT_NE(reading, created);
  close_file(created);
  EXPECT_EQ(std::filesystem::file_size("x.txt"), 0u);
}

TEST_F(Files, OpeningFailsWithoutTouchingAnything) {
  EXPECT_EQ(open_for_reading(0, "missing.txt"), 0);
  EXPECT_EQ(open_for_reading(0, ""), 0);
  EXPECT_EQ(create_file(1, "no_such_folder/a.txt"), 0);
  EXPECT_FALSE(std::filesystem::exists("no_such_folder"));
  EXPECT_EQ(write_line(1, "lost"), 0);
}

TEST_F(Files, WriteProtectedFileCannotBeCreated) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write anything";
  disk::write_bytes("ro.txt", "old");
  ::chmod("ro.txt", 0444);
  EXPECT_EQ(create_file(1, "ro.txt"), 0);
  EXPECT_EQ(disk::read_bytes("ro.txt"), "old");
}

TEST_F(Files, ReadBytesReadsLargeFilesWhole) {
  std::string content;
  for (int k = 0; k < 300000; ++k) content.push_back(static_cast<char>('a' + k % 26));
  disk::write_bytes("big.txt", content);
  ASSERT_TRUE(open_for_reading(0, "big.txt"));
  std::string back(content.size() + 10, '\0');
  // A small read leaves look-ahead in the buffer; the large one must use it first.
  EXPECT_EQ(read_bytes(0, back.data(), 10), 10);
  EXPECT_EQ(read_bytes(0, back.data() + 10, static_cast<std::int64_t>(back.size()) - 10),
            static_cast<std::int64_t>(content.size()) - 10);
  back.resize(content.size());
  EXPECT_EQ(back, content);
  close_file(0);
}

}  // namespace
}  // namespace velkart::runtime
