// Runs the real ebook2cw, so it carries its own CTest label and skips itself
// on a machine without it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "generator/duration.h"
#include "generator/generation.h"
#include "gui/controls.h"
#include "runtime/process.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "support/main_window_fixture.h"

namespace velkart::generator {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::write_bytes;

using RealEncoder = testing::MainWindowTest;

TEST_F(RealEncoder, IgnoresTheUsersConfigurationAndWritesMp3FilesAtTheSpeedOfTheCommandLine) {
  if (std::system("command -v ebook2cw >/dev/null && command -v soxi >/dev/null") != 0)
    GTEST_SKIP() << "ebook2cw or soxi is not installed";
  // A course leader's configuration from other work: a slower effective
  // speed, another tone and ogg files instead of mp3.
  const fs::path user_config = folder.path() / "benutzer" / ".ebook2cw" / "ebook2cw.conf";
  fs::create_directories(user_config.parent_path());
  const std::string config = "[settings]\ne=10\nf=900\nO=1\n";
  write_bytes(user_config, config);
  ::setenv("HOME", user_config.parent_path().parent_path().c_str(), 1);  // one process per test

  write_list("eigeneDatei.txt", "PARIS PARIS\r\n");
  tick_only({controls::list_own});
  gui.set_text(controls::allowed_field, "paris");
  gui.set_text(controls::text_count_field, "2");
  gui.set_text(controls::qrq_field, "2");  // QRQ: the effective speed follows the character speed
  gui.set_text(controls::effective_speed_field, "20");
  GenerationContext context;
  context.launcher = &runtime::system_launcher();
  app::run_generation_in_window(gui, context);
  ASSERT_NE(context.encoder_process, 0);
  const int exit_code = runtime::system_launcher().wait_for(context.encoder_process);

  EXPECT_EQ(exit_code, 0);
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_EQ(read_bytes(user_config), config);
  for (const auto& entry : fs::directory_iterator(folder.path() / "eure_Texte"))
    EXPECT_NE(entry.path().extension(), ".ogg") << entry.path();
  ASSERT_EQ(std::system("soxi -D eure_Texte/Dateiname0000.mp3 eure_Texte/Dateiname0001.mp3 "
                        ">laengen.txt"),
            0);
  std::istringstream lengths(read_bytes("laengen.txt"));
  double first = 0, second = 0;
  lengths >> first >> second;
  // PARIS is the standard word of 50 dot lengths: two of them take 6 seconds
  // at 20 WpM, about twice that at an effective 10 WpM.
  for (const double seconds : {first, second})
    EXPECT_TRUE(seconds > 4.0 && seconds < 10.0) << seconds;
}

// The length the pool line gives before the run against what soxi measures
// on the mp3 file: within 5 % for the usual speeds, spacing, QRQ and
// repetitions. Every text holds the whole pool, so only the timing counts,
// not which words a short draw happens to pick.
TEST_F(RealEncoder, FileLengthsAreWhatThePoolLineSaidBefore) {
  if (std::system("command -v ebook2cw >/dev/null && command -v soxi >/dev/null") != 0)
    GTEST_SKIP() << "ebook2cw or soxi is not installed";
  write_list("eigeneDatei.txt", "KM TEE MUT STERN REISE ARM NASE TIER SAUM MARKT RAT UNSER\r\n");
  tick_only({controls::list_own});
  gui.set_text(controls::allowed_field, "kmuresnati");
  gui.set_text(controls::word_limit_field, "12");
  gui.set_text(controls::text_count_field, "1");
  struct Row {
    const char *character, *effective;
    int spacing;
    const char *qrq, *repetitions;
  };
  for (const Row& row :
       {Row{"5", "5", 0, "0", "1"}, Row{"5", "3", 0, "0", "1"}, Row{"20", "10", 0, "0", "1"},
        Row{"20", "20", 3, "0", "2"}, Row{"25", "25", 0, "1", "10"}, Row{"15", "8", 1, "0", "3"}}) {
    gui.set_text(controls::character_speed_field, row.character);
    gui.set_text(controls::effective_speed_field, row.effective);
    gui.set_state(controls::word_spacing_slider, row.spacing);
    gui.set_text(controls::qrq_field, row.qrq);
    gui.set_text(controls::repetitions_field, row.repetitions);
    const std::string case_name = std::string(row.character) + "/" + row.effective + " W" +
                                  std::to_string(row.spacing) + " Q" + row.qrq + " x" +
                                  row.repetitions;
    runtime::seed_random(7);
    GenerationContext context;
    context.launcher = &runtime::system_launcher();
    app::run_generation_in_window(gui, context);
    ASSERT_NE(context.encoder_process, 0) << case_name;
    ASSERT_EQ(runtime::system_launcher().wait_for(context.encoder_process), 0) << case_name;
    ASSERT_EQ(std::system("soxi -D eure_Texte/Dateiname0000.mp3 >laenge.txt"), 0);
    const double measured = std::stod(read_bytes("laenge.txt"));

    const RunSettings settings = app::read_run_settings(gui);
    const WordPool pool = build_word_pool(settings.pool).pool;
    const double estimate =
        *file_seconds(send_timing(settings), average_word(pool), settings.pool.word_limit);
    EXPECT_NEAR(estimate, measured, 0.05 * measured) << case_name;
    EXPECT_NE(gui.get_text(controls::pool_label)
                  .find("ein Text dauert etwa " + minutes_and_seconds(estimate) + " min"),
              std::string::npos)
        << case_name;
  }
}

}  // namespace
}  // namespace velkart::generator
