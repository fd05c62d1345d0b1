#include "app/window_layout.h"

namespace velkart::app {

void create_controls(gui::Gui& gui, int window, std::span<const ControlRow> rows) {
  const gui::Bitmap picture = gui::load_bitmap(program_picture_bmp());
  for (const ControlRow& row : rows) {
    switch (row.kind) {
      case gui::ControlKind::frame:
        gui.create_frame(row.number, row.box, row.text);
        break;
      case gui::ControlKind::checkbox:
        gui.create_checkbox(row.number, row.box, row.text);
        break;
      case gui::ControlKind::option:
        gui.create_option(row.number, row.box, row.text);
        break;
      case gui::ControlKind::slider:
        gui.create_slider(row.number, row.box, row.minimum, row.maximum, /*tick_marks*/ true);
        break;
      case gui::ControlKind::label:
        gui.create_label(row.number, row.box, row.text, row.label);
        break;
      case gui::ControlKind::edit:
        gui.create_edit(row.number, row.box, row.text, row.edit);
        break;
      case gui::ControlKind::button:
        gui.create_button(row.number, row.box, row.text, row.button);
        break;
      case gui::ControlKind::image:
        gui.create_image(row.number, row.box, picture);
        break;
      case gui::ControlKind::progress:
        gui.create_progress(row.number, row.box, row.maximum);
        break;
    }
    if (!row.tooltip.empty()) gui.set_tooltip(row.number, row.tooltip);
  }
  gui.set_window_icon(window, picture);
}

}  // namespace velkart::app
