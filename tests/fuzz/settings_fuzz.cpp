// The settings-file parser on any bytes: a value written reads back, and
// what was readable before the save reads the same after it.
#include "app/settings_store.h"
#include "fuzz_support.h"

using velkart::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = velkart::fuzz::scratch_file(velkart::fuzz::bytes_of(data, size));
  velkart::app::SettingsStore store;
  store.open_settings_file(path);
  store.select_group("voreinstellungen");
  const std::string name = store.read_text("String_mp_dateiname", "?");
  const std::int32_t frequency = store.read_integer("String_frequenz", -1);
  store.write_text("String_wortschatz_datei", "Probe \xC4");
  store.close_settings_file();

  store.open_settings_file(path);
  store.select_group("voreinstellungen");
  check(store.read_text("String_wortschatz_datei", "") == "Probe \xC4", "written value lost");
  check(store.read_text("String_mp_dateiname", "?") == name, "text changed by saving");
  check(store.read_integer("String_frequenz", -1) == frequency, "number changed by saving");
  return 0;
}
