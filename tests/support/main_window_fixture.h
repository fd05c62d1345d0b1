#pragma once
// A main window with the default settings on the in-memory backend, in a
// fresh working folder: the starting point of most generator and app tests.
#include <string>
#include <string_view>

#include "app/main_window.h"
#include "app/settings.h"
#include "gui/headless_gui.h"
#include "support/recording_launcher.h"
#include "support/test_support.h"

namespace velkart::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.copy_shipped_word_lists();
    ASSERT_TRUE(app::build_main_window(gui, app::SettingsRecord{}));
  }
  // Replaces a word list with our own bytes.
  void write_list(std::string_view name, std::string_view bytes) {
    write_bytes(folder.path() / "nicht_loeschen" / std::string(name), bytes);
  }
  // Ticks exactly the given check boxes of the word lists.
  void tick_only(std::initializer_list<int> lists) {
    for (int box = 1; box <= 5; ++box) gui.set_state(box, 0);
    for (int box : lists) gui.set_state(box, 1);
  }

  WorkingFolder folder;
  gui::HeadlessGui gui;
};

}  // namespace velkart::testing
