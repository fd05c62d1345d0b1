// Runs the real ebook2cw, so it carries its own CTest label and skips itself
// on a machine without it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

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

// Listening conditions, heard the way a learner hears them: the mp3 files
// decoded by sox into samples and measured.
class Band : public RealEncoder {
 protected:
  void SetUp() override {
    RealEncoder::SetUp();
    if (std::system("command -v ebook2cw >/dev/null && command -v sox >/dev/null") != 0)
      GTEST_SKIP() << "ebook2cw or sox is not installed";
    // Six words, drawn in the same order by every run: lengths compare.
    write_list("eigeneDatei.txt", "PARIS PAARS PIRAS SPIRA RAPSI SIRAP\r\n");
    tick_only({controls::list_own});
    gui.set_text(controls::allowed_field, "paris");
    gui.set_text(controls::word_limit_field, "6");
    gui.set_text(controls::text_count_field, "3");
    gui.set_text(controls::effective_speed_field, "20");
  }

  // Runs the window's generation with `conditions` and waits for the encoder.
  void generate(const ListeningConditions& conditions) {
    runtime::seed_random(11);
    GenerationContext context;
    context.launcher = &runtime::system_launcher();
    app::run_generation_in_window(gui, context, conditions);
    ASSERT_NE(context.encoder_process, 0);
    ASSERT_EQ(runtime::system_launcher().wait_for(context.encoder_process), 0);
    ASSERT_TRUE(gui.messages().empty());
  }

  // Text k's sound file as 16 kHz samples.
  static std::vector<std::int16_t> samples(int k) {
    const std::string command = "sox eure_Texte/Dateiname000" + std::to_string(k) +
                                ".mp3 -t raw -r 16000 -e signed -b 16 -c 1 klang.raw";
    if (std::system(command.c_str()) != 0) return {};
    const std::string bytes = read_bytes("klang.raw");
    std::vector<std::int16_t> values(bytes.size() / 2);
    std::copy_n(bytes.data(), values.size() * 2, reinterpret_cast<char*>(values.data()));
    return values;
  }

  // The loudest sample of each 20 ms.
  static std::vector<int> peaks(const std::vector<std::int16_t>& sound) {
    std::vector<int> result;
    for (std::size_t at = 0; at + 320 <= sound.size(); at += 320) {
      int peak = 0;
      for (std::size_t k = at; k < at + 320; ++k) peak = std::max(peak, std::abs(int{sound[k]}));
      result.push_back(peak);
    }
    return result;
  }

  static double seconds(const std::vector<std::int16_t>& sound) { return sound.size() / 16000.0; }
};

// The strongest of the tones 150 to 3000 Hz in 50 Hz steps (Goertzel).
int dominant_tone(const std::vector<std::int16_t>& sound) {
  int best = 0;
  double strongest = -1;
  for (int tone = 150; tone <= 3000; tone += 50) {
    const double factor = 2 * std::cos(2 * std::numbers::pi * tone / 16000.0);
    double before = 0, last = 0;
    for (const std::int16_t sample : sound) {
      const double next = sample + factor * before - last;
      last = before;
      before = next;
    }
    const double power = before * before + last * last - factor * before * last;
    if (power > strongest) {
      strongest = power;
      best = tone;
    }
  }
  return best;
}

TEST_F(Band, ATextsToneIsDrawnFromTheRangeAndSoundsThere) {
  ListeningConditions conditions;
  conditions.tone_range = 1;
  conditions.tone_from = 400;
  conditions.tone_to = 1500;
  generate(conditions);
  // The tones the run chose, as it told the encoder.
  const std::string input = read_bytes("nicht_loeschen/mp3_temp.txt");
  std::vector<int> chosen;
  const std::regex command("\\|f([0-9]+)");
  for (auto each = std::sregex_iterator(input.begin(), input.end(), command);
       each != std::sregex_iterator(); ++each)
    chosen.push_back(std::stoi((*each)[1]));
  ASSERT_EQ(chosen.size(), 3u);
  std::vector<int> heard;
  for (int k = 0; k < 3; ++k) heard.push_back(dominant_tone(samples(k)));
  EXPECT_EQ(heard, chosen);
  EXPECT_GT(std::set<int>(heard.begin(), heard.end()).size(), 1u) << "every text at one tone";
  for (const int tone : heard) EXPECT_TRUE(tone >= 400 && tone <= 1500) << tone;
}

TEST_F(Band, NoiseFillsThePausesFadingVariesTheLoudnessAndTimeToWriteAddsSilence) {
  generate({});
  const std::vector<std::int16_t> plain = samples(0);
  std::vector<int> plain_peaks = peaks(plain);
  // Between the first and the last half second: the mp3 encoder's delay and
  // padding are silent anyway.
  const auto quiet = [](const std::vector<int>& each) {
    return std::count_if(each.begin() + 25, each.end() - 25, [](int peak) { return peak < 300; });
  };
  ASSERT_GT(quiet(plain_peaks), 20);  // the gaps between the characters
  EXPECT_EQ(dominant_tone(plain), 650);

  ListeningConditions noise;
  noise.noise = 1;
  generate(noise);
  const std::vector<std::int16_t> noisy = samples(0);
  EXPECT_EQ(quiet(peaks(noisy)), 0);
  EXPECT_EQ(dominant_tone(noisy), 800);

  // Half the depth at the deepest: the loud words reach twice the quiet ones.
  ListeningConditions fading;
  fading.fading = 50;
  fading.fading_period = 2;
  generate(fading);
  std::vector<int> sounding;
  for (const int peak : peaks(samples(0)))
    if (peak > 2000) sounding.push_back(peak);
  std::sort(sounding.begin(), sounding.end());
  ASSERT_GT(sounding.size(), 40u);
  const double ratio = static_cast<double>(sounding[sounding.size() / 20]) /
                       sounding[sounding.size() - 1 - sounding.size() / 20];
  EXPECT_TRUE(ratio > 0.35 && ratio < 0.7) << ratio;
  std::sort(plain_peaks.begin(), plain_peaks.end());
  EXPECT_GT(plain_peaks[plain_peaks.size() * 19 / 20] * 0.8, 2000) << "the plain text is loud";

  ListeningConditions pause;
  pause.pause = 1000;
  generate(pause);
  // Six words, a second after each.
  EXPECT_NEAR(seconds(samples(0)) - seconds(plain), 6.0, 0.3);
}

}  // namespace
}  // namespace velkart::generator
