#pragma once
// The 21 settings that survive from one run of the program to the next,
// declared once: key, kind, default and the control that shows them. Loading,
// saving, showing in the window and reading back all walk this one table.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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
};
inline constexpr std::size_t setting_count = 28;

struct SettingKey {
  Setting setting;
  std::string_view key;
  SettingKind kind;
  std::string_view default_value;  // decimal text for integers
  int control;                     // -1: not bound to a main-window control
};

inline constexpr std::array<SettingKey, setting_count> settings_table{{
    {Setting::list_own, "String_woerter_eigen_Datei", SettingKind::integer, "0", 1},
    {Setting::list_german, "String_woerter_deutsch", SettingKind::integer, "1", 2},
    {Setting::list_english, "String_woerter_englisch", SettingKind::integer, "0", 3},
    {Setting::list_q_groups, "String_woerter_Qgruppen", SettingKind::integer, "0", 4},
    {Setting::list_abbreviations, "String_woerter_CWabkuerzungen", SettingKind::integer, "0", 5},
    {Setting::allowed_characters, "String_erlaubte_zeichen", SettingKind::text, "kmuresniat", 12},
    {Setting::mandatory_characters, "String_verpflichtende_zeichen", SettingKind::text, "", 43},
    {Setting::word_length, "String_wortlaenge", SettingKind::integer, "5", 6},
    {Setting::word_limit, "String_anzahl_woerter", SettingKind::integer, "300", 28},
    {Setting::replace_sz, "String_sz_austauschen", SettingKind::integer, "1", 9},
    {Setting::replace_umlauts, "String_umlaute_austauschen", SettingKind::integer, "1", 10},
    {Setting::up_to_length, "String_biszu_Wortlaenge", SettingKind::integer, "1", 26},
    {Setting::base_name, "String_mp_dateiname", SettingKind::text, "Dateiname", 21},
    {Setting::repetitions, "String_wiederholungsschleife", SettingKind::integer, "1", 47},
    {Setting::text_count, "String_anzahl_texte", SettingKind::integer, "2", 29},
    {Setting::character_speed, "String_zeichengeschw", SettingKind::integer, "20", 41},
    {Setting::effective_speed, "String_effektivgeschw", SettingKind::integer, "5", 48},
    {Setting::frequency, "String_frequenz", SettingKind::integer, "650", 49},
    {Setting::word_spacing, "String_zwischenraume", SettingKind::integer, "0", 45},
    {Setting::qrq, "String_QRQ", SettingKind::integer, "0", 59},
    {Setting::builder_source, "String_wortschatz_datei", SettingKind::text, "test", 64},
    {Setting::course_from, "String_kurs_von", SettingKind::integer, "2", 103},
    {Setting::course_to, "String_kurs_bis", SettingKind::integer, "26", 105},
    {Setting::course_texts, "String_kurs_texte", SettingKind::integer, "5", 107},
    {Setting::course_ramp, "String_kurs_rampe", SettingKind::integer, "0", 108},
    {Setting::course_ramp_first, "String_kurs_effektiv_von", SettingKind::integer, "5", 109},
    {Setting::course_ramp_last, "String_kurs_effektiv_bis", SettingKind::integer, "15", 111},
    {Setting::course_groups, "String_kurs_gruppen", SettingKind::text, "auto", -1},
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
// Shutdown: the file recreated with one group and the 21 keys; silently
// nothing when it cannot be created.
void save_settings(SettingsStore& store, const SettingsRecord& record,
                   std::string_view path = settings_file_name);

// Shows the record in the main window's controls, in the order the window
// is built with.
void apply_settings_to_controls(gui::Gui& gui, const SettingsRecord& record);
// Reads the bound main-window controls back (all but the builder's source name).
void read_settings_from_controls(const gui::Gui& gui, SettingsRecord& record);

}  // namespace velkart::app
