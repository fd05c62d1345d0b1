#include "generator/course_run.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "generator/copy_sheet.h"
#include "generator/course_overview.h"
#include "generator/duration.h"
#include "generator/encoder.h"
#include "generator/generation.h"
#include "generator/output_names.h"
#include "generator/playlist.h"
#include "generator/practice_set.h"
#include "generator/solution_sheet.h"
#include "runtime/files.h"
#include "runtime/interruption.h"
#include "runtime/process.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "runtime/trash.h"

namespace velkart::generator {

namespace {

namespace fs = std::filesystem;
using runtime::integer_to_text;

// Where a lesson is written before it replaces the old one: beside it, so
// the swap is a rename on the same file system.
std::string fresh_folder(const std::string& folder) {
  const std::string name =
      folder.substr(output_folder.size(), folder.size() - output_folder.size() - 1);
  return std::string(output_folder) + ".velkart-neu-" + name + "/";
}

fs::path on_disk(const std::string& folder) {
  return runtime::file_system_path(folder.substr(0, folder.size() - 1));
}

// What a run left there when it was cut short goes first; a link of that
// name is removed, never followed.
void remove_fresh_folder(const std::string& fresh) {
  std::error_code ignored;
  if (fs::is_symlink(on_disk(fresh), ignored)) {
    fs::remove(on_disk(fresh), ignored);
  } else {
    fs::remove_all(on_disk(fresh), ignored);
  }
}

bool make_fresh_folder(const std::string& fresh) {
  remove_fresh_folder(fresh);
  std::error_code error;
  return fs::create_directory(on_disk(fresh), error) && !error;
}

// The old lesson goes to the trash (a link of its name is only removed, its
// target stays untouched), then the new one takes its name.
bool swap_in(const std::string& fresh, const std::string& folder) {
  std::error_code error;
  const fs::path target = on_disk(folder);
  const fs::file_status old = fs::symlink_status(target, error);
  if (fs::is_symlink(old)) {
    if (!fs::remove(target, error)) return false;
  } else if (fs::is_directory(old)) {
    if (!runtime::move_to_trash(folder.substr(0, folder.size() - 1))) {
      // No trash takes it: the user asked for the lesson to be replaced.
      const fs::path aside = on_disk(fresh).string() + "-alt";
      fs::remove_all(aside, error);
      fs::rename(target, aside, error);
      if (error) return false;
      fs::rename(on_disk(fresh), target, error);
      if (error) {
        fs::rename(aside, target, error);
        return false;
      }
      fs::remove_all(aside, error);
      return true;
    }
  } else if (fs::exists(old)) {
    return false;  // a file of that name is no lesson
  }
  fs::rename(on_disk(fresh), target, error);
  return !error;
}

std::string lesson_prefix(int lesson) {
  return lesson_label(lesson) + ": ";
}

}  // namespace

std::vector<std::string> existing_lesson_folders(const CourseOptions& options,
                                                 std::string_view base_name) {
  std::vector<std::string> existing;
  for (int lesson = options.from; lesson <= options.to; ++lesson) {
    const std::string folder = lesson_folder(base_name, lesson);
    std::error_code ignored;
    if (fs::exists(runtime::file_system_path(folder), ignored)) existing.push_back(folder);
  }
  return existing;
}

PreparedCourse prepare_course(const CourseOptions& options, const CourseBase& base) {
  PreparedCourse prepared;
  prepared.error = check_course_options(options, base);
  if (prepared.error) return prepared;
  std::error_code ignored;
  if (!fs::is_directory(runtime::file_system_path(output_folder), ignored)) {
    prepared.error = std::string(texts::course_no_output_folder.view());
    return prepared;
  }
  // Read once for all lessons; each lesson filters its own letters.
  const WordPool source = read_source_pool(base.pool.lists, base.pool.replace_sz,
                                           base.pool.replace_umlauts, prepared.unreadable_lists);
  prepared.plan = plan_course(options, base, source);
  prepared.error = prepared.plan.error;
  return prepared;
}

CourseRun::CourseRun(CourseOptions options, CourseBase base, CoursePlan plan,
                     runtime::Launcher& launcher, pdf::Clock clock, CourseReporter reporter,
                     unsigned parallel)
    : options_(std::move(options)),
      base_(std::move(base)),
      plan_(std::move(plan)),
      launcher_(launcher),
      clock_(std::move(clock)),
      reporter_(std::move(reporter)),
      parallel_(parallel != 0 ? parallel : std::max(1u, std::thread::hardware_concurrency())),
      audio_seconds_(plan_.lessons.size()) {}

void CourseRun::problem(std::string text) {
  problems_.push_back(std::move(text));
}

void CourseRun::not_written(int lesson, const std::string& path) {
  problem(lesson_prefix(lesson) + std::string(texts::file_not_created.view()) + " " + path);
}

bool CourseRun::write_lesson(std::size_t index) {
  const LessonPlan& lesson = plan_.lessons[index];
  const std::string& base_name = base_.encoder.base_name;
  const std::string folder = lesson_folder(base_name, lesson.number);
  const SetName name = lesson_set_name(base_name, lesson.number);
  // The new lesson is written beside the old one and swapped in whole: a
  // failure on the way leaves the old lesson as it was.
  const std::string fresh = fresh_folder(folder);
  if (!make_fresh_folder(fresh)) {
    not_written(lesson.number, fresh);
    return false;
  }

  RunSettings settings = base_;
  settings.encoder.effective_speed = lesson.effective_speed;
  PracticeSet set;
  set.folder = fresh;
  set.name = name;
  set.texts = lesson.texts;
  set.repetitions = runtime::text_to_integer(base_.repetitions);
  set.sheet = sheet_settings(settings);
  // Both sheets name the lesson and its letters: printed keys of several
  // lessons stay apart.
  const std::string new_letter(1, lesson.new_letter);
  set.sheet_title = std::string(texts::sheet_lesson_title.view()) + lesson_label(lesson.number) +
                    "\n" + letters_line(lesson.letters, new_letter);
  set.copy_heading = {
      std::string(texts::copy_sheet_title.view()) + " " + lesson_label(lesson.number),
      lesson.letters,
      new_letter,
      speeds_line(settings.encoder.character_speed, lesson.effective_speed, set.sheet.frequency),
      {}};
  set.encoder_input = lesson_encoder_input(lesson.number);
  set.listening = settings.encoder.listening;
  set.timing = send_timing(settings);

  const WrittenSet written = write_practice_set(set, clock_);
  if (!written.complete() || !swap_in(fresh, folder)) {
    remove_fresh_folder(fresh);
    not_written(lesson.number, written.complete() ? folder : written.failed);
    return false;
  }
  // Named where they are now.
  const auto moved = [&](const std::string& path) { return folder + path.substr(fresh.size()); };
  CourseFiles texts{lesson.number, CourseFileKind::texts, {}};
  for (const std::string& path : written.text_files) texts.paths.push_back(moved(path));
  reporter_(texts);
  reporter_({lesson.number, CourseFileKind::answer_key, {moved(written.answer_key)}});
  reporter_({lesson.number, CourseFileKind::copy_sheet, {moved(written.copy_sheet)}});
  Job job;
  job.lesson = index;
  job.arguments =
      encoder_arguments(settings.encoder, set.encoder_input, folder + sound_file_prefix(name),
                        base_name + " " + lesson_label(lesson.number));
  for (const std::string& text : lesson.texts)
    job.seconds.push_back(text_file_seconds(send_timing(settings), text).value_or(0));
  jobs_.push_back(std::move(job));
  return true;
}

void CourseRun::write_lessons() {
  // What a run that was ended while writing left behind.
  runtime::remove_orphaned_temporaries(output_folder);
  runtime::remove_orphaned_temporaries(std::string(encoder_home) + "/");
  for (std::size_t index = 0; index < plan_.lessons.size(); ++index) {
    if (write_lesson(index)) continue;
    // Nothing after the first file that could not be put in place: the
    // lessons before it are whole and get their sound files.
    problem(std::string(texts::course_stopped.view()));
    break;
  }
  // Longest first: the short lessons then fill the gaps at the end, and the
  // last encoder to finish is a short one.
  const auto weight = [this](const Job& job) {
    std::size_t characters = 0;
    for (const std::string& text : plan_.lessons[job.lesson].texts) characters += text.size();
    return characters;
  };
  std::stable_sort(jobs_.begin(), jobs_.end(),
                   [&weight](const Job& a, const Job& b) { return weight(a) > weight(b); });
}

void CourseRun::finish_lesson(Job& job, int exit_code) {
  job.done = true;
  const LessonPlan& lesson = plan_.lessons[job.lesson];
  const std::string& base_name = base_.encoder.base_name;
  const std::string folder = lesson_folder(base_name, lesson.number);
  const SetName name = lesson_set_name(base_name, lesson.number);
  if (exit_code > 0) {
    problem(lesson_prefix(lesson.number) + std::string(texts::batch_encoder_failed.view()) +
            integer_to_text(exit_code));
  }

  CourseFiles sounds{lesson.number, CourseFileKind::sounds, {}};
  // The lesson's folder is new: its sound files are this encoder's, in order.
  // One it failed or was stopped in is cut off: removed, never listed.
  std::vector<PlaylistEntry> entries = sound_playlist(folder, name, lesson.texts.size());
  std::size_t begun = 0;
  std::error_code ignored;
  while (begun < entries.size() &&
         fs::exists(runtime::file_system_path(folder + entries[begun].file), ignored))
    ++begun;
  if (exit_code != 0 && begun > 0) {
    --begun;
    fs::remove(runtime::file_system_path(folder + entries[begun].file), ignored);
  }
  entries.resize(begun);
  job.finished = begun;
  std::optional<double> total;
  for (const PlaylistEntry& entry : entries) {
    if (!entry.seconds) continue;
    sounds.paths.push_back(folder + entry.file);
    total = total.value_or(0) + *entry.seconds;
  }
  audio_seconds_[job.lesson] = total;
  if (!sounds.paths.empty()) reporter_(sounds);

  const std::string playlist = folder + playlist_name(name);
  if (replace_file(playlist, playlist_text(entries))) {
    reporter_({lesson.number, CourseFileKind::playlist, {playlist}});
  } else {
    not_written(lesson.number, playlist);
  }
}

bool CourseRun::step() {
  // An encoder's first run copies its example configuration into its home;
  // two doing that at once could read each other's half-written file.
  std::error_code ignored;
  const bool configured = fs::exists(
      runtime::file_system_path(std::string(encoder_home) + "/.ebook2cw/ebook2cw.conf"), ignored);
  const std::size_t limit = configured ? parallel_ : 1;
  std::size_t running = 0;
  for (Job& job : jobs_) {
    if (job.done || job.process == 0) continue;
    if (launcher_.is_running(job.process)) {
      ++running;
      watch_files(job);
    } else {
      finish_lesson(job, launcher_.wait_for(job.process));
    }
  }
  for (Job& job : jobs_) {
    if (running >= limit) break;
    if (job.done || job.process != 0) continue;
    const std::string encoder = find_encoder(launcher_);
    job.process = encoder.empty() ? 0 : start_encoder(launcher_, encoder, job.arguments);
    if (job.process != 0) {
      if (!first_start_) first_start_ = std::chrono::steady_clock::now();
      ++running;
      continue;
    }
    if (!encoder_missing_reported_) problem(std::string(encoder_missing_message()));
    encoder_missing_reported_ = true;
    finish_lesson(job, -1);
  }
  return std::any_of(jobs_.begin(), jobs_.end(), [](const Job& job) { return !job.done; });
}

void CourseRun::watch_files(Job& job) const {
  const LessonPlan& lesson = plan_.lessons[job.lesson];
  const std::string folder = lesson_folder(base_.encoder.base_name, lesson.number);
  const SetName name = lesson_set_name(base_.encoder.base_name, lesson.number);
  // The folder is new: every sound file in it is this encoder's.
  std::error_code ignored;
  while (job.begun < lesson.texts.size() &&
         fs::exists(runtime::file_system_path(
                        folder + sound_file_name(name, static_cast<std::int64_t>(job.begun))),
                    ignored))
    ++job.begun;
}

std::size_t CourseRun::finished_files(const Job& job) {
  // While the encoder works, the file it began last is not done yet.
  if (job.done) return job.finished;
  return job.begun > 0 ? job.begun - 1 : 0;
}

CourseProgress CourseRun::progress() const {
  CourseProgress progress;
  progress.lessons = jobs_.size();
  double seconds = 0;
  double seconds_done = 0;
  bool working = false;
  for (const Job& job : jobs_) {
    const std::size_t finished = finished_files(job);
    if (job.done && finished == job.seconds.size()) ++progress.lessons_done;
    working = working || !job.done;
    progress.sounds += static_cast<std::int64_t>(job.seconds.size());
    progress.sounds_done += static_cast<std::int64_t>(finished);
    for (std::size_t k = 0; k < job.seconds.size(); ++k) {
      // A lesson that ended early has no more to come.
      if (job.done && k >= finished) break;
      seconds += job.seconds[k];
      if (k < finished) seconds_done += job.seconds[k];
    }
  }
  if (working && first_start_ && seconds_done > 0) {
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - *first_start_;
    progress.seconds_left = (seconds - seconds_done) * spent.count() / seconds_done;
  }
  return progress;
}

std::vector<int> CourseRun::complete_lessons() const {
  std::vector<int> complete;
  for (const Job& job : jobs_) {
    if (job.done && finished_files(job) == job.seconds.size())
      complete.push_back(plan_.lessons[job.lesson].number);
  }
  std::sort(complete.begin(), complete.end());
  return complete;
}

void CourseRun::finish() {
  const std::string path = course_overview_path(base_.encoder.base_name);
  if (write_course_overview(options_, base_, plan_, audio_seconds_,
                            earlier_lessons(options_, base_.encoder.base_name), path, clock_)) {
    reporter_({0, CourseFileKind::overview, {path}});
  } else {
    problem(std::string(texts::file_not_created.view()) + " " + path);
  }
}

void run_course_to_end(CourseRun& run) {
  run.write_lessons();
  while (run.step()) {
    if (runtime::interrupted()) {
      run.stop();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.finish();
}

void CourseRun::stop() {
  for (Job& job : jobs_) {
    if (job.done) continue;
    if (job.process != 0) launcher_.stop(job.process);
    finish_lesson(job, -1);
  }
  problem(std::string(texts::course_interrupted.view()));
}

}  // namespace velkart::generator
