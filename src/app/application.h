#pragma once
// The program from start to end: settings read, main window built, one event
// at a time dispatched by control number, settings written back when the
// main window is closed.
#include "app/settings.h"
#include "app/settings_store.h"
#include "generator/generation.h"

namespace velkart::gui {
class Gui;
}
namespace velkart::runtime {
class Launcher;
}

namespace velkart::app {

inline constexpr std::string_view help_document = "hilfe.pdf";

class Application {
 public:
  Application(gui::Gui& gui, runtime::Launcher& launcher, pdf::Clock clock);

  // Start-up: false when the main window could not be opened.
  bool start();
  // The event loop; returns the exit code after shutdown.
  int run();

  // One event each; handle_close is true when the program has shut down.
  void handle_control(int control);
  bool handle_close(int window);

  bool builder_open() const { return builder_open_; }
  const SettingsRecord& settings() const { return record_; }

 private:
  void open_builder();
  void close_builder();
  void open_help();
  void shut_down();

  gui::Gui& gui_;
  runtime::Launcher& launcher_;
  SettingsStore store_;
  SettingsRecord record_;
  generator::GenerationContext generation_;
  bool builder_open_ = false;
};

}  // namespace velkart::app
