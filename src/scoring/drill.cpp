#include "scoring/drill.h"

#include "generator/output_names.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/class_register.h"
#include "scoring/commands.h"

namespace velkart::scoring {

namespace {

std::string spaced(std::string_view characters) {
  std::string out;
  for (const char c : characters) {
    if (!out.empty()) out += ' ';
    out += c;
  }
  return out;
}

std::string base_name(const Drill& drill) {
  return std::string(texts::drill_base.view()) + drill.learner;
}

}  // namespace

std::variant<Drill, std::string> plan_drill(const LearnerSummary& summary, int weak_count) {
  if (summary.sets.empty())
    return std::string(texts::drill_nothing_scored.view()) + summary.learner;
  Drill drill{summary.learner, {}, {}};
  // The summary lists the characters worst first.
  for (const CharacterRate& rate : summary.characters) {
    if (rate.sent == 0) continue;
    drill.letters += rate.character;
    if (rate.sent >= fewest_samples && rate.errors > 0 &&
        drill.weak.size() < static_cast<std::size_t>(weak_count))
      drill.weak += rate.character;
  }
  if (drill.weak.empty()) return std::string(texts::drill_no_weak.view()) + summary.learner;
  return drill;
}

std::variant<Drill, std::string> plan_drill_for(std::string_view learner, int weak_count) {
  if (auto problem = learner_problem(learner)) return std::move(*problem);
  const LoadedRegister loaded = load_register();
  if (loaded.state == RegisterState::unreadable || loaded.state == RegisterState::too_large)
    return register_problem(loaded);
  return plan_drill(summarise_learner(loaded.rows, runtime::trim_blanks(learner)), weak_count);
}

generator::RunSettings drill_settings(generator::RunSettings settings, const Drill& drill) {
  settings.pool.allowed = drill.letters;
  settings.pool.mandatory.clear();
  settings.pool.any_of = drill.weak;
  settings.encoder.base_name = base_name(drill);
  return settings;
}

generator::SetPlace drill_place(const Drill& drill) {
  const std::string line = std::string(texts::drill_for.view()) + drill.learner +
                           std::string(texts::drill_weak.view()) + spaced(drill.weak);
  return {std::string(generator::output_folder) + base_name(drill) + "/", line,
          std::string(texts::copy_sheet_title.view()) + " " + line};
}

}  // namespace velkart::scoring
