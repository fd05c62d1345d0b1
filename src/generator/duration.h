#pragma once
// How long the encoder plays a text, worked out before it runs: its timing
// in samples, as ebook2cw counts them. A dit lasts 1/50 of a minute divided
// by the character speed (PARIS with its word gap is 50 dits). With a lower
// effective speed the gaps between characters and words are stretched so
// that PARIS is sent that many times a minute (Farnsworth), the characters
// themselves keep the character speed. Extra word spacing adds 7 gap units
// per step to every word gap; QRQ raises the character speed by 1 WpM each
// time that many minutes of Morse have played since the last rise.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/run_settings.h"
#include "generator/word_pool.h"

namespace velkart::generator {

// The Morse of some text in the units the speeds stretch differently.
struct MorseShape {
  double element_dits = 0;  // dits and dahs, each with the dit of silence after it
  double letter_gaps = 0;   // characters, blanks included: each ends with a letter gap
  double word_gaps = 0;     // blanks, and characters the encoder has no code for
};

// Of the characters of `text` (Windows-1252) as the encoder reads them.
MorseShape morse_shape(std::string_view text);

// The average word of the pool's words, each with the blank after it; all
// zero for an empty pool.
MorseShape average_word(const WordPool& pool);
// The average five-letter group drawn from `letters`, with its blank.
MorseShape average_group(std::string_view letters, int group_length);

// The encoder's timing values as plain numbers.
struct SendTiming {
  std::int64_t character_speed = 20;   // WpM
  std::int64_t effective_speed = 0;    // WpM; 0 or not below the character speed: no stretching
  std::int64_t word_spacing = 0;       // extra word spaces
  std::int64_t qrq_minutes = 0;        // 0: constant speed
  std::int64_t repetitions = 1;        // each text this often in its file
  std::int64_t pause_per_word_ms = 0;  // silence after every word
};

// The run's fields as the encoder gets them (the effective speed after the
// check every run makes).
SendTiming send_timing(const RunSettings& settings);

// Seconds one sound file plays: `words` words of shape `word`, repeated as
// the timing says, with the silence the encoder puts before the first text.
// Nullopt when no speed is set (the encoder refuses those).
std::optional<double> file_seconds(const SendTiming& timing, const MorseShape& word,
                                   std::int64_t words);

// The same for a text as it is: its words are split at blanks.
std::optional<double> text_file_seconds(const SendTiming& timing, std::string_view text);

// The largest word count whose file plays at most `seconds`, at least 1;
// nullopt when no speed is set.
std::optional<std::int64_t> words_for_seconds(const SendTiming& timing, const MorseShape& word,
                                              double seconds);

// Seconds each word of `text` plays, with the gap and the pause after it, in
// the order the file sends them (repetitions included) at the first speed:
// the steps a fading curve is laid over.
std::vector<double> word_seconds(const SendTiming& timing, std::string_view text);

// "12:30": minutes and seconds, rounded to the second.
std::string minutes_and_seconds(double seconds);

// " · ein Text dauert etwa 12:30 min" for a text drawn from `pool` with the
// run's word limit; empty when the pool is empty or no speed is set.
std::string text_length_note(const WordPool& pool, const RunSettings& settings);

}  // namespace velkart::generator
