#include "generator/run_checks.h"

#include "generator/output_names.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

bool names_fit(std::string_view folder, std::string_view base_name, std::int64_t text_count) {
  const std::int64_t last = text_count - 1;
  for (const std::string& name :
       {text_file_name(base_name, last), sound_file_name(base_name, last),
        answer_key_name(base_name), copy_sheet_name(base_name), playlist_name(base_name)}) {
    if (!runtime::name_fits(folder, name)) return false;
  }
  return true;
}

}  // namespace

bool base_name_allowed(std::string_view base_name) {
  return runtime::plain_file_name(base_name);
}

std::optional<std::string> check_run(const RunSettings& settings, std::int64_t text_count,
                                     std::string_view folder) {
  const auto refuse = [](std::string_view text) { return std::string(text); };
  const std::string& base_name = settings.encoder.base_name;
  if (!base_name_allowed(base_name)) return refuse(texts::bad_base_name);
  if (text_count < 1) return refuse(texts::no_texts);
  if (text_count > max_texts) return refuse(texts::too_many_texts);
  if (!names_fit(folder, base_name, text_count)) return refuse(texts::name_too_long);
  if (runtime::text_to_integer(settings.repetitions) > max_repetitions)
    return refuse(texts::too_many_repetitions);
  const std::int64_t tone = runtime::text_to_integer(settings.encoder.frequency);
  if (tone < lowest_tone || tone > highest_tone) return refuse(texts::bad_tone);
  if (auto refused = check_listening(settings.encoder.listening)) return refused;
  return std::nullopt;
}

}  // namespace velkart::generator
