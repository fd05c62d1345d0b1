// The controls that report events, on the real screen, after the checks the
// in-memory backend must pass as well. Every event is printed
// as one line ("control 4 text= state=6", "close 0") so that
// fltk_smoke_test.sh can drive the window with xdotool and check what arrived.
#include <iostream>
#include <string>

#include "app/builder_window.h"
#include "app/course_window.h"
#include "app/listening_window.h"
#include "app/main_window.h"
#include "app/scoring_window.h"
#include "app/settings.h"
#include "gui/backend_contract.h"
#include "gui/fltk_gui.h"
#include "runtime/cp1252_literal.h"
#include "runtime/encoding.h"

using namespace velkart::gui;

// The real windows, every caption and field text measured in the font that
// draws it against its box: prints what would be cut, exit code 1 then.
int check_captions(Gui& gui) {
  velkart::app::build_main_window(gui, velkart::app::SettingsRecord{});
  velkart::app::build_builder_window(gui, "test");
  velkart::app::build_course_window(gui, velkart::app::SettingsRecord{});
  velkart::app::build_listening_window(gui, velkart::app::SettingsRecord{});
  velkart::app::ScoringWindow scoring(gui, velkart::pdf::local_time_now);
  scoring.open();
  const auto cut = cut_texts(gui);
  for (const std::string& text : cut) std::cout << velkart::runtime::to_utf8(text) << '\n';
  return cut.empty() ? 0 : 1;
}

int main(int argc, char** argv) {
  if (!display_available()) {
    std::cerr << "Keine grafische Anzeige gefunden (DISPLAY).\n";
    return 1;
  }
  auto gui = make_fltk_gui();
  if (argc > 1 && std::string(argv[1]) == "--captions") return check_captions(*gui);
  for (const std::string& failure : velkart::testing::backend_contract_failures(*gui))
    std::cout << "contract: " << failure << std::endl;  // the script expects none
  gui->open_window(0, 0, 0, 420, 300, "Velkart Rauchtest", WindowOptions{});
  gui->create_edit(2, {15, 80, 60, 15}, "42", EditOptions{Align::centred, true, true});
  gui->create_edit(3, {90, 80, 120, 15}, "Dateiname", EditOptions{Align::left, false, true});
  gui->create_slider(4, {15, 105, 170, 15}, 2, 10, true);
  gui->create_option(5, {15, 130, 60, 15}, "genau");
  gui->create_option(6, {80, 130, 60, 15}, "bis zu");
  gui->create_checkbox(7, {15, 150, 120, 15}, velkart::runtime::Cp1252Literal("Häkchen & Co"));
  gui->create_button(8, {240, 25, 110, 110}, "Text analysieren -Probedurchlauf-",
                     ButtonOptions{true, true});
  gui->create_label(10, {55, 180, 155, 15}, "Dateiname0000_.txt", LabelOptions{});
  gui->create_button(12, {240, 145, 110, 22}, "Meldung zeigen", ButtonOptions{});
  gui->create_button(13, {240, 175, 110, 22}, "Zweites Fenster", ButtonOptions{});
  gui->set_state(4, 5);  // values set while filling the window raise no event
  gui->set_state(6, 1);
  std::cout << "ready" << std::endl;
  for (;;) {
    const EventKind kind = gui->wait_event();
    if (kind == EventKind::control) {
      const int control = gui->event_control();
      std::cout << "control " << control
                << " text=" << velkart::runtime::to_utf8(gui->get_text(control))
                << " state=" << gui->get_state(control) << std::endl;
      // Texts set by the program raise no event, on a label or in a field.
      if (control == 3) gui->set_text(10, gui->get_text(3) + "0000_.txt");
      if (control == 4) gui->set_text(2, std::to_string(gui->get_state(4)));
      if (control == 12) {
        gui->show_message("Information", "Konnte Datei nicht erstellen!");
        std::cout << "message closed" << std::endl;
      }
      if (control == 13 && gui->open_window(1, 0, 0, 300, 120, "Zweites Fenster",
                                            WindowOptions{true, true, false, true})) {
        gui->create_edit(21, {95, 10, 135, 15}, "text", EditOptions{Align::right, false, true});
        gui->disable_window(0, WindowInput::disabled);
        std::cout << "window 1 opened" << std::endl;
      }
    } else if (kind == EventKind::close_request) {
      std::cout << "close " << gui->event_window() << std::endl;
      if (gui->event_window() == 0) return 0;
      gui->close_window(1);
      gui->disable_window(0, WindowInput::enabled);
      gui->activate_window(0);
    }
  }
}
