#pragma once
// The solution sheet of a generation run: every practice text once, as read
// back from its file, under a framed heading with date and time on every
// page, with the speed settings on the first page and page numbers below.
#include <string>
#include <string_view>
#include <vector>

#include "generator/output_names.h"
#include "pdf/document.h"

namespace velkart::generator {

// The heading: the fixed text, then the date as 06.03.2011, a blank, the
// time as 09:05:03 and four blanks.
std::string sheet_heading(const pdf::LocalTime& now);

// The field texts of the two settings lines, as typed.
struct SheetSettings {
  std::string character_speed;  // field 41
  std::string frequency;        // field 49
  std::string effective_speed;  // field 48
  std::string repetitions;      // field 47
  int word_spacing = 0;         // slider 45; printed instead of "aus" when set
  std::string qrq;              // field 59; printed with " min" when not 0
  std::string conditions;       // the listening conditions' line, or none
  std::vector<int> tones;       // a tone per text when it was drawn, else none
};

// The sheet for the text files (names without folder) in `folder`, saved
// as `path`; false when the writer could not save it. A `note` (a drill
// set's learner and weak characters) follows the settings lines; a `title`
// (a lesson's name and letters, lines separated by "\n") comes before them.
bool write_solution_sheet(const SheetSettings& settings,
                          const std::vector<std::string>& written_files, std::string_view folder,
                          std::string_view path, const pdf::Clock& clock,
                          std::string_view note = {}, std::string_view title = {});

}  // namespace velkart::generator
