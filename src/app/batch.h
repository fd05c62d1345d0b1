#pragma once
// velkart-batch: runs the generator from the settings file, without windows,
// for course leaders who prepare many lessons in a script.
#include <iosfwd>
#include <span>
#include <string>

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

}  // namespace velkart::app
