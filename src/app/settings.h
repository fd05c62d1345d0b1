#pragma once
// The settings that survive from one run of the program to the next,
// declared once: key, kind, default and the control that shows them. Loading,
// saving, showing in the window and reading back all walk this one table.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "generator/course.h"
#include "generator/run_settings.h"
#include "gui/controls.h"

namespace velkart::gui {
class Gui;
}

namespace velkart::app {

class SettingsStore;

inline constexpr std::string_view settings_file_name = "voreinstellungen.pref";
inline constexpr std::string_view settings_group = "voreinstellungen";

enum class SettingKind { integer, text };

// In file order, which is also the order of reading and writing.
enum class Setting : int {
  list_own,
  list_german,
  list_english,
  list_q_groups,
  list_abbreviations,
  allowed_characters,
  mandatory_characters,
  word_length,
  word_limit,
  replace_sz,
  replace_umlauts,
  up_to_length,
  base_name,
  repetitions,
  text_count,
  character_speed,
  effective_speed,
  frequency,
  word_spacing,
  qrq,
  builder_source,
  // Lesson packs, after the 21 of the main and builder windows
  course_from,
  course_to,
  course_texts,
  course_ramp,
  course_ramp_first,
  course_ramp_last,
  course_groups,
  course_minutes,
  // Listening conditions, after the lesson packs
  listening_noise,
  listening_snr,
  listening_filter,
  listening_tone_range,
  listening_tone_from,
  listening_tone_to,
  listening_fading,
  listening_fading_period,
  listening_pause,
};
inline constexpr std::size_t setting_count = 38;

// How a setting shows in its control: as the state of a check box, option
// or slider, or as the text of a field (a number in decimal). The builder's
// source name lives in the builder window, the lesson-pack settings in the
// course window and the listening conditions in their own window, not in the
// main window; those windows show them themselves.
enum class Shown { state, number_text, text, builder_text, course, listening };

struct SettingKey {
  Setting setting;
  std::string_view key;
  SettingKind kind;
  std::string_view default_value;  // decimal text for integers
  int control;
  Shown shown;
};

inline constexpr std::array<SettingKey, setting_count> settings_table{{
    // clang-format off
    {Setting::list_own, "String_woerter_eigen_Datei", SettingKind::integer, "0", controls::list_own, Shown::state},
    {Setting::list_german, "String_woerter_deutsch", SettingKind::integer, "1", controls::list_german, Shown::state},
    {Setting::list_english, "String_woerter_englisch", SettingKind::integer, "0", controls::list_english, Shown::state},
    {Setting::list_q_groups, "String_woerter_Qgruppen", SettingKind::integer, "0", controls::list_q_groups, Shown::state},
    {Setting::list_abbreviations, "String_woerter_CWabkuerzungen", SettingKind::integer, "0", controls::list_abbreviations, Shown::state},
    {Setting::allowed_characters, "String_erlaubte_zeichen", SettingKind::text, "kmuresniat", controls::allowed_field, Shown::text},
    {Setting::mandatory_characters, "String_verpflichtende_zeichen", SettingKind::text, "", controls::mandatory_field, Shown::text},
    {Setting::word_length, "String_wortlaenge", SettingKind::integer, "5", controls::word_length_slider, Shown::state},
    {Setting::word_limit, "String_anzahl_woerter", SettingKind::integer, "300", controls::word_limit_field, Shown::number_text},
    {Setting::replace_sz, "String_sz_austauschen", SettingKind::integer, "1", controls::replace_sz, Shown::state},
    {Setting::replace_umlauts, "String_umlaute_austauschen", SettingKind::integer, "1", controls::replace_umlauts, Shown::state},
    {Setting::up_to_length, "String_biszu_Wortlaenge", SettingKind::integer, "1", controls::up_to_option, Shown::state},
    {Setting::base_name, "String_mp_dateiname", SettingKind::text, "Dateiname", controls::base_name_field, Shown::text},
    {Setting::repetitions, "String_wiederholungsschleife", SettingKind::integer, "1", controls::repetitions_field, Shown::number_text},
    {Setting::text_count, "String_anzahl_texte", SettingKind::integer, "2", controls::text_count_field, Shown::number_text},
    {Setting::character_speed, "String_zeichengeschw", SettingKind::integer, "20", controls::character_speed_field, Shown::number_text},
    {Setting::effective_speed, "String_effektivgeschw", SettingKind::integer, "5", controls::effective_speed_field, Shown::number_text},
    {Setting::frequency, "String_frequenz", SettingKind::integer, "650", controls::frequency_field, Shown::number_text},
    {Setting::word_spacing, "String_zwischenraume", SettingKind::integer, "0", controls::word_spacing_slider, Shown::state},
    {Setting::qrq, "String_QRQ", SettingKind::integer, "0", controls::qrq_field, Shown::number_text},
    {Setting::builder_source, "String_wortschatz_datei", SettingKind::text, "test", controls::source_name_field, Shown::builder_text},
    {Setting::course_from, "String_kurs_von", SettingKind::integer, "2", controls::course_from_field, Shown::course},
    {Setting::course_to, "String_kurs_bis", SettingKind::integer, "26", controls::course_to_field, Shown::course},
    {Setting::course_texts, "String_kurs_texte", SettingKind::integer, "5", controls::course_texts_field, Shown::course},
    {Setting::course_ramp, "String_kurs_rampe", SettingKind::integer, "0", controls::course_ramp_checkbox, Shown::course},
    {Setting::course_ramp_first, "String_kurs_effektiv_von", SettingKind::integer, "5", controls::course_ramp_first_field, Shown::course},
    {Setting::course_ramp_last, "String_kurs_effektiv_bis", SettingKind::integer, "15", controls::course_ramp_last_field, Shown::course},
    {Setting::course_groups, "String_kurs_gruppen", SettingKind::text, "auto", -1, Shown::course},
    {Setting::course_minutes, "String_kurs_minuten", SettingKind::integer, "5", controls::course_minutes_field, Shown::course},
    {Setting::listening_noise, "String_hoer_rauschen", SettingKind::integer, "0", controls::listening_noise_checkbox, Shown::listening},
    {Setting::listening_snr, "String_hoer_snr", SettingKind::integer, "3", controls::listening_snr_slider, Shown::listening},
    {Setting::listening_filter, "String_hoer_filter", SettingKind::integer, "500", -1, Shown::listening},
    {Setting::listening_tone_range, "String_hoer_ton_zufall", SettingKind::integer, "0", controls::listening_tone_checkbox, Shown::listening},
    {Setting::listening_tone_from, "String_hoer_ton_von", SettingKind::integer, "500", controls::listening_tone_from_slider, Shown::listening},
    {Setting::listening_tone_to, "String_hoer_ton_bis", SettingKind::integer, "900", controls::listening_tone_to_slider, Shown::listening},
    {Setting::listening_fading, "String_hoer_fading", SettingKind::integer, "0", controls::listening_fading_slider, Shown::listening},
    {Setting::listening_fading_period, "String_hoer_fading_periode", SettingKind::integer, "8", controls::listening_period_slider, Shown::listening},
    {Setting::listening_pause, "String_hoer_pause", SettingKind::integer, "0", controls::listening_pause_slider, Shown::listening},
    // clang-format on
}};

constexpr bool table_in_enum_order() {
  for (std::size_t k = 0; k < settings_table.size(); ++k) {
    if (static_cast<std::size_t>(settings_table[k].setting) != k) return false;
  }
  return true;
}
static_assert(table_in_enum_order(), "settings_table rows must follow the Setting order");

class SettingsRecord {
 public:
  SettingsRecord();  // every setting at its default
  std::int32_t number(Setting setting) const { return numbers_[index(setting)]; }
  const std::string& text(Setting setting) const { return texts_[index(setting)]; }
  void set_number(Setting setting, std::int32_t value) { numbers_[index(setting)] = value; }
  void set_text(Setting setting, std::string value) { texts_[index(setting)] = std::move(value); }

 private:
  static std::size_t index(Setting setting) { return static_cast<std::size_t>(setting); }
  std::array<std::int32_t, setting_count> numbers_{};
  std::array<std::string, setting_count> texts_{};
};

const SettingKey* find_setting_key(std::string_view key);  // without regard to case

// Start-up: the settings file (defaults for a missing file or key); the file
// is never created here.
SettingsRecord load_settings(SettingsStore& store, std::string_view path = settings_file_name);
// Shutdown: the file recreated with one group and every key; silently
// nothing when it cannot be created.
void save_settings(SettingsStore& store, const SettingsRecord& record,
                   std::string_view path = settings_file_name);

// A run's settings as the main window would show the record: the sliders
// within their range, the numbers as their decimal text. The batch companion
// runs on these, the window on what its controls hold.
generator::RunSettings run_settings(const SettingsRecord& record);
// The lesson-pack options of the record: the course window opens with them
// and the batch companion starts from them.
generator::CourseOptions course_options(const SettingsRecord& record);
// The listening conditions of the record, as they are: a value outside its
// range is refused by the run, not bent into it.
generator::ListeningConditions listening_conditions(const SettingsRecord& record);

// Shows the record in the main window's controls, in the order the window
// is built with.
void apply_settings_to_controls(gui::Gui& gui, const SettingsRecord& record);
// Reads the bound main-window controls back (all but the builder's source name).
void read_settings_from_controls(const gui::Gui& gui, SettingsRecord& record);

}  // namespace velkart::app
