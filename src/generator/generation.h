#pragma once
// The generation run behind "Text analysieren -mp3 erstellen-": the practice
// texts drawn, written as a set in eure_Texte/, and the encoder started on it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/output_names.h"
#include "generator/practice_set.h"
#include "generator/run_checks.h"
#include "generator/run_settings.h"
#include "pdf/document.h"

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
  bool refused = false;  // nothing was written
  // The settings as the run used them: the effective speed may have been lowered.
  RunSettings used;
  bool speed_lowered = false;
  std::vector<std::string> texts;  // the practice texts drawn
  std::string pool_label;          // "Wortvorrat: ..." of the pool they were drawn from
  WrittenSet files;
  // What became of an earlier, longer run's numbered files: how many went to
  // the trash, or that some are still there. Empty when there were none.
  std::string note;
};

// Where a run puts its set: eure_Texte/, or a drill set's own folder with
// its learner and weak characters on both sheets.
struct SetPlace {
  std::string folder = std::string(output_folder);  // with the final "/"
  std::string sheet_note;                           // a line of the solution sheet
  std::string copy_title;                           // instead of "Mitschrift"
};

GenerationResult run_generation(const RunSettings& settings, GenerationContext& context,
                                const runtime::MessageSink& tell, const SetPlace& place = {});

}  // namespace velkart::generator
