#pragma once
// Drill sets: a practice set for one learner's weak characters, drawn only
// from the characters the learner has been sent in scored sets.
#include <string>
#include <string_view>
#include <variant>

#include "generator/generation.h"
#include "scoring/learner_report.h"

namespace velkart::scoring {

inline constexpr int default_weak_characters = 3;
inline constexpr int most_weak_characters = 10;
// Fewer samples tell nothing about a character.
inline constexpr std::int64_t fewest_samples = 5;

struct Drill {
  std::string learner;
  std::string letters;  // every character sent to the learner
  std::string weak;     // the weakest first
};

// The drill for the learner's summary, or a German message when nothing is
// scored or no character with enough samples has an error.
std::variant<Drill, std::string> plan_drill(const LearnerSummary& summary, int weak_count);

// The same from the register, for a learner named by the user: a German
// message also for a name that cannot be a file name or an unreadable register.
std::variant<Drill, std::string> plan_drill_for(std::string_view learner, int weak_count);

// The run: the settings with the drill's letters and weak characters and
// the base name "Uebung_NAME"; the place eure_Texte/Uebung_NAME/ with the
// learner and the weak characters on both sheets.
generator::RunSettings drill_settings(generator::RunSettings settings, const Drill& drill);
generator::SetPlace drill_place(const Drill& drill);

}  // namespace velkart::scoring
