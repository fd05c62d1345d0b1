// A window with one control of each kind on the real screen. Every event is
// printed as one line ("control 12 text=... state=...", "close 0") so the
// shell test can drive the window with xdotool and check what arrived.
#include <cstdio>
#include <iostream>
#include <string>

#include "gui/cp1252_literal.h"
#include "gui/fltk_gui.h"
#include "runtime/encoding.h"

namespace {

using velkart::gui::Align;
using velkart::gui::Bitmap;
using velkart::gui::ButtonOptions;
using velkart::gui::Color;
using velkart::gui::Cp1252Literal;
using velkart::gui::EditOptions;
using velkart::gui::EventKind;
using velkart::gui::Gui;
using velkart::gui::LabelOptions;
using velkart::gui::Rect;
using velkart::gui::WindowInput;
using velkart::gui::WindowOptions;

constexpr Color dark_red = Color::rgb(183, 0, 0);
constexpr Color dark_blue = Color::rgb(49, 33, 137);
constexpr Color light_yellow = Color::rgb(255, 255, 128);
constexpr Color panel_grey = Color::rgb(212, 208, 200);
constexpr Color lavender = Color::rgb(158, 146, 228);
constexpr Color mid_grey = Color::rgb(128, 128, 128);
constexpr Color red = Color::rgb(255, 0, 0);

constexpr Cp1252Literal wrapping_text =
    "Grüße: Ärger über Öl kostet 5 € & mehr, @home\r\nzweite Zeile nach LF, die an Wortgrenzen "
    "umbricht";
constexpr Cp1252Literal tooltip_text = "Wortlänge: 2 bis 10 Buchstaben, @ = at";
constexpr Cp1252Literal check_caption = "Häkchen & Co";
constexpr Cp1252Literal second_title = "Zweites Fenster";

// A 32 x 32 picture: a yellow dot and dash on dark blue inside a red border.
Bitmap sample_picture() {
  Bitmap picture;
  picture.width = 32;
  picture.height = 32;
  picture.rgb.resize(32 * 32 * 3);
  for (int row = 0; row < 32; ++row) {
    for (int column = 0; column < 32; ++column) {
      const bool border = row < 2 || row > 29 || column < 2 || column > 29;
      const bool dot = row >= 13 && row <= 18 && column >= 5 && column <= 10;
      const bool dash = row >= 13 && row <= 18 && column >= 14 && column <= 27;
      const Color c = border ? red : (dot || dash) ? light_yellow : dark_blue;
      char* at = &picture.rgb[static_cast<std::size_t>(row * 32 + column) * 3];
      at[0] = static_cast<char>(c.red);
      at[1] = static_cast<char>(c.green);
      at[2] = static_cast<char>(c.blue);
    }
  }
  return picture;
}

void print(const std::string& line) {
  std::cout << line << std::endl;
}

void build_main_window(Gui& gui, const Bitmap& picture) {
  gui.open_window(0, 0, 0, 420, 300, "Velkart Rauchtest", WindowOptions{});
  gui.create_frame(0, {5, 5, 410, 230}, "Rahmen & Beschriftung");
  gui.create_label(1, {15, 25, 200, 45}, wrapping_text, LabelOptions{});
  gui.create_edit(2, {15, 80, 60, 15}, "42", EditOptions{Align::centred, true, true});
  gui.create_edit(3, {90, 80, 120, 15}, "Dateiname", EditOptions{Align::left, false, true});
  gui.create_slider(4, {15, 105, 170, 15}, 2, 10, true);
  gui.set_tooltip(4, tooltip_text);
  gui.create_option(5, {15, 130, 60, 15}, "genau");
  gui.create_option(6, {80, 130, 60, 15}, "bis zu");
  gui.create_checkbox(7, {15, 150, 120, 15}, check_caption);
  gui.create_button(8, {240, 25, 110, 110}, "Text analysieren -Probedurchlauf-",
                    ButtonOptions{true, true});
  gui.create_image(9, {15, 175, 32, 32}, picture);
  gui.create_label(10, {55, 180, 155, 15}, "Dateiname0000_.txt", LabelOptions{Align::right, false});
  gui.create_edit(11, {55, 200, 30, 14}, "20", EditOptions{Align::right, true, true});
  gui.create_button(12, {240, 145, 110, 22}, "Meldung zeigen", ButtonOptions{});
  gui.create_button(13, {240, 175, 110, 22}, second_title, ButtonOptions{});
  gui.create_label(14, {370, 25, 26, 156}, "mp3", LabelOptions{Align::centred, true});
  gui.create_label(15, {10, 250, 400, 40}, "Ausgabe:", LabelOptions{});

  gui.set_colors(0, dark_red, Color::system_default());
  gui.set_colors(1, dark_blue, Color::transparent());
  gui.set_colors(2, dark_red, light_yellow);
  gui.set_colors(3, dark_blue, light_yellow);
  gui.set_colors(4, dark_red, light_yellow);
  gui.set_colors(5, dark_red, Color::transparent());
  gui.set_colors(6, dark_red, Color::transparent());
  gui.set_colors(7, dark_red, Color::transparent());
  gui.set_button_colors(8, light_yellow, dark_red, Color::system_default(), red);
  gui.set_colors(10, dark_blue, panel_grey);
  gui.set_colors(11, Color::system_default(), light_yellow);
  gui.set_button_colors(12, light_yellow, mid_grey);
  gui.set_button_colors(13, light_yellow, mid_grey);
  gui.set_colors(14, light_yellow, lavender);
  gui.set_window_color(0, panel_grey);
  gui.set_window_icon(0, picture);

  gui.set_state(4, 5);
  gui.set_state(6, 1);
}

void build_second_window(Gui& gui, const Bitmap& picture) {
  if (!gui.open_window(1, 0, 0, 300, 120, second_title, WindowOptions{true, true, false, true}))
    return;
  gui.create_label(20, {10, 10, 80, 15}, "Ursprungs-Datei", LabelOptions{});
  gui.create_edit(21, {95, 10, 135, 15}, "text", EditOptions{Align::right, false, true});
  gui.create_label(22, {230, 10, 40, 15}, ".txt", LabelOptions{});
  gui.create_image(23, {10, 40, 32, 32}, picture);
  gui.set_colors(21, dark_red, light_yellow);
}

std::string describe(const Gui& gui, int control) {
  return "control " + std::to_string(control) +
         " text=" + velkart::runtime::to_utf8(gui.get_text(control)) +
         " state=" + std::to_string(gui.get_state(control));
}

}  // namespace

int main() {
  if (!velkart::gui::display_available()) {
    std::fprintf(stderr, "Keine grafische Anzeige gefunden (DISPLAY).\n");
    return 1;
  }
  auto gui = velkart::gui::make_fltk_gui();
  const Bitmap picture = sample_picture();
  build_main_window(*gui, picture);
  print("ready");
  for (;;) {
    const EventKind kind = gui->wait_event();
    if (kind == EventKind::control) {
      const int control = gui->event_control();
      print(describe(*gui, control));
      // Program-set texts: on an opaque label (10) and a see-through one (15).
      if (control == 3) gui->set_text(10, gui->get_text(3) + "0000_.txt");
      if (control == 4)
        gui->set_text(15, "Ausgabe: Schieber auf " + std::to_string(gui->get_state(4)));
      if (control == 12) {
        gui->show_message("Information", "Konnte Datei nicht erstellen!");
        print("message closed");
      }
      if (control == 13) {
        build_second_window(*gui, picture);
        gui->disable_window(0, WindowInput::disabled);
        print("window 1 opened");
      }
    } else if (kind == EventKind::close_request) {
      const int window = gui->event_window();
      print("close " + std::to_string(window));
      if (window == 0) return 0;
      gui->close_window(1);
      gui->disable_window(0, WindowInput::enabled);
      gui->activate_window(0);
    }
  }
}
