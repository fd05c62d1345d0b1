#include "generator/course_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/main_window.h"
#include "generator/course.h"
#include "generator/encoder.h"
#include "gui/controls.h"
#include "pdf/pdf_test_support.h"
#include "runtime/process.h"
#include "runtime/random.h"
#include "support/main_window_fixture.h"

namespace velkart::generator {
namespace {

namespace fs = std::filesystem;
using velkart::testing::read_bytes;
namespace pdft = velkart::pdf::testing;

// Stands in for the encoder: one sound file per chapter of its input, under
// the prefix after -o, at the moment it is started. Its paths are spelt from
// where it runs: on Windows its home.
class FakeEncoder : public velkart::testing::RecordingLauncher {
 public:
  int start_program(const std::string& program, const std::vector<std::string>& arguments,
                    const runtime::EnvironmentChanges& environment) override {
    const int process = RecordingLauncher::start_program(program, arguments, environment);
    const std::string from = runtime::windows_system() ? std::string(encoder_home) + "/" : "";
    const std::string input = read_bytes(from + arguments[arguments.size() - 3]);
    const std::string prefix = from + arguments.back();
    std::size_t chapters = 1;
    for (std::size_t at = 0; (at = input.find(" <> ", at)) != std::string::npos; at += 4)
      ++chapters;
    for (std::size_t k = 0; k < chapters; ++k) {
      velkart::testing::write_bytes(prefix + "000" + std::to_string(k) + ".mp3",
                                    velkart::testing::ten_seconds_of_mp3());
    }
    return process;
  }
};

class CourseRunTest : public velkart::testing::MainWindowTest {
 protected:
  // Lessons 2 to 5, three texts of a minute each at 4 to 10 WpM, from the
  // shipped lists.
  std::vector<std::string> run_course(std::uint32_t seed) {
    CourseOptions options;
    options.from = 2;
    options.to = 5;
    options.texts = 3;
    options.minutes = 1;
    options.ramp = SpeedRamp{4, 10};
    options.seed = seed;
    const CourseBase base = app::read_run_settings(gui);
    runtime::seed_random(seed);
    const PreparedCourse prepared = prepare_course(options, base);
    EXPECT_FALSE(prepared.error);
    std::vector<std::string> reported;
    CourseRun run(options, base, prepared.plan, encoder, pdft::fixed_clock(),
                  [&reported](const CourseFiles& files) {
                    reported.insert(reported.end(), files.paths.begin(), files.paths.end());
                  });
    run_course_to_end(run);
    EXPECT_TRUE(run.problems().empty());
    return reported;
  }
  FakeEncoder encoder;
};

TEST_F(CourseRunTest, WritesEveryLessonReproduciblyFromASeed) {
  // The encoder is looked for before it is started.
  encoder.runnable = {"nicht_loeschen/ebook2cw"};
  const std::vector<std::string> reported = run_course(4711);

  std::map<std::string, std::string> first;
  for (const auto& entry : fs::recursive_directory_iterator("eure_Texte"))
    if (entry.is_regular_file()) first[entry.path().generic_string()] = read_bytes(entry.path());
  EXPECT_EQ(first.size(), reported.size());
  EXPECT_TRUE(first.contains("eure_Texte/Dateiname_Kursuebersicht.pdf"));

  // The faster the lesson, the more words fill its minute.
  const std::map<int, int> words_per_text{{2, 3}, {3, 5}, {4, 7}, {5, 9}};
  // Every file names its lesson, so lessons copied into one place stay apart.
  for (int lesson = 2; lesson <= 5; ++lesson) {
    const std::string set = "Dateiname_Lektion0" + std::to_string(lesson);
    const std::string folder = "eure_Texte/" + set + "/";
    const std::string letters = lesson_letters(lesson);
    for (const char* name : {"_Loesung.pdf", "_Mitschrift.pdf", ".m3u"})
      EXPECT_TRUE(first.contains(folder + set + name)) << folder << set << name;
    std::string expected_playlist = "#EXTM3U\r\n";
    for (int k = 0; k < 3; ++k) {
      const std::string numbered = set + "_000" + std::to_string(k);
      const std::string text = first.at(folder + numbered + "_.txt");
      ASSERT_TRUE(text.ends_with("\r\n"));
      std::istringstream words(text.substr(0, text.size() - 2));
      int count = 0;
      for (std::string word; words >> word; ++count) {
        EXPECT_NE(word.find(letters.back()), std::string::npos) << word;
        EXPECT_EQ(word.find_first_not_of(letters), std::string::npos) << word;
      }
      EXPECT_EQ(count, words_per_text.at(lesson)) << lesson;
      EXPECT_TRUE(first.contains(folder + numbered + ".mp3"));
      expected_playlist += "#EXTINF:10," + numbered + "\r\n" + numbered + ".mp3\r\n";
    }
    EXPECT_EQ(first.at(folder + set + ".m3u"), expected_playlist);
    // Each lesson's encoder reads its own input.
    EXPECT_TRUE(fs::exists("nicht_loeschen/mp3_temp_Lektion0" + std::to_string(lesson) + ".txt"));
  }
  ASSERT_EQ(encoder.starts.size(), 4u);
  EXPECT_EQ(encoder.starts[0].program, "nicht_loeschen/ebook2cw");
  // Started in the one place that gives the encoder its home.
  EXPECT_EQ(encoder.starts[0].environment,
            (runtime::EnvironmentChanges{{"HOME", std::string(encoder_home)}}));

  // The title tag names the lesson.
  const std::vector<std::string>& arguments = encoder.starts[0].arguments;
  const auto title = std::find(arguments.begin(), arguments.end(), "-t");
  ASSERT_NE(title, arguments.end());
  EXPECT_TRUE(title[1].starts_with("Dateiname Lektion 0")) << title[1];

  for (const auto& [path, bytes] : first) {
    if (!path.ends_with(".pdf")) continue;
    pdft::expect_passes_qpdf(path);
    const pdft::ToolRun text = pdft::run_pdftotext(path);
    if (!text.available || path.ends_with("Kursuebersicht.pdf")) continue;
    // Both sheets name their lesson and its letters, each once.
    const std::size_t lesson = path.find("_Lektion0") + 9;
    EXPECT_NE(text.output.find("Lektion 0" + path.substr(lesson, 1)), std::string::npos) << path;
    if (path[lesson] != '5') continue;
    EXPECT_NE(text.output.find("Zeichen: K M U R E"), std::string::npos) << path;
    EXPECT_EQ(text.output.find("K M U R E E"), std::string::npos) << path;
    if (path.ends_with("_Mitschrift.pdf")) {
      EXPECT_EQ(pdft::count_of(text.output, "richtig:"), 3u) << path;
    }
  }

  fs::remove_all("eure_Texte");
  fs::create_directory("eure_Texte");
  run_course(4711);
  for (const auto& [path, bytes] : first) EXPECT_EQ(read_bytes(path), bytes) << path;
}

}  // namespace
}  // namespace velkart::generator
