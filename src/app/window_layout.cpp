#include "app/window_layout.h"

namespace velkart::app {

void create_controls(gui::Gui& gui, std::span<const ControlRow> rows, const gui::Bitmap& picture) {
  for (const ControlRow& row : rows) {
    switch (row.type) {
      case ControlType::frame:
        gui.create_frame(row.number, row.box, row.text);
        break;
      case ControlType::checkbox:
        gui.create_checkbox(row.number, row.box, row.text);
        break;
      case ControlType::option:
        gui.create_option(row.number, row.box, row.text);
        break;
      case ControlType::slider:
        gui.create_slider(row.number, row.box, row.minimum, row.maximum, /*tick_marks*/ true);
        break;
      case ControlType::label:
        gui.create_label(row.number, row.box, row.text, row.label);
        break;
      case ControlType::edit:
        gui.create_edit(row.number, row.box, row.text, row.edit);
        break;
      case ControlType::button:
        gui.create_button(row.number, row.box, row.text, row.button);
        break;
      case ControlType::image:
        gui.create_image(row.number, row.box, picture);
        break;
    }
    if (!row.tooltip.empty()) gui.set_tooltip(row.number, row.tooltip);
  }
}

}  // namespace velkart::app
