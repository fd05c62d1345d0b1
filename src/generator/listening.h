#pragma once
// Listening conditions: practice that sounds like the band. Noise behind a
// filter, a tone drawn per text, a volume that fades in a slow curve and
// time to write after every word. All of it reaches the encoder as options
// on its command line and as commands in its input ("|f", "|v", "|S"); with
// everything off the input and the command line are those of a plain run.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::generator {

struct ListeningConditions {
  // The switches are numbers as the settings hold them (0 off, 1 on), so a
  // stray value is refused rather than read as on.
  int noise = 0;
  int snr = 3;          // dB, -10 to 10
  int filter = 500;     // Hz: 100, 500, 1000 or 2100
  int tone_range = 0;   // a tone drawn per text
  int tone_from = 500;  // Hz
  int tone_to = 900;
  int fading = 0;         // depth in %, 0 off
  int fading_period = 8;  // s
  int pause = 0;          // ms of silence after every word, 0 off
};

// The encoder plays tones between these (Hz); beyond half its sample rate
// a tone would turn into noise.
inline constexpr int lowest_tone = 100;
inline constexpr int highest_tone = 3'000;
// The encoder filters the noise around this tone only, so with noise every
// text sounds there.
inline constexpr int noise_tone = 800;
inline constexpr int lowest_snr = -10;
inline constexpr int highest_snr = 10;
// The encoder's filter widths; its fourth, 2100 Hz, silences everything it
// filters, and a file without a sound would pass for practice.
inline constexpr int filter_widths[] = {100, 500, 1000};
// A drawn tone is one of from, from + step, ... up to `to`, at most the
// highest tone. The encoder takes a tone command only above 100 Hz.
inline constexpr int tone_step = 50;
inline constexpr int lowest_drawn_tone = 150;
inline constexpr int shallowest_fading = 10;
inline constexpr int deepest_fading = 90;
inline constexpr int shortest_fading_period = 2;
inline constexpr int longest_fading_period = 20;
inline constexpr int longest_pause = 5000;

// A German message for the first value outside its range, or nothing.
std::optional<std::string> check_listening(const ListeningConditions& conditions);

// The tone the texts are heard at, for the sheets: "800" with noise, the
// range as "500–900" with a drawn tone, else the run's tone as typed.
std::string sounding_tone(const ListeningConditions& conditions, std::string_view typed_tone);

// The one short line the sheets print under their settings: "Rauschen 3 dB /
// 500 Hz, Fading 50 %, Ton 500–900 Hz, 800 ms Zeit zum Mitschreiben"; empty
// with everything off.
std::string conditions_line(const ListeningConditions& conditions);

// One tone per text from the process-wide generator (reproducible with a
// seed), or none when the texts keep the run's tone.
std::vector<int> draw_tones(const ListeningConditions& conditions, std::size_t count);

// What a text's block carries beyond its words.
struct TextSound {
  int tone = 0;              // "|f" before the first word; 0: none
  int pause = 0;             // "|S" after every word; 0: none
  std::vector<int> volumes;  // "|v" before each word in turn; empty: none
};

// The fading curve over a text's words (repetitions included), given how long
// each word sounds with the gap after it: the volume in % at the start of each
// word, full at the start and lowest (100 - depth) half a period later.
std::vector<int> fading_volumes(const ListeningConditions& conditions,
                                const std::vector<double>& word_seconds);

}  // namespace velkart::generator
