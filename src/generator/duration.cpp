#include "generator/duration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "generator/encoder.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

using runtime::text_to_integer;

// The encoder's codes for the bytes it reads (Latin-1, which our
// Windows-1252 texts are to it); lower-case letters send as capitals. A
// blank inside a code is a word gap.
constexpr std::pair<unsigned char, std::string_view> code_list[] = {
    {0x21, "..--."},  {0x22, ".-..-."}, {0x24, "...-..-"}, {0x26, ". ..."},  {0x27, ".----."},
    {0x28, "-.--."},  {0x29, "-.--.-"}, {0x2B, ".-.-."},   {0x2C, "--..--"}, {0x2D, "-....-"},
    {0x2E, ".-.-.-"}, {0x2F, "-..-."},  {0x30, "-----"},   {0x31, ".----"},  {0x32, "..---"},
    {0x33, "...--"},  {0x34, "....-"},  {0x35, "....."},   {0x36, "-...."},  {0x37, "--..."},
    {0x38, "---.."},  {0x39, "----."},  {0x3A, "---..."},  {0x3B, "-.-.-."}, {0x3D, "-...-"},
    {0x3F, "..--.."}, {0x40, ".--.-."}, {0x41, ".-"},      {0x42, "-..."},   {0x43, "-.-."},
    {0x44, "-.."},    {0x45, "."},      {0x46, "..-."},    {0x47, "--."},    {0x48, "...."},
    {0x49, ".."},     {0x4A, ".---"},   {0x4B, "-.-"},     {0x4C, ".-.."},   {0x4D, "--"},
    {0x4E, "-."},     {0x4F, "---"},    {0x50, ".--."},    {0x51, "--.-"},   {0x52, ".-."},
    {0x53, "..."},    {0x54, "-"},      {0x55, "..-"},     {0x56, "...-"},   {0x57, ".--"},
    {0x58, "-..-"},   {0x59, "-.--"},   {0x5A, "--.."},    {0x5C, "-..-."},  {0x60, ".----."},
    {0xAB, ".-..-."}, {0xBB, ".-..-."}, {0xC0, ".--.-"},   {0xC1, ".--.-"},  {0xC2, ".-"},
    {0xC3, ".-"},     {0xC4, ".-.-"},   {0xC5, ".--.-"},   {0xC6, ".-.-"},   {0xC7, "-.-.."},
    {0xC8, "..-.."},  {0xC9, "..-.."},  {0xCA, "."},       {0xCB, "."},      {0xCC, ".."},
    {0xCD, ".."},     {0xCE, ".."},     {0xCF, ".."},      {0xD0, "..--."},  {0xD1, "--.--"},
    {0xD2, "---"},    {0xD3, "---"},    {0xD4, "---"},     {0xD5, "---"},    {0xD6, "---."},
    {0xD8, "---."},   {0xD9, "..-"},    {0xDA, "..-"},     {0xDB, "..-"},    {0xDC, "..--"},
    {0xDD, "-.--"},   {0xDE, ".--.."},  {0xDF, "...--.."}, {0xE0, ".--.-"},  {0xE1, ".--.-"},
    {0xE2, ".-"},     {0xE3, ".-"},     {0xE4, ".-.-"},    {0xE5, ".--.-"},  {0xE6, ".-.-"},
    {0xE7, "-.-.."},  {0xE8, "..-.."},  {0xE9, "..-.."},   {0xEA, "."},      {0xEB, "."},
    {0xEC, ".---."},  {0xED, ".."},     {0xEE, ".."},      {0xEF, ".."},     {0xF0, "..--."},
    {0xF1, "--.--"},  {0xF2, "---"},    {0xF3, "---"},     {0xF4, "---"},    {0xF5, "---"},
    {0xF6, "---."},   {0xF8, "---."},   {0xF9, "..-"},     {0xFA, "..-"},    {0xFB, "..-"},
    {0xFC, "..--"},   {0xFD, "-.--"},   {0xFE, ".--.."},   {0xFF, "-.--"},
};

constexpr std::array<std::string_view, 256> make_codes() {
  std::array<std::string_view, 256> codes{};
  for (const auto& [byte, code] : code_list) codes[byte] = code;
  for (int letter = 'a'; letter <= 'z'; ++letter) codes[letter] = codes[letter - 'a' + 'A'];
  return codes;
}
constexpr std::array<std::string_view, 256> codes = make_codes();

// Silence the encoder writes before the first text, in milliseconds.
constexpr std::int64_t lead_in_ms = 100;
// Its "|S" silence takes 1 to 20000 ms and ignores anything else.
constexpr std::int64_t longest_pause_ms = 20'000;

MorseShape operator+(MorseShape a, const MorseShape& b) {
  a.element_dits += b.element_dits;
  a.letter_gaps += b.letter_gaps;
  a.word_gaps += b.word_gaps;
  return a;
}

MorseShape scaled(MorseShape shape, double factor) {
  shape.element_dits *= factor;
  shape.letter_gaps *= factor;
  shape.word_gaps *= factor;
  return shape;
}

MorseShape blank() {
  return morse_shape(" ");
}

// Samples of one word of `word` at `speed` WpM.
double word_samples(const SendTiming& timing, std::int64_t speed, const MorseShape& word) {
  const std::int64_t per_minute = 60 * encoder_sample_rate;
  const std::int64_t dit = per_minute / (50 * speed);
  const std::int64_t effective = timing.effective_speed;
  const bool stretched = effective >= 1 && effective < timing.character_speed;
  // PARIS is 31 dits of signs at the character speed and 19 gap units
  // (12 between its signs and characters, 7 after the word): the gap unit
  // is what is left of a minute divided among `effective` words.
  const std::int64_t gap_unit =
      stretched ? (per_minute - effective * 31 * dit) / (effective * 19) : dit;
  const std::int64_t letter_space = stretched ? 3 * gap_unit - dit : 2 * dit;
  const std::int64_t word_space = std::max<std::int64_t>(0, 1 + 7 * timing.word_spacing) * gap_unit;
  return word.element_dits * static_cast<double>(dit) +
         word.letter_gaps * static_cast<double>(letter_space) +
         word.word_gaps * static_cast<double>(word_space);
}

}  // namespace

MorseShape morse_shape(std::string_view text) {
  MorseShape shape;
  for (const char character : text) {
    if (character == '\r') continue;  // the encoder skips it
    std::string_view code = codes[static_cast<unsigned char>(character)];
    // A line break and a character without code are sent as a blank.
    if (code.empty()) code = " ";
    for (const char element : code) {
      shape.element_dits += element == '.' ? 2 : element == '-' ? 4 : 1;
      if (element == ' ') shape.word_gaps += 1;
    }
    shape.letter_gaps += 1;
  }
  return shape;
}

MorseShape average_word(const WordPool& pool) {
  MorseShape sum;
  std::int64_t words = 0;
  for (const std::string& entry : pool) {
    if (entry.empty()) continue;
    sum = sum + morse_shape(entry);
    ++words;
  }
  if (words == 0) return {};
  return scaled(sum, 1.0 / static_cast<double>(words)) + blank();
}

MorseShape average_group(std::string_view letters, int group_length) {
  if (letters.empty()) return {};
  return scaled(morse_shape(letters),
                static_cast<double>(group_length) / static_cast<double>(letters.size())) +
         blank();
}

SendTiming send_timing(const RunSettings& settings) {
  EncoderFields encoder = settings.encoder;
  lower_effective_speed(encoder);
  SendTiming timing;
  timing.character_speed = text_to_integer(encoder.character_speed);
  timing.effective_speed = text_to_integer(encoder.effective_speed);
  timing.word_spacing = encoder.word_spacing;
  timing.qrq_minutes = text_to_integer(encoder.qrq);
  timing.repetitions = text_to_integer(settings.repetitions);
  timing.pause_per_word_ms = encoder.listening.pause;
  return timing;
}

std::optional<double> file_seconds(const SendTiming& timing, const MorseShape& word,
                                   std::int64_t words) {
  if (timing.character_speed < 1) return std::nullopt;
  const double rate = encoder_sample_rate;
  // Counted in doubles: a word limit times the repetitions may pass what
  // 64 bits hold, and the result is an estimate anyway.
  double remaining = static_cast<double>(std::max<std::int64_t>(words, 0)) *
                     static_cast<double>(std::max<std::int64_t>(timing.repetitions, 1));
  double samples = static_cast<double>(lead_in_ms * encoder_sample_rate / 1000);
  if (timing.pause_per_word_ms >= 1 && timing.pause_per_word_ms <= longest_pause_ms)
    samples +=
        remaining * static_cast<double>(timing.pause_per_word_ms * encoder_sample_rate / 1000);
  const double qrq_ms = static_cast<double>(std::max<std::int64_t>(timing.qrq_minutes, 0)) * 60'000;
  // The encoder counts the milliseconds of Morse word by word and raises the
  // speed after the word that takes the count past the interval. Once a dit
  // has no sample left, a faster speed changes nothing.
  for (std::int64_t speed = timing.character_speed; remaining > 0; ++speed) {
    const double per_word = word_samples(timing, speed, word);
    const double word_ms = 1000 * per_word / rate;
    if (qrq_ms <= 0 || word_ms <= 0 || 60 * encoder_sample_rate / (50 * speed) == 0) {
      samples += remaining * per_word;
      break;
    }
    const double until_rise = std::min(remaining, std::floor(qrq_ms / word_ms) + 1);
    samples += until_rise * per_word;
    remaining -= until_rise;
  }
  return samples / rate;
}

std::optional<double> text_file_seconds(const SendTiming& timing, std::string_view text) {
  // Every word goes to the encoder with a blank after it.
  const auto words = std::count(text.begin(), text.end(), ' ') + 1;
  const MorseShape shape = morse_shape(text) + blank();
  return file_seconds(timing, scaled(shape, 1.0 / static_cast<double>(words)), words);
}

std::optional<std::int64_t> words_for_seconds(const SendTiming& timing, const MorseShape& word,
                                              double seconds) {
  const auto fits = [&](std::int64_t words) {
    return *file_seconds(timing, word, words) <= seconds;
  };
  if (!file_seconds(timing, word, 1)) return std::nullopt;
  if (!fits(2)) return 1;
  // Words have a length, so the count ends; a text never holds more than a
  // word limit can say.
  constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
  std::int64_t low = 2;  // fits
  std::int64_t high = 4;
  while (high < most && fits(high)) {
    low = high;
    high *= 2;
  }
  high = std::min(high, most + 1);
  while (high - low > 1) {
    const std::int64_t middle = low + (high - low) / 2;
    (fits(middle) ? low : high) = middle;
  }
  return low;
}

std::vector<double> word_seconds(const SendTiming& timing, std::string_view text) {
  std::vector<double> seconds;
  if (timing.character_speed < 1) return seconds;
  const double pause = timing.pause_per_word_ms >= 1 && timing.pause_per_word_ms <= longest_pause_ms
                           ? static_cast<double>(timing.pause_per_word_ms) / 1000
                           : 0;
  std::vector<double> once;
  for (const std::string_view word : runtime::split_at_blanks(text))
    once.push_back(word_samples(timing, timing.character_speed, morse_shape(word) + blank()) /
                       encoder_sample_rate +
                   pause);
  for (std::int64_t round = 0; round < std::max<std::int64_t>(timing.repetitions, 1); ++round)
    seconds.insert(seconds.end(), once.begin(), once.end());
  return seconds;
}

std::string minutes_and_seconds(double seconds) {
  const auto whole = static_cast<std::int64_t>(std::llround(std::max(seconds, 0.0)));
  return runtime::integer_to_text(whole / 60) + ":" +
         runtime::pad_left(runtime::integer_to_text(whole % 60), 2, "0");
}

std::string text_length_note(const WordPool& pool, const RunSettings& settings) {
  const std::int64_t words =
      std::min<std::int64_t>(pool_word_count(pool), settings.pool.word_limit);
  if (words < 1) return "";
  const std::optional<double> seconds =
      file_seconds(send_timing(settings), average_word(pool), words);
  if (!seconds) return "";
  return std::string(texts::pool_text_length.view()) + minutes_and_seconds(*seconds) +
         std::string(texts::length_minutes.view());
}

}  // namespace velkart::generator
