#include "app/scoring_window.h"

#include <array>
#include <sstream>

#include "app/palette.h"
#include "app/window_layout.h"
#include "gui/controls.h"
#include "runtime/encoding.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/commands.h"

namespace velkart::app {

namespace {

using T = gui::ControlKind;
namespace c = controls;
namespace p = palette;
namespace t = texts;

// The fixed part; the rows of texts follow from scoring_rows.
// clang-format off
const std::array<ControlRow, 13> rows{{
  // no.   kind       x    y    w    h     text at creation   text colour     background
  {130, T::label,  {10,  10,  330, 45},  t::scoring_intro},
  {131, T::label,  {10,  62,  60,  15},  t::scoring_set},
  {132, T::label,  {75,  62,  205, 15},  {},                 p::dark_blue,   p::panel_grey},
  {133, T::button, {285, 60,  25,  18},  t::scoring_older},
  {134, T::button, {315, 60,  25,  18},  t::scoring_newer},
  {135, T::label,  {10,  84,  60,  15},  t::scoring_learner},
  {136, T::edit,   {75,  84,  265, 15},  {},                 p::dark_red,    p::light_yellow},
  {160, T::button, {10,  312, 160, 20},  t::scoring_earlier},
  {161, T::button, {180, 312, 160, 20},  t::scoring_later},
  {162, T::button, {10,  342, 330, 30},  t::scoring_start},
  {165, T::button, {10,  382, 160, 25},  t::scoring_drill},
  {166, T::button, {180, 382, 160, 25},  t::scoring_overview},
  {164, T::label,  {350, 0,   350, 420}, {},                 p::light_yellow, p::dark_red},
}};
// clang-format on

constexpr int row_top = 107;
constexpr int row_height = 20;

}  // namespace

bool ScoringWindow::open() {
  gui::WindowOptions options;
  options.minimise_box = true;
  if (!gui_.open_window(c::scoring_window, 0, 0, 700, 420, t::scoring_title, options)) return false;
  create_controls(gui_, c::scoring_window, rows);
  for (int row = 0; row < c::scoring_rows; ++row) {
    const int y = row_top + row * row_height;
    gui_.create_label(c::scoring_first_text_label + row, {10, y, 60, 15}, {}, {});
    gui_.create_edit(c::scoring_first_copy_field + row, {75, y, 265, 15}, {}, {});
    gui_.set_colors(c::scoring_first_copy_field + row, p::dark_red, p::light_yellow);
  }
  for (const ControlRow& row : rows) {
    if (row.has_colors()) gui_.set_colors(row.number, row.text_color, row.background);
  }
  sets_ = scoring::find_sets();
  set_ = 0;
  show_set();
  return true;
}

void ScoringWindow::close() {
  gui_.close_window(c::scoring_window);
  sets_.clear();
  copies_.clear();
}

bool ScoringWindow::handle_control(int control) {
  switch (control) {
    case c::scoring_older_button:
    case c::scoring_newer_button: {
      const bool older = control == c::scoring_older_button;
      if (older ? set_ + 1 >= sets_.size() : set_ == 0) break;
      set_ = older ? set_ + 1 : set_ - 1;
      show_set();
      break;
    }
    case c::scoring_earlier_button:
    case c::scoring_later_button: {
      keep_page();
      const bool later = control == c::scoring_later_button;
      if (later ? (page_ + 1) * c::scoring_rows >= copies_.size() : page_ == 0) break;
      page_ = later ? page_ + 1 : page_ - 1;
      show_page();
      break;
    }
    case c::scoring_start_button:
      score();
      break;
    case c::scoring_overview_button: {
      // Every learner's report and the class overview, from the register.
      std::ostringstream written, problems;
      scoring::report_command(std::nullopt, clock_, written, problems);
      if (!problems.str().empty()) {
        gui_.show_message(t::message_title, runtime::to_cp1252(problems.str()));
      } else {
        gui_.set_text(c::scoring_result, std::string(t::scoring_overview_written.view()) + "\n" +
                                             runtime::to_cp1252(written.str()));
      }
      break;
    }
    default:
      return false;
  }
  return true;
}

void ScoringWindow::show_set() {
  page_ = 0;
  copies_.assign(sets_.empty() ? 0 : static_cast<std::size_t>(sets_[set_].texts), {});
  gui_.set_text(c::scoring_set_label,
                sets_.empty() ? std::string(t::scoring_no_sets.view()) : sets_[set_].name);
  gui_.set_text(c::scoring_result, {});
  show_page();
}

void ScoringWindow::show_page() {
  for (int row = 0; row < c::scoring_rows; ++row) {
    const std::size_t index = page_ * c::scoring_rows + static_cast<std::size_t>(row);
    const bool shown = index < copies_.size();
    gui_.set_text(c::scoring_first_text_label + row,
                  shown ? std::string(t::scoring_text.view()) +
                              runtime::integer_to_text(static_cast<std::int64_t>(index))
                        : std::string());
    gui_.set_text(c::scoring_first_copy_field + row, shown ? copies_[index] : std::string());
    gui_.set_enabled(c::scoring_first_copy_field + row, shown);
  }
  gui_.set_enabled(c::scoring_earlier_button, page_ > 0);
  gui_.set_enabled(c::scoring_later_button, (page_ + 1) * c::scoring_rows < copies_.size());
}

void ScoringWindow::keep_page() {
  for (int row = 0; row < c::scoring_rows; ++row) {
    const std::size_t index = page_ * c::scoring_rows + static_cast<std::size_t>(row);
    if (index < copies_.size()) copies_[index] = gui_.get_text(c::scoring_first_copy_field + row);
  }
}

void ScoringWindow::score() {
  keep_page();
  if (sets_.empty()) {
    gui_.show_message(t::message_title, t::scoring_no_sets_message);
    return;
  }
  const scoring::SetScoring result = scoring::score_set(
      sets_[set_].prefix, gui_.get_text(c::scoring_learner_field), copies_, clock_);
  if (result.problem) {
    gui_.show_message(t::message_title, *result.problem);
    return;
  }
  std::string shown;
  for (const std::string& line : result.lines) shown += line + "\n";
  if (!result.weakest.empty()) {
    shown += "\n" + std::string(t::scoring_weakest.view());
    for (const scoring::CharacterRate& rate : result.weakest)
      shown += std::string(1, rate.character) + " ";
  }
  gui_.set_text(c::scoring_result, shown);
}

}  // namespace velkart::app
