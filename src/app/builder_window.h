#pragma once
#include <span>
#include <string_view>

#include "app/window_layout.h"

namespace velkart::app {

// Opens window 1 with its controls and fills the name field with the last
// source name; false (and no controls) when the window cannot be opened.
bool build_builder_window(gui::Gui& gui, std::string_view source_name);

// The names the two result files really get, below the name field.
void show_result_names(gui::Gui& gui);

}  // namespace velkart::app
