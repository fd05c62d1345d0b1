#pragma once
// A window's fixed layout as one table, read like a list of its controls:
// number, kind, box, creation text, options and colours. Windows are built
// by walking their table, so the screen and the in-memory backend get the
// same controls.
#include <span>
#include <string_view>

#include "gui/gui.h"

namespace velkart::app {

struct ControlRow {
  int number;
  gui::ControlKind kind;
  gui::Rect box;
  std::string_view text;
  // Colours; a row whose two colours are both the system's sets none.
  gui::Color text_color = gui::Color::system_default();
  gui::Color background = gui::Color::system_default();
  gui::LabelOptions label{};
  gui::EditOptions edit{};
  gui::ButtonOptions button{};
  int minimum = 0, maximum = 0;  // sliders; progress bars take the maximum
  std::string_view tooltip{};
  bool has_colors() const {
    return !(text_color == gui::Color::system_default() &&
             background == gui::Color::system_default());
  }
};

// Creates the controls in table order, each hover text right after its
// control; images and the window's icon show the program's picture.
void create_controls(gui::Gui& gui, int window, std::span<const ControlRow> rows);

// The program's 32 x 32 picture, a BMP with 256 colours kept in the program.
std::string_view program_picture_bmp();

}  // namespace velkart::app
