#pragma once
// A main window with the default settings on the in-memory backend, in a
// fresh working folder: the starting point of most generator and app tests.
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "gui/headless_gui.h"
#include "runtime/process.h"
#include "support/test_support.h"

namespace velkart::testing {

// Records what it was asked to start instead of starting it.
class RecordingLauncher : public runtime::Launcher {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
    runtime::EnvironmentChanges environment;
  };
  int start_program(const std::string& program, const std::vector<std::string>& arguments,
                    const runtime::EnvironmentChanges& environment) override {
    starts.push_back({program, arguments, environment});
    return can_start ? 4242 : 0;
  }
  int open_document(const std::string& path) override {
    documents.push_back(path);
    return can_start ? 4343 : 0;
  }
  bool is_running(int) override { return still_running; }
  int wait_for(int) override { return exit_code; }
  void stop(int) override { still_running = false; }

  std::vector<Start> starts;
  std::vector<std::string> documents;
  bool can_start = true;
  bool still_running = false;
  int exit_code = 0;
};

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
