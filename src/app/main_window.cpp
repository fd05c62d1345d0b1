#include "app/main_window.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/palette.h"
#include "app/settings.h"
#include "generator/output_names.h"
#include "gui/controls.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::app {

namespace {

using gui::Align;
using gui::ButtonOptions;
using gui::EditOptions;
using gui::LabelOptions;
using T = gui::ControlKind;
namespace p = palette;
namespace t = texts;

constexpr EditOptions left_field{Align::left, false, true};
constexpr EditOptions right_field{Align::right, false, true};
constexpr EditOptions digits_centred{Align::centred, true, true};
constexpr EditOptions digits_right{Align::right, true, true};
constexpr LabelOptions right_label{Align::right, false};
constexpr LabelOptions centred_both{Align::centred, true};
constexpr LabelOptions scrolling{Align::left, false, true};
constexpr ButtonOptions big_button{true, true};

// clang-format off
const std::array<ControlRow, 72> rows{{
  // no.  kind          x    y    w    h    text at creation              text colour     background
  {0,  T::frame,    {5,   20,  570, 130}, t::frame_word_lists},
  {1,  T::checkbox, {15,  35,  100, 15},  t::list_own},
  {2,  T::checkbox, {15,  50,  220, 15},  t::list_german},
  {3,  T::checkbox, {15,  87,  160, 15},  t::list_english},
  {4,  T::checkbox, {15,  115, 79,  15},  t::list_q_groups},
  {5,  T::checkbox, {15,  130, 107, 15},  t::list_abbreviations},
  {6,  T::slider,   {165, 230, 170, 15},  {},                           p::dark_red,  p::light_yellow, {}, {}, {}, controls::shortest_word, controls::longest_word},
  {7,  T::label,    {15,  230, 52,  15},  t::word_length,               p::dark_red,  p::transparent},
  {8,  T::label,    {70,  230, 16,  15},  t::ten,                       p::dark_red,  p::panel_grey},
  {9,  T::checkbox, {260, 250, 154, 15},  t::replace_sz,                p::dark_red,  p::transparent},
  {10, T::checkbox, {260, 270, 193, 15},  t::replace_umlauts,           p::dark_red,  p::transparent},
  {11, T::label,    {15,  170, 105, 15},  t::allowed_characters,        p::dark_red,  p::transparent},
  {12, T::edit,     {125, 170, 290, 14},  t::default_allowed,           p::dark_red,  p::light_yellow, {}, left_field},
  {13, T::label,    {15,  210, 105, 15},  t::filtered_characters,       p::dark_red,  p::transparent},
  {14, T::label,    {124, 210, 240, 15},  {}},  // coloured after the initial values
  {15, T::label,    {235, 50,  328, 15},  t::frequency_german},
  {16, T::label,    {235, 63,  330, 13},  t::frequency_english},
  {17, T::label,    {235, 76,  325, 14},  t::frequency_cw},
  {18, T::label,    {230, 130, 320, 14},  t::koch_order},
  {19, T::button,   {455, 170, 110, 110}, t::trial_button,              p::light_yellow, p::dark_red,  {}, {}, big_button},
  {20, T::button,   {455, 310, 110, 110}, t::generate_button,           p::light_yellow, p::dark_blue, {}, {}, big_button},
  {21, T::edit,     {235, 320, 95,  14},  t::default_base_name,         p::dark_blue, p::light_yellow, {}, right_field},
  {22, T::label,    {575, 0,   420, 675}, t::output_area,               p::system,    p::system, scrolling},
  {23, T::label,    {45,  550, 400, 15},  t::about_line},
  {24, T::label,    {85,  230, 80,  15},  t::letters,                   p::dark_red,  p::transparent},
  {25, T::option,   {335, 230, 50,  15},  t::exactly,                   p::dark_red,  p::transparent},
  {26, T::option,   {385, 230, 49,  15},  t::up_to,                     p::dark_red,  p::transparent},
  {27, T::label,    {50,  270, 173, 15},  t::word_limit,                p::dark_red,  p::transparent},
  {28, T::edit,     {15,  270, 34,  14},  t::default_word_limit,        p::dark_red,  p::light_yellow, {}, digits_centred},
  {29, T::edit,     {10,  430, 25,  15},  t::one,                       p::dark_blue, p::light_yellow, {}, digits_centred},
  {30, T::label,    {39,  430, 198, 69},  t::text_count,                p::dark_blue, p::transparent},
  {31, T::label,    {235, 30,  118, 14},  t::most_frequent},
  {32, T::label,    {230, 115, 118, 14},  t::koch_method},
  {33, T::frame,    {5,   155, 570, 135}, t::frame_criteria,            p::dark_red,  p::system},
  {34, T::frame,    {5,   295, 570, 246}, t::frame_saving,              p::dark_blue, p::system},
  {35, T::label,    {330, 322, 55,  15},  t::mp3_suffix,                p::dark_blue, p::transparent},
  {36, T::label,    {237, 337, 135, 15},  t::text_preview_initial,      p::dark_blue, p::panel_grey, right_label},
  {37, T::label,    {236, 352, 110, 15},  t::pdf_preview_initial,       p::dark_blue, p::panel_grey, right_label},
  {38, T::label,    {300, 380, 150, 15},  t::character_speed,           p::dark_blue, p::transparent},
  {39, T::label,    {240, 380, 26,  156}, t::mp3_band,                  p::light_yellow, p::lavender, centred_both},
  {40, T::label,    {300, 400, 146, 16},  t::effective_speed,           p::dark_blue, p::transparent, right_label},
  {41, T::edit,     {275, 380, 20,  14},  t::twenty,                    p::system,    p::light_yellow, {}, digits_right},
  {42, T::label,    {15,  190, 105, 14},  t::mandatory_characters,      p::dark_red,  p::transparent},
  {43, T::edit,     {125, 190, 45,  14},  {},                           p::dark_red,  p::light_yellow, {}, left_field},
  {44, T::label,    {170, 190, 265, 14},  t::mandatory_explanation,     p::dark_red,  p::transparent},
  {45, T::slider,   {370, 440, 197, 15},  {},                           p::dark_blue, p::light_yellow, {}, {}, {}, 0, controls::most_word_spacing, t::word_spacing_tooltip},
  {46, T::label,    {40,  380, 198, 70},  t::repetitions,               p::dark_blue, p::transparent},
  {47, T::edit,     {10,  380, 27,  15},  t::one,                       p::dark_blue, p::light_yellow, {}, digits_centred},
  {48, T::edit,     {275, 400, 20,  14},  t::five,                      p::system,    p::light_yellow, {}, digits_right},
  {49, T::edit,     {275, 420, 20,  15},  t::six_fifty,                 p::system,    p::light_yellow, {}, digits_centred},
  {50, T::label,    {300, 420, 105, 15},  t::frequency,                 p::dark_blue, p::transparent},
  {51, T::label,    {10,  310, 211, 60},  {},                           p::dark_blue, p::transparent},
  {52, T::button,   {5,   0,   282, 20},  t::open_builder_button,       p::light_yellow, p::mid_grey, {}, {}, {}, 0, 0, t::open_builder_tooltip},
  {53, T::button,   {290, 0,   282, 20},  t::help_button,               p::light_yellow, p::mid_grey},
  {54, T::label,    {30,  65,  140, 15},  t::german_list_note},
  {55, T::label,    {275, 440, 100, 28},  t::extra_word_spaces,         p::dark_blue, p::transparent},
  {56, T::label,    {375, 455, 20,  15},  t::zero,                      p::black,     p::transparent},
  {57, T::label,    {550, 455, 14,  15},  t::ten,                       p::dark_blue, p::transparent},
  {58, T::label,    {275, 470, 19,  20},  t::qrq_before,                p::dark_blue, p::transparent},
  {59, T::edit,     {295, 470, 20,  15},  t::zero,                      p::dark_blue, p::light_yellow, {}, digits_right},
  {60, T::label,    {320, 470, 245, 68},  t::qrq_after,                 p::dark_blue, p::transparent},
  {61, T::label,    {224, 305, 230, 15},  t::files_to_write,            p::dark_blue, p::transparent},
  {62, T::image,    {5,   550, 32,  32},  {}},
  {78, T::label,    {55,  570, 345, 40},  t::files_folder_note},
  // Below label 78 (x 5-565, y 614-672), added to the original layout:
  // the word pool, the encoder's status and the added windows.
  {79, T::label,    {5,   614, 560, 15},  {}},
  {80, T::label,    {5,   632, 275, 15},  {}},
  {81, T::button,   {285, 630, 90,  18},  t::open_folder_button,        p::light_yellow, p::mid_grey},
  {82, T::button,   {470, 630, 95,  18},  t::cancel_mp3_button,         p::light_yellow, p::mid_grey},
  {85, T::button,   {380, 630, 85,  18},  t::listen_button,             p::light_yellow, p::mid_grey},
  {83, T::button,   {190, 652, 190, 20},  t::open_scoring_button,       p::light_yellow, p::mid_grey},
  {84, T::button,   {385, 652, 180, 20},  t::open_listening_button,     p::light_yellow, p::mid_grey},
  {100, T::button,  {5,   652, 180, 20},  t::open_course_button,        p::light_yellow, p::mid_grey},
}};
// clang-format on

// The check box of each word list, in reading order.
constexpr int word_list_checkboxes[] = {controls::list_own, controls::list_german,
                                        controls::list_english, controls::list_q_groups,
                                        controls::list_abbreviations};
static_assert(std::size(word_list_checkboxes) == std::size(generator::word_list_paths));

void show_pool(gui::Gui& gui, const generator::PoolOptions& pool, const std::string& pool_label,
               const std::string& text) {
  gui.set_text(controls::word_length_label, runtime::integer_to_text(pool.word_length));
  gui.set_text(controls::filtered_label,
               generator::filtered_alphabet(pool.allowed, pool.mandatory));
  gui.set_text(controls::pool_label, pool_label);
  gui.set_text(controls::output_area, text);
}

}  // namespace

bool build_main_window(gui::Gui& gui, const SettingsRecord& record) {
  gui::WindowOptions options;
  options.minimise_box = true;
  options.maximise_box = true;
  options.sizing_border = false;
  if (!gui.open_window(controls::main_window, 0, 0, 1000, 680, texts::main_title, options))
    return false;

  create_controls(gui, controls::main_window, rows);

  std::vector<ControlRow> by_number(rows.begin(), rows.end());
  std::sort(by_number.begin(), by_number.end(),
            [](const ControlRow& a, const ControlRow& b) { return a.number < b.number; });
  for (const ControlRow& row : by_number) {
    if (row.kind == gui::ControlKind::button) {
      if (row.number == controls::open_builder_button) {
        gui.set_button_colors(row.number, row.text_color, row.background, palette::system,
                              palette::red);
      } else {
        gui.set_button_colors(row.number, row.text_color, row.background);
      }
    } else if (row.has_colors()) {
      gui.set_colors(row.number, row.text_color, row.background);
    }
  }
  gui.set_window_color(controls::main_window, palette::panel_grey);

  apply_settings_to_controls(gui, record);
  show_file_names(gui);
  // Only while an encoder works is there anything to cancel.
  gui.set_enabled(controls::cancel_mp3_button, false);
  return true;
}

generator::PoolOptions read_pool_options(const gui::Gui& gui) {
  namespace c = controls;
  generator::PoolOptions options;
  for (std::size_t k = 0; k < std::size(word_list_checkboxes); ++k) {
    if (gui.get_state(word_list_checkboxes[k]) == 1)
      options.lists.emplace_back(generator::word_list_paths[k]);
  }
  options.word_length = gui.get_state(c::word_length_slider);
  options.up_to = gui.get_state(c::up_to_option) == 1;
  options.replace_sz = gui.get_state(c::replace_sz) == 1;
  options.replace_umlauts = gui.get_state(c::replace_umlauts) == 1;
  options.allowed = gui.get_text(c::allowed_field);
  options.mandatory = gui.get_text(c::mandatory_field);
  options.word_limit =
      static_cast<std::int32_t>(runtime::text_to_integer(gui.get_text(c::word_limit_field)));
  return options;
}

generator::RunSettings read_run_settings(const gui::Gui& gui,
                                         const generator::ListeningConditions& listening) {
  namespace c = controls;
  generator::RunSettings settings;
  settings.pool = read_pool_options(gui);
  settings.encoder.character_speed = gui.get_text(c::character_speed_field);
  settings.encoder.effective_speed = gui.get_text(c::effective_speed_field);
  settings.encoder.frequency = gui.get_text(c::frequency_field);
  settings.encoder.word_spacing = gui.get_state(c::word_spacing_slider);
  settings.encoder.qrq = gui.get_text(c::qrq_field);
  settings.encoder.base_name = gui.get_text(c::base_name_field);
  settings.encoder.listening = listening;
  settings.repetitions = gui.get_text(c::repetitions_field);
  settings.text_count = runtime::text_to_integer(gui.get_text(c::text_count_field));
  return settings;
}

void show_file_names(gui::Gui& gui) {
  const std::string base_name = gui.get_text(controls::base_name_field);
  gui.set_text(controls::text_preview, generator::text_file_name(base_name, 0));
  gui.set_text(controls::pdf_preview, generator::answer_key_name(base_name));
}

runtime::MessageSink message_boxes_of(gui::Gui& gui) {
  return [&gui](std::string_view text) { gui.show_message(texts::message_title, text); };
}

std::string run_trial_in_window(gui::Gui& gui, const generator::ListeningConditions& listening) {
  gui.set_text(controls::output_area, texts::please_wait);
  const generator::RunSettings settings = read_run_settings(gui, listening);
  const generator::Trial trial = generator::run_trial(settings, message_boxes_of(gui));
  show_pool(gui, settings.pool, trial.pool_label, trial.text);
  return trial.text;
}

generator::GenerationResult run_generation_in_window(
    gui::Gui& gui, generator::GenerationContext& context,
    const generator::ListeningConditions& listening) {
  const generator::RunSettings settings = read_run_settings(gui, listening);
  generator::GenerationResult result =
      generator::run_generation(settings, context, message_boxes_of(gui));
  if (result.refused) return result;
  if (result.speed_lowered)
    gui.set_text(controls::effective_speed_field, result.used.encoder.effective_speed);
  // An earlier run's files moved away are said below the last text.
  if (!result.texts.empty()) {
    show_pool(
        gui, settings.pool, result.pool_label,
        result.note.empty() ? result.texts.back() : result.texts.back() + "\n\n" + result.note);
  }
  return result;
}

}  // namespace velkart::app
