#pragma once
// The third window: a whole Koch course in one run. Its layout is one table
// like the builder window's; its values live in the settings record between
// openings and program runs.
#include <span>
#include <string>
#include <vector>

#include "app/window_layout.h"
#include "generator/course.h"
#include "generator/course_run.h"

namespace velkart::app {

class SettingsRecord;

// Opens window 2 with its controls showing the record's course values;
// false (and no controls) when the window cannot be opened.
bool build_course_window(gui::Gui& gui, const SettingsRecord& record);
// "Ordner öffnen", once a run has written something to open.
void add_open_folder_button(gui::Gui& gui);
// The window's values back into the record, when it closes.
void read_course_window(const gui::Gui& gui, SettingsRecord& record);

// The progress bar: "3 von 10 Lektionen fertig · 12 von 50 mp3-Dateien ·
// noch etwa 4 min", filled as far as the mp3 files are done.
void show_course_progress(gui::Gui& gui, const generator::CourseProgress& progress);
// "Vollständig: Lektion 02, Lektion 03", or that none is.
std::string complete_lessons_line(const std::vector<int>& lessons);

// One line of the progress log: "Lektion 02: 5 Textdateien".
std::string course_log_line(const generator::CourseFiles& files);

}  // namespace velkart::app
