#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "pdf/pdf_test_support.h"
#include "runtime/encoding.h"
#include "scoring/class_overview.h"
#include "scoring/class_register.h"
#include "scoring/commands.h"
#include "scoring/copy_file.h"
#include "scoring/drill.h"
#include "scoring/score.h"
#include "scoring/sets.h"
#include "support/test_support.h"

namespace velkart::scoring {
namespace {

using velkart::testing::cp1252;
namespace fs = std::filesystem;
using velkart::testing::read_bytes;
using velkart::testing::write_bytes;
namespace pdft = velkart::pdf::testing;

TEST(ScoreText, CountsWordsCharactersAndErrorsForEveryKindOfCopy) {
  struct Case {
    const char* what;
    const char* key;   // UTF-8, converted
    const char* copy;  // UTF-8, converted
    std::int64_t words_right;
    std::int64_t characters_right;
    std::string_view errors;
    std::vector<std::string> extra_words = {};
  };
  const Case cases[] = {
      {"exact, blanks and case", "HAUS BAUM", "  haus   baum ", 2, 8, ""},
      {"substitution", "HAUS BAUM", "HAUS BAUN", 1, 7, "M>N 1"},
      {"missed word", "HAUS BAUM TOR", "HAUS TOR", 2, 7,
       "A fehlt 1, B fehlt 1, M fehlt 1, U fehlt 1"},
      {"extra word", "HAUS TOR", "HAUS XY TOR", 2, 7, "X zuviel 1, Y zuviel 1", {"XY"}},
      {"merged words", "AB CD EF", "ABCD EF", 1, 6, ""},
      {"split word", "ABCD EF", "AB CD EF", 1, 6, ""},
      {"merged words with a slip", "HAUS TOR", "HAUSTOT", 0, 6, "R>T 1"},
      {"empty copy", "HAUS", "", 0, 0, "A fehlt 1, H fehlt 1, S fehlt 1, U fehlt 1"},
      {"umlauts and sharp s", "STRASSE ÜBER", "Straße ueber", 2, 12, ""},
      // Confusions before misses, the most frequent first.
      {"confusions first", "EEEE AB", "IIIE AC", 0, 2, "E>I 3, B>C 1"},
      // Ties: items are paired as early as possible, the rest stays at the end.
      {"tie between characters", "AB", "C", 0, 0, "A>C 1, B fehlt 1"},
      {"tie between words", "AB CD", "XY", 0, 0, "A>X 1, B>Y 1, C fehlt 1, D fehlt 1"},
      {"equal word found twice", "A B A", "A", 1, 1, "A fehlt 1, B fehlt 1"},
  };
  for (const Case& c : cases) {
    const TextScore score = score_text(cp1252(c.key), cp1252(c.copy));
    EXPECT_EQ(score.words_right, c.words_right) << c.what;
    EXPECT_EQ(score.characters_right, c.characters_right) << c.what;
    EXPECT_EQ(error_list(score.errors), c.errors) << c.what;
    EXPECT_EQ(score.extra_words, c.extra_words) << c.what;
  }
  const TextScore umlauts = score_text(cp1252("STRASSE ÜBER"), "");
  EXPECT_EQ(umlauts.words_sent, 2);
  EXPECT_EQ(umlauts.characters_sent, 12);
  EXPECT_EQ(sent_list(umlauts.sent), "A 1, B 1, E 3, R 2, S 3, T 1, U 1");
}

TEST(ScoreText, KeepsAHugeCopyWithinBoundsAndCountsItsTailAsExtra) {
  std::string copy = "HAUS";
  for (int k = 0; k < 200000; ++k) copy += " XY";
  const TextScore score = score_text("HAUS", copy);
  EXPECT_EQ(score.words_right, 1);
  EXPECT_EQ(score.extra_words.size(), 200000u);
}

TEST(DecodeFileText, RecognisesUtf8AndUtf16AndLeavesWindows1252Alone) {
  struct Case {
    std::string bytes;
    runtime::FileEncoding encoding;
    std::string text;
  };
  using E = runtime::FileEncoding;
  const Case cases[] = {
      {"\xEF\xBB\xBFHAUS", E::utf8, "HAUS"},
      {"ÄPFEL € 😀", E::utf8, "\304PFEL \200 ?"},
      {"\xC4PFEL", E::windows_1252, "\xC4PFEL"},
      {"HAUS", E::windows_1252, "HAUS"},
      {std::string("\xFF\xFE\xC4\0B\0\xAC\x20\x3D\xD8\0\xDE", 12), E::utf16_le, "\304B\200?"},
      {std::string("\xFE\xFF\0\xC4\0B\xD8\0", 8), E::utf16_be, "\304B?"},
  };
  for (const Case& c : cases) {
    const runtime::DecodedText decoded = runtime::decode_file_text(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.text;
    EXPECT_EQ(decoded.text, c.text);
  }
}

TEST(ParseCopy, SplitsTextsAtEmptyLinesAndJoinsTheirLines) {
  const ParsedCopy copy = parse_copy("HAUS\r\nBAUM\r\n\r\n  \r\n-\n\nTOR\n");
  EXPECT_EQ(copy.problem, CopyProblem::none);
  EXPECT_EQ(copy.texts, (std::vector<std::string>{"HAUS BAUM", "", "TOR"}));
  EXPECT_EQ(parse_copy(" \r\n\r\n").problem, CopyProblem::empty);
  EXPECT_EQ(parse_copy("").problem, CopyProblem::empty);
  EXPECT_EQ(parse_copy(std::string("PK\x03\x04\x00", 5)).problem, CopyProblem::binary);
}

// A row with every separator in need of quoting, and a plain one.
std::vector<RegisterRow> sample_rows() {
  using K = ErrorKind;
  const std::vector<ErrorItem> errors{
      {K::confused, ',', '>', 2}, {K::missed, '>', 0, 1}, {K::extra, 0, ',', 1}};
  const std::vector<CharacterCount> sent{{',', 2}, {'>', 1}, {'A', 5}};
  return {{"02.01.2024", "Meier;Anna", "Kurs \"A\"", 3, 1, 2, 7, 8, errors, sent},
          register_row("03.01.2024", cp1252("Jürgen"), "Kurs_Lektion05/Kurs", 0,
                       score_text("HAUS BAUM", "HAUS BAUN"))};
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

pdf::Clock day(int d) {
  return [d] { return pdf::LocalTime{2024, 3, d, 9, 0, 0}; };
}

struct CommandRun {
  int status;
  std::string out;
  std::string err;
};

class Scoring : public ::testing::Test {
 protected:
  Scoring() {
    folder.lay_out_program_folders();
    write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", "HAUS BAUM\r\n");
    write_bytes(folder.path() / "eure_Texte" / "Kurs0001_.txt", "STRASSE TOR\r\n");
    fs::create_directories(folder.path() / "eure_Texte" / "Kurs_Lektion02");
    write_bytes(folder.path() / "eure_Texte" / "Kurs_Lektion02" / "Kurs0000_.txt", "KM UR\r\n");
  }
  CommandRun score(std::string_view copy_bytes, std::string_view learner = "Anna",
                   std::string_view prefix = "eure_Texte/Kurs", int on_day = 1) {
    write_bytes(folder.path() / "copy.txt", copy_bytes);
    std::ostringstream out;
    std::ostringstream err;
    const int status = score_command(prefix, learner, "copy.txt", day(on_day), out, err);
    return {status, out.str(), err.str()};
  }
  velkart::testing::WorkingFolder folder;
};

TEST_F(Scoring, RefusesBadInputWithAGermanMessageAndKeepsTheRegister) {
  ASSERT_EQ(score("Haus Baum\n").status, 0);
  const std::string before = read_bytes(register_path);
  struct Case {
    std::string copy;
    std::string learner;
    std::string message;  // UTF-8, part of the message
    std::string prefix = "eure_Texte/Kurs";
  };
  const Case cases[] = {
      {"HAUS", "Anna/Berta", "Der Name wird Teil eines Dateinamens"},
      {"HAUS", "  ", "Der Name wird Teil eines Dateinamens"},
      {"HAUS", std::string(300, 'A'), "Der Name ist zu lang."},
      {"HAUS", "Anna", "Zu diesem Namen gibt es keine Texte, es fehlt: eure_Texte/Nichts0000_.txt",
       "eure_Texte/Nichts"},
      {" \r\n\r\n", "Anna", "In der Mitschrift steht nichts: copy.txt"},
      {std::string("\177ELF\0\1", 6), "Anna", "Die Mitschrift ist keine Textdatei: copy.txt"},
      {"A\n\nB\n\nC\n", "Anna",
       "Die Mitschrift enthält 3 Texte, zu diesem Namen gibt es aber nur 2."},
  };
  for (const Case& c : cases) {
    const CommandRun run = score(c.copy, c.learner, c.prefix);
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_TRUE(run.err.starts_with("Information: ")) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(read_bytes(register_path), before) << c.message;
  }
  // A register edited into something unreadable is named and kept as it is.
  write_bytes(register_path, before + "kaputt\r\n");
  const CommandRun broken = score("Haus\n");
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("Die Auswertung eure_Texte/Auswertung/Auswertungen.csv ist in "
                            "Zeile 3 nicht lesbar"),
            std::string::npos)
      << broken.err;
  EXPECT_EQ(read_bytes(register_path), before + "kaputt\r\n");
  std::ostringstream out, err;
  EXPECT_EQ(report_command(std::nullopt, day(2), out, err), 1);
  EXPECT_FALSE(fs::exists(report_path("Anna")));
}

TEST_F(Scoring, ScoresUpdatesTheRegisterAndWritesTheLearnerReport) {
  // UTF-8 with umlauts and ß, a text not taken, two learners, one rescored.
  CommandRun run = score("Haus Baun\n\n-\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Text 0: 1 von 2 Wörtern, 7 von 8 Zeichen richtig\nText 1: nicht mitgeschrieben\n");
  run = score("Hais Baum\n\nStraße Tor Tür\n", "Anna", "eure_Texte/Kurs", 3);
  EXPECT_EQ(run.out,
            "Text 0: 1 von 2 Wörtern, 7 von 8 Zeichen richtig\n"
            "Text 1: 2 von 2 Wörtern, 10 von 10 Zeichen richtig; zusätzlich geschrieben: TUER\n");
  ASSERT_EQ(score("KN UR", "Berta", "eure_Texte/Kurs_Lektion02/Kurs").status, 0);
  const std::string text = read_bytes(register_path);
  EXPECT_EQ(text.substr(text.find("\r\n") + 2),
            cp1252("03.03.2024;Anna;Kurs;0;1;2;7;8;U>I 1;A 2, B 1, H 1, M 1, S 1, U 2\r\n"
                   "03.03.2024;Anna;Kurs;1;2;2;10;10;E zuviel 1, R zuviel 1, T zuviel 1, U "
                   "zuviel 1;A 1, E 1, O 1, R 2, S 3, T 2\r\n"
                   "01.03.2024;Berta;Kurs_Lektion02/Kurs;0;1;2;3;4;M>N 1;K 1, M 1, R 1, U 1\r\n"));

  std::ostringstream out, err;
  ASSERT_EQ(report_command(std::nullopt, day(4), out, err), 0) << err.str();
  EXPECT_EQ(out.str(),
            "eure_Texte/Auswertung/Klassenuebersicht.pdf\n"
            "eure_Texte/Auswertung/Lernstand_Anna.pdf\n"
            "eure_Texte/Auswertung/Lernstand_Berta.pdf\n");
  pdft::expect_passes_qpdf(std::string(class_overview_path));
  const pdft::ToolRun overview = pdft::run_pdftotext(std::string(class_overview_path));
  if (overview.available) {
    for (const char* expected : {"Klassenübersicht", "Anna", "Berta", "Kurs_Lektion02/Kurs"})
      EXPECT_NE(overview.output.find(expected), std::string::npos) << expected;
  }
  std::ostringstream none_out, none_err;
  EXPECT_EQ(report_command("Carla", day(4), none_out, none_err), 1);
  EXPECT_NE(none_err.str().find("Für diesen Namen gibt es keine Auswertung: Carla"),
            std::string::npos);

  const std::string path = report_path("Anna");
  pdft::expect_passes_qpdf(path);
  const pdft::ToolRun report = pdft::run_pdftotext(path);
  if (!report.available) GTEST_SKIP() << "pdftotext missing";
  for (const char* expected :
       {"Lernstand Anna", "Stand: 04.03.2024", "Ausgewertete Sätze", "03.03.2024", "Kurs",
        "Zeichen richtig in % je Satz", "Satz Nr. (wie in der Tabelle)",
        "Die zehn häufigsten Verwechslungen", "Fehler in %", "Seite 1"}) {
    EXPECT_NE(report.output.find(expected), std::string::npos) << expected;
  }
}

// A drill takes the learner's characters with enough samples and errors,
// worst first; the overview shades a cell from white at 0 % to darkest at 30 %.
TEST(Drill, TakesTheWeakestCharactersWithEnoughSamples) {
  LearnerSummary summary{
      "Anna", {SetResult{}}, {{'E', 10, 4}, {'Q', 2, 2}, {'S', 8, 1}, {'K', 9, 0}}, {}};
  const auto drill = plan_drill(summary, 3);
  ASSERT_TRUE(std::holds_alternative<Drill>(drill));
  EXPECT_EQ(std::get<Drill>(drill).weak, "ES");
  EXPECT_EQ(std::get<Drill>(drill).letters, "EQSK");
  summary.characters = {{'K', 9, 0}};
  EXPECT_EQ(std::get<std::string>(plan_drill(summary, 3)),
            cp1252("Bei keinem Zeichen mit mindestens 5 gesendeten gibt es Fehler, also nichts "
                   "gezielt zu üben für: Anna"));
  summary.sets.clear();
  EXPECT_TRUE(std::holds_alternative<std::string>(plan_drill(summary, 3)));
  EXPECT_EQ(overview_grey({'E', 10, 0}), 255);
  EXPECT_EQ(overview_grey({'E', 10, 3}), 55);
  EXPECT_EQ(overview_grey({'E', 10, 9}), 55);
  EXPECT_GT(overview_grey({'E', 10, 1}), overview_grey({'E', 10, 2}));
}

TEST_F(Scoring, FindsEverySetNewestFirst) {
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(folder.path() / "eure_Texte" / "Kurs0000_.txt", past);
  const std::vector<SetInfo> sets = find_sets();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0].prefix, "eure_Texte/Kurs_Lektion02/Kurs");
  EXPECT_EQ(sets[0].name, "Kurs_Lektion02/Kurs");
  EXPECT_EQ(sets[0].texts, 1);
  EXPECT_EQ(sets[1].prefix, "eure_Texte/Kurs");
  EXPECT_EQ(sets[1].texts, 2);
  // A lesson whose files carry its name is named like its folder.
  EXPECT_EQ(set_name("eure_Texte/Kurs_Lektion05/Kurs_Lektion05_"), "Kurs_Lektion05");
  EXPECT_EQ(text_path("eure_Texte/Kurs_Lektion05/Kurs_Lektion05_", 1),
            "eure_Texte/Kurs_Lektion05/Kurs_Lektion05_0001_.txt");
}

}  // namespace
}  // namespace velkart::scoring
