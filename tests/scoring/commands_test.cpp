#include "scoring/commands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "pdf/pdf_test_support.h"
#include "scoring/class_register.h"
#include "scoring/sets.h"
#include "support/test_support.h"

namespace velkart::scoring {
namespace {

namespace fs = std::filesystem;
using velkart::testing::cp1252;
using velkart::testing::read_bytes;
using velkart::testing::write_bytes;
namespace pdft = velkart::pdf::testing;

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
    std::string prefix;
    std::string message;  // UTF-8, part of the message
  };
  const Case cases[] = {
      {"HAUS", "Anna/Berta", "eure_Texte/Kurs", "Der Name wird Teil eines Dateinamens"},
      {"HAUS", "  ", "eure_Texte/Kurs", "Der Name wird Teil eines Dateinamens"},
      {"HAUS", std::string(300, 'A'), "eure_Texte/Kurs", "Der Name ist zu lang."},
      {"HAUS", "Anna", "eure_Texte/Nichts",
       "Zu diesem Namen gibt es keine Texte, es fehlt: eure_Texte/Nichts0000_.txt"},
      {" \r\n\r\n", "Anna", "eure_Texte/Kurs", "In der Mitschrift steht nichts: copy.txt"},
      {std::string("\x7F"
                   "ELF\x00\x01",
                   6),
       "Anna", "eure_Texte/Kurs", "Die Mitschrift ist keine Textdatei: copy.txt"},
      {"A\n\nB\n\nC\n", "Anna", "eure_Texte/Kurs",
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
            "eure_Texte/Auswertung/Lernstand_Anna.pdf\n"
            "eure_Texte/Auswertung/Lernstand_Berta.pdf\n");
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
}

}  // namespace
}  // namespace velkart::scoring
