#include "app/application.h"

#include <filesystem>

#include "app/builder_window.h"
#include "app/main_window.h"
#include "generator/word_pool.h"
#include "gui/controls.h"
#include "gui/gui.h"
#include "gui/texts.h"
#include "runtime/process.h"
#include "runtime/text.h"
#include "vocab/pipeline.h"

namespace velkart::app {

namespace c = controls;

Application::Application(gui::Gui& gui, runtime::Launcher& launcher, pdf::Clock clock)
    : gui_(gui), launcher_(launcher) {
  generation_.launcher = &launcher_;
  generation_.clock = std::move(clock);
}

bool Application::start() {
  record_ = load_settings(store_);
  return build_main_window(gui_, record_);
}

int Application::run() {
  for (;;) {
    switch (gui_.wait_event()) {
      case gui::EventKind::control:
        handle_control(gui_.event_control());
        break;
      case gui::EventKind::close_request:
        if (handle_close(gui_.event_window())) return 0;
        break;
      case gui::EventKind::other:
        break;
    }
  }
}

void Application::handle_control(int control) {
  switch (control) {
    case c::word_length_slider:
      gui_.set_text(c::word_length_label,
                    runtime::integer_to_text(gui_.get_state(c::word_length_slider)));
      break;
    case c::trial_button:
      generator::run_trial(gui_);
      break;
    case c::generate_button:
      generator::run_generation(gui_, generation_);
      break;
    case c::base_name_field: {
      // The names the files really get: "Dateiname0000_.txt" and the sheet "Dateiname.pdf".
      const std::string base_name = gui_.get_text(c::base_name_field);
      gui_.set_text(c::text_preview, generator::text_file_name(base_name, 0));
      gui_.set_text(c::pdf_preview, base_name + ".pdf");
      break;
    }
    case c::open_builder_button:
      open_builder();
      break;
    case c::help_button:
    case c::builder_help_button:
      open_help();
      break;
    case c::qrq_field:
      // With QRQ the speed rises during the text, so the effective speed must
      // equal the character speed.
      if (runtime::text_to_integer(gui_.get_text(c::qrq_field)) != 0) {
        gui_.set_text(c::effective_speed_field, gui_.get_text(c::character_speed_field));
      }
      break;
    case c::source_name_field: {
      const std::string name = gui_.get_text(c::source_name_field);
      gui_.set_text(c::abc_preview, name + "_bearbeitet_ABC.txt");
      gui_.set_text(c::size_preview, name + "_bearbeitet_Groesse.txt");
      break;
    }
    case c::run_builder_button:
      vocab::run_vocabulary_pipeline(vocab::builder_window_hooks(gui_), gui_);
      break;
    default:
      break;
  }
}

bool Application::handle_close(int window) {
  if (window == c::main_window) {
    shut_down();
    return true;
  }
  if (window == c::builder_window) close_builder();
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

void Application::open_help() {
  // Without a word the button would seem broken: say what is missing.
  if (!std::filesystem::is_regular_file(std::string(help_document))) {
    gui_.show_message(texts::message_title, texts::help_missing);
  } else if (!launcher_.open_document(std::string(help_document))) {
    gui_.show_message(texts::message_title, texts::help_not_opened);
  }
}

void Application::shut_down() {
  read_settings_from_controls(gui_, record_);
  save_settings(store_, record_);
  gui_.close_window(c::main_window);
}

}  // namespace velkart::app
