#pragma once
// velkart-batch: runs the generator from the settings file, without windows,
// for course leaders who prepare many lessons in a script.
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pdf/document.h"

namespace velkart::runtime {
class Launcher;
}

namespace velkart::app {

inline constexpr int batch_ok = 0;
inline constexpr int batch_message_shown = 1;
inline constexpr int batch_usage_error = 2;

// `arguments` without the program name, as the terminal gives them (UTF-8).
// Output is UTF-8; every message box becomes "Information: <text>" on `err`.
int run_batch(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
              runtime::Launcher& launcher);

// The time (UTC) that SOURCE_DATE_EPOCH's seconds since 1970 name; nullopt
// for anything but a whole number from 0 to the end of the year 9999.
std::optional<pdf::LocalTime> epoch_time(std::string_view seconds);

}  // namespace velkart::app
