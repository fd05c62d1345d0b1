#pragma once
#include <span>

#include "app/window_layout.h"
#include "generator/generation.h"
#include "generator/run_settings.h"

namespace velkart::app {

class SettingsRecord;

// Opens window 0 and builds every control, colour and initial value; false
// (and no controls) when the window cannot be opened.
bool build_main_window(gui::Gui& gui, const SettingsRecord& record);

// The window's settings as one run takes them, read once before it starts.
generator::PoolOptions read_pool_options(const gui::Gui& gui);
// The listening conditions are kept in their own window and come from the
// settings record.
generator::RunSettings read_run_settings(const gui::Gui& gui,
                                         const generator::ListeningConditions& listening = {});

// The names the files really get, beside the base-name field:
// "Dateiname0000_.txt" and the sheet "Dateiname.pdf".
void show_file_names(gui::Gui& gui);

// A run's messages as message boxes of the window.
runtime::MessageSink message_boxes_of(gui::Gui& gui);

// Button 19: a trial run on the window's settings, shown in labels 8, 14
// and 79 and the output area; the text drawn.
// The listening conditions' pauses count in the length the pool line gives.
std::string run_trial_in_window(gui::Gui& gui,
                                const generator::ListeningConditions& listening = {});

// Button 20: a generation run on the window's settings. Afterwards the
// window shows what the run used, like a trial run: a lowered effective speed
// in field 48, the labels and the last text drawn.
generator::GenerationResult run_generation_in_window(
    gui::Gui& gui, generator::GenerationContext& context,
    const generator::ListeningConditions& listening = {});

}  // namespace velkart::app
