#pragma once
// The program from start to end: settings read, main window built, one event
// at a time dispatched by control number, settings written back when the
// main window is closed.
#include <memory>
#include <string>
#include <vector>

#include "app/scoring_window.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "generator/course_run.h"
#include "generator/encoder_progress.h"
#include "generator/generation.h"
#include "runtime/run_lock.h"

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
  // The timer asked for while outside work runs: looks how it is going.
  void handle_timer();

  bool builder_open() const { return builder_open_; }
  bool course_open() const { return course_open_; }
  bool scoring_open() const { return scoring_open_; }
  bool listening_open() const { return listening_open_; }
  bool course_running() const { return course_run_ != nullptr; }
  // Looks after a running course: starts waiting encoders, finishes lessons
  // and, at the end, the overview. The event loop calls it between events.
  void step_course();
  const SettingsRecord& settings() const { return record_; }

 private:
  void open_builder();
  void close_builder();
  void open_help();
  void open_course();
  void close_course();
  void open_scoring();
  void close_scoring();
  void open_listening();
  void close_listening();
  // A drill set for the learner named in the scoring window.
  void make_drill();
  void start_course();
  // "Abbrechen": the encoders end, the files they were cut off in go.
  void cancel_course();
  // The overview, the problems and the log once the last encoder is done
  // or the run was stopped.
  void end_course(bool cancelled);
  void log_course(std::string line);
  // Hands a document or folder to the desktop; `failure` is shown when that
  // cannot start or the opener ends with an error code.
  void open_outside(std::string_view path, std::string failure, bool help = false);
  // The help from the text built into the program, in a window of its own.
  void show_help_inside();
  // "Anhören": the last run's playlist in the desktop's player.
  void listen();
  void generate();

  void update_encoder_status();
  void cancel_encoder();
  // The finished sound files in the playlist; a file cut off is removed.
  void settle_sounds(bool completed);
  void show_status(const std::string& status);
  void keep_watching();
  void shut_down();

  struct Opener {
    int process;
    std::string failure;
    bool help = false;  // a failure shows the help inside the program instead
  };
  struct EncoderWatch {
    int process = 0;  // 0 when no encoder works
    generator::SoundRun run;
    bool adopted = false;  // started by an earlier run of the program: no exit code
  };
  // An encoder an earlier run of the program left at work shows in the status
  // line, and "mp3 abbrechen" can end it.
  void adopt_running_encoder();
  void watch_encoder(const generator::RunningEncoder& encoder, bool adopted);

  gui::Gui& gui_;
  runtime::Launcher& launcher_;
  SettingsStore store_;
  SettingsRecord record_;
  generator::GenerationContext generation_;
  bool builder_open_ = false;
  bool course_open_ = false;
  bool scoring_open_ = false;
  bool listening_open_ = false;
  std::string last_playlist_;  // of this session's last run, once written
  ScoringWindow scoring_;
  bool course_folder_button_ = false;
  std::unique_ptr<generator::CourseRun> course_run_;
  // Held for the whole course, so no other run starts in this folder while
  // lessons are still being written; the encoders inherit it.
  std::unique_ptr<runtime::RunLock> course_lock_;
  std::vector<std::string> course_log_;
  std::vector<Opener> openers_;
  EncoderWatch encoder_;
  std::string status_;
  bool timer_running_ = false;
};

}  // namespace velkart::app
