#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/settings_store.h"
#include "gui/controls.h"
#include "gui/headless_gui.h"
#include "support/test_support.h"

namespace velkart::app {
namespace {

using velkart::testing::read_bytes;
using velkart::testing::WorkingFolder;
using velkart::testing::write_bytes;
namespace c = controls;

class Settings : public ::testing::Test {
 protected:
  WorkingFolder folder;
  SettingsStore store;
  gui::HeadlessGui gui;
};

TEST_F(Settings, AWrittenFileReadsBackUnchanged) {
  write_bytes(settings_file_name, read_bytes(velkart::testing::golden_path("app/defaults.pref")));
  const std::string before = read_bytes(settings_file_name);
  SettingsRecord record = load_settings(store);
  build_main_window(gui, record);
  read_settings_from_controls(gui, record);
  save_settings(store, record);
  EXPECT_EQ(read_bytes(settings_file_name), before);
}

TEST_F(Settings, HandEditedFileIsHonouredAndRewrittenClean) {
  write_bytes(
      settings_file_name,
      "; von Hand\n[andere]\nString_frequenz = 1\n[VOREINSTELLUNGEN]\n  string_frequenz=700\n"
      "String_wortlaenge = 15\nString_biszu_Wortlaenge = 2\nString_mp_dateiname =  Kurs 1  \n"
      "unbekannt = x\nString_anzahl_woerter =\n");
  SettingsRecord record = load_settings(store);
  build_main_window(gui, record);
  EXPECT_EQ(gui.get_text(c::frequency_field), "700");
  EXPECT_EQ(gui.get_state(c::word_length_slider), 10);  // the slider shows the nearest end
  EXPECT_EQ(gui.get_text(c::word_length_label), "15");
  EXPECT_EQ(gui.get_state(c::exact_option), 1);
  EXPECT_EQ(gui.get_state(c::up_to_option), 0);
  EXPECT_EQ(gui.get_text(c::base_name_field), "Kurs 1");
  EXPECT_EQ(gui.get_text(c::word_limit_field), "0");
  // The previews show the names the saved base name gives, from the start.
  EXPECT_EQ(gui.get_text(c::text_preview), "Kurs 10000_.txt");

  gui.set_text(c::text_count_field, "");
  read_settings_from_controls(gui, record);
  save_settings(store, record);
  const std::string written = read_bytes(settings_file_name);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), std::ptrdiff_t{setting_count} + 1);
  EXPECT_NE(written.find("String_frequenz = 700\r\n"), std::string::npos);
  EXPECT_NE(written.find("String_wortlaenge = 10\r\n"), std::string::npos);
  EXPECT_NE(written.find("String_biszu_Wortlaenge = 0\r\n"), std::string::npos);
  EXPECT_NE(written.find("String_anzahl_texte = 0\r\n"), std::string::npos);
  EXPECT_EQ(written.find("andere"), std::string::npos);
  EXPECT_EQ(written.find("unbekannt"), std::string::npos);
}

}  // namespace
}  // namespace velkart::app
