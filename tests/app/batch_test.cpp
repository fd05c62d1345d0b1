#include "app/batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "pdf/pdf_test_support.h"
#include "support/batch_fixture.h"

namespace velkart::app {
namespace {

using velkart::testing::read_bytes;
namespace fs = std::filesystem;

using Batch = velkart::testing::BatchTest;

TEST_F(Batch, UsageErrorsExitWithTwoAndTheirExactGermanMessage) {
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{},
       "Kein Befehl angegeben (trial, pool, generate, vocab, course, score, report oder drill)."},
      {{"mischen"}, "Unbekannter Befehl: mischen"},
      {{"trial", "--seed", "x"}, "--seed braucht eine ganze Zahl von 0 bis 4294967295, nicht: x"},
      {{"trial", "--seed", "4294967296"},
       "--seed braucht eine ganze Zahl von 0 bis 4294967295, nicht: 4294967296"},
      {{"trial", "--seed"}, "Der Option fehlt ein Wert: --seed"},
      {{"trial", "--set", "String_unbekannt=1"}, "Unbekannte Einstellung: String_unbekannt"},
      {{"trial", "--set", "String_frequenz=viel"},
       "Die Einstellung braucht eine ganze Zahl: String_frequenz=viel"},
      {{"trial", "--set", "=1"}, "--set braucht die Form KEY=WERT, nicht: =1"},
      {{"course", "--texts", "viele"}, "--texts braucht eine ganze Zahl, nicht: viele"},
      {{"trial", "--laut"}, "Unbekannte Option: --laut"},
      {{"trial", "extra"}, "Zu viele Angaben: extra"},
      {{"vocab", "a", "b"}, "Zu viele Angaben: b"},
      {{"course", "--from", "--to", "3"}, "Der Option fehlt ein Wert: --from"},
      {{"generate", "--set", "String_mp_dateiname=Kurs\u03a9"},
       "Ein Zeichen kann hier nicht verwendet werden, auch nicht in einem Dateinamen: Velkart "
       "kennt nur die Zeichen von Windows-1252 (Westeuropa). Nicht verwendbar: Kurs\u03a9"},
      {{"score", "eure_Texte/\u03a9", "--learner", "Anna", "kopie.txt"},
       "Ein Zeichen kann hier nicht verwendet werden, auch nicht in einem Dateinamen: Velkart "
       "kennt nur die Zeichen von Windows-1252 (Westeuropa). Nicht verwendbar: eure_Texte/\u03a9"},
      {{"drill", "--learner", "Anna", "--weak", "11"},
       "--weak braucht eine ganze Zahl von 1 bis 10, nicht: 11"},
      {{"drill"}, "drill braucht --learner NAME."},
      {{"score", "eure_Texte/Kurs", "kopie.txt"},
       "score braucht PRÄFIX, --learner NAME und die Datei mit der Mitschrift."}};
  for (const auto& [arguments, message] : cases) {
    EXPECT_EQ(run(arguments), batch_usage_error) << message;
    EXPECT_EQ(err.str(), std::string(message) + "\nHilfe: velkart-batch --help\n");
    EXPECT_EQ(out.str(), "");
  }
}

TEST_F(Batch, HelpIsGermanAndSucceeds) {
  EXPECT_EQ(run({"--help"}), batch_ok);
  EXPECT_NE(out.str().find("Übungstext"), std::string::npos);  // UTF-8 on the terminal
}

TEST_F(Batch, TrialPrintsTheTextReproduciblyWithASeed) {
  EXPECT_EQ(run({"trial", "--seed", "4711"}), batch_ok);
  const std::string first = out.str();
  EXPECT_GT(first.size(), 100u);
  EXPECT_EQ(run({"trial", "--seed", "4711"}), batch_ok);
  EXPECT_EQ(out.str(), first);
  EXPECT_FALSE(fs::exists("voreinstellungen.pref"));
}

TEST_F(Batch, SetOverridesTheSettingsFileForThisRunOnly) {
  velkart::testing::write_bytes("voreinstellungen.pref",
                                "[voreinstellungen]\r\nString_anzahl_woerter = 2\r\n");
  EXPECT_EQ(run({"trial", "--seed", "1"}), batch_ok);
  const std::string two_words = out.str();
  EXPECT_EQ(std::count(two_words.begin(), two_words.end(), ' '), 1);
  EXPECT_EQ(run({"trial", "--seed", "1", "--set", "string_anzahl_woerter=3", "--set",
                 "String_erlaubte_zeichen=ä"}),
            batch_ok);
  EXPECT_EQ(out.str(), "\n");  // only Ä allowed: no German word of the list is left
  EXPECT_EQ(read_bytes("voreinstellungen.pref"),
            "[voreinstellungen]\r\nString_anzahl_woerter = 2\r\n");
}

TEST_F(Batch, PoolPrintsTheWordsInListOrderAndItsSizeOnStderr) {
  velkart::testing::write_bytes("nicht_loeschen/eigeneDatei.txt",
                                velkart::testing::cp1252("kam mast am ruf,kam see straße öl\r\n"));
  const std::vector<std::string> own{"--set", "String_woerter_eigen_Datei=1", "--set",
                                     "String_woerter_deutsch=0"};
  struct Case {
    std::vector<std::string> settings;
    std::string words, summary;
  };
  const std::vector<Case> cases{
      {{},
       "KAM\nMAST\nAM\nSEE\n",
       "Wortvorrat: 4 Wörter - jeder Text enthält dieselben Wörter · ein Text dauert etwa 0:31 "
       "min\n"},
      {{"--set", "String_verpflichtende_zeichen=k", "--set", "String_wiederholungsschleife=3"},
       "KAM\n",
       "Wortvorrat: 1 Wort - jeder Text enthält dieselben Wörter · ein Text dauert etwa 0:25 "
       "min\n"},
      {{"--set", "String_erlaubte_zeichen=x"},
       "",
       "Wortvorrat: 0 Wörter - kein Wort passt zu den erlaubten Zeichen\n"},
      {{"--set", "String_erlaubte_zeichen=straßöle", "--set", "String_wortlaenge=10", "--set",
        "String_sz_austauschen=0", "--set", "String_umlaute_austauschen=0", "--set",
        "String_anzahl_woerter=2"},
       "SEE\nSTRAßE\nÖL\n",
       "Wortvorrat: 3 Wörter · ein Text dauert etwa 0:19 min\n"},
  };
  for (const Case& each : cases) {
    std::vector<std::string> arguments{"pool"};
    arguments.insert(arguments.end(), own.begin(), own.end());
    arguments.insert(arguments.end(), each.settings.begin(), each.settings.end());
    EXPECT_EQ(run(arguments), batch_ok);
    EXPECT_EQ(out.str(), each.words);
    EXPECT_EQ(err.str(), each.summary);
  }
}

TEST_F(Batch, GeneratePrintsEveryFileAndWaitsForTheEncoder) {
  EXPECT_EQ(run({"generate", "--seed", "3", "--set", "String_mp_dateiname=Übung"}), batch_ok);
  EXPECT_NE(out.str().find("eure_Texte/Übung0000_.txt\neure_Texte/Übung0001_.txt\n"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(velkart::testing::utf8_path("eure_Texte/Übung0001_.txt")));
  EXPECT_NE(out.str().find("eure_Texte/Übung.pdf\neure_Texte/Übung_Mitschrift.pdf\n"
                           "eure_Texte/Übung.m3u\n"),
            std::string::npos);
  ASSERT_EQ(launcher.starts.size(), 1u);
}

TEST_F(Batch, EveryMessageBoxBecomesALineOnStderrAndExitCodeOne) {
  fs::remove("nicht_loeschen/de_AllgemAfuTechnik.txt");
  EXPECT_EQ(run({"generate", "--no-wait", "--set", "String_anzahl_texte=1"}), batch_message_shown);
  EXPECT_NE(
      err.str().find("Information: Es wurden keine Wörter ausgewählt oder die Datei konnte nicht "
                     "geöffnet werden!\n"),
      std::string::npos);
}

TEST_F(Batch, CourseRefusesBadInputAndExistingLessonsBeforeWritingAnything) {
  struct Case {
    std::vector<std::string> arguments;
    int code;
    const char* message;
  };
  for (const Case& c : {
           Case{{"course", "--from", "1", "--to", "3"}, batch_message_shown, "von 2 bis 26"},
           Case{{"course", "--from", "5", "--to", "3"}, batch_message_shown, "von 2 bis 26"},
           Case{{"course", "--texts", "0"}, batch_message_shown, "mindestens einen"},
           Case{{"course", "--minutes", "121"}, batch_message_shown, "höchstens 120 Minuten"},
           Case{{"course", "--to", "3", "--groups", "aus"}, batch_message_shown, "Lektion 02"},
           Case{{"course", "--groups", "nie"}, batch_usage_error, "auto, aus oder immer"},
           Case{{"course", "--effective", "5-9"}, batch_usage_error, "A:B"},
           Case{{"generate", "--overwrite"}, batch_usage_error, "nur für course"},
       }) {
    EXPECT_EQ(run(c.arguments), c.code) << c.message;
    EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
  }
  EXPECT_TRUE(fs::is_empty("eure_Texte"));

  fs::create_directory("eure_Texte/Dateiname_Lektion03");
  const std::vector<std::string> course{"course", "--to", "3", "--texts", "1"};
  EXPECT_EQ(run(course), batch_message_shown);
  EXPECT_NE(err.str().find("eure_Texte/Dateiname_Lektion03/\n"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator("eure_Texte"), fs::directory_iterator()), 1);
  EXPECT_TRUE(launcher.starts.empty());

  auto with_overwrite = course;
  with_overwrite.push_back("--overwrite");
  EXPECT_EQ(run(with_overwrite), batch_ok);
  EXPECT_NE(out.str().find("eure_Texte/Dateiname_Lektion03/Dateiname_Lektion03_Mitschrift.pdf\n"),
            std::string::npos);
  EXPECT_TRUE(out.str().ends_with("eure_Texte/Dateiname_Kursuebersicht.pdf\n"));
  EXPECT_EQ(launcher.starts.size(), 2u);

  // The course window's saved values are the defaults here too.
  EXPECT_EQ(run({"course", "--set", "String_kurs_von=3", "--set", "String_kurs_bis=3", "--set",
                 "String_kurs_texte=2", "--overwrite"}),
            batch_ok);
  EXPECT_NE(out.str().find("Dateiname_Lektion03/Dateiname_Lektion03_0001_.txt\n"),
            std::string::npos);
  EXPECT_EQ(out.str().find("Lektion02"), std::string::npos);
  // Lesson 2 of the run before stays in the overview, as an earlier lesson.
  const auto overview = pdf::testing::run_pdftotext("eure_Texte/Dateiname_Kursuebersicht.pdf");
  if (overview.available) {
    std::string words;
    std::istringstream in(overview.output);
    for (std::string word; in >> word;) words += word + " ";
    EXPECT_NE(words.find(" 2 M KM - - 1 - - - 3 U KMU "), std::string::npos) << words;
  }
}

TEST_F(Batch, ListeningConditionsComeFromTheSettingsAndAValueOutOfRangeWritesNothing) {
  EXPECT_EQ(run({"generate", "--set", "String_hoer_filter=2100"}), batch_message_shown);
  EXPECT_NE(err.str().find("Information: Die Filterbreite"), std::string::npos) << err.str();
  EXPECT_EQ(run({"course", "--to", "3", "--set", "String_hoer_snr=-11"}), batch_message_shown);
  EXPECT_NE(err.str().find("zwischen -10 und 10 dB"), std::string::npos) << err.str();
  EXPECT_TRUE(fs::is_empty("eure_Texte"));
  EXPECT_TRUE(launcher.starts.empty());

  EXPECT_EQ(run({"generate", "--seed", "3", "--set", "String_hoer_rauschen=1", "--set",
                 "String_hoer_snr=-3", "--set", "String_hoer_pause=800"}),
            batch_ok);
  ASSERT_EQ(launcher.starts.size(), 1u);
  const std::vector<std::string>& words = launcher.starts[0].arguments;
  EXPECT_EQ(std::vector<std::string>(words.begin() + 4, words.begin() + 12),
            (std::vector<std::string>{"-f", "800", "-N", "-3", "-B", "500", "-C", "800"}));
  EXPECT_NE(read_bytes("nicht_loeschen/mp3_temp.txt").find(" |S800 "), std::string::npos);
  for (const char* sheet : {"eure_Texte/Dateiname.pdf", "eure_Texte/Dateiname_Mitschrift.pdf"}) {
    const auto text = pdf::testing::run_pdftotext(sheet);
    if (!text.available) continue;
    EXPECT_NE(text.output.find("Rauschen -3 dB / 500 Hz, Ton 800 Hz, Zeit zum Mitschreiben 800 ms"),
              std::string::npos)
        << text.output;
    EXPECT_NE(text.output.find("800"), std::string::npos);
  }
}

TEST(EpochTime, GivesTheUtcTimeOfTheSecondsOrNothing) {
  using T = pdf::LocalTime;
  const auto same = [](std::optional<T> a, T b) {
    return a && a->year == b.year && a->month == b.month && a->day == b.day && a->hour == b.hour &&
           a->minute == b.minute && a->second == b.second;
  };
  EXPECT_TRUE(same(epoch_time("0"), T{1970, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(same(epoch_time("1299402303"), T{2011, 3, 6, 9, 5, 3}));
  EXPECT_TRUE(same(epoch_time("951782400"), T{2000, 2, 29, 0, 0, 0}));
  EXPECT_TRUE(same(epoch_time("253402300799"), T{9999, 12, 31, 23, 59, 59}));
  for (const char* bad : {"", "-1", "253402300800", "12x", " 5", "1e9", "99999999999999999999"})
    EXPECT_FALSE(epoch_time(bad)) << bad;
}

}  // namespace
}  // namespace velkart::app
