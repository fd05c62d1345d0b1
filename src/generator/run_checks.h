#pragma once
// The checks every run makes before it writes anything, the same for a
// generation run and a lesson pack: a German message for the first that
// fails, or nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "generator/run_settings.h"

namespace velkart::generator {

// More repetitions make the encoder input grow without use; more texts are
// no practice set but a full disk.
inline constexpr std::int64_t max_repetitions = 100;
inline constexpr std::int64_t max_texts = 10'000;

// `folder` is where the set's files go ("eure_Texte/" or a lesson folder):
// every name the run will write there must fit the file system. The word
// limit is a generation run's own: a lesson's words follow from its minutes.
std::optional<std::string> check_run(const RunSettings& settings, std::int64_t text_count,
                                     std::string_view folder);

// False for names that would write outside eure_Texte/ or that no file
// system takes: "/", "\", control characters and : * ? " < > |.
bool base_name_allowed(std::string_view base_name);

}  // namespace velkart::generator
