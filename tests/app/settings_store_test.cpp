#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace velkart::app {
namespace {

using velkart::testing::cp1252;
using velkart::testing::read_bytes;
using velkart::testing::WorkingFolder;
using velkart::testing::write_bytes;

class Store : public ::testing::Test {
 protected:
  // Opens `content` as the settings file and selects "voreinstellungen".
  void open_with(std::string_view content) {
    write_bytes("v.pref", content);
    ASSERT_NE(store.open_settings_file("v.pref"), 0);
    store.select_group("voreinstellungen");
  }
  WorkingFolder folder;
  SettingsStore store;
};

TEST_F(Store, ReadsValuesOfTheSelectedGroupAsTheFileHoldsThem) {
  const struct {
    const char *file, *group, *key;
    std::int32_t number;  // read_integer with the default 650
    const char* text;     // read_text with the default "d"
  } cases[] = {
      {"[voreinstellungen]\r\nString_frequenz = 700\r\n", "voreinstellungen", "String_frequenz",
       700, "700"},
      {"[VOREINSTELLUNGEN]\nSTRING_FREQUENZ=700\n", "voreinstellungen", "string_frequenz", 700,
       "700"},
      {"[voreinstellungen]\rString_frequenz = 700 Hz\r", "voreinstellungen", "String_frequenz", 700,
       "700 Hz"},
      {"[voreinstellungen]\r\nk =\r\n", "voreinstellungen", "k", 0, ""},  // empty: 0, not 650
      {"[voreinstellungen]\r\nk = abc\r\n", "voreinstellungen", "k", 0, "abc"},
      {"[voreinstellungen]\r\nk = \t -12\r\n", "voreinstellungen", "k", -12, "-12"},
      {"[voreinstellungen]\r\nk = 4294967297\r\n", "voreinstellungen", "k", 1, "4294967297"},
      {"[voreinstellungen]\r\n  k \t=  Kurs 1 = a \t \r\n", "voreinstellungen", "k", 0,
       "Kurs 1 = a"},
      {"[voreinstellungen]\r\nk = 1\r\nK = 2\r\n", "voreinstellungen", "K", 1, "1"},
      {"[voreinstellungen]\r\n", "voreinstellungen", "fehlt", 650, "d"},
      {"[ voreinstellungen ]\r\nk = 1\r\n", "voreinstellungen", "k", 650, "d"},  // another group
      // Keys outside the selected group are not found.
      {"k = 1\r\n[andere]\r\nk = 2\r\n[voreinstellungen]\r\n[dritte]\r\nk = 3\r\n",
       "voreinstellungen", "k", 650, "d"},
      {"k = 1\r\n[andere]\r\nk = 2\r\n", "", "k", 1, "1"},
      {"k = 1\r\n[andere]\r\nk = 2\r\n", "andere", "k", 2, "2"}};
  for (const auto& c : cases) {
    write_bytes("v.pref", c.file);
    ASSERT_NE(store.open_settings_file("v.pref"), 0);
    store.select_group(c.group);
    EXPECT_EQ(store.read_integer(c.key, 650), c.number) << c.file;
    EXPECT_EQ(store.read_text(c.key, "d"), c.text) << c.file;
  }
}

TEST_F(Store, WritesIntoTheSelectedGroupKeepingTheRestOfTheFile) {
  const struct {
    const char *file, *group, *key, *value, *written;
  } cases[] = {
      // The first of two equal keys is replaced.
      {"[voreinstellungen]\r\nk = 1\r\nK = 2\r\n", "voreinstellungen", "K", "9",
       "[voreinstellungen]\r\nK = 9\r\nK = 2\r\n"},
      // Comments and groups stay, blank lines go.
      {";Kopf\r\n\r\n  ;  zwei Blanks \r\n[voreinstellungen]\r\n\r\na=1\r\n[andere] Rest\r\n"
       "b = 2\r\nohne Gleich\r\n",
       "voreinstellungen", "c", "neu",
       "; Kopf\r\n;  zwei Blanks \r\n[voreinstellungen]\r\na = 1\r\nc = neu\r\n[andere]\r\n"
       "b = 2\r\nohne Gleich = \r\n"},
      // A group that is not there yet is appended at the first write.
      {"[erste]\r\nx = 1\r\n", "neu", "y", "-3", "[erste]\r\nx = 1\r\n[neu]\r\ny = -3\r\n"},
      // Keys before the first group go before it.
      {"[g]\r\n", "", "k", "v", "k = v\r\n[g]\r\n"}};
  for (const auto& c : cases) {
    open_with(c.file);
    store.select_group(c.group);
    store.write_text(c.key, c.value);
    store.close_settings_file();
    EXPECT_EQ(read_bytes("v.pref"), c.written) << c.file;
  }
}

TEST_F(Store, WithoutChangesTheFileIsNotTouched) {
  const std::string odd = "[voreinstellungen]\nString_frequenz=700\n\n";
  open_with(odd);
  store.close_settings_file();
  EXPECT_EQ(read_bytes("v.pref"), odd);
}

TEST_F(Store, MissingFileIsCreatedOnlyWhenWrittenTo) {
  EXPECT_EQ(store.open_settings_file("missing.pref"), 0);
  EXPECT_EQ(store.select_group("voreinstellungen"), 0);
  EXPECT_EQ(store.read_integer("String_frequenz", 650), 650);
  store.close_settings_file();
  EXPECT_FALSE(std::filesystem::exists("missing.pref"));
  store.open_settings_file("missing.pref");
  store.select_group("voreinstellungen");
  store.write_integer("String_frequenz", 700);
  store.close_settings_file();
  EXPECT_EQ(read_bytes("missing.pref"), "[voreinstellungen]\r\nString_frequenz = 700\r\n");
}

TEST_F(Store, CreateEmptiesTheFileEvenWithoutWrites) {
  write_bytes("v.pref", "old");
  ASSERT_NE(store.create_settings_file("v.pref"), 0);
  store.close_settings_file();
  EXPECT_EQ(read_bytes("v.pref"), "");
  EXPECT_EQ(store.create_settings_file("no_folder/v.pref"), 0);
  store.write_text("k", "lost");  // silently nothing
  store.close_settings_file();
  EXPECT_FALSE(std::filesystem::exists("no_folder"));
}

TEST_F(Store, Utf8FilesAreReadAndWrittenBackAsUtf8) {
  open_with(
      "\xEF\xBB\xBF[voreinstellungen]\r\nname = Gr\xC3\xB6\xC3\x9F"
      "e \xE2\x82\xAC\r\n");
  EXPECT_EQ(store.read_text("name", ""), cp1252("Größe") + " ?");
  store.write_text("name", cp1252("Ä"));
  store.close_settings_file();
  EXPECT_EQ(read_bytes("v.pref"), "\xEF\xBB\xBF\r\n[voreinstellungen]\r\nname = \xC3\x84\r\n");
}

}  // namespace
}  // namespace velkart::app
