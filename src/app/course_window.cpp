#include "app/course_window.h"

#include <array>

#include "app/palette.h"
#include "app/settings.h"
#include "gui/controls.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::app {

namespace {

using T = gui::ControlKind;
using runtime::integer_to_text;
namespace c = controls;
namespace p = palette;
namespace t = texts;

constexpr gui::EditOptions number_field{gui::Align::right, true, true};
constexpr int progress_steps = 1000;

// In the order they are created: ascending numbers. 120 ("Ordner öffnen")
// is created only once a run has written something to open. The progress
// bar and "Abbrechen" lie below the rest, across the window.
// clang-format off
const std::array<ControlRow, 24> rows{{
  // no.   kind          x    y    w    h    text at creation        text colour     background
  {101, T::label,    {10,  10,  330, 60},  t::course_intro},
  {102, T::label,    {10,  80,  150, 15},  t::course_lessons_from},
  {103, T::edit,     {165, 80,  30,  15},  {},                        p::dark_red,     p::light_yellow, {}, number_field},
  {104, T::label,    {200, 80,  25,  15},  t::course_to},
  {105, T::edit,     {230, 80,  30,  15},  {},                        p::dark_red,     p::light_yellow, {}, number_field},
  {106, T::label,    {10,  100, 150, 15},  t::course_texts},
  {107, T::edit,     {165, 100, 30,  15},  {},                        p::dark_red,     p::light_yellow, {}, number_field},
  {108, T::checkbox, {10,  120, 150, 15},  t::course_ramp},
  {109, T::edit,     {165, 120, 30,  15},  {},                        p::dark_red,     p::light_yellow, {}, number_field},
  {110, T::label,    {200, 120, 25,  15},  t::course_to},
  {111, T::edit,     {230, 120, 30,  15},  {},                        p::dark_red,     p::light_yellow, {}, number_field},
  {112, T::label,    {265, 120, 40,  15},  t::course_wpm},
  {113, T::label,    {10,  145, 330, 15},  t::course_groups},
  {114, T::option,   {10,  165, 170, 15},  t::course_groups_auto},
  {115, T::option,   {185, 165, 50,  15},  t::course_groups_off},
  {116, T::option,   {240, 165, 70,  15},  t::course_groups_always},
  {117, T::label,    {10,  190, 330, 30},  t::course_other_settings},
  {118, T::button,   {10,  230, 330, 30},  t::course_start},
  {119, T::button,   {10,  270, 160, 25},  t::builder_help_button},
  {121, T::label,    {350, 0,   350, 310}, {},                        p::light_yellow, p::dark_red},
  {122, T::progress, {10,  318, 560, 24},  {},                        {},              {},              {}, {}, {}, 0, progress_steps},
  {123, T::button,   {580, 318, 110, 24},  t::course_cancel},
  // The length of one text, beside the text count.
  {124, T::label,    {205, 100, 95,  15},  t::course_minutes},
  {125, T::edit,     {305, 100, 30,  15},  {},                        p::dark_red,     p::light_yellow, {}, number_field},
}};
// clang-format on

constexpr std::array<std::pair<int, generator::GroupsMode>, 3> group_options{{
    {c::course_groups_auto, generator::GroupsMode::automatic},
    {c::course_groups_off, generator::GroupsMode::off},
    {c::course_groups_always, generator::GroupsMode::always},
}};

int number_in(const gui::Gui& gui, int field) {
  return static_cast<int>(runtime::text_to_integer(gui.get_text(field)));
}

generator::GroupsMode groups_in(const gui::Gui& gui) {
  for (const auto& [option, mode] : group_options) {
    if (gui.get_state(option) == 1) return mode;
  }
  return generator::GroupsMode::automatic;
}

}  // namespace

bool build_course_window(gui::Gui& gui, const SettingsRecord& record) {
  gui::WindowOptions options;
  options.minimise_box = true;
  if (!gui.open_window(c::course_window, 0, 0, 700, 350, t::course_title, options)) return false;
  create_controls(gui, c::course_window, rows);
  gui.set_enabled(c::course_cancel_button, false);
  for (const ControlRow& row : rows) {
    if (row.has_colors()) gui.set_colors(row.number, row.text_color, row.background);
  }
  using S = Setting;
  for (Setting field : {S::course_from, S::course_to, S::course_texts, S::course_minutes,
                        S::course_ramp_first, S::course_ramp_last}) {
    gui.set_text(settings_table[static_cast<std::size_t>(field)].control,
                 integer_to_text(record.number(field)));
  }
  gui.set_state(c::course_ramp_checkbox, record.number(S::course_ramp) != 0 ? 1 : 0);
  const generator::GroupsMode mode = generator::groups_mode_from_text(record.text(S::course_groups))
                                         .value_or(generator::GroupsMode::automatic);
  for (const auto& [option, each] : group_options) {
    if (each == mode) gui.set_state(option, 1);
  }
  return true;
}

void add_open_folder_button(gui::Gui& gui) {
  gui.create_button(c::course_open_folder_button, {180, 270, 160, 25}, t::course_open_folder, {});
}

void read_course_window(const gui::Gui& gui, SettingsRecord& record) {
  using S = Setting;
  for (Setting field : {S::course_from, S::course_to, S::course_texts, S::course_minutes,
                        S::course_ramp_first, S::course_ramp_last}) {
    record.set_number(field,
                      number_in(gui, settings_table[static_cast<std::size_t>(field)].control));
  }
  record.set_number(S::course_ramp, gui.get_state(c::course_ramp_checkbox));
  record.set_text(S::course_groups, std::string(generator::groups_mode_text(groups_in(gui))));
}

void show_course_progress(gui::Gui& gui, const generator::CourseProgress& progress) {
  const auto number = [](auto value) { return integer_to_text(static_cast<std::int64_t>(value)); };
  std::string text = number(progress.lessons_done) + std::string(t::course_progress_of.view()) +
                     number(progress.lessons) + std::string(t::course_progress_lessons.view()) +
                     number(progress.sounds_done) + std::string(t::course_progress_of.view()) +
                     number(progress.sounds) + std::string(t::course_progress_sounds.view());
  if (progress.seconds_left) {
    const auto minutes = static_cast<std::int64_t>(*progress.seconds_left / 60 + 0.5);
    text += minutes < 1 ? std::string(t::course_progress_last_minute.view())
                        : std::string(t::course_progress_left.view()) + number(minutes) +
                              std::string(t::course_progress_minutes.view());
  }
  if (gui.get_text(c::course_progress) != text) gui.set_text(c::course_progress, text);
  const std::int64_t step =
      progress.sounds > 0 ? progress.sounds_done * progress_steps / progress.sounds : 0;
  if (gui.get_state(c::course_progress) != step)
    gui.set_state(c::course_progress, static_cast<int>(step));
}

std::string complete_lessons_line(const std::vector<int>& lessons) {
  if (lessons.empty()) return std::string(t::course_no_complete_lesson.view());
  std::string line(t::course_complete_lessons.view());
  for (std::size_t k = 0; k < lessons.size(); ++k)
    line += (k == 0 ? "" : ", ") + generator::lesson_label(lessons[k]);
  return line;
}

std::string course_log_line(const generator::CourseFiles& files) {
  using K = generator::CourseFileKind;
  if (files.kind == K::overview) return std::string(t::course_log_overview.view());
  std::string line = generator::lesson_label(files.lesson) + ": ";
  const std::string count = integer_to_text(static_cast<std::int64_t>(files.paths.size()));
  switch (files.kind) {
    case K::texts:
      return line + count +
             std::string(files.paths.size() == 1 ? t::course_log_one_text.view()
                                                 : t::course_log_texts.view());
    case K::answer_key:
      return line + std::string(t::course_log_answer_key.view());
    case K::copy_sheet:
      return line + std::string(t::course_log_copy_sheet.view());
    case K::sounds:
      return line + count +
             std::string(files.paths.size() == 1 ? t::course_log_one_sound.view()
                                                 : t::course_log_sounds.view());
    case K::playlist:
      return line + std::string(t::course_log_playlist.view());
    case K::overview:
      break;
  }
  return line;
}

}  // namespace velkart::app
