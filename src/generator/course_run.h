#pragma once
// Carrying out a planned course: per lesson its folder with the text files,
// the answer key, the copy sheet and the encoder's input; the encoders, one
// lesson per core at a time; once a lesson's sound files are there its
// playlist; at the end the course overview. The run is stepped from outside
// so a window can keep handling events between the steps.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "generator/copy_sheet.h"
#include "generator/course.h"
#include "pdf/document.h"

namespace velkart::runtime {
class Launcher;
}

namespace velkart::generator {

enum class CourseFileKind { texts, answer_key, copy_sheet, sounds, playlist, overview };

// What one step wrote, named for the log and the terminal.
struct CourseFiles {
  int lesson = 0;  // 0 for the overview
  CourseFileKind kind = CourseFileKind::texts;
  std::vector<std::string> paths;
};
using CourseReporter = std::function<void(const CourseFiles&)>;

// The lesson folders of the range that exist already and would be replaced.
std::vector<std::string> existing_lesson_folders(const CourseOptions& options,
                                                 std::string_view base_name);

// Everything that is checked before anything is written: the options, the
// output folder, the word lists and a draw for every lesson. Either a plan
// or a German message; `unreadable` gets the ticked lists that are missing.
struct PreparedCourse {
  CoursePlan plan;
  std::vector<std::string> unreadable_lists;
  std::optional<std::string> error;
};
PreparedCourse prepare_course(const CourseOptions& options, const CourseBase& base);

// How far a run has got, for a window to show.
struct CourseProgress {
  std::size_t lessons = 0;       // lessons written, their encoders to come
  std::size_t lessons_done = 0;  // with all their sound files
  std::int64_t sounds = 0;
  std::int64_t sounds_done = 0;
  // From the encoders' pace so far, while they work; unknown before the
  // first file is done.
  std::optional<double> seconds_left;
};

class CourseRun {
 public:
  // `parallel`: how many encoders may run at once (0: one per core).
  CourseRun(CourseOptions options, CourseBase base, CoursePlan plan, runtime::Launcher& launcher,
            pdf::Clock clock, CourseReporter reporter, unsigned parallel = 0);

  // Replaces the lesson folders and writes every lesson's files; the
  // encoders are queued, longest lesson first.
  void write_lessons();
  // Starts queued encoders up to the limit and finishes the lessons whose
  // encoder has ended. True while any encoder is queued or running.
  bool step();
  // Ends the encoders still at work and those waiting: each lesson keeps
  // the sound files that are finished, a file cut off is removed.
  void stop();
  // Writes the overview with what is known.
  void finish();

  CourseProgress progress() const;
  // The lessons whose sound files are all there, in lesson order.
  std::vector<int> complete_lessons() const;

  // German texts of what went wrong, in order; empty when all went well.
  const std::vector<std::string>& problems() const { return problems_; }
  const CoursePlan& plan() const { return plan_; }

 private:
  struct Job {
    std::size_t lesson = 0;  // index into the plan
    std::vector<std::string> arguments;
    std::vector<double> seconds;  // expected length of each sound file
    int process = 0;
    bool done = false;
    std::size_t begun = 0;     // sound files the encoder has begun
    std::size_t finished = 0;  // once done: the files that were kept
  };
  // Sound files the job's encoder has finished so far.
  static std::size_t finished_files(const Job& job);
  // Looks which sound files a running encoder has begun.
  void watch_files(Job& job) const;

  bool write_lesson(std::size_t index);
  // "Lektion 02: Konnte Datei nicht erstellen! PATH".
  void not_written(int lesson, const std::string& path);
  void finish_lesson(Job& job, int exit_code);
  void problem(std::string text);

  CourseOptions options_;
  CourseBase base_;
  CoursePlan plan_;
  runtime::Launcher& launcher_;
  pdf::Clock clock_;
  CourseReporter reporter_;
  unsigned parallel_;
  std::vector<Job> jobs_;
  std::vector<std::optional<double>> audio_seconds_;
  std::vector<std::string> problems_;
  bool encoder_missing_reported_ = false;
  std::optional<std::chrono::steady_clock::time_point> first_start_;
};

// The whole course for a caller that may block: writes, waits for every
// encoder (polling every few milliseconds; Ctrl-C stops them) and writes the
// overview.
void run_course_to_end(CourseRun& run);

}  // namespace velkart::generator
