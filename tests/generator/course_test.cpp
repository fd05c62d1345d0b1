#include "generator/course.h"

#include <gtest/gtest.h>

#include "generator/copy_sheet.h"
#include "pdf/pdf_test_support.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

using velkart::testing::read_bytes;
namespace pdft = velkart::pdf::testing;

TEST(Course, LessonSpeedsAndInputChecks) {
  CourseOptions options;
  options.from = 2;
  options.to = 12;
  options.ramp = SpeedRamp{5, 15};
  // Built whole: GCC 12 at -O3 reports a false -Wmaybe-uninitialized for
  // strings assigned one by one into a default-constructed CourseBase.
  const EncoderFields encoder{"20", "25", "650", 0, "0", "Kurs"};  // character speed 20 below
  const CourseBase base{{}, encoder, "1", 2};
  struct Case {
    int lesson;
    const char* speed;
  };
  for (const Case& c : {Case{2, "5"}, Case{7, "10"}, Case{12, "15"}})
    EXPECT_EQ(lesson_effective_speed(options, encoder, c.lesson), c.speed) << c.lesson;
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

TEST(CopySheet, SmallRunMatchesGolden) {
  velkart::testing::WorkingFolder folder;
  folder.lay_out_program_folders();
  const CopySheetHeading heading{"Mitschrift Lektion 3", "KMU", "U", speeds_line("20", "8", "650")};
  std::string long_text;
  for (int k = 0; k < 40; ++k) long_text += "KMUKM UUMKK ";
  ASSERT_TRUE(write_copy_sheet(heading, {{"Kurs0000.mp3", "KUMM MUK"}, {"Kurs0001.mp3", long_text}},
                               "eure_Texte/Kurs_Mitschrift.pdf", pdft::fixed_clock()));
  velkart::testing::expect_matches_golden(read_bytes("eure_Texte/Kurs_Mitschrift.pdf"),
                                          "generator/copy_sheet_two_texts.pdf");
  EXPECT_EQ(solution_sheet_lines(long_text), 8);
  EXPECT_EQ(count_words(" KUMM  MUK "), 2u);
}

}  // namespace
}  // namespace velkart::generator
