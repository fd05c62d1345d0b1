#include "app/settings.h"

#include <algorithm>

#include "app/palette.h"
#include "app/settings_store.h"
#include "gui/controls.h"
#include "gui/gui.h"
#include "runtime/text.h"
#include "runtime/texts.h"

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

generator::RunSettings run_settings(const SettingsRecord& record) {
  using S = Setting;
  const auto number = [&record](Setting setting) { return record.number(setting); };
  const auto text = [&record](Setting setting) { return integer_to_text(record.number(setting)); };
  generator::RunSettings settings;
  generator::PoolOptions& pool = settings.pool;
  for (std::size_t k = 0; k < std::size(generator::word_list_paths); ++k) {
    if (number(static_cast<Setting>(static_cast<int>(S::list_own) + static_cast<int>(k))) != 0)
      pool.lists.emplace_back(generator::word_list_paths[k]);
  }
  pool.word_length =
      std::clamp(number(S::word_length), controls::shortest_word, controls::longest_word);
  pool.up_to = number(S::up_to_length) == 1;
  pool.replace_sz = number(S::replace_sz) != 0;
  pool.replace_umlauts = number(S::replace_umlauts) != 0;
  pool.allowed = record.text(S::allowed_characters);
  pool.mandatory = record.text(S::mandatory_characters);
  pool.word_limit = number(S::word_limit);
  generator::EncoderFields& encoder = settings.encoder;
  encoder.character_speed = text(S::character_speed);
  encoder.effective_speed = text(S::effective_speed);
  encoder.frequency = text(S::frequency);
  encoder.word_spacing = std::clamp(number(S::word_spacing), 0, controls::most_word_spacing);
  encoder.qrq = text(S::qrq);
  encoder.base_name = record.text(S::base_name);
  encoder.listening = listening_conditions(record);
  settings.repetitions = text(S::repetitions);
  settings.text_count = number(S::text_count);
  return settings;
}

generator::ListeningConditions listening_conditions(const SettingsRecord& record) {
  using S = Setting;
  generator::ListeningConditions conditions;
  conditions.noise = record.number(S::listening_noise);
  conditions.snr = record.number(S::listening_snr);
  conditions.filter = record.number(S::listening_filter);
  conditions.tone_range = record.number(S::listening_tone_range);
  conditions.tone_from = record.number(S::listening_tone_from);
  conditions.tone_to = record.number(S::listening_tone_to);
  conditions.fading = record.number(S::listening_fading);
  conditions.fading_period = record.number(S::listening_fading_period);
  conditions.pause = record.number(S::listening_pause);
  return conditions;
}

generator::CourseOptions course_options(const SettingsRecord& record) {
  using S = Setting;
  generator::CourseOptions options;
  options.from = record.number(S::course_from);
  options.to = record.number(S::course_to);
  options.texts = record.number(S::course_texts);
  options.minutes = record.number(S::course_minutes);
  if (record.number(S::course_ramp) != 0)
    options.ramp = generator::SpeedRamp{record.number(S::course_ramp_first),
                                        record.number(S::course_ramp_last)};
  options.groups = generator::groups_mode_from_text(record.text(S::course_groups))
                       .value_or(generator::GroupsMode::automatic);
  return options;
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
      case Shown::listening:
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
      case Shown::listening:
        break;
    }
  }
}

}  // namespace velkart::app
