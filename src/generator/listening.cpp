#include "generator/listening.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/random.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

using runtime::integer_to_text;

namespace {

bool within(int value, int lowest, int highest) {
  return value >= lowest && value <= highest;
}

std::string text_of(std::string_view text) {
  return std::string(text);
}

}  // namespace

std::optional<std::string> check_listening(const ListeningConditions& conditions) {
  if (!within(conditions.noise, 0, 1) || !within(conditions.tone_range, 0, 1))
    return text_of(texts::bad_switch);
  if (!within(conditions.snr, lowest_snr, highest_snr)) return text_of(texts::bad_snr);
  // The encoder's widest filter silences everything it filters: a file
  // without a sound would pass for practice.
  if (std::find(std::begin(filter_widths), std::end(filter_widths) - 1, conditions.filter) ==
      std::end(filter_widths) - 1)
    return text_of(texts::bad_filter);
  if (!within(conditions.tone_from, lowest_drawn_tone, conditions.tone_to) ||
      conditions.tone_to > 3000)
    return text_of(texts::bad_tone_range);
  if ((conditions.fading != 0 && !within(conditions.fading, shallowest_fading, deepest_fading)) ||
      !within(conditions.fading_period, shortest_fading_period, longest_fading_period))
    return text_of(texts::bad_fading);
  if (!within(conditions.pause, 0, longest_pause)) return text_of(texts::bad_pause);
  return std::nullopt;
}

std::string sounding_tone(const ListeningConditions& conditions, std::string_view typed_tone) {
  if (conditions.noise != 0) return integer_to_text(noise_tone);
  if (conditions.tone_range != 0)
    return integer_to_text(conditions.tone_from) + text_of(texts::range_dash) +
           integer_to_text(conditions.tone_to);
  return std::string(typed_tone);
}

std::string conditions_line(const ListeningConditions& conditions) {
  std::string line;
  const auto add = [&line](const std::string& part) {
    if (!line.empty()) line += ", ";
    line += part;
  };
  if (conditions.noise != 0)
    add(text_of(texts::conditions_noise) + integer_to_text(conditions.snr) +
        text_of(texts::listening_db) + " / " + integer_to_text(conditions.filter) +
        text_of(texts::listening_hz));
  if (conditions.fading != 0)
    add(text_of(texts::conditions_fading) + integer_to_text(conditions.fading) +
        text_of(texts::listening_percent));
  if (conditions.noise != 0 || conditions.tone_range != 0)
    add(text_of(texts::conditions_tone) + sounding_tone(conditions, {}) +
        text_of(texts::listening_hz));
  if (conditions.pause != 0)
    add(text_of(texts::conditions_pause) + integer_to_text(conditions.pause) +
        text_of(texts::listening_ms));
  return line;
}

std::vector<int> draw_tones(const ListeningConditions& conditions, std::size_t count) {
  std::vector<int> tones;
  if (conditions.noise != 0 || conditions.tone_range == 0) return tones;
  const int steps = (conditions.tone_to - conditions.tone_from) / tone_step;
  for (std::size_t k = 0; k < count; ++k)
    tones.push_back(conditions.tone_from +
                    tone_step * static_cast<int>(runtime::random_up_to(steps)));
  return tones;
}

std::vector<int> fading_volumes(const ListeningConditions& conditions,
                                const std::vector<double>& word_seconds) {
  std::vector<int> volumes;
  if (conditions.fading == 0) return volumes;
  double time = 0;
  for (const double seconds : word_seconds) {
    const double dip = (1 - std::cos(2 * std::numbers::pi * time / conditions.fading_period)) / 2;
    volumes.push_back(std::max(1, static_cast<int>(std::lround(100 - conditions.fading * dip))));
    time += seconds;
  }
  return volumes;
}

}  // namespace velkart::generator
