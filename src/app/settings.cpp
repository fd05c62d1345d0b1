#include "app/settings.h"

#include "app/palette.h"
#include "app/settings_store.h"
#include "gui/controls.h"
#include "gui/gui.h"
#include "gui/texts.h"
#include "runtime/text.h"

namespace velkart::app {

namespace {

using runtime::integer_to_text;
using runtime::text_to_integer;

const SettingKey& key_of(Setting setting) {
  return settings_table[static_cast<std::size_t>(setting)];
}

int control_of(Setting setting) {
  return key_of(setting).control;
}

std::int32_t number_in(const gui::Gui& gui, Setting setting) {
  return static_cast<std::int32_t>(text_to_integer(gui.get_text(control_of(setting))));
}

}  // namespace

SettingsRecord::SettingsRecord() {
  for (const SettingKey& key : settings_table) {
    if (key.kind == SettingKind::integer) {
      set_number(key.setting, static_cast<std::int32_t>(text_to_integer(key.default_value)));
    } else {
      set_text(key.setting, std::string(key.default_value));
    }
  }
}

const SettingKey* find_setting_key(std::string_view key) {
  for (const SettingKey& each : settings_table) {
    if (names_match(each.key, key)) return &each;
  }
  return nullptr;
}

SettingsRecord load_settings(SettingsStore& store, std::string_view path) {
  SettingsRecord record;
  store.open_settings_file(path);
  store.select_group(settings_group);
  for (const SettingKey& key : settings_table) {
    if (key.kind == SettingKind::integer) {
      record.set_number(key.setting, store.read_integer(key.key, record.number(key.setting)));
    } else {
      record.set_text(key.setting, store.read_text(key.key, key.default_value));
    }
  }
  store.close_settings_file();
  return record;
}

void save_settings(SettingsStore& store, const SettingsRecord& record, std::string_view path) {
  if (!store.create_settings_file(path)) return;
  store.select_group(settings_group);
  for (const SettingKey& key : settings_table) {
    if (key.kind == SettingKind::integer) {
      store.write_integer(key.key, record.number(key.setting));
    } else {
      store.write_text(key.key, record.text(key.setting));
    }
  }
  store.close_settings_file();
}

void apply_settings_to_controls(gui::Gui& gui, const SettingsRecord& record) {
  using S = Setting;
  gui.set_state(controls::word_length_slider, 5);
  gui.set_state(controls::up_to_option, 1);
  gui.set_text(controls::status_label, texts::generation_status);
  for (Setting list :
       {S::list_own, S::list_german, S::list_english, S::list_q_groups, S::list_abbreviations}) {
    gui.set_state(control_of(list), record.number(list));
  }
  gui.set_text(control_of(S::allowed_characters), record.text(S::allowed_characters));
  gui.set_text(control_of(S::mandatory_characters), record.text(S::mandatory_characters));
  gui.set_state(controls::word_length_slider, record.number(S::word_length));
  gui.set_text(controls::word_length_label, integer_to_text(record.number(S::word_length)));
  gui.set_text(control_of(S::word_limit), integer_to_text(record.number(S::word_limit)));
  gui.set_state(control_of(S::replace_sz), record.number(S::replace_sz));
  gui.set_state(control_of(S::replace_umlauts), record.number(S::replace_umlauts));
  // Selecting one option clears the other; any value but 1 ends on "genau".
  gui.set_state(controls::up_to_option, record.number(S::up_to_length));
  gui.set_state(controls::exact_option, record.number(S::up_to_length) == 1 ? 0 : 1);
  gui.set_text(control_of(S::base_name), record.text(S::base_name));
  for (Setting field :
       {S::repetitions, S::text_count, S::character_speed, S::effective_speed, S::frequency}) {
    gui.set_text(control_of(field), integer_to_text(record.number(field)));
  }
  gui.set_state(control_of(S::word_spacing), record.number(S::word_spacing));
  gui.set_text(control_of(S::qrq), integer_to_text(record.number(S::qrq)));
  gui.set_colors(controls::filtered_label, palette::dark_red, palette::panel_grey);
}

void read_settings_from_controls(const gui::Gui& gui, SettingsRecord& record) {
  using S = Setting;
  record.set_number(S::word_limit, number_in(gui, S::word_limit));
  for (Setting list :
       {S::list_own, S::list_german, S::list_english, S::list_q_groups, S::list_abbreviations}) {
    record.set_number(list, gui.get_state(control_of(list)));
  }
  record.set_text(S::allowed_characters, gui.get_text(control_of(S::allowed_characters)));
  record.set_text(S::mandatory_characters, gui.get_text(control_of(S::mandatory_characters)));
  record.set_number(S::word_length, gui.get_state(control_of(S::word_length)));
  record.set_number(S::replace_sz, gui.get_state(control_of(S::replace_sz)));
  record.set_number(S::replace_umlauts, gui.get_state(control_of(S::replace_umlauts)));
  record.set_number(S::up_to_length, gui.get_state(controls::up_to_option));
  record.set_text(S::base_name, gui.get_text(control_of(S::base_name)));
  for (Setting field :
       {S::repetitions, S::text_count, S::character_speed, S::effective_speed, S::frequency}) {
    record.set_number(field, number_in(gui, field));
  }
  record.set_number(S::word_spacing, gui.get_state(control_of(S::word_spacing)));
  record.set_number(S::qrq, number_in(gui, S::qrq));
}

}  // namespace velkart::app
