#include "app/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gui/controls.h"
#include "gui/headless_gui.h"
#include "runtime/encoding.h"
#include "runtime/random.h"
#include "runtime/run_lock.h"
#include "support/main_window_fixture.h"

namespace velkart::app {
namespace {

namespace c = controls;
namespace fs = std::filesystem;
using velkart::testing::read_bytes;
using velkart::testing::write_bytes;

class Program : public ::testing::Test {
 protected:
  void SetUp() override { folder.copy_shipped_word_lists(); }
  void start() { ASSERT_TRUE(application.start()); }
  // Runs the queued events; the empty queue ends the session by closing the
  // main window, which writes the settings file.
  int finish() { return application.run(); }

  velkart::testing::WorkingFolder folder;
  gui::HeadlessGui gui;
  velkart::testing::RecordingLauncher launcher;
  Application application{gui, launcher, pdf::local_time_now};
};

TEST_F(Program, FirstStartShowsDefaultsAndClosingWritesThem) {
  start();
  EXPECT_FALSE(fs::exists("voreinstellungen.pref"));
  EXPECT_EQ(finish(), 0);
  EXPECT_EQ(read_bytes("voreinstellungen.pref"),
            read_bytes(velkart::testing::golden_path("app/defaults.pref")));
  EXPECT_FALSE(gui.window_open(c::main_window));
}

TEST_F(Program, WhatTheUserChangedIsSavedExactly) {
  write_bytes("voreinstellungen.pref",
              "[voreinstellungen]\nstring_frequenz = 700\nString_mp_dateiname = Kurs3\n");
  start();
  EXPECT_EQ(gui.get_text(c::frequency_field), "700");
  EXPECT_EQ(gui.get_text(c::text_preview), "Kurs30000_.txt");
  gui.user_clicks(c::list_english);
  gui.user_clicks(c::exact_option);
  gui.user_moves_slider(c::word_length_slider, 7);
  gui.user_types(c::qrq_field, "3");
  gui.user_types(c::character_speed_field, "25x");
  gui.user_types(c::word_limit_field, "");
  gui.user_moves_slider(c::word_spacing_slider, 12);
  finish();
  velkart::testing::expect_matches_golden(read_bytes("voreinstellungen.pref"), "app/changed.pref");
}

TEST_F(Program, SmallHandlersKeepDependentControlsCurrent) {
  start();
  gui.user_moves_slider(c::word_length_slider, 7);
  application.handle_control(gui.wait_event() == gui::EventKind::control ? gui.event_control()
                                                                         : -1);
  EXPECT_EQ(gui.get_text(c::word_length_label), "7");

  gui.user_types(c::base_name_field, "Kurs");
  gui.wait_event();
  application.handle_control(gui.event_control());
  EXPECT_EQ(gui.get_text(c::text_preview), "Kurs0000_.txt");
  EXPECT_EQ(gui.get_text(c::pdf_preview), "Kurs.pdf");
  gui.set_text(c::base_name_field, "");
  application.handle_control(c::base_name_field);
  EXPECT_EQ(gui.get_text(c::text_preview), "0000_.txt");
  EXPECT_EQ(gui.get_text(c::pdf_preview), ".pdf");

  gui.set_text(c::character_speed_field, "30");
  for (const auto& [qrq, effective] : {std::pair{"0", "5"}, {"", "5"}, {"3", "30"}}) {
    gui.set_text(c::qrq_field, qrq);
    application.handle_control(c::qrq_field);
    EXPECT_EQ(gui.get_text(c::effective_speed_field), effective) << qrq;
  }

  // Controls without a handler change nothing else.
  for (int control :
       {c::list_own, c::exact_option, c::character_speed_field, c::frequency_field, 999}) {
    application.handle_control(control);
  }
  EXPECT_EQ(gui.get_text(c::output_area), "Ausgabetext");
}

TEST_F(Program, ClosingTheCourseWindowDuringARunAsksAndAYesStopsTheRun) {
  start();
  application.handle_control(c::open_course_button);
  gui.set_text(c::course_to_field, "2");
  gui.set_text(c::course_texts_field, "1");
  gui.set_text(c::course_minutes_field, "1");
  launcher.still_running = true;  // the lesson's encoder never ends by itself
  application.handle_control(c::course_start_button);
  ASSERT_TRUE(application.course_running());
  gui.answer_questions(false);
  EXPECT_FALSE(application.handle_close(c::course_window));
  EXPECT_TRUE(application.course_running());
  EXPECT_TRUE(gui.window_open(c::course_window));
  gui.answer_questions(true);
  application.handle_close(c::course_window);
  EXPECT_FALSE(application.course_running());
  EXPECT_FALSE(application.course_open());
  EXPECT_FALSE(launcher.still_running);  // the encoder was ended
}

TEST_F(Program, HelpOpensThePdfOrElseTheSameHelpInsideTheProgram) {
  start();
  application.handle_control(c::help_button);  // no hilfe.pdf
  EXPECT_TRUE(launcher.documents.empty());
  ASSERT_EQ(gui.helps().size(), 1u);
  const auto& [title, html] = gui.helps()[0];
  EXPECT_EQ(title, "Velkart - Hilfe und Informationen");
  // Every heading of the source is there, its markup turned into HTML.
  EXPECT_TRUE(html.starts_with("<html><body>\n<h1>Velkart - Hilfe und Informationen</h1>\n"));
  for (const char* part :
       {"<h2><font color=\"#b70000\">Die Koch-Methode</font></h2>", "<h3>Wörter auswählen</h3>",
        "<ul>\n<li>eigeneDatei.txt: eure eigene Wortliste", "<p><tt>K M U R E S N A P T L W"})
    EXPECT_NE(html.find(velkart::testing::cp1252(part)), std::string::npos) << part;
  EXPECT_TRUE(gui.messages().empty());

  write_bytes("hilfe.pdf", "%PDF-1.5");
  application.handle_control(c::help_button);
  EXPECT_EQ(launcher.documents, std::vector<std::string>{"hilfe.pdf"});
  const auto time_passes = [&] {
    gui.time_passes();
    ASSERT_EQ(gui.wait_event(), gui::EventKind::timer);
    application.handle_timer();
  };
  time_passes();  // the viewer ended well
  launcher.can_start = false;
  application.handle_control(c::help_button);
  EXPECT_EQ(gui.helps().size(), 2u);
  // The viewer starts but fails later: the help shows here once its exit
  // code is known, without the window waiting for it.
  launcher.can_start = true;
  launcher.exit_code = 3;
  application.handle_control(c::help_button);
  EXPECT_EQ(gui.helps().size(), 2u);
  time_passes();
  EXPECT_EQ(gui.helps().size(), 3u);
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_FALSE(gui.timer_pending());
}

TEST_F(Program, StatusLineFollowsTheEncoderAndCancelRemovesTheUnfinishedFile) {
  start();
  gui.set_text(c::text_count_field, "3");
  const auto status = [&] { return runtime::to_utf8(gui.get_text(c::status_line)); };
  for (const bool cancel : {false, true}) {
    // An earlier run's file: its length is not this run's.
    write_bytes("eure_Texte/Dateiname0002.mp3", velkart::testing::ten_seconds_of_mp3());
    application.handle_control(c::generate_button);
    EXPECT_EQ(read_bytes("eure_Texte/Dateiname.m3u").find("#EXTINF:10"), std::string::npos);
    fs::remove("eure_Texte/Dateiname0002.mp3");
    launcher.still_running = true;
    EXPECT_EQ(status(), "mp3-Dateien: 0 von 3 fertig");
    EXPECT_TRUE(gui.control(c::cancel_mp3_button)->enabled);
    write_bytes("eure_Texte/Dateiname0000.mp3", "mp3");
    write_bytes("eure_Texte/Dateiname0001.mp3", "halb");
    application.handle_timer();
    EXPECT_EQ(status(), "mp3-Dateien: 1 von 3 fertig");
    if (cancel) {
      application.handle_control(c::cancel_mp3_button);
      EXPECT_EQ(status(), "mp3 abgebrochen: 1 von 3 fertig.");
      EXPECT_FALSE(fs::exists("eure_Texte/Dateiname0001.mp3"));
      EXPECT_TRUE(fs::exists("eure_Texte/Dateiname0000.mp3"));
    } else {
      write_bytes("eure_Texte/Dateiname0002.mp3", velkart::testing::ten_seconds_of_mp3());
      launcher.still_running = false;
      application.handle_timer();
      EXPECT_EQ(status(), "Alle 3 mp3-Dateien sind fertig.");
      EXPECT_NE(read_bytes("eure_Texte/Dateiname.m3u").find("#EXTINF:10,Dateiname0002\r\n"),
                std::string::npos);
    }
    EXPECT_FALSE(gui.control(c::cancel_mp3_button)->enabled);
  }
  EXPECT_TRUE(runtime::to_utf8(gui.get_text(c::pool_label)).starts_with("Wortvorrat: "));
}

// Closing while the encoder works asks; a later start finds an encoder that
// was let go on and lets "mp3 abbrechen" end it.
TEST_F(Program, AnEncoderAtWorkIsNeverLeftUnseen) {
  const std::string question = velkart::testing::cp1252(
      "Die mp3-Dateien werden noch erzeugt. Soll ebook2cw im Hintergrund fertig arbeiten?\n\n"
      "Ja: ebook2cw arbeitet weiter, die mp3-Dateien werden fertig.\n"
      "Nein: ebook2cw wird beendet und die angefangene mp3-Datei entfernt.");
  for (const bool go_on : {false, true}) {
    start();
    application.handle_control(c::generate_button);
    launcher.still_running = true;
    write_bytes("eure_Texte/Dateiname0000.mp3", "halb");
    gui.answer_questions(go_on);
    EXPECT_TRUE(application.handle_close(c::main_window));
    EXPECT_EQ(gui.messages().back(), (gui::RecordedMessage{"Frage", question}));
    EXPECT_EQ(fs::exists("eure_Texte/Dateiname0000.mp3"), go_on);
    EXPECT_EQ(launcher.still_running, go_on);
    EXPECT_TRUE(fs::exists("voreinstellungen.pref"));
  }

  // The encoder let go on still holds the folder.
  launcher.still_running = true;
  const runtime::RunLock held;
  gui::HeadlessGui again;
  Application restarted{again, launcher, pdf::local_time_now};
  ASSERT_TRUE(restarted.start());
  EXPECT_EQ(runtime::to_utf8(again.get_text(c::status_line)), "mp3-Dateien: 0 von 2 fertig");
  EXPECT_TRUE(again.control(c::cancel_mp3_button)->enabled);
  restarted.handle_control(c::cancel_mp3_button);
  EXPECT_FALSE(launcher.still_running);
  EXPECT_EQ(runtime::to_utf8(again.get_text(c::status_line)), "mp3 abgebrochen: 0 von 2 fertig.");
}

TEST_F(Program, TheScoringWindowScoresACopyIntoTheRegister) {
  start();
  application.handle_control(c::generate_button);
  application.handle_control(c::open_scoring_button);
  ASSERT_TRUE(application.scoring_open());
  EXPECT_EQ(gui.window(c::main_window)->input, gui::WindowInput::disabled);
  EXPECT_EQ(gui.get_text(c::scoring_set_label), "Dateiname");
  EXPECT_EQ(gui.get_text(c::scoring_first_text_label + 1), "Text 1");
  EXPECT_FALSE(gui.control(c::scoring_first_copy_field + 2)->enabled);  // two texts only
  gui.set_text(c::scoring_learner_field, "Anna");
  const std::string key = read_bytes("eure_Texte/Dateiname0000_.txt");
  std::string copy = key.substr(0, key.size() - 2);
  std::replace(copy.begin(), copy.end(), 'E', 'I');  // E copied as I throughout
  gui.set_text(c::scoring_first_copy_field, copy);
  application.handle_control(c::scoring_start_button);
  const std::string result = runtime::to_utf8(gui.get_text(c::scoring_result));
  EXPECT_TRUE(result.starts_with("Text 0: ")) << result;
  EXPECT_NE(result.find("Text 1: nicht mitgeschrieben"), std::string::npos) << result;
  EXPECT_NE(result.find("Die meisten Fehler bei: E"), std::string::npos) << result;
  EXPECT_TRUE(fs::exists("eure_Texte/Auswertung/Auswertungen.csv"));

  // A drill set for Anna's weak E, and the class at a glance.
  application.handle_control(c::scoring_drill_button);
  EXPECT_EQ(read_bytes("eure_Texte/Uebung_Anna/Uebung_Anna0000_.txt")
                .find_first_not_of("E \r\nKMURSNIAT"),
            std::string::npos);
  std::string prefix = launcher.starts.back().arguments.back();  // "..\\" and "\\" on Windows
  std::replace(prefix.begin(), prefix.end(), '\\', '/');
  EXPECT_TRUE(prefix.ends_with("eure_Texte/Uebung_Anna/Uebung_Anna")) << prefix;
  application.handle_control(c::scoring_overview_button);
  EXPECT_TRUE(fs::exists("eure_Texte/Auswertung/Klassenuebersicht.pdf"));
  application.handle_close(c::scoring_window);
  EXPECT_FALSE(application.scoring_open());
  EXPECT_EQ(gui.window(c::main_window)->input, gui::WindowInput::enabled);
}

TEST_F(Program, BuilderWindowDisablesTheMainWindowUntilClosed) {
  write_bytes("voreinstellungen.pref",
              "[voreinstellungen]\r\nString_wortschatz_datei = quelle\r\n");
  start();
  gui.user_clicks(c::open_builder_button);
  gui.wait_event();
  application.handle_control(gui.event_control());
  ASSERT_TRUE(application.builder_open());
  EXPECT_EQ(gui.window(c::main_window)->input, gui::WindowInput::disabled);
  EXPECT_EQ(gui.get_text(c::source_name_field), "quelle");
  EXPECT_EQ(gui.get_text(c::abc_preview), "quelle_bearbeitet_ABC.txt");

  // The disabled main window takes no input, its close box included.
  gui.user_clicks(c::trial_button);
  gui.user_closes(c::main_window);
  EXPECT_EQ(gui.pending_events(), 0u);

  gui.user_types(c::source_name_field, "abc");
  gui.wait_event();
  application.handle_control(gui.event_control());
  EXPECT_EQ(gui.get_text(c::abc_preview), "abc_bearbeitet_ABC.txt");
  EXPECT_EQ(gui.get_text(c::size_preview), "abc_bearbeitet_Groesse.txt");
  write_bytes("hilfe.pdf", "%PDF-1.5");
  application.handle_control(c::builder_help_button);
  EXPECT_EQ(launcher.documents.size(), 1u);

  EXPECT_FALSE(application.handle_close(c::builder_window));
  EXPECT_FALSE(application.builder_open());
  EXPECT_FALSE(gui.window_open(c::builder_window));
  EXPECT_EQ(gui.window(c::main_window)->input, gui::WindowInput::enabled);
  EXPECT_TRUE(gui.window(c::main_window)->active);

  // Reopening shows the name typed last; closing the program saves it.
  application.handle_control(c::open_builder_button);
  EXPECT_EQ(gui.get_text(c::source_name_field), "abc");
  gui.set_text(c::source_name_field, "");
  application.handle_close(c::builder_window);
  finish();
  EXPECT_NE(read_bytes("voreinstellungen.pref").find("String_wortschatz_datei = \r\n"),
            std::string::npos);
}

// A backend whose second window cannot be opened.
class NoSecondWindow : public gui::HeadlessGui {
 public:
  bool open_window(int window, int x, int y, int w, int h, std::string_view title,
                   gui::WindowOptions o) override {
    return window == 0 && HeadlessGui::open_window(window, x, y, w, h, title, o);
  }
};

TEST(ProgramWithoutBuilder, MainWindowStaysEnabledWhenTheBuilderCannotOpen) {
  velkart::testing::WorkingFolder folder;
  NoSecondWindow gui;
  velkart::testing::RecordingLauncher launcher;
  Application application{gui, launcher, pdf::local_time_now};
  ASSERT_TRUE(application.start());
  application.handle_control(c::open_builder_button);
  EXPECT_FALSE(application.builder_open());
  EXPECT_EQ(gui.window(c::main_window)->input, gui::WindowInput::enabled);
}

TEST(MainWindowLayout, TheAddedStripOverlapsNoOriginalControl) {
  gui::HeadlessGui gui;
  ASSERT_TRUE(build_main_window(gui, SettingsRecord{}));
  // Below label 78: the added controls, each in its own place.
  const auto overlap = [](gui::Rect a, gui::Rect b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
  };
  const std::vector<int> added{
      c::pool_label,          c::status_line,        c::open_folder_button,    c::cancel_mp3_button,
      c::open_scoring_button, c::open_course_button, c::open_listening_button, c::listen_button};
  for (const int number : gui.control_numbers(c::main_window)) {
    const gui::Rect box = gui.control(number)->box;
    const bool in_strip = std::find(added.begin(), added.end(), number) != added.end();
    EXPECT_EQ(overlap(box, {5, 614, 560, 58}), in_strip) << number;
    for (const int other : added)
      EXPECT_TRUE(other == number || !overlap(box, gui.control(other)->box)) << number;
  }
  // The picture decodes: a broken table would leave an empty control.
  EXPECT_EQ(gui.control(c::logo)->bitmap.width, 32);
}

}  // namespace
}  // namespace velkart::app
