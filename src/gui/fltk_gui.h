#pragma once
// The on-screen backend of the GUI operations. Callers see only the Gui
// interface; the toolkit stays inside src/gui/fltk.
#include <memory>
#include <string>
#include <vector>

#include "gui/gui.h"

namespace velkart::gui {

// True when an X display can be opened. Ask before make_fltk_gui: the toolkit
// ends the process on its own when it finds no display.
bool display_available();

// Opens the display and sets the look every window shares (Liberation Sans
// 11 px, panel grey). Only one may exist at a time.
std::unique_ptr<Gui> make_fltk_gui();

// For a Gui made by make_fltk_gui: "control N: text" for every caption or
// field text of its open windows that its box cannot show whole.
std::vector<std::string> cut_texts(const Gui& gui);

}  // namespace velkart::gui
