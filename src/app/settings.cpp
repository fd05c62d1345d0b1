#include "app/settings.h"

#include "app/palette.h"
#include "app/settings_store.h"
#include "gui/controls.h"
#include "gui/gui.h"
#include "runtime/texts.h"
#include "runtime/text.h"

namespace velkart::app {

using runtime::integer_to_text;
using runtime::text_to_integer;

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
  gui.set_state(controls::word_length_slider, 5);
  gui.set_state(controls::up_to_option, 1);
  gui.set_text(controls::status_label, texts::generation_status);
  for (const SettingKey& key : settings_table) {
    switch (key.shown) {
      case Shown::state:
        gui.set_state(key.control, record.number(key.setting));
        break;
      case Shown::number_text:
        gui.set_text(key.control, integer_to_text(record.number(key.setting)));
        break;
      case Shown::text:
        gui.set_text(key.control, record.text(key.setting));
        break;
      case Shown::builder_text:
      case Shown::course:
        break;
    }
    // The slider's number beside it; and selecting one option clears the
    // other, so any value but 1 ends on "genau".
    if (key.setting == Setting::word_length) {
      gui.set_text(controls::word_length_label, integer_to_text(record.number(key.setting)));
    } else if (key.setting == Setting::up_to_length) {
      gui.set_state(controls::exact_option, record.number(key.setting) == 1 ? 0 : 1);
    }
  }
  gui.set_colors(controls::filtered_label, palette::dark_red, palette::panel_grey);
}

void read_settings_from_controls(const gui::Gui& gui, SettingsRecord& record) {
  for (const SettingKey& key : settings_table) {
    switch (key.shown) {
      case Shown::state:
        record.set_number(key.setting, gui.get_state(key.control));
        break;
      case Shown::number_text:
        record.set_number(key.setting,
                          static_cast<std::int32_t>(text_to_integer(gui.get_text(key.control))));
        break;
      case Shown::text:
        record.set_text(key.setting, gui.get_text(key.control));
        break;
      case Shown::builder_text:
      case Shown::course:
        break;
    }
  }
}

}  // namespace velkart::app
