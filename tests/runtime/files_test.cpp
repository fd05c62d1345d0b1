#include "runtime/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "support/test_support.h"

namespace velkart::runtime {
namespace {

using velkart::testing::WorkingFolder;
namespace disk = velkart::testing;  // whole files, beside the slot operations under test

std::vector<std::string> all_lines(std::string_view path) {
  std::vector<std::string> lines;
  EXPECT_TRUE(open_for_reading(0, path));
  while (!at_end_of_file(0)) lines.push_back(read_line(0));
  close_file(0);
  return lines;
}

class Files : public ::testing::Test {
 protected:
  WorkingFolder folder;
  void TearDown() override { close_all_files(); }
};

TEST_F(Files, ReadLineAcceptsEveryLineEndAndEndsAtAZeroByte) {
  using Lines = std::vector<std::string>;
  const std::pair<std::string, Lines> cases[] = {
      {std::string("a\r\nb\rc\nd"), {"a", "b", "c", "d"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\r", {"a"}},
      {"a\n\r", {"a", ""}},
      {std::string("ab\0cd\n", 6), {"ab", "cd"}},
      {"", {}}};
  for (const auto& [bytes, lines] : cases) {
    disk::write_bytes("a.txt", bytes);
    EXPECT_EQ(all_lines("a.txt"), lines) << bytes;
  }
}

TEST_F(Files, ReadLineJoinsCrLfAcrossTheBufferBoundary) {
  std::string first(file_buffer_size - 1, 'x');
  disk::write_bytes("long.txt", first + "\r\ny");
  EXPECT_EQ(all_lines("long.txt"), (std::vector<std::string>{first, "y"}));
  const std::string huge(10 * 1024 * 1024, 'w');
  disk::write_bytes("huge.txt", huge + "\r\n");
  EXPECT_EQ(all_lines("huge.txt"), std::vector<std::string>{huge});
}

TEST_F(Files, ReadLineAtTheEndGivesTheEmptyText) {
  disk::write_bytes("a.txt", "x");
  ASSERT_TRUE(open_for_reading(0, "a.txt"));
  EXPECT_EQ(read_line(0), "x");
  EXPECT_TRUE(at_end_of_file(0));
  EXPECT_EQ(read_line(0), "");
  EXPECT_EQ(read_line(7), "");  // a slot that is not open
  EXPECT_TRUE(at_end_of_file(7));
}

TEST_F(Files, WriteLineEndsWithCrLf) {
  ASSERT_TRUE(create_file(1, "out.txt"));
  EXPECT_EQ(write_line(1, ""), 2);
  EXPECT_EQ(write_line(1, "ab"), 4);
  close_file(1);
  EXPECT_EQ(disk::read_bytes("out.txt"), "\r\nab\r\n");
}

TEST_F(Files, CreateFileTruncatesAndOpenForUpdateKeeps) {
  disk::write_bytes("x.txt", std::string(100, 'x'));
  ASSERT_TRUE(create_file(1, "x.txt"));
  EXPECT_EQ(file_length(1), 0);
  close_file(1);
  EXPECT_EQ(std::filesystem::file_size("x.txt"), 0u);

  disk::write_bytes("y.txt", "keep");
  const int id = open_for_update(any_slot, "y.txt");
  ASSERT_NE(id, 0);
  EXPECT_EQ(file_length(id), 4);
  char buffer[8] = {};
  EXPECT_EQ(read_bytes(id, buffer, 8), 4);
  EXPECT_EQ(std::string(buffer), "keep");
  close_file(id);

  const int created = open_for_update(any_slot, "new.txt");
  ASSERT_NE(created, 0);
  EXPECT_NE(created, id);
  EXPECT_EQ(file_length(created), 0);
  close_file(created);
  EXPECT_TRUE(std::filesystem::exists("new.txt"));
}

TEST_F(Files, FileLengthCountsBufferedWrites) {
  ASSERT_TRUE(create_file(1, "b.txt"));
  write_line(1, "12345678");
  EXPECT_EQ(file_length(1), 10);
  const std::string big(file_buffer_size * 3 + 5, 'z');
  write_bytes(1, big);
  EXPECT_EQ(file_length(1), static_cast<std::int64_t>(10 + big.size()));
  close_file(1);
  EXPECT_EQ(disk::read_bytes("b.txt"), "12345678\r\n" + big);
}

TEST_F(Files, BothSeparatorsNameTheSameFileAndNamesBecomeUtf8OnDisk) {
  folder.lay_out_program_folders();
  ASSERT_TRUE(create_file(1, velkart::testing::cp1252("eure_Texte\\Übung.txt")));
  write_line(1, "x");
  close_file(1);
  EXPECT_EQ(disk::read_bytes("eure_Texte/Übung.txt"), "x\r\n");
}

TEST_F(Files, OpeningFailsWithoutTouchingAnything) {
  EXPECT_EQ(open_for_reading(0, "missing.txt"), 0);
  EXPECT_EQ(open_for_reading(0, ""), 0);
  std::filesystem::create_directory("folder");
  EXPECT_EQ(open_for_reading(0, "folder"), 0);
  EXPECT_EQ(create_file(1, "folder"), 0);
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

TEST_F(Files, ReopeningASlotClosesItsFileFirst) {
  ASSERT_TRUE(create_file(1, "first.txt"));
  write_line(1, "one");
  ASSERT_TRUE(create_file(1, "second.txt"));
  close_file(1);
  EXPECT_EQ(disk::read_bytes("first.txt"), "one\r\n");
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
