#pragma once
// The fifth window: listening conditions. Its values live in the settings
// record between openings and program runs, like the course window's; the
// sliders hold only what a run takes, so nothing out of range can be entered.
#include "app/window_layout.h"

namespace velkart::app {

class SettingsRecord;

// Opens window 4 with its controls showing the record's conditions; false
// (and no controls) when the window cannot be opened.
bool build_listening_window(gui::Gui& gui, const SettingsRecord& record);
// A control of the window was used: the numbers beside the sliders follow
// them. False when `control` is none of the window's.
bool listening_control_used(gui::Gui& gui, int control);
// The window's values back into the record, when it closes.
void read_listening_window(const gui::Gui& gui, SettingsRecord& record);

}  // namespace velkart::app
