// The freedesktop.org trash: a file moved there can be got back by any
// desktop's trash can, with its old place and the time it went.
#include "runtime/trash.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace velkart::runtime {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::write_bytes;

TEST(Trash, KeepsEachFileWithItsPlaceUnderANameOfItsOwn) {
  const testing::WorkingFolder folder;  // sets XDG_DATA_HOME to its Daten/
  const fs::path trash = folder.path() / "Daten" / "Trash";
  fs::create_directory("eure_Texte");
  for (const char* content : {"erste", "zweite"}) {
    write_bytes("eure_Texte/Kurs 0002_.txt", content);
    ASSERT_TRUE(move_to_trash("eure_Texte/Kurs 0002_.txt"));
    EXPECT_FALSE(fs::exists("eure_Texte/Kurs 0002_.txt"));
  }
  EXPECT_EQ(read_bytes(trash / "files" / "Kurs 0002_.txt"), "erste");
  EXPECT_EQ(read_bytes(trash / "files" / "Kurs 0002_.txt.2"), "zweite");
  const std::string info = read_bytes(trash / "info" / "Kurs 0002_.txt.2.trashinfo");
  EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + folder.path().string() +
                               "/eure_Texte/Kurs%200002_.txt\nDeletionDate=20"))
      << info;
  EXPECT_FALSE(move_to_trash("eure_Texte/fehlt.txt"));
}

}  // namespace
}  // namespace velkart::runtime
