#include <gtest/gtest.h>

#include "scoring/class_register.h"
#include "support/test_support.h"

namespace velkart::scoring {
namespace {

using velkart::testing::cp1252;

std::vector<RegisterRow> sample_rows() {
  RegisterRow quoted{"02.01.2024",
                     "Meier;Anna",
                     "Kurs \"A\"",
                     3,
                     1,
                     2,
                     7,
                     8,
                     {{ErrorKind::confused, ',', '>', 2},
                      {ErrorKind::missed, '>', 0, 1},
                      {ErrorKind::extra, 0, ',', 1}},
                     {{',', 2}, {'>', 1}, {'A', 5}}};
  RegisterRow plain = register_row("03.01.2024", cp1252("Jürgen"), "Kurs_Lektion05/Kurs", 0,
                                   score_text("HAUS BAUM", "HAUS BAUN"));
  return {quoted, plain};
}

TEST(Register, RendersQuotedOnlyWhereNeededAndReadsBackTheSameRows) {
  const std::vector<RegisterRow> rows = sample_rows();
  const std::string text = render_register(rows);
  EXPECT_EQ(text, cp1252("Datum;Name;Satz;Text;Wörter richtig;Wörter gesendet;Zeichen richtig;"
                         "Zeichen gesendet;Fehler;gesendete Zeichen\r\n"
                         "02.01.2024;\"Meier;Anna\";\"Kurs \"\"A\"\"\";3;1;2;7;8;"
                         ",>> 2, > fehlt 1, , zuviel 1;, 2, > 1, A 5\r\n"
                         "03.01.2024;Jürgen;Kurs_Lektion05/Kurs;0;1;2;7;8;M>N 1;"
                         "A 2, B 1, H 1, M 1, S 1, U 2\r\n"));
  const RegisterParse parse = parse_register(text);
  EXPECT_EQ(parse.bad_line, 0);
  EXPECT_EQ(parse.rows, rows);
  // A spreadsheet may quote every field and leave out the last line end.
  const RegisterParse requoted =
      parse_register(text.substr(0, text.find("\r\n") + 2) +
                     "\"03.01.2024\";\"x\";\"S\";\"0\";\"1\";\"1\";\"2\";\"2\";\"\";\"A 2\"");
  ASSERT_EQ(requoted.bad_line, 0);
  EXPECT_EQ(requoted.rows.at(0).learner, "x");
}

TEST(Register, NamesTheFirstLineThatDoesNotRead) {
  const std::string header = render_register({});
  const std::string good = render_register(sample_rows()).substr(header.size());
  struct Case {
    std::string text;
    std::int64_t bad_line;
  };
  const Case cases[] = {
      {"", 1},
      {"Datum;Name\r\n", 1},
      {header + good + "02.01.2024;Anna;S;0;3;2;7;8;;A 8\r\n", 4},  // more right than sent
      {header + "\r\n02.01.24;Anna;S;0;1;2;7;8;;A 8\r\n", 3},       // date
      {header + "02.01.2024;Anna;S;0;1;2;7;8;E>I;A 8\r\n", 2},      // error without count
      {header + "02.01.2024;Anna;S;0;1;2;7;8;;A 8;mehr\r\n", 2},    // one column too many
      {header + "02.01.2024;An\"na;S;0;1;2;7;8;;A 8\r\n", 2},       // stray quote
      {header + "02.01.2024;\"Anna;S;0;1;2;7;8;;A 8\r\n", 2},       // quote never closed
  };
  for (const Case& c : cases) {
    const RegisterParse parse = parse_register(c.text);
    EXPECT_EQ(parse.bad_line, c.bad_line) << c.text;
    EXPECT_TRUE(parse.rows.empty()) << c.text;
  }
}

TEST(Register, MergingReplacesTheSameLearnerSetAndTextInPlace) {
  std::vector<RegisterRow> rows = sample_rows();
  RegisterRow again = rows[0];
  again.date = "05.01.2024";
  again.words_right = 2;
  merge_row(rows, again);
  RegisterRow other_text = rows[0];
  other_text.text = 4;
  merge_row(rows, other_text);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], again);
  EXPECT_EQ(rows[2], other_text);
}

}  // namespace
}  // namespace velkart::scoring
