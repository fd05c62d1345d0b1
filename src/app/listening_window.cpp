#include "app/listening_window.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/settings.h"
#include "generator/listening.h"
#include "gui/controls.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::app {

namespace {

using T = gui::ControlKind;
namespace c = controls;
namespace g = generator;
namespace t = texts;

constexpr int tone_first = g::lowest_drawn_tone / g::tone_step;
constexpr int tone_last = g::highest_tone / g::tone_step;
constexpr int depth_step = 10;
constexpr int pause_step = 100;

// clang-format off
const std::array<ControlRow, 28> rows{{
  // no.  kind          x    y    w    h    text at creation
  {170, T::label,    {10,  10,  400, 30},  t::listening_intro},
  {171, T::checkbox, {10,  50,  200, 15},  t::listening_noise},
  {172, T::label,    {30,  70,  110, 15},  t::listening_snr},
  {173, T::slider,   {145, 70,  190, 15},  {}, {}, {}, {}, {}, {}, g::lowest_snr, g::highest_snr},
  {174, T::label,    {340, 70,  70,  15},  {}},
  {175, T::label,    {30,  90,  110, 15},  t::listening_filter},
  {176, T::option,   {145, 90,  70,  15},  "100 Hz"},
  {177, T::option,   {215, 90,  70,  15},  "500 Hz"},
  {178, T::option,   {285, 90,  80,  15},  "1000 Hz"},
  {179, T::label,    {30,  110, 380, 30},  t::listening_noise_note},
  {180, T::checkbox, {10,  150, 250, 15},  t::listening_tone_range},
  {181, T::label,    {30,  170, 60,  15},  t::listening_tone_from},
  {182, T::slider,   {145, 170, 190, 15},  {}, {}, {}, {}, {}, {}, tone_first, tone_last},
  {183, T::label,    {340, 170, 70,  15},  {}},
  {184, T::label,    {30,  190, 60,  15},  t::listening_tone_to},
  {185, T::slider,   {145, 190, 190, 15},  {}, {}, {}, {}, {}, {}, tone_first, tone_last},
  {186, T::label,    {340, 190, 70,  15},  {}},
  {187, T::checkbox, {10,  220, 200, 15},  t::listening_fading},
  {188, T::label,    {30,  240, 60,  15},  t::listening_fading_depth},
  {189, T::slider,   {145, 240, 190, 15},  {}, {}, {}, {}, {}, {}, g::shallowest_fading / depth_step, g::deepest_fading / depth_step},
  {190, T::label,    {340, 240, 70,  15},  {}},
  {191, T::label,    {30,  260, 60,  15},  t::listening_fading_period},
  {192, T::slider,   {145, 260, 190, 15},  {}, {}, {}, {}, {}, {}, g::shortest_fading_period, g::longest_fading_period},
  {193, T::label,    {340, 260, 70,  15},  {}},
  {194, T::label,    {10,  290, 400, 15},  t::listening_pause},
  {195, T::slider,   {145, 310, 190, 15},  {}, {}, {}, {}, {}, {}, 0, g::longest_pause / pause_step},
  {196, T::label,    {340, 310, 70,  15},  {}},
  {197, T::button,   {290, 340, 120, 25},  t::listening_close},
}};
// clang-format on

// A slider and the number beside it: the setting is the position times the
// step, shown with its unit ("aus" where 0 means off).
struct ScaledSlider {
  Setting setting;
  int slider;
  int value;
  int step;
  std::string_view unit;
  bool zero_is_off;
};
const std::array<ScaledSlider, 6> sliders{{
    {Setting::listening_snr, c::listening_snr_slider, c::listening_snr_value, 1, t::listening_db,
     false},
    {Setting::listening_tone_from, c::listening_tone_from_slider, c::listening_tone_from_value,
     g::tone_step, t::listening_hz, false},
    {Setting::listening_tone_to, c::listening_tone_to_slider, c::listening_tone_to_value,
     g::tone_step, t::listening_hz, false},
    {Setting::listening_fading, c::listening_fading_slider, c::listening_fading_value, depth_step,
     t::listening_percent, false},
    {Setting::listening_fading_period, c::listening_period_slider, c::listening_period_value, 1,
     t::listening_seconds, false},
    {Setting::listening_pause, c::listening_pause_slider, c::listening_pause_value, pause_step,
     t::listening_ms, true},
}};

constexpr std::array<int, 3> filter_options{c::listening_filter_100, c::listening_filter_100 + 1,
                                            c::listening_filter_100 + 2};
static_assert(filter_options.size() == std::size(g::filter_widths));

void show_value(gui::Gui& gui, const ScaledSlider& each) {
  const int value = gui.get_state(each.slider) * each.step;
  gui.set_text(each.value, value == 0 && each.zero_is_off
                               ? std::string(t::listening_off.view())
                               : runtime::integer_to_text(value) + std::string(each.unit));
}

// What the check box switches on is only to be set while it is ticked.
void enable_parts(gui::Gui& gui) {
  const bool noise = gui.get_state(c::listening_noise_checkbox) == 1;
  gui.set_enabled(c::listening_snr_slider, noise);
  for (const int option : filter_options) gui.set_enabled(option, noise);
  // With noise every text sounds at the filter's tone.
  const bool tones = !noise && gui.get_state(c::listening_tone_checkbox) == 1;
  gui.set_enabled(c::listening_tone_checkbox, !noise);
  gui.set_enabled(c::listening_tone_from_slider, tones);
  gui.set_enabled(c::listening_tone_to_slider, tones);
  const bool fading = gui.get_state(c::listening_fading_checkbox) == 1;
  gui.set_enabled(c::listening_fading_slider, fading);
  gui.set_enabled(c::listening_period_slider, fading);
}

}  // namespace

bool build_listening_window(gui::Gui& gui, const SettingsRecord& record) {
  gui::WindowOptions options;
  options.minimise_box = true;
  if (!gui.open_window(c::listening_window, 0, 0, 420, 375, t::listening_title, options))
    return false;
  create_controls(gui, c::listening_window, rows);
  using S = Setting;
  gui.set_state(c::listening_noise_checkbox, record.number(S::listening_noise) == 1 ? 1 : 0);
  gui.set_state(c::listening_tone_checkbox, record.number(S::listening_tone_range) == 1 ? 1 : 0);
  gui.set_state(c::listening_fading_checkbox, record.number(S::listening_fading) != 0 ? 1 : 0);
  for (const ScaledSlider& each : sliders) {
    const int value = record.number(each.setting);
    // Off keeps the depth a user would start from.
    const int shown = each.setting == S::listening_fading && value == 0 ? 50 : value;
    gui.set_state(each.slider,
                  static_cast<int>(std::lround(static_cast<double>(shown) / each.step)));
    show_value(gui, each);
  }
  // A width the run would refuse shows as the default, 500 Hz.
  const int* filter = std::find(std::begin(g::filter_widths), std::end(g::filter_widths),
                                record.number(S::listening_filter));
  const auto option =
      filter == std::end(g::filter_widths) ? 1 : filter - std::begin(g::filter_widths);
  gui.set_state(filter_options[static_cast<std::size_t>(option)], 1);
  enable_parts(gui);
  return true;
}

bool listening_control_used(gui::Gui& gui, int control) {
  if (control < c::listening_noise_checkbox || control > c::listening_pause_value) return false;
  for (const ScaledSlider& each : sliders) {
    if (each.slider == control) show_value(gui, each);
  }
  // The range runs upwards: the other end follows the one moved.
  const int from = gui.get_state(c::listening_tone_from_slider);
  const int to = gui.get_state(c::listening_tone_to_slider);
  if (from > to) {
    const bool moved_from = control == c::listening_tone_from_slider;
    gui.set_state(moved_from ? c::listening_tone_to_slider : c::listening_tone_from_slider,
                  moved_from ? from : to);
    for (const ScaledSlider& each : sliders) show_value(gui, each);
  }
  enable_parts(gui);
  return true;
}

void read_listening_window(const gui::Gui& gui, SettingsRecord& record) {
  using S = Setting;
  for (const ScaledSlider& each : sliders)
    record.set_number(each.setting, gui.get_state(each.slider) * each.step);
  record.set_number(S::listening_noise, gui.get_state(c::listening_noise_checkbox));
  record.set_number(S::listening_tone_range, gui.get_state(c::listening_tone_checkbox));
  if (gui.get_state(c::listening_fading_checkbox) != 1) record.set_number(S::listening_fading, 0);
  for (std::size_t k = 0; k < filter_options.size(); ++k) {
    if (gui.get_state(filter_options[k]) == 1)
      record.set_number(S::listening_filter, g::filter_widths[k]);
  }
}

}  // namespace velkart::app
