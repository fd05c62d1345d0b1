#pragma once
// Scoring as the batch program and the windows use it. Every text here is
// Windows-1252 (the batch program converts its arguments, as it does for
// its other commands); paths are relative to the working folder.
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/document.h"
#include "scoring/learner_report.h"

namespace velkart::scoring {

// The German message when the learner's name cannot be part of a file name
// (empty, a separator or control character, too long); nothing when it can.
// Blanks at either end are not part of the name.
std::optional<std::string> learner_problem(std::string_view learner);

struct SetScoring {
  // One line per copy: "Text 0: 18 von 20 Wörtern, 95 von 98 Zeichen richtig",
  // or that the text was not taken.
  std::vector<std::string> lines;
  // The learner's characters with the highest error rate over the whole
  // register, at most five, each with at least one error.
  std::vector<CharacterRate> weakest;
  // The German message when something went wrong; the register then holds
  // what it held before.
  std::optional<std::string> problem;
};

// Scores one learner's copies of the set's texts 0, 1, ... (an empty copy:
// not taken) and puts a row per scored text into the register, replacing
// an earlier one of the same learner, set and text.
SetScoring score_set(std::string_view prefix, std::string_view learner,
                     const std::vector<std::string>& copies, const pdf::Clock& clock);

// velkart-batch score PREFIX --learner NAME FILE: the result lines on `out`,
// a message on `err`; 0, or 1 for bad input or a register not saved.
int score_command(std::string_view prefix, std::string_view learner, std::string_view copy_file,
                  const pdf::Clock& clock, std::ostream& out, std::ostream& err);

// velkart-batch report [--learner NAME]: writes the reports of every
// learner in the register, or of one, and prints their paths; 0 or 1.
int report_command(std::optional<std::string_view> learner, const pdf::Clock& clock,
                   std::ostream& out, std::ostream& err);

}  // namespace velkart::scoring
