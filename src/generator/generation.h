#pragma once
// The generation run behind "Text analysieren -mp3 erstellen-": numbered
// practice-text files in eure_Texte/, the encoder's input and start, and the
// solution sheet.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/output_names.h"
#include "pdf/document.h"

namespace velkart::gui {
class Gui;
}
namespace velkart::runtime {
class Launcher;
}

namespace velkart::generator {

// What a generation run needs from outside and what it leaves for the next.
struct GenerationContext {
  runtime::Launcher* launcher = nullptr;
  // Local date and time for the solution sheet; injected so tests can pin it.
  pdf::Clock clock = pdf::local_time_now;
  // The encoder started by the last run, 0 when none.
  int encoder_process = 0;
};

struct GenerationResult {
  bool refused = false;                    // nothing was written
  std::vector<std::string> written_files;  // text file names, without folder
  std::string sheet_path;                  // the solution sheet's path, once it is saved
  std::string copy_sheet_path;             // the learners' copy sheet, when written
  std::string playlist_path;               // the playlist, when written
  std::vector<std::string> created_files;  // paths of the text files put in place
};

// More repetitions are refused: the encoder text grows with them.
inline constexpr std::int64_t max_repetitions = 100;

// False for names that would write outside eure_Texte/ or that no file
// system takes: "/", "\", control characters and : * ? " < > |.
bool base_name_allowed(std::string_view base_name);

GenerationResult run_generation(gui::Gui& gui, GenerationContext& context);

}  // namespace velkart::generator
