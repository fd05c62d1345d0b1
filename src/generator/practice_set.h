#pragma once
// One practice set, written the same way by a generation run and by every
// lesson of a course: the numbered text files, the solution sheet, the copy
// sheet, the playlist and the encoder's input, in that order, each put in
// place whole. The first file that cannot be put in place ends the set: what
// comes after it is not written, and the encoder is never started on a set
// that is not complete.
#include <cstdint>
#include <string>
#include <vector>

#include "generator/copy_sheet.h"
#include "generator/duration.h"
#include "generator/listening.h"
#include "generator/output_names.h"
#include "generator/solution_sheet.h"
#include "pdf/document.h"

namespace velkart::generator {

struct PracticeSet {
  std::string folder;  // "eure_Texte/" or a lesson's folder, with the final "/"
  SetName name;
  std::vector<std::string> texts;
  std::int64_t repetitions = 1;
  SheetSettings sheet;
  std::string sheet_note;   // a line of the solution sheet after the settings, or none
  std::string sheet_title;  // a lesson's lines above the settings, or none
  CopySheetHeading copy_heading;
  std::string encoder_input;  // where the encoder reads the set
  ListeningConditions listening;
  SendTiming timing;  // what a fading curve is laid over
};

// What is in place, each path once it is; `failed` names the file that
// could not be, and then nothing after it was written.
struct WrittenSet {
  std::vector<std::string> text_files;
  std::string answer_key;
  std::string copy_sheet;
  std::string playlist;
  std::string failed;
  bool complete() const { return failed.empty(); }
};

WrittenSet write_practice_set(const PracticeSet& set, const pdf::Clock& clock);

// The message for a set that stopped at `written.failed`: which file, and
// that only the files before it are complete.
std::string set_stopped_message(const WrittenSet& written);

}  // namespace velkart::generator
