#include "generator/generation.h"

#include <gtest/gtest.h>

namespace velkart::generator {
namespace {

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
}

}  // namespace
}  // namespace velkart::generator
