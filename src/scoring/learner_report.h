#pragma once
// A learner's progress from the register: one line per scored set, every
// character sent with its error rate, the most frequent confusions, and the
// PDF eure_Texte/Auswertung/Lernstand_NAME.pdf that shows them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/document.h"
#include "scoring/class_register.h"

namespace velkart::scoring {

struct SetResult {
  std::string date;  // the latest scoring of the set
  std::string set;
  std::int64_t texts = 0;
  std::int64_t words_right = 0;
  std::int64_t words_sent = 0;
  std::int64_t characters_right = 0;
  std::int64_t characters_sent = 0;
};

// How one character fared: errors are confusions and misses of it when sent.
struct CharacterRate {
  char character = 0;
  std::int64_t sent = 0;
  std::int64_t errors = 0;
  friend bool operator==(const CharacterRate&, const CharacterRate&) = default;
};

struct LearnerSummary {
  std::string learner;
  std::vector<SetResult> sets;            // by date, then by first row in the register
  std::vector<CharacterRate> characters;  // worst rate first, then more errors, then byte order
  std::vector<ErrorItem> confusions;      // the ten most frequent, as sort_errors orders them
};

LearnerSummary summarise_learner(const std::vector<RegisterRow>& rows, std::string_view learner);

// Every learner of the register, in the order of their first row.
std::vector<std::string> learners_of(const std::vector<RegisterRow>& rows);

// "eure_Texte/Auswertung/Lernstand_NAME.pdf".
std::string report_path(std::string_view learner);

// Whole percent, rounded down so that 99.6 % never shows as 100.
std::int64_t percent(std::int64_t part, std::int64_t whole);

// Writes the report; false when the file could not be written.
bool write_learner_report(const LearnerSummary& summary, std::string_view path,
                          const pdf::Clock& clock);

}  // namespace velkart::scoring
