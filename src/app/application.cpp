#include "app/application.h"

#include <filesystem>
#include <system_error>

#include "app/builder_window.h"
#include "app/course_window.h"
#include "app/help_text.h"
#include "app/listening_window.h"
#include "app/main_window.h"
#include "generator/encoder.h"
#include "generator/output_names.h"
#include "generator/playlist.h"
#include "generator/word_pool.h"
#include "gui/controls.h"
#include "gui/gui.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/commands.h"
#include "scoring/drill.h"
#include "vocab/pipeline.h"

namespace velkart::app {

namespace c = controls;

namespace {

// How often running outside work is looked at: often enough for a status
// line that follows the encoder, rarely enough to cost nothing.
constexpr double watch_interval_seconds = 0.25;

}  // namespace

Application::Application(gui::Gui& gui, runtime::Launcher& launcher, pdf::Clock clock)
    : gui_(gui), launcher_(launcher), scoring_(gui, clock) {
  generation_.launcher = &launcher_;
  generation_.clock = std::move(clock);
}

bool Application::start() {
  record_ = load_settings(store_);
  if (!build_main_window(gui_, record_)) return false;
  adopt_running_encoder();
  return true;
}

void Application::adopt_running_encoder() {
  const runtime::RunLock lock;
  if (!lock.busy()) {
    generator::forget_encoder();  // its encoder is long done
    return;
  }
  const std::optional<generator::RunningEncoder> running = generator::recorded_encoder();
  if (running && launcher_.is_running(running->process)) watch_encoder(*running, true);
}

void Application::watch_encoder(const generator::RunningEncoder& encoder, bool adopted) {
  encoder_ = {encoder.process, encoder.run, adopted};
  generation_.encoder_process = encoder.process;
  gui_.set_enabled(c::cancel_mp3_button, true);
  show_status(generator::encoder_status(generator::EncoderState::working, 0, encoder_.run.count));
  keep_watching();
}

int Application::run() {
  try {
    for (;;) {
      // While encoders run the loop must not sleep until the next event.
      const gui::EventKind kind = course_run_ ? gui_.wait_event_for(20) : gui_.wait_event();
      step_course();
      switch (kind) {
        case gui::EventKind::control:
          handle_control(gui_.event_control());
          break;
        case gui::EventKind::close_request:
          if (handle_close(gui_.event_window())) return 0;
          break;
        case gui::EventKind::timer:
          handle_timer();
          break;
        case gui::EventKind::other:
          break;
      }
    }
  } catch (...) {
    // Whatever went wrong, the session's settings are not lost with it; by
    // now the unwinding has given back what the failed action held.
    try {
      gui_.show_message(texts::message_title, texts::unexpected_error);
    } catch (...) {
    }
    try {
      shut_down();
    } catch (...) {
    }
    return 1;
  }
}

void Application::handle_control(int control) {
  switch (control) {
    case c::word_length_slider:
      gui_.set_text(c::word_length_label,
                    runtime::integer_to_text(gui_.get_state(c::word_length_slider)));
      break;
    case c::trial_button:
      run_trial_in_window(gui_, listening_conditions(record_));
      break;
    case c::generate_button:
      generate();
      break;
    case c::base_name_field:
      show_file_names(gui_);
      break;
    case c::open_builder_button:
      open_builder();
      break;
    case c::help_button:
    case c::builder_help_button:
    case c::course_help_button:
      open_help();
      break;
    case c::qrq_field:
      // With QRQ the speed rises during the text, so the effective speed must
      // equal the character speed.
      if (runtime::text_to_integer(gui_.get_text(c::qrq_field)) != 0) {
        gui_.set_text(c::effective_speed_field, gui_.get_text(c::character_speed_field));
      }
      break;
    case c::source_name_field:
      show_result_names(gui_);
      break;
    case c::open_course_button:
      open_course();
      break;
    case c::open_scoring_button:
      open_scoring();
      break;
    case c::open_listening_button:
      open_listening();
      break;
    case c::listening_close_button:
      close_listening();
      break;
    case c::scoring_drill_button:
      make_drill();
      break;
    case c::course_start_button:
      start_course();
      break;
    case c::course_cancel_button:
      cancel_course();
      break;
    case c::run_builder_button:
      vocab::run_vocabulary_pipeline(
          {[this] { return gui_.get_text(c::source_name_field); },
           [this](std::string_view log) { gui_.set_text(c::progress_display, log); },
           message_boxes_of(gui_)});
      break;
    case c::adopt_list_button:
      if (vocab::adopt_alphabetical_list(
              gui_.get_text(c::source_name_field), generator::word_list_paths[0],
              [this](std::string_view question) {
                return gui_.ask_question(texts::question_title, question);
              },
              message_boxes_of(gui_)))
        gui_.set_state(c::list_own, 1);
      break;
    case c::open_folder_button:
    case c::course_open_folder_button:
      // The opener tells later whether it worked; the window does not wait.
      open_outside(generator::output_folder.substr(0, generator::output_folder.size() - 1),
                   std::string(texts::folder_not_opened.view()));
      break;
    case c::cancel_mp3_button:
      cancel_encoder();
      break;
    case c::listen_button:
      listen();
      break;
    default:
      if (listening_open_ && listening_control_used(gui_, control)) break;
      if (scoring_open_) scoring_.handle_control(control);
      break;
  }
}

bool Application::handle_close(int window) {
  if (window == c::main_window) {
    // Left alone, the encoder would go on unseen; the user decides.
    if (encoder_.process != 0 && launcher_.is_running(encoder_.process) &&
        !gui_.ask_question(texts::question_title, texts::encoder_close_question))
      cancel_encoder();
    shut_down();
    return true;
  }
  if (window == c::builder_window) close_builder();
  if (window == c::course_window) close_course();
  if (window == c::scoring_window) close_scoring();
  if (window == c::listening_window) close_listening();
  return false;
}

void Application::open_builder() {
  if (builder_open_) return;
  // When the builder window cannot be opened, the main window stays usable.
  if (!build_builder_window(gui_, record_.text(Setting::builder_source))) return;
  builder_open_ = true;
  gui_.disable_window(c::main_window, gui::WindowInput::disabled);
}

void Application::close_builder() {
  if (!builder_open_) return;
  record_.set_text(Setting::builder_source, gui_.get_text(c::source_name_field));
  gui_.close_window(c::builder_window);
  builder_open_ = false;
  gui_.disable_window(c::main_window, gui::WindowInput::enabled);
  gui_.activate_window(c::main_window);
}

void Application::open_course() {
  if (course_open_ || builder_open_) return;
  if (!build_course_window(gui_, record_)) return;
  course_open_ = true;
  course_folder_button_ = false;
  course_log_.clear();
  gui_.disable_window(c::main_window, gui::WindowInput::disabled);
}

void Application::open_scoring() {
  if (scoring_open_ || course_open_ || builder_open_) return;
  if (!scoring_.open()) return;
  scoring_open_ = true;
  gui_.disable_window(c::main_window, gui::WindowInput::disabled);
}

void Application::make_drill() {
  if (!scoring_open_) return;
  const auto tell = message_boxes_of(gui_);
  const auto planned = scoring::plan_drill_for(gui_.get_text(c::scoring_learner_field),
                                               scoring::default_weak_characters);
  if (const auto* problem = std::get_if<std::string>(&planned)) return tell(*problem);
  const scoring::Drill& drill = std::get<scoring::Drill>(planned);
  const generator::SetPlace place = scoring::drill_place(drill);
  const generator::GenerationResult result = generator::run_generation(
      scoring::drill_settings(read_run_settings(gui_, listening_conditions(record_)), drill),
      generation_, tell, place);
  if (result.refused || !result.files.complete()) return;
  last_playlist_ = result.files.playlist;
  gui_.set_text(c::scoring_result, std::string(texts::scoring_drill_started.view()) + place.folder);
  if (generation_.encoder_process == 0) return;
  const std::string base =
      place.folder.substr(generator::output_folder.size()) + result.used.encoder.base_name;
  watch_encoder({generation_.encoder_process,
                 {base, static_cast<std::int64_t>(result.files.text_files.size()),
                  generator::encoder_input_written()}},
                false);
}

void Application::open_listening() {
  if (listening_open_ || scoring_open_ || course_open_ || builder_open_) return;
  if (!build_listening_window(gui_, record_)) return;
  listening_open_ = true;
  gui_.disable_window(c::main_window, gui::WindowInput::disabled);
}

void Application::close_listening() {
  if (!listening_open_) return;
  read_listening_window(gui_, record_);
  gui_.close_window(c::listening_window);
  listening_open_ = false;
  gui_.disable_window(c::main_window, gui::WindowInput::enabled);
  gui_.activate_window(c::main_window);
}

void Application::close_scoring() {
  if (!scoring_open_) return;
  scoring_.close();
  scoring_open_ = false;
  gui_.disable_window(c::main_window, gui::WindowInput::enabled);
  gui_.activate_window(c::main_window);
}

void Application::close_course() {
  if (!course_open_) return;
  // The run reports into this window: it stays open while the run goes on.
  if (course_run_) {
    if (!gui_.ask_question(texts::question_title, texts::course_close_question)) return;
    cancel_course();
  }
  read_course_window(gui_, record_);
  gui_.close_window(c::course_window);
  course_open_ = false;
  gui_.disable_window(c::main_window, gui::WindowInput::enabled);
  gui_.activate_window(c::main_window);
}

void Application::log_course(std::string line) {
  course_log_.push_back(std::move(line));
  // The newest lines stay in view.
  constexpr std::size_t visible = 22;
  std::string text;
  const std::size_t first = course_log_.size() > visible ? course_log_.size() - visible : 0;
  for (std::size_t k = first; k < course_log_.size(); ++k) text += course_log_[k] + "\n";
  gui_.set_text(c::course_log, text);
}

void Application::start_course() {
  if (course_run_) {
    gui_.show_message(texts::message_title, texts::course_still_running);
    return;
  }
  auto lock = std::make_unique<runtime::RunLock>();
  if (lock->busy() || lock->unavailable()) {
    gui_.show_message(texts::message_title, lock->busy() ? texts::encoder_still_running.view()
                                                         : texts::lock_unavailable.view());
    return;
  }
  read_course_window(gui_, record_);
  const generator::CourseOptions options = course_options(record_);
  const generator::CourseBase base = read_run_settings(gui_, listening_conditions(record_));
  const generator::PreparedCourse prepared = generator::prepare_course(options, base);
  if (prepared.error) {
    gui_.show_message(texts::message_title, *prepared.error);
    return;
  }
  const std::vector<std::string> existing =
      generator::existing_lesson_folders(options, base.encoder.base_name);
  if (!existing.empty()) {
    std::string question(texts::course_replace_question.view());
    for (const std::string& folder : existing) question += "\n" + folder;
    if (!gui_.ask_question(texts::question_title, question)) return;
  }
  for (const std::string& list : prepared.unreadable_lists) {
    gui_.show_message(texts::message_title,
                      std::string(texts::no_words_or_file.view()) + " (" + list + ")");
  }
  course_log_.clear();
  log_course(std::string(texts::log_please_wait.view()));
  course_lock_ = std::move(lock);
  course_run_ = std::make_unique<generator::CourseRun>(
      options, base, prepared.plan, launcher_, generation_.clock,
      [this](const generator::CourseFiles& files) { log_course(course_log_line(files)); });
  course_run_->write_lessons();
  gui_.set_enabled(c::course_cancel_button, true);
  step_course();
}

void Application::step_course() {
  if (!course_run_) return;
  if (course_run_->step()) {
    show_course_progress(gui_, course_run_->progress());
    return;
  }
  end_course(false);
}

void Application::cancel_course() {
  if (!course_run_) return;
  course_run_->stop();
  end_course(true);
}

void Application::end_course(bool cancelled) {
  course_run_->finish();
  show_course_progress(gui_, course_run_->progress());
  gui_.set_enabled(c::course_cancel_button, false);
  // The wait is over: its notice goes, the log keeps what was written.
  std::erase(course_log_, std::string(texts::log_please_wait.view()));
  for (const std::string& problem : course_run_->problems()) {
    // The user asked for the stop: the log says it, with what is complete.
    if (cancelled && problem == texts::course_interrupted.view()) {
      log_course(problem);
      log_course(complete_lessons_line(course_run_->complete_lessons()));
    } else {
      gui_.show_message(texts::message_title, problem);
    }
  }
  course_run_.reset();
  course_lock_.reset();
  log_course(std::string(texts::log_end.view()));
  if (course_open_ && !course_folder_button_) {
    add_open_folder_button(gui_);
    course_folder_button_ = true;
  }
}

void Application::open_help() {
  // The PDF when there is one and a viewer shows it; else the same help here.
  std::error_code failed;
  if (!std::filesystem::is_regular_file(runtime::file_system_path(help_document), failed)) {
    show_help_inside();
  } else {
    open_outside(help_document, {}, true);
  }
}

void Application::show_help_inside() {
  gui_.show_help(texts::help_window_title, help_html(parse_help(help_source())));
}

void Application::listen() {
  // The last run's list, or the one the name in the window would give.
  const std::string path = !last_playlist_.empty()
                               ? last_playlist_
                               : std::string(generator::output_folder) +
                                     generator::playlist_name(gui_.get_text(c::base_name_field));
  const auto with_path = [&path](std::string_view text) {
    return runtime::replace_all(text, "PATH", path);
  };
  std::error_code failed;
  if (!std::filesystem::is_regular_file(runtime::file_system_path(path), failed)) {
    gui_.show_message(texts::message_title, with_path(texts::no_playlist_yet));
    return;
  }
  open_outside(path, with_path(texts::playlist_not_opened));
}

void Application::open_outside(std::string_view path, std::string failure, bool help) {
  const int process = launcher_.open_document(std::string(path));
  if (process == 0) {
    help ? show_help_inside() : gui_.show_message(texts::message_title, failure);
    return;
  }
  // The opener's verdict comes later; the window must not wait for it.
  openers_.push_back({process, std::move(failure), help});
  keep_watching();
}

void Application::generate() {
  const generator::GenerationResult result =
      run_generation_in_window(gui_, generation_, listening_conditions(record_));
  if (result.refused) return;
  if (!result.files.playlist.empty()) last_playlist_ = result.files.playlist;
  encoder_ = {};
  if (generation_.encoder_process == 0) {
    gui_.set_enabled(c::cancel_mp3_button, false);
    show_status({});
    return;
  }
  watch_encoder(
      {generation_.encoder_process,
       {result.used.encoder.base_name, static_cast<std::int64_t>(result.files.text_files.size()),
        generator::encoder_input_written()}},
      false);
}

void Application::handle_timer() {
  timer_running_ = false;
  for (auto opener = openers_.begin(); opener != openers_.end();) {
    if (launcher_.is_running(opener->process)) {
      ++opener;
      continue;
    }
    const int code = launcher_.wait_for(opener->process);
    const std::string failure = std::move(opener->failure);
    const bool help = opener->help;
    opener = openers_.erase(opener);
    if (code == 0) continue;
    help ? show_help_inside() : gui_.show_message(texts::message_title, failure);
  }
  if (encoder_.process != 0) update_encoder_status();
  keep_watching();
}

void Application::update_encoder_status() {
  // Asked before the files are looked at, so an encoder that ends in between
  // is counted on the next look, never ahead of its files.
  const bool ended = !launcher_.is_running(encoder_.process);
  const std::int64_t finished =
      generator::finished_sound_files(generator::begun_sound_files(encoder_.run), ended);
  if (!ended) {
    show_status(
        generator::encoder_status(generator::EncoderState::working, finished, encoder_.run.count));
    return;
  }
  const int code = encoder_.adopted ? 0 : launcher_.wait_for(encoder_.process);
  encoder_.process = 0;
  generator::forget_encoder();
  gui_.set_enabled(c::cancel_mp3_button, false);
  show_status(generator::encoder_status(generator::EncoderState::ended, finished,
                                        encoder_.run.count, code));
  // Now the lengths are known; written before, the list could only say -1.
  settle_sounds(code == 0);
}

void Application::settle_sounds(bool completed) {
  if (!generator::settle_sound_files(encoder_.run, completed).playlist_written)
    gui_.show_message(texts::message_title, texts::file_not_created);
}

void Application::cancel_encoder() {
  if (encoder_.process == 0) return;
  if (!launcher_.is_running(encoder_.process)) {
    update_encoder_status();  // it ended by itself first
    return;
  }
  launcher_.stop(encoder_.process);
  encoder_.process = 0;
  generator::forget_encoder();
  const std::int64_t finished =
      generator::finished_sound_files(generator::begun_sound_files(encoder_.run), false);
  // The file it was writing is cut off somewhere: no half file is left.
  settle_sounds(false);
  gui_.set_enabled(c::cancel_mp3_button, false);
  show_status(
      generator::encoder_status(generator::EncoderState::cancelled, finished, encoder_.run.count));
}

void Application::show_status(const std::string& status) {
  if (status == status_) return;
  status_ = status;
  gui_.set_text(c::status_line, status);
}

void Application::keep_watching() {
  if (timer_running_ || (openers_.empty() && encoder_.process == 0)) return;
  timer_running_ = true;
  gui_.start_timer(watch_interval_seconds);
}

void Application::shut_down() {
  read_settings_from_controls(gui_, record_);
  save_settings(store_, record_);
  gui_.close_window(c::main_window);
}

}  // namespace velkart::app
