#pragma once
#include <span>

#include "app/window_layout.h"

namespace velkart::app {

class SettingsRecord;

// Opens window 0 and builds every control, colour and initial value; false
// (and no controls) when the window cannot be opened.
bool build_main_window(gui::Gui& gui, const SettingsRecord& record);

}  // namespace velkart::app
