#pragma once
// The class at a glance: eure_Texte/Auswertung/Klassenuebersicht.pdf, a grid
// of every learner against every character sent to anyone, each cell shaded
// by the learner's error rate, with each learner's last set and weakest
// characters beside it.
#include <string>
#include <string_view>
#include <vector>

#include "pdf/document.h"
#include "scoring/learner_report.h"

namespace velkart::scoring {

inline constexpr std::string_view class_overview_path =
    "eure_Texte/Auswertung/Klassenuebersicht.pdf";

// The grid's columns: every character sent to anyone, Koch letters first in
// their order, then the others by byte.
std::string overview_characters(const std::vector<LearnerSummary>& learners);

// A cell's grey (255 white to 55 dark): white at 0 %, darkest from 30 % on.
int overview_grey(const CharacterRate& rate);

// A4 landscape, 30 learners a page; false when the file could not be written.
bool write_class_overview(const std::vector<LearnerSummary>& learners, std::string_view path,
                          const pdf::Clock& clock);

}  // namespace velkart::scoring
