#include "generator/sound_length.h"

#include <array>

#include "runtime/text.h"

namespace velkart::generator {

namespace {

// The encoder's silence and the mp3 coder's padding at the start of a file.
constexpr double file_lead_seconds = 0.25;

// Dit units a character sends, its gaps inside included: a dit is 1 + 1, a
// dah 3 + 1. 0 for a character the encoder sends as a word gap.
int character_units(char c) {
  static constexpr std::array<std::string_view, 36> codes{
      ".-",    "-...",  "-.-.",  "-..",   ".",     "..-.",  "--.",   "....",  "..",
      ".---",  "-.-",   ".-..",  "--",    "-.",    "---",   ".--.",  "--.-",  ".-.",
      "...",   "-",     "..-",   "...-",  ".--",   "-..-",  "-.--",  "--..",  "-----",
      ".----", "..---", "...--", "....-", ".....", "-....", "--...", "---..", "----."};
  std::string_view code;
  if (c >= 'A' && c <= 'Z') code = codes[static_cast<std::size_t>(c - 'A')];
  if (c >= 'a' && c <= 'z') code = codes[static_cast<std::size_t>(c - 'a')];
  if (c >= '0' && c <= '9') code = codes[static_cast<std::size_t>(26 + c - '0')];
  // The umlauts and sharp s, Windows-1252, when a list keeps them.
  switch (static_cast<unsigned char>(c)) {
    case 0xC4:
    case 0xE4:
      code = ".-.-";
      break;
    case 0xD6:
    case 0xF6:
      code = "---.";
      break;
    case 0xDC:
    case 0xFC:
      code = "..--";
      break;
    case 0xDF:
      code = "...--..";
      break;
    default:
      break;
  }
  int units = 0;
  for (char element : code) units += element == '.' ? 2 : 4;
  return units;
}

}  // namespace

double sound_seconds(std::string_view practice_text, std::int64_t repetitions,
                     const EncoderFields& fields) {
  const auto character_speed = static_cast<double>(
      std::max<std::int64_t>(1, runtime::text_to_integer(fields.character_speed)));
  const auto effective_speed =
      static_cast<double>(runtime::text_to_integer(fields.effective_speed));
  const double dit = 1.2 / character_speed;
  // A stretched gap unit: the 19 gap units of "PARIS " fill what its 31
  // signal units leave of the effective speed's time.
  const double gap = effective_speed > 0 && effective_speed < character_speed
                         ? (60.0 - effective_speed * 31 * dit) / (effective_speed * 19)
                         : dit;
  const double after_character = 3 * gap - dit;  // the dit after the last element makes 3
  const double after_word = (1 + 7.0 * fields.word_spacing) * gap + dit + after_character;

  double once = 0;
  for (char c : practice_text) {
    const int units = character_units(c);
    once += units > 0 ? units * dit + after_character : after_word;
  }
  // Every text ends in a word gap: the blank before the next repetition or marker.
  once += after_word;
  return file_lead_seconds + once * static_cast<double>(std::max<std::int64_t>(1, repetitions));
}

}  // namespace velkart::generator
