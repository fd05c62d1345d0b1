#include "scoring/learner_report.h"

#include <algorithm>
#include <array>
#include <map>

#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::scoring {

namespace {

using runtime::integer_to_text;

// yyyymmdd from "TT.MM.JJJJ", so dates sort as numbers.
std::int64_t date_key(std::string_view date) {
  return runtime::text_to_integer(date.substr(6)) * 10000 +
         runtime::text_to_integer(date.substr(3, 2)) * 100 +
         runtime::text_to_integer(date.substr(0, 2));
}

std::string text(std::string_view literal) {
  return std::string(literal);
}

const std::array<pdf::TableColumn, 6> set_columns{{
    {12, texts::report_number, pdf::Align::right},
    {24, texts::report_date, pdf::Align::centre},
    {90, texts::report_set, pdf::Align::left},
    {16, texts::report_texts, pdf::Align::right},
    {24, texts::report_words_percent, pdf::Align::right},
    {24, texts::report_characters_percent, pdf::Align::right},
}};
const std::array<pdf::TableColumn, 4> character_columns{{
    {24, texts::report_character, pdf::Align::centre},
    {28, texts::report_sent, pdf::Align::right},
    {28, texts::report_errors, pdf::Align::right},
    {28, texts::report_error_rate, pdf::Align::right},
}};
const std::array<pdf::TableColumn, 3> confusion_columns{{
    {28, texts::report_sent, pdf::Align::centre},
    {28, texts::report_copied, pdf::Align::centre},
    {28, texts::report_count, pdf::Align::right},
}};

constexpr float row_height = 5.5f;
// The chart: plot area in millimetres, left of it room for the labels.
constexpr float chart_left = 25;
constexpr float chart_width = 165;
constexpr float chart_height = 55;
constexpr float chart_room = chart_height + 35;  // with heading, axis labels and numbers

class Report {
 public:
  explicit Report(pdf::Document& document) : pdf_(document) {}

  void footer() { pdf::print_page_number(pdf_, texts::report_page.view()); }

  void heading(std::string_view title, std::string_view date) {
    pdf_.set_font("Arial", "B", 16);
    pdf_.text_cell(0, 9, title, pdf::Border::none, pdf::LineMode::next_line);
    pdf_.set_font("Arial", "", 11);
    pdf_.text_cell(0, 6, text(texts::report_as_of) + std::string(date), pdf::Border::none,
                   pdf::LineMode::next_line);
  }

  void section(std::string_view title) {
    pdf_.line_break(5);
    pdf_.set_font("Arial", "B", 12);
    pdf_.text_cell(0, 7, title, pdf::Border::none, pdf::LineMode::next_line);
  }

  template <std::size_t N>
  void table_head(const std::array<pdf::TableColumn, N>& columns) {
    pdf::print_table_head(pdf_, columns, row_height + 1);
  }

  // Cells too wide for their column end in "...".
  template <std::size_t N>
  void table_row(const std::array<pdf::TableColumn, N>& columns,
                 const std::array<std::string, N>& cells) {
    std::array<std::string, N> fitted;
    for (std::size_t c = 0; c < N; ++c) fitted[c] = fit(cells[c], columns[c].width);
    pdf::print_table_row(pdf_, columns, fitted, row_height);
  }

  // Characters right per set as a line through one point per set, on axes
  // from 0 to 100 % with a grid every 25 %.
  void chart(const std::vector<SetResult>& sets) {
    if (pdf_.y() + chart_room > pdf_.page_break_trigger()) pdf_.add_page();
    section(texts::report_chart);
    pdf_.line_break(8);  // room for the label of the y axis
    const float top = pdf_.y();
    const float bottom = top + chart_height;
    const float left = pdf_.left_margin() + chart_left;
    const float right = left + chart_width;
    auto y_of = [&](double value) {
      return static_cast<float>(bottom - value / 100.0 * chart_height);
    };
    auto x_of = [&](std::size_t k) {
      return static_cast<float>(left + (k + 0.5) * chart_width / static_cast<double>(sets.size()));
    };

    pdf_.set_font("Arial", "", 8);
    pdf_.set_line_width(0.1f);
    pdf_.set_draw_color(200);
    for (int value = 0; value <= 100; value += 25) {
      pdf_.line(left, y_of(value), right, y_of(value));
      place(left - 12, y_of(value) - 2);
      pdf_.text_cell(10, 4, integer_to_text(value), pdf::Border::none, pdf::LineMode::right,
                     pdf::Align::right);
    }
    pdf_.set_draw_color(0);
    pdf_.set_line_width(0.3f);
    pdf_.line(left, top, left, bottom);
    pdf_.line(left, bottom, right, bottom);
    // With many sets only every n-th number fits under the axis.
    const std::size_t every = sets.size() / 30 + 1;
    for (std::size_t k = 0; k < sets.size(); ++k) {
      pdf_.line(x_of(k), bottom, x_of(k), bottom + 1.5f);
      if (k % every != 0) continue;
      place(x_of(k) - 5, bottom + 2);
      pdf_.text_cell(10, 4, integer_to_text(static_cast<std::int64_t>(k + 1)), pdf::Border::none,
                     pdf::LineMode::right, pdf::Align::centre);
    }
    place(left - 12, top - 7);
    pdf_.text_cell(10, 4, texts::report_chart_y.view(), pdf::Border::none, pdf::LineMode::right,
                   pdf::Align::right);
    place(left, bottom + 7);
    pdf_.text_cell(chart_width, 4, texts::report_chart_x.view(), pdf::Border::none,
                   pdf::LineMode::right, pdf::Align::centre);

    pdf_.set_draw_color(0, 70, 160);
    pdf_.set_fill_color(0, 70, 160);
    pdf_.set_line_width(0.5f);
    for (std::size_t k = 0; k < sets.size(); ++k) {
      const double value = share(sets[k]);
      if (k > 0) pdf_.line(x_of(k - 1), y_of(share(sets[k - 1])), x_of(k), y_of(value));
      place(x_of(k) - 0.8f, y_of(value) - 0.8f);
      pdf_.text_cell(1.6f, 1.6f, "", pdf::Border::none, pdf::LineMode::right, pdf::Align::left,
                     pdf::Fill::paint);
    }
    pdf_.set_draw_color(0);
    pdf_.set_line_width(0.2f);
    pdf_.set_y(bottom + 12);
  }

 private:
  // set_y would move x back to the margin, so y first.
  void place(float x, float y) {
    pdf_.set_y(y);
    pdf_.set_x(x);
  }

  static double share(const SetResult& set) {
    return set.characters_sent == 0 ? 0.0
                                    : 100.0 * static_cast<double>(set.characters_right) /
                                          static_cast<double>(set.characters_sent);
  }

  // A text cut with "..." to the width of its cell.
  std::string fit(const std::string& cell, float width) const {
    const float room = width - 2 * pdf_.cell_margin();
    if (pdf_.string_width(cell) <= room) return cell;
    std::string cut = cell;
    while (!cut.empty() && pdf_.string_width(cut + "...") > room) cut.pop_back();
    return cut + "...";
  }

  pdf::Document& pdf_;
};

}  // namespace

std::int64_t percent(std::int64_t part, std::int64_t whole) {
  return whole <= 0 ? 0 : part * 100 / whole;
}

std::vector<std::string> learners_of(const std::vector<RegisterRow>& rows) {
  std::vector<std::string> learners;
  for (const RegisterRow& row : rows) {
    if (std::find(learners.begin(), learners.end(), row.learner) == learners.end())
      learners.push_back(row.learner);
  }
  return learners;
}

std::string report_path(std::string_view learner) {
  return std::string(register_folder) + "Lernstand_" + std::string(learner) + ".pdf";
}

LearnerSummary summarise_learner(const std::vector<RegisterRow>& rows, std::string_view learner) {
  LearnerSummary summary;
  summary.learner = learner;
  std::map<std::string, std::size_t> set_index;
  std::array<CharacterRate, 256> characters{};
  std::map<std::pair<unsigned char, unsigned char>, std::int64_t> confusions;
  for (const RegisterRow& row : rows) {
    if (row.learner != learner) continue;
    auto [found, added] = set_index.try_emplace(row.set, summary.sets.size());
    if (added) summary.sets.push_back({row.date, row.set});
    SetResult& set = summary.sets[found->second];
    if (date_key(row.date) > date_key(set.date)) set.date = row.date;
    ++set.texts;
    set.words_right += row.words_right;
    set.words_sent += row.words_sent;
    set.characters_right += row.characters_right;
    set.characters_sent += row.characters_sent;
    for (const CharacterCount& sent : row.sent)
      characters[static_cast<unsigned char>(sent.character)].sent += sent.count;
    for (const ErrorItem& item : row.errors) {
      if (item.kind == ErrorKind::extra) continue;
      characters[static_cast<unsigned char>(item.sent)].errors += item.count;
      if (item.kind == ErrorKind::confused)
        confusions[{static_cast<unsigned char>(item.sent),
                    static_cast<unsigned char>(item.copied)}] += item.count;
    }
  }
  std::stable_sort(
      summary.sets.begin(), summary.sets.end(),
      [](const SetResult& a, const SetResult& b) { return date_key(a.date) < date_key(b.date); });
  for (std::size_t code = 0; code < characters.size(); ++code) {
    if (characters[code].sent == 0) continue;
    characters[code].character = static_cast<char>(code);
    summary.characters.push_back(characters[code]);
  }
  std::stable_sort(summary.characters.begin(), summary.characters.end(),
                   [](const CharacterRate& a, const CharacterRate& b) {
                     const std::int64_t left = a.errors * b.sent;
                     const std::int64_t right = b.errors * a.sent;
                     if (left != right) return left > right;
                     return a.errors > b.errors;
                   });
  for (const auto& [pair, count] : confusions)
    summary.confusions.push_back({ErrorKind::confused, static_cast<char>(pair.first),
                                  static_cast<char>(pair.second), count});
  sort_errors(summary.confusions);
  if (summary.confusions.size() > 10) summary.confusions.resize(10);
  return summary;
}

bool write_learner_report(const LearnerSummary& summary, std::string_view path,
                          const pdf::Clock& clock) {
  pdf::Document document(clock);
  Report report(document);
  document.new_document();
  document.set_footer_hook([&report] { report.footer(); });
  const std::string title = text(texts::report_title) + summary.learner;
  document.set_title(title);
  document.set_author("");
  document.add_page();
  report.heading(title, date_text(clock ? clock() : pdf::local_time_now()));

  report.section(texts::report_sets);
  report.table_head(set_columns);
  for (std::size_t k = 0; k < summary.sets.size(); ++k) {
    const SetResult& set = summary.sets[k];
    report.table_row(
        set_columns,
        {integer_to_text(static_cast<std::int64_t>(k + 1)), set.date, set.set,
         integer_to_text(set.texts), integer_to_text(percent(set.words_right, set.words_sent)),
         integer_to_text(percent(set.characters_right, set.characters_sent))});
  }
  if (!summary.sets.empty()) report.chart(summary.sets);

  report.section(texts::report_characters);
  report.table_head(character_columns);
  for (const CharacterRate& rate : summary.characters)
    report.table_row(character_columns, {std::string(1, rate.character), integer_to_text(rate.sent),
                                         integer_to_text(rate.errors),
                                         integer_to_text(percent(rate.errors, rate.sent))});

  report.section(texts::report_confusions);
  if (summary.confusions.empty()) {
    document.set_font("Arial", "", 10);
    document.text_cell(0, row_height, texts::report_no_confusions.view(), pdf::Border::none,
                       pdf::LineMode::next_line);
  } else {
    report.table_head(confusion_columns);
    for (const ErrorItem& item : summary.confusions)
      report.table_row(confusion_columns, {std::string(1, item.sent), std::string(1, item.copied),
                                           integer_to_text(item.count)});
  }
  document.save_document(path);
  return document.error() == pdf::WriterError::none;
}

}  // namespace velkart::scoring
