// The generator's parts: course speeds, file names, the solution and copy
// sheets, the encoder's words and start, and the word pool.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "generator/copy_sheet.h"
#include "generator/course.h"
#include "generator/duration.h"
#include "generator/encoder.h"
#include "generator/encoder_progress.h"
#include "generator/generation.h"
#include "generator/solution_sheet.h"
#include "generator/word_pool.h"
#include "pdf/pdf_test_support.h"
#include "runtime/process.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "support/recording_launcher.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

using velkart::testing::read_bytes;
namespace pdft = velkart::pdf::testing;
namespace fs = std::filesystem;
using velkart::testing::cp1252;
using velkart::testing::write_bytes;

TEST(Course, LessonSpeedsAndInputChecks) {
  CourseOptions options;
  options.from = 2;
  options.to = 12;
  options.ramp = SpeedRamp{5, 15};
  // Built whole: GCC 12 at -O3 reports a false -Wmaybe-uninitialized for
  // strings assigned one by one into a default-constructed CourseBase.
  const EncoderFields encoder{"20", "25", "650", 0, "0", "Kurs", {}};  // character speed 20 below
  const CourseBase base{{}, encoder, "1", 2};
  for (const auto& [lesson, speed] : {std::pair{2, "5"}, {7, "10"}, {12, "15"}})
    EXPECT_EQ(lesson_effective_speed(options, encoder, lesson), speed) << lesson;
  options.ramp = SpeedRamp{5, 30};  // 27.5 rounds up, then stops at the character speed
  EXPECT_EQ(lesson_effective_speed(options, encoder, 11), "20");
  options.ramp.reset();
  EXPECT_EQ(lesson_effective_speed(options, encoder, 3), "20");
  EXPECT_EQ(lesson_letters(5), "KMURE");

  EXPECT_FALSE(check_course_options(options, base));
  for (auto [from, to, texts] : {std::array{1, 5, 1}, {2, 27, 1}, {6, 5, 1}, {2, 5, 0}}) {
    options.from = from, options.to = to, options.texts = texts;
    EXPECT_TRUE(check_course_options(options, base)) << from << " " << to << " " << texts;
  }
}

// Lengths soxi measured on the encoder's mp3 files of these words: the
// estimate leaves out only the encoder's own few frames of padding.
TEST(FileSeconds, MatchesTheEncodersMeasuredLengths) {
  struct Row {
    SendTiming timing;  // speed, effective, extra word spaces, QRQ, repetitions, pause
    std::string_view word;
    std::int64_t words;
    double measured;
  };
  const Row rows[] = {
      {{5, 0, 0, 0, 1, 0}, "PARIS ", 10, 120.268},
      {{20, 10, 0, 0, 1, 0}, "PARIS ", 10, 60.256},
      {{5, 3, 0, 0, 1, 0}, "PARIS ", 10, 200.260},
      {{20, 0, 2, 0, 1, 0}, "PARIS ", 10, 38.656},
      {{20, 0, 0, 1, 1, 0}, "PARIS ", 200, 509.248},
      {{20, 10, 0, 2, 1, 0}, "PARIS ", 200, 1200.124},
      {{20, 0, 0, 0, 1, 500}, "PARIS ", 10, 35.236},
      {{25, 6, 0, 0, 2, 0}, "KMUR ", 20, 344.584},
      // Umlauts, ß, digits and a question mark as the encoder codes them.
      {{12, 8, 1, 0, 3, 0},
       "K\xC4SE 73 \xDC"
       "BER STRA\xDF"
       "E? ",
       1,
       106.156},
  };
  for (const Row& row : rows) {
    const std::optional<double> seconds =
        file_seconds(row.timing, morse_shape(row.word), row.words);
    ASSERT_TRUE(seconds);
    EXPECT_NEAR(*seconds, row.measured, 0.002 * row.measured + 0.2) << row.measured;
  }
  EXPECT_FALSE(file_seconds({0, 0, 0, 0, 1, 0}, morse_shape("E "), 1));

  // The word count for a length: PARIS at 5 WpM takes 12 s.
  const SendTiming five{5, 0, 0, 0, 1, 0};
  EXPECT_EQ(words_for_seconds(five, morse_shape("PARIS "), 60.1), 5);
  EXPECT_EQ(words_for_seconds(five, morse_shape("PARIS "), 3), 1);
  EXPECT_EQ(words_for_seconds({5, 0, 0, 0, 3, 0}, morse_shape("PARIS "), 180.1), 5);
  EXPECT_EQ(minutes_and_seconds(3750.4), "62:30");
  EXPECT_EQ(minutes_and_seconds(59.6), "1:00");
}

TEST(FileNames, KeepFourDigitsAndWidenBeyond) {
  const struct {
    const char* base;
    std::int64_t index;
    const char *text, *sound;
  } cases[] = {{"Dateiname", 0, "Dateiname0000_.txt", "Dateiname0000.mp3"},
               {"Kurs1", 7, "Kurs10007_.txt", "Kurs10007.mp3"},
               {"", 9999, "9999_.txt", "9999.mp3"},
               {"x", 10000, "x10000_.txt", "x10000.mp3"},
               {"x", 123456, "x123456_.txt", "x123456.mp3"}};
  for (const auto& [base, index, text, sound] : cases) {
    EXPECT_EQ(text_file_name(base, index), text);
    EXPECT_EQ(sound_file_name(base, index), sound);
  }
  EXPECT_EQ(sheet_path("Mein Kurs"), "eure_Texte/Mein Kurs.pdf");
  // A lesson's files carry the lesson; a run's keep the base name alone.
  const SetName lesson = lesson_set_name("Kurs", 5);
  EXPECT_EQ(text_file_name(lesson, 7), "Kurs_Lektion05_0007_.txt");
  EXPECT_EQ(sound_file_name(lesson, 7), "Kurs_Lektion05_0007.mp3");
  EXPECT_EQ(answer_key_name(lesson), "Kurs_Lektion05_Loesung.pdf");
  EXPECT_EQ(copy_sheet_name(lesson), "Kurs_Lektion05_Mitschrift.pdf");
  EXPECT_EQ(playlist_name(lesson), "Kurs_Lektion05.m3u");
  EXPECT_EQ(lesson_folder("Kurs", 5), "eure_Texte/Kurs_Lektion05/");
  EXPECT_EQ(answer_key_name("Kurs") + copy_sheet_name("Kurs") + playlist_name("Kurs"),
            "Kurs.pdfKurs_Mitschrift.pdfKurs.m3u");
}

class Sheet : public ::testing::Test {
 protected:
  Sheet() { folder.lay_out_program_folders(); }
  std::string write(const std::vector<std::string>& names, std::string_view base = "Kurs",
                    const SheetSettings& settings = {"20", "650", "5", "1", 0, "0", {}, {}}) {
    const std::string path = output_path(answer_key_name(base));
    const auto pinned_clock = [] { return pdf::LocalTime{2011, 3, 6, 9, 5, 3}; };
    return write_solution_sheet(settings, names, output_folder, path, pinned_clock) ? path : "";
  }
  velkart::testing::WorkingFolder folder;
};

// The golden files pin the heading with its padded date and time.
TEST_F(Sheet, TwoChaptersMatchGoldenAndPassTheTools) {
  write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", cp1252("HAUS MAUS GRÖßE\r\n"));
  write_bytes(folder.path() / "eure_Texte" / "Kurs0001_.txt", "KM UR ES\r\n");
  const std::string path = write({"Kurs0000_.txt", "Kurs0001_.txt"});
  EXPECT_EQ(path, "eure_Texte/Kurs.pdf");
  const std::string bytes = read_bytes(path);
  velkart::testing::expect_matches_golden(bytes, "generator/sheet_two_chapters.pdf");
  pdft::expect_passes_qpdf(path);
  const pdft::ToolRun text = pdft::run_pdftotext(path);
  if (!text.available) GTEST_SKIP() << "pdftotext missing";
  for (const char* expected :
       {"Chapter 0 : Kurs0000.mp3", "Chapter 1 : Kurs0001.mp3", "HAUS MAUS GRÖßE",
        "20WpM Zeichengeschwindigkeit", "5WpM Effektivgeschwindigkeit", "06.03.2011 09:05:03",
        "große Wortabstände: aus", "erhöhen: aus", "Morseübungstexte", "Page 1"}) {
    EXPECT_NE(text.output.find(expected), std::string::npos) << expected;
  }
}

TEST_F(Sheet, SettingsLinesGiveSpacingAndQrqWhenTheyAreOn) {
  write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", "KM UR ES\r\n");
  const std::string path =
      write({"Kurs0000_.txt"}, "Kurs", {"20", "650", "5", "1", 3, "2", {}, {}});
  velkart::testing::expect_matches_golden(read_bytes(path), "generator/sheet_spacing3_qrq2.pdf");
}

TEST_F(Sheet, LongChapterRepeatsHeadingAndFooterOnEveryPage) {
  std::string body;
  for (int k = 0; k < 1500; ++k) body += "KM UR ES NA ";
  write_bytes(folder.path() / "eure_Texte" / "Kurs0000_.txt", body + "\r\n");
  const std::string bytes = read_bytes(write({"Kurs0000_.txt"}));
  const auto pages = pdft::content_streams(bytes);
  ASSERT_GE(pages.size(), 3u);
  for (std::size_t page = 0; page < pages.size(); ++page) {
    const std::string& content = pages[page];
    EXPECT_NE(content.find("Morse"), std::string::npos) << page;  // the framed heading
    EXPECT_NE(content.find("(Page " + std::to_string(page + 1) + ")"), std::string::npos) << page;
    EXPECT_NE(content.find("/F1 10.00 Tf"), std::string::npos) << page;  // heading in bold Arial
    if (page > 0) {
      EXPECT_NE(content.find("/F3 12.00 Tf"), std::string::npos) << page;  // body goes on in Times
    }
  }
  pdft::expect_passes_qpdf("eure_Texte/Kurs.pdf");
}

TEST_F(Sheet, AMissingTextFileGivesATitleOnlyChapterAndAMissingFolderNoSheet) {
  const std::string bytes = read_bytes(write({"Kurs0000_.txt"}));
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte" / "Kurs0000_.txt"));  // reading creates none
  EXPECT_NE(bytes.find("Chapter 0 : Kurs0000.mp3"), std::string::npos);
  fs::remove_all(folder.path() / "eure_Texte");
  write({});
  EXPECT_FALSE(fs::exists(folder.path() / "eure_Texte"));
}

TEST_F(Sheet, CopySheetOfASmallRunMatchesGolden) {
  const CopySheetHeading heading{
      "Mitschrift Lektion 3", "KMU", "U", speeds_line("20", "8", "650"), {}};
  std::string long_text;
  for (int k = 0; k < 40; ++k) long_text += "KMUKM UUMKK ";
  ASSERT_TRUE(write_copy_sheet(heading, {{"Kurs0000.mp3", "KUMM MUK"}, {"Kurs0001.mp3", long_text}},
                               "eure_Texte/Kurs_Mitschrift.pdf", pdft::fixed_clock()));
  velkart::testing::expect_matches_golden(read_bytes("eure_Texte/Kurs_Mitschrift.pdf"),
                                          "generator/copy_sheet_two_texts.pdf");
  EXPECT_EQ(solution_sheet_lines(long_text), 8);
  EXPECT_EQ(runtime::split_at_blanks(" KUMM  MUK "),
            (std::vector<std::string_view>{"KUMM", "MUK"}));
}

TEST(EncoderProgress, CountsAFileOnceTheEncoderHasMovedOnOrEnded) {
  EXPECT_EQ(finished_sound_files({false, false, false}, false), 0);
  EXPECT_EQ(finished_sound_files({true, false, false}, false), 0);
  EXPECT_EQ(finished_sound_files({true, true, false}, false), 1);
  EXPECT_EQ(finished_sound_files({true, true, true}, true), 3);
  EXPECT_EQ(finished_sound_files({true, true, false}, true), 2);
  EXPECT_EQ(finished_sound_files({}, true), 0);
  using S = EncoderState;
  EXPECT_EQ(encoder_status(S::working, 2, 3), "mp3-Dateien: 2 von 3 fertig");
  EXPECT_EQ(encoder_status(S::ended, 3, 3), "Alle 3 mp3-Dateien sind fertig.");
  EXPECT_EQ(encoder_status(S::ended, 1, 3, 1), "ebook2cw endete mit dem Fehlercode 1.");
  EXPECT_EQ(encoder_status(S::ended, 2, 3), "ebook2cw ist fertig, aber nur 2 von 3 fertig.");
  EXPECT_EQ(encoder_status(S::cancelled, 2, 3), "mp3 abgebrochen: 2 von 3 fertig.");
}

TEST(EncoderArguments, GivesTheGoldenWordsOfEachExampleAlsoThroughAStartedProgram) {
  const struct {
    const char* golden;
    EncoderFields fields;  // as the speed check leaves them
  } examples[] = {
      {"encoder/defaults.txt", {"20", "5", "650", 0, "0", "Dateiname", {}}},
      {"encoder/slider_3_qrq_2.txt", {"20", "20", "650", 3, "2", "Dateiname", {}}},
      {"encoder/effective_25_over_20.txt", {"20", "20", "650", 0, "0", "Dateiname", {}}},
      {"encoder/effective_05_character_5.txt", {"5", "05", "650", 0, "0", "Dateiname", {}}},
      {"encoder/effective_0.txt", {"20", "0", "650", 0, "0", "Dateiname", {}}},
      {"encoder/base_name_with_blank.txt", {"20", "5", "650", 0, "0", "Mein Text", {}}}};
  testing::WorkingFolder folder;
  folder.lay_out_program_folders();
  write_bytes("nicht_loeschen/ebook2cw.exe",
              "#!/bin/sh\nfor word in \"$@\"; do printf '%s\\n' \"$word\"; done >argv.txt\n");
  fs::permissions("nicht_loeschen/ebook2cw.exe", fs::perms::owner_all);
  runtime::Launcher& system = runtime::system_launcher();
  for (const auto& [golden, fields] : examples) {
    SCOPED_TRACE(golden);
    std::string words;
    for (const std::string& word : encoder_arguments(fields)) words += word + "\n";
    testing::expect_matches_golden(words, golden);
    const int pid = find_and_start_encoder(fields, system);
    ASSERT_NE(pid, 0);
    EXPECT_EQ(system.wait_for(pid), 0);
    testing::expect_matches_golden(read_bytes("argv.txt"), golden);
  }
}

TEST(EncoderArguments, DecideByNumberButPassTheTypedTextsAndSpellTheOutputPathForTheDisk) {
  const EncoderFields fields{"018", "00", "0700", 0, "abc", cp1252("Übung"), {}};
  EXPECT_EQ(encoder_arguments(fields),
            (std::vector<std::string>{"-w", "018", "-e", "00", "-f", "0700", "-q", "9", "-s",
                                      "16000", "-c", "<>", "-t", cp1252("Übung"),
                                      "nicht_loeschen/mp3_temp.txt", "-o", "eure_Texte/Übung"}));
}

TEST(EncoderInput, HoldsRepeatedBlocksCutsOnlyTheLastMarkerAndReplacesTheOldInput) {
  const struct {
    std::vector<std::string> texts;
    std::int64_t repetitions;
    std::string file;
  } cases[] = {{{"A", "B", "C"}, 2, "A A <> B B <> C C <\r\n"},
               {{"X"}, 3, "X X X <\r\n"},
               {{cp1252("ÄRGER ÖL")}, 1, cp1252("ÄRGER ÖL <\r\n")},
               {{"CQ DE"}, -3, "CQ DE <\r\n"},
               {{}, 1, "\r\n"}};
  for (const auto& [texts, repetitions, file] : cases) {
    std::string text;
    for (const std::string& practice : texts) add_encoder_block(text, practice, repetitions);
    EXPECT_EQ(finish_encoder_text(text) + "\r\n", file) << repetitions;
  }
}

TEST(ListeningConditions, PutTheirCommandsBetweenTheWordsAndNoiseOnTheCommandLine) {
  std::string text;
  add_encoder_block(text, "KM UR", 2, {650, 800, {100, 75, 50}});
  add_encoder_block(text, "ES", 1, {0, 0, {}});
  EXPECT_EQ(finish_encoder_text(text),
            "|f650 |v100 KM |S800 |v75 UR |S800 |v50 KM |S800 UR |S800 <> ES <");
  ListeningConditions noise;
  noise.noise = 1;
  noise.snr = -3;
  noise.filter = 100;
  const EncoderFields fields{"20", "5", "650", 0, "0", "Band", noise};
  const std::vector<std::string> words = encoder_arguments(fields, "in.txt", "out/Band", "Band");
  ASSERT_GT(words.size(), 20u);  // then the paths, spelt for the system
  EXPECT_EQ(
      std::vector<std::string>(words.begin(), words.begin() + 20),
      (std::vector<std::string>{"-w", "20",  "-e", "5", "-f", "800",  "-N", "-3", "-B", "100",
                                "-C", "800", "-q", "9", "-s", "8000", "-c", "<>", "-t", "Band"}));
}

TEST(ListeningConditions, AreCheckedNamedOnTheSheetsAndDrawnInTheirRange) {
  const ListeningConditions off;
  EXPECT_EQ(check_listening(off), std::nullopt);
  EXPECT_EQ(conditions_line(off), "");
  EXPECT_EQ(sounding_tone(off, "0650"), "0650");
  const auto with = [](auto change) {
    ListeningConditions conditions;
    change(conditions);
    return conditions;
  };
  for (const ListeningConditions& refused :
       {with([](auto& c) { c.noise = 2; }), with([](auto& c) { c.snr = 11; }),
        with([](auto& c) { c.filter = 2100; }), with([](auto& c) { c.filter = 0; }),
        with([](auto& c) { c.tone_from = 950; }), with([](auto& c) { c.tone_to = 3050; }),
        with([](auto& c) { c.tone_from = 100; }), with([](auto& c) { c.fading = 5; }),
        with([](auto& c) { c.fading_period = 21; }), with([](auto& c) { c.pause = 5001; }),
        with([](auto& c) { c.pause = -1; })})
    EXPECT_NE(check_listening(refused), std::nullopt);

  const ListeningConditions all = with([](auto& c) {
    c.noise = 1;
    c.tone_range = 1;
    c.fading = 50;
    c.pause = 800;
  });
  EXPECT_EQ(
      conditions_line(all),
      cp1252("Rauschen 3 dB / 500 Hz, Fading 50 %, Ton 800 Hz, Zeit zum Mitschreiben 800 ms"));
  EXPECT_TRUE(draw_tones(all, 3).empty());  // noise keeps every text at the filter's tone
  const ListeningConditions range = with([](auto& c) { c.tone_range = 1; });
  EXPECT_EQ(conditions_line(range), cp1252("Ton 500–900 Hz"));
  EXPECT_EQ(sounding_tone(range, "650"), cp1252("500–900"));
  runtime::seed_random(7);
  const std::vector<int> tones = draw_tones(range, 200);
  ASSERT_EQ(tones.size(), 200u);
  EXPECT_EQ(std::set<int>(tones.begin(), tones.end()).size(), 9u);  // every step, and only those
  for (const int tone : tones) EXPECT_TRUE(tone >= 500 && tone <= 900 && tone % 50 == 0) << tone;
  runtime::seed_random(7);
  EXPECT_EQ(draw_tones(range, 200), tones);

  // Full at the start, deepest half a period later, full again after one.
  const std::vector<int> volumes =
      fading_volumes(with([](auto& c) { c.fading = 60; }), std::vector<double>(9, 1.0));
  EXPECT_EQ(volumes, (std::vector<int>{100, 91, 70, 49, 40, 49, 70, 91, 100}));
}

TEST(FindEncoder, PrefersTheProgramFolderThenPath) {
  const struct {
    std::set<std::string> runnable;
    const char* found;
  } cases[] = {{{"nicht_loeschen/ebook2cw.exe", "nicht_loeschen/ebook2cw", "ebook2cw"},
                "nicht_loeschen/ebook2cw.exe"},
               {{"nicht_loeschen/ebook2cw", "ebook2cw"}, "nicht_loeschen/ebook2cw"},
               {{"ebook2cw"}, "ebook2cw"},
               {{}, ""}};
  for (const auto& [runnable, found] : cases) {
    testing::RecordingLauncher launcher;
    launcher.runnable = runnable;
    EXPECT_EQ(find_encoder(launcher), found);
    EXPECT_EQ(find_and_start_encoder({}, launcher), *found ? 4242 : 0);
    EXPECT_EQ(launcher.starts.size(), *found ? 1u : 0u);
    // Always in a home of ours, so a user's encoder configuration cannot change our audio.
    for (const auto& start : launcher.starts)
      EXPECT_EQ(start.environment, (runtime::EnvironmentChanges{{"HOME", "nicht_loeschen"}}));
  }
}

// A rebuild of the lists that lost its blocklist would bring these back.
TEST(ShippedGermanList, HoldsNoneOfASampleOfTheBlockedWords) {
  std::istringstream words(runtime::upper_case(velkart::testing::read_bytes(
      std::string(VELKART_SOURCE_DIR) + "/data/wordlists/de_AllgemAfuTechnik.txt")));
  const std::set<std::string> blocked{"TOD", "KRIEG", "WAFFE", "MORD"};
  std::size_t count = 0;
  for (std::string word; words >> word; ++count) EXPECT_FALSE(blocked.contains(word)) << word;
  EXPECT_EQ(count, 13000u);
}

TEST(SplitPoolText, TurnsCommasIntoBlanksInsideEntries) {
  EXPECT_EQ(split_pool_text("HAUS,BOOT"), WordPool{"HAUS BOOT"});
  EXPECT_EQ(split_pool_text("HAUS, BOOT"), (WordPool{"HAUS ", "BOOT"}));
  EXPECT_EQ(split_pool_text(""), WordPool{""});
  EXPECT_EQ(split_pool_text("  A  B "), (WordPool{"A", "B", ""}));
  EXPECT_EQ(split_pool_text("A\tB"), WordPool{"A\tB"});
}

TEST(PassesFilter, AppliesLettersMandatoryAndLength) {
  PoolFilter filter{"BCD", "", 5, true, ""};
  EXPECT_TRUE(passes_filter("AEE", filter));
  EXPECT_FALSE(passes_filter("ABE", filter));
  EXPECT_TRUE(passes_filter("73", filter));
  EXPECT_TRUE(passes_filter("", filter));
  EXPECT_FALSE(passes_filter("AAAAAA", filter));
  filter.up_to = false;
  EXPECT_FALSE(passes_filter("AAAA", filter));
  EXPECT_TRUE(passes_filter("AAAAA", filter));
  filter = PoolFilter{"", "K ", 10, true, ""};
  EXPECT_FALSE(passes_filter("KM", filter));
  EXPECT_TRUE(passes_filter("K M", filter));
  EXPECT_FALSE(passes_filter("", filter));
  // A drill set's "at least one of": beside the mandatory "every one of".
  filter = PoolFilter{"", "", 10, true, "EH"};
  EXPECT_TRUE(passes_filter("SEE", filter));
  EXPECT_TRUE(passes_filter("HUT", filter));
  EXPECT_FALSE(passes_filter("KAMM", filter));
  // Words the encoder would take for commands: the word_pool fuzz target.
}

// A drill set's pool: every word holds a weak character, words with more
// of them come up more often, and the weakest character most.
TEST(WeightedPool, DrawsWordsWithMoreAndWeakerCharactersMoreOften) {
  EXPECT_EQ(weighted_pool({"EH", "HK", "KM"}, "EH"), (WordPool{"EH", "EH", "EH", "HK", "KM"}));
  WordPool pool{"EHA", "EKA", "HKA", "MKA"};
  filter_pool(pool, PoolFilter{"", "", 5, true, "EH"});
  ASSERT_EQ(pool.size(), 3u);
  runtime::seed_random(7);
  int e = 0, h = 0;
  constexpr int draws = 6000;
  for (int draw = 0; draw < draws; ++draw) {
    const std::string word = draw_from_pool(weighted_pool(pool, "EH"), 1);
    ASSERT_NE(word.find_first_of("EH"), std::string::npos) << word;
    e += word.find('E') != std::string::npos;
    h += word.find('H') != std::string::npos;
  }
  // Weights EHA 3, EKA 2, HKA 1: E in 5 of 6 draws, H in 4 of 6.
  EXPECT_NEAR(e / double(draws), 5 / 6.0, 0.02);
  EXPECT_NEAR(h / double(draws), 4 / 6.0, 0.02);
}

// The pool as a trial run builds it, from lists written by the test.
class BuildWordPool : public ::testing::Test {
 protected:
  BuildWordPool() { folder.lay_out_program_folders(); }
  PoolBuild build_from(std::string_view list_bytes) {
    velkart::testing::write_bytes("nicht_loeschen/eigeneDatei.txt", list_bytes);
    options.lists = {"nicht_loeschen/eigeneDatei.txt"};
    return build_word_pool(options);
  }
  velkart::testing::WorkingFolder folder;
  PoolOptions options{{}, 5, true, true, true, "kmuresniat", "", 300, ""};
};

TEST(FilteredAlphabet, RemovesAllowedAndMandatoryLettersWhateverTheirCase) {
  const struct {
    const char *allowed, *mandatory, *filtered;
  } cases[] = {{"kmuresniat", "", "BCDFGHJLOPQVWXYZÄÖÜß"},
               {"KM", "u r", "ABCDEFGHIJLNOPQSTVWXYZÄÖÜß"},
               {"äöüß", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
               {"", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß"},
               {"abcdefghijklmnopqrstuvwxyzäöüß 0?/", "", ""}};
  for (const auto& [allowed, mandatory, filtered] : cases) {
    EXPECT_EQ(filtered_alphabet(cp1252(allowed), cp1252(mandatory)), cp1252(filtered)) << allowed;
  }
}

TEST(ReplaceSpecialLetters, FollowsEachSwitchOnItsOwn) {
  const std::string text = cp1252("STRAßE ÖL ÄRGER ÜBER");
  EXPECT_EQ(replace_special_letters(text, true, true), "STRASSE OEL AERGER UEBER");
  EXPECT_EQ(replace_special_letters(text, true, false), cp1252("STRASSE ÖL ÄRGER ÜBER"));
  EXPECT_EQ(replace_special_letters(text, false, true), cp1252("STRAßE OEL AERGER UEBER"));
  EXPECT_EQ(replace_special_letters(text, false, false), text);
}

// Lists saved as UTF-8 (with or without its mark) or UTF-16 read as the
// same words as in Windows-1252.
TEST_F(BuildWordPool, ReplacesSharpSAndUmlautsBeforeFilteringInEveryEncoding) {
  options.allowed = "straeol";
  options.word_length = 10;
  const std::string utf16("\xFF\xFEs\0t\0r\0a\0\xDF\0e\0 \0\xF6\0l\0", 20);
  const std::string utf8 = "straße öl größe";
  for (const std::string& list : {cp1252(utf8 + "\r\n"), utf8, "\xEF\xBB\xBF" + utf8, utf16})
    EXPECT_EQ(build_from(list).pool, (WordPool{"STRASSE", "OEL"})) << list;
}

TEST_F(BuildWordPool, MandatoryCharactersAreAllowedAndRequiredAndABlankCounts) {
  options.mandatory = "k m";
  options.word_length = 10;
  options.allowed = "arufse";  // k and m come from the mandatory characters
  EXPECT_EQ(build_from("kam mast am ruf,kam see").pool, (WordPool{"RUF KAM"}));
}

TEST_F(BuildWordPool, NamesAMissingListAndUsesTheOthers) {
  velkart::testing::write_bytes("nicht_loeschen/en1000.txt", "kame\r\n");
  options.lists = {"nicht_loeschen/fehlt.txt", "nicht_loeschen/en1000.txt",
                   "nicht_loeschen/fehlt.txt"};
  const PoolBuild build = build_word_pool(options);
  EXPECT_EQ(build.pool, (WordPool{"KAME", ""}));  // the list after the last blank: empty
  EXPECT_EQ(build.unreadable_lists,
            (std::vector<std::string>{"nicht_loeschen/fehlt.txt", "nicht_loeschen/fehlt.txt"}));
  runtime::seed_random(11);
  EXPECT_EQ(draw_from_pool(build.pool, 300), "KAME");  // the empty entry prints nothing
  options.lists.clear();
  EXPECT_EQ(build_word_pool(options).pool, WordPool{""});
}

}  // namespace
}  // namespace velkart::generator
