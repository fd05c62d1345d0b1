#include "scoring/class_overview.h"

#include <algorithm>

#include "generator/course.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/drill.h"

namespace velkart::scoring {

namespace {

using runtime::integer_to_text;

constexpr int learners_per_page = 30;
constexpr float name_width = 34, last_set_width = 38, percent_width = 14, weakest_width = 22;
constexpr float row_height = 5.5f;

const CharacterRate* rate_of(const LearnerSummary& learner, char character) {
  for (const CharacterRate& rate : learner.characters)
    if (rate.character == character) return &rate;
  return nullptr;
}

void header_row(pdf::Document& document, const std::string& characters, float cell) {
  document.set_font("Arial", "B", 8);
  document.set_fill_color(200, 220, 255);
  document.text_cell(name_width, row_height, texts::class_learner, pdf::Border::frame,
                     pdf::LineMode::right, pdf::Align::centre, pdf::Fill::paint);
  for (const char c : characters)
    document.text_cell(cell, row_height, std::string(1, c), pdf::Border::frame,
                       pdf::LineMode::right, pdf::Align::centre, pdf::Fill::paint);
  for (const auto& [width, caption] : {std::pair{last_set_width, texts::class_last_set.view()},
                                       std::pair{percent_width, texts::class_percent.view()},
                                       std::pair{weakest_width, texts::class_weakest.view()}})
    document.text_cell(width, row_height, caption, pdf::Border::frame, pdf::LineMode::right,
                       pdf::Align::centre, pdf::Fill::paint);
  document.line_break();
}

}  // namespace

std::string overview_characters(const std::vector<LearnerSummary>& learners) {
  std::string characters;
  for (const LearnerSummary& learner : learners)
    for (const CharacterRate& rate : learner.characters)
      if (rate.sent > 0 && characters.find(rate.character) == std::string::npos)
        characters += rate.character;
  const auto rank = [](char c) {
    const std::size_t koch = generator::koch_order.find(c);
    return koch != std::string_view::npos ? static_cast<int>(koch)
                                          : 100 + static_cast<unsigned char>(c);
  };
  std::sort(characters.begin(), characters.end(),
            [&rank](char a, char b) { return rank(a) < rank(b); });
  return characters;
}

int overview_grey(const CharacterRate& rate) {
  const double share = rate.sent == 0 ? 0 : static_cast<double>(rate.errors) / rate.sent;
  return 255 - static_cast<int>(std::min(share / 0.30, 1.0) * 200);
}

bool write_class_overview(const std::vector<LearnerSummary>& learners, std::string_view path,
                          const pdf::Clock& clock) {
  const std::string characters = overview_characters(learners);
  pdf::Document document(clock);
  document.new_document("L");
  document.set_title(std::string(texts::class_title.view()));
  document.set_author("");
  const float free = 277 - name_width - last_set_width - percent_width - weakest_width;
  const float cell = characters.empty() ? 5 : std::min(8.0f, free / characters.size());
  for (std::size_t first = 0; first == 0 || first < learners.size(); first += learners_per_page) {
    document.add_page();
    document.set_font("Arial", "B", 14);
    document.text_cell(0, 8, texts::class_title, pdf::Border::none, pdf::LineMode::next_line);
    header_row(document, characters, cell);
    document.set_font("Arial", "", 8);
    const std::size_t end = std::min(learners.size(), first + learners_per_page);
    for (std::size_t k = first; k < end; ++k) {
      const LearnerSummary& learner = learners[k];
      document.text_cell(name_width, row_height, learner.learner, pdf::Border::frame,
                         pdf::LineMode::right);
      for (const char c : characters) {
        const CharacterRate* rate = rate_of(learner, c);
        if (rate == nullptr || rate->sent < fewest_samples) {
          // Too few samples to tell: marked, not shaded.
          document.text_cell(cell, row_height, rate == nullptr ? "" : "-", pdf::Border::frame,
                             pdf::LineMode::right, pdf::Align::centre);
          continue;
        }
        const int grey = overview_grey(*rate);
        document.set_fill_color(grey, grey, grey);
        document.text_cell(cell, row_height, "", pdf::Border::frame, pdf::LineMode::right,
                           pdf::Align::centre, pdf::Fill::paint);
      }
      std::string last_set, last_percent;
      if (!learner.sets.empty()) {
        const SetResult& last = learner.sets.back();
        last_set = last.set;
        last_percent = integer_to_text(percent(last.characters_right, last.characters_sent));
      }
      std::string weakest;
      for (const CharacterRate& rate : learner.characters) {
        if (weakest.size() >= 5) break;
        if (rate.sent < fewest_samples || rate.errors == 0) continue;
        if (!weakest.empty()) weakest += ' ';
        weakest += rate.character;
      }
      document.text_cell(last_set_width, row_height, last_set, pdf::Border::frame,
                         pdf::LineMode::right);
      document.text_cell(percent_width, row_height, last_percent, pdf::Border::frame,
                         pdf::LineMode::right, pdf::Align::right);
      document.text_cell(weakest_width, row_height, weakest, pdf::Border::frame,
                         pdf::LineMode::next_line);
    }
    // The legend: the shades from 0 % to 30 % and more, and the mark.
    document.line_break(3);
    for (const int share : {0, 10, 20, 30}) {
      const int grey = overview_grey({'A', 10, share / 10});
      document.set_fill_color(grey, grey, grey);
      document.text_cell(6, row_height, "", pdf::Border::frame, pdf::LineMode::right,
                         pdf::Align::centre, pdf::Fill::paint);
      std::string caption(" ");
      caption += integer_to_text(share);
      caption += share == 30 ? " % und mehr" : " %";
      document.text_cell(22, row_height, caption);
    }
    document.text_cell(6, row_height, "-", pdf::Border::frame, pdf::LineMode::right,
                       pdf::Align::centre);
    document.text_cell(0, row_height, texts::class_too_few, pdf::Border::none,
                       pdf::LineMode::next_line);
  }
  document.save_document(path);
  return document.error() == pdf::WriterError::none;
}

}  // namespace velkart::scoring
