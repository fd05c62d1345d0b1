#include "app/builder_window.h"

#include <array>

#include "app/palette.h"
#include "gui/controls.h"
#include "runtime/texts.h"
#include "vocab/pipeline.h"

namespace velkart::app {

namespace {

using gui::Align;
using T = gui::ControlKind;
namespace p = palette;
namespace t = texts;

constexpr gui::LabelOptions right_label{Align::right, false};
constexpr gui::LabelOptions centred_label{Align::centred, false};
constexpr gui::EditOptions name_field{Align::right, false, true};
constexpr gui::ButtonOptions wrapping_button{true, false};

// In the order they are created: ascending numbers.
// clang-format off
const std::array<ControlRow, 16> rows{{
  // no.  kind          x    y    w    h    text at creation       text colour     background
  {63, T::label,  {0,   230, 80,  15},  t::source_file},
  {64, T::edit,   {85,  230, 135, 15},  t::source_initial,       p::dark_red,     p::light_yellow, {}, name_field},
  {65, T::button, {0,   290, 320, 35},  t::run_builder_button,   p::system,       p::system, {}, {}, wrapping_button},
  {66, T::label,  {335, 0,   355, 260}, {},                      p::light_yellow, p::dark_red},
  {67, T::label,  {220, 230, 55,  15},  t::txt_extension},
  {68, T::label,  {80,  250, 150, 15},  t::abc_preview_initial,  p::system,       p::system, right_label},
  {69, T::label,  {75,  270, 155, 20},  t::size_preview_initial, p::system,       p::system, right_label},
  {70, T::button, {95,  330, 160, 30},  t::builder_help_button},
  {71, T::label,  {0,   250, 75,  15},  t::target_files,         p::system,       p::system, right_label},
  {72, T::label,  {0,   365, 318, 20},  t::builder_folder_note},
  {73, T::label,  {95,  380, 155, 28},  t::builder_part_of,      p::system,       p::system, centred_label},
  {74, T::label,  {0,   0,   333, 94},  t::builder_intro},
  {75, T::label,  {0,   170, 320, 40},  t::builder_rename},
  {76, T::image,  {155, 410, 32,  32},  {}},
  {77, T::label,  {0,   100, 330, 69},  t::builder_caution},
  {86, T::button, {345, 290, 330, 35},  t::adopt_button},
}};
// clang-format on

}  // namespace

bool build_builder_window(gui::Gui& gui, std::string_view source_name) {
  gui::WindowOptions options;
  options.minimise_box = true;
  options.maximise_box = false;
  options.sizing_border = true;
  options.owner = controls::main_window;
  if (!gui.open_window(controls::builder_window, 0, 0, 692, 454, texts::builder_title, options))
    return false;
  create_controls(gui, controls::builder_window, rows);
  gui.set_colors(controls::source_name_field, palette::dark_red, palette::light_yellow);
  gui.set_colors(controls::progress_display, palette::light_yellow, palette::dark_red);
  gui.set_text(controls::source_name_field, source_name);
  show_result_names(gui);
  return true;
}

void show_result_names(gui::Gui& gui) {
  const std::string name = gui.get_text(controls::source_name_field);
  gui.set_text(controls::abc_preview, vocab::alphabetical_name(name));
  gui.set_text(controls::size_preview, vocab::length_name(name));
}

}  // namespace velkart::app
