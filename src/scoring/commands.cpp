#include "scoring/commands.h"

#include <algorithm>
#include <ostream>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/class_overview.h"
#include "scoring/class_register.h"
#include "scoring/copy_file.h"
#include "scoring/score.h"
#include "scoring/sets.h"

namespace velkart::scoring {

namespace {

using runtime::integer_to_text;

constexpr std::size_t weakest_count = 5;

std::string text(std::string_view literal) {
  return std::string(literal);
}

void tell(std::ostream& err, std::string_view message) {
  err << runtime::to_utf8(texts::message_title) << ": " << runtime::to_utf8(message) << '\n';
}

std::string count_of(std::int64_t right, std::int64_t sent, std::string_view one,
                     std::string_view many) {
  return integer_to_text(right) + text(texts::score_of) + integer_to_text(sent) +
         std::string(sent == 1 ? one : many);
}

std::string result_line(std::int64_t number, const TextScore* score) {
  std::string line = text(texts::score_text_label) + integer_to_text(number) + ": ";
  if (score == nullptr) return line + text(texts::score_not_taken);
  line += count_of(score->words_right, score->words_sent, texts::score_word, texts::score_words);
  line += integer_to_text(score->characters_right) + text(texts::score_of) +
          integer_to_text(score->characters_sent) + text(texts::score_characters_right);
  if (!score->extra_words.empty()) {
    line += texts::score_extra_words.view();
    for (std::size_t k = 0; k < score->extra_words.size(); ++k)
      line += (k > 0 ? " " : "") + score->extra_words[k];
  }
  return line;
}

std::optional<std::string> key_problem(std::string_view prefix, const KeyTexts& key) {
  if (key.unreadable) return text(texts::score_key_unreadable) + text_path(prefix, *key.unreadable);
  if (key.texts.empty()) return text(texts::score_no_texts) + text_path(prefix, 0);
  return std::nullopt;
}

SetScoring score_copies(std::string_view prefix, const KeyTexts& key, std::string_view learner,
                        const std::vector<std::string>& copies, const pdf::Clock& clock) {
  SetScoring result;
  if (copies.size() > key.texts.size()) {
    result.problem = text(texts::score_too_many_texts) +
                     integer_to_text(static_cast<std::int64_t>(copies.size())) +
                     text(texts::score_too_many_texts_but) +
                     integer_to_text(static_cast<std::int64_t>(key.texts.size())) +
                     text(texts::score_too_many_texts_end);
    return result;
  }
  LoadedRegister loaded = load_register();
  if (loaded.state == RegisterState::unreadable || loaded.state == RegisterState::too_large) {
    result.problem = register_problem(loaded);
    return result;
  }
  const std::string date = date_text(clock ? clock() : pdf::local_time_now());
  const std::string set = set_name(prefix);
  bool scored = false;
  for (std::size_t k = 0; k < copies.size(); ++k) {
    const auto number = static_cast<std::int64_t>(k);
    if (runtime::trim_blanks(copies[k]).empty()) {
      result.lines.push_back(result_line(number, nullptr));
      continue;
    }
    const TextScore score = score_text(key.texts[k], copies[k]);
    merge_row(loaded.rows, register_row(date, learner, set, number, score));
    result.lines.push_back(result_line(number, &score));
    scored = true;
  }
  if (scored) result.problem = save_register(loaded.rows);
  if (result.problem) return result;
  for (const CharacterRate& rate : summarise_learner(loaded.rows, learner).characters) {
    if (rate.errors == 0 || result.weakest.size() == weakest_count) break;
    result.weakest.push_back(rate);
  }
  return result;
}

}  // namespace

std::optional<std::string> learner_problem(std::string_view learner) {
  const std::string name = runtime::trim_blanks(learner);
  if (name.empty() || !runtime::plain_file_name(name)) return text(texts::score_bad_learner);
  if (!runtime::name_fits(register_folder, report_path(name).substr(register_folder.size())))
    return text(texts::score_learner_too_long);
  return std::nullopt;
}

SetScoring score_set(std::string_view prefix, std::string_view learner,
                     const std::vector<std::string>& copies, const pdf::Clock& clock) {
  SetScoring result;
  result.problem = learner_problem(learner);
  if (result.problem) return result;
  const KeyTexts key = read_key_texts(prefix);
  result.problem = key_problem(prefix, key);
  if (result.problem) return result;
  return score_copies(prefix, key, runtime::trim_blanks(learner), copies, clock);
}

int score_command(std::string_view prefix, std::string_view learner, std::string_view copy_file,
                  const pdf::Clock& clock, std::ostream& out, std::ostream& err) {
  if (const auto problem = learner_problem(learner)) {
    tell(err, *problem);
    return 1;
  }
  const KeyTexts key = read_key_texts(prefix);
  if (const auto problem = key_problem(prefix, key)) {
    tell(err, *problem);
    return 1;
  }
  const FileBytes file = read_file_bytes(copy_file, max_copy_bytes);
  if (file.status != ReadStatus::read) {
    tell(err, text(file.status == ReadStatus::too_large ? texts::score_copy_too_large.view()
                                                        : texts::score_copy_unreadable.view()) +
                  std::string(copy_file));
    return 1;
  }
  const ParsedCopy copy = parse_copy(file.bytes);
  if (copy.problem != CopyProblem::none) {
    tell(err, text(copy.problem == CopyProblem::empty ? texts::score_copy_empty.view()
                                                      : texts::score_copy_binary.view()) +
                  std::string(copy_file));
    return 1;
  }
  const SetScoring result =
      score_copies(prefix, key, runtime::trim_blanks(learner), copy.texts, clock);
  for (const std::string& line : result.lines) out << runtime::to_utf8(line) << '\n';
  if (result.problem) {
    tell(err, *result.problem);
    return 1;
  }
  return 0;
}

int report_command(std::optional<std::string_view> learner, const pdf::Clock& clock,
                   std::ostream& out, std::ostream& err) {
  if (learner) {
    if (const auto problem = learner_problem(*learner)) {
      tell(err, *problem);
      return 1;
    }
  }
  const LoadedRegister loaded = load_register();
  if (loaded.state == RegisterState::missing) {
    tell(err, text(texts::register_missing) + std::string(register_path));
    return 1;
  }
  if (loaded.state != RegisterState::read) {
    tell(err, register_problem(loaded));
    return 1;
  }
  std::vector<std::string> learners = learners_of(loaded.rows);
  if (learner) {
    const std::string name = runtime::trim_blanks(*learner);
    if (std::find(learners.begin(), learners.end(), name) == learners.end()) {
      tell(err, text(texts::register_no_learner) + name);
      return 1;
    }
    learners = {name};
  }
  int status = 0;
  // The class at a glance, with every learner in it.
  if (!learner) {
    std::vector<LearnerSummary> everyone;
    for (const std::string& name : learners)
      everyone.push_back(summarise_learner(loaded.rows, name));
    if (write_class_overview(everyone, class_overview_path, clock)) {
      out << runtime::to_utf8(class_overview_path) << '\n';
    } else {
      tell(err, text(texts::report_not_written) + std::string(class_overview_path));
      status = 1;
    }
  }
  for (const std::string& name : learners) {
    const std::string path = report_path(name);
    if (write_learner_report(summarise_learner(loaded.rows, name), path, clock)) {
      out << runtime::to_utf8(path) << '\n';
    } else {
      tell(err, text(texts::report_not_written) + path);
      status = 1;
    }
  }
  return status;
}

}  // namespace velkart::scoring
