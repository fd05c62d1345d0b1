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

}  // namespace

std::optional<std::string> check_listening(const ListeningConditions& conditions) {
  if (!within(conditions.noise, 0, 1) || !within(conditions.tone_range, 0, 1))
    return std::string(texts::bad_switch.view());
  if (!within(conditions.snr, lowest_snr, highest_snr)) return std::string(texts::bad_snr.view());
  if (std::find(std::begin(filter_widths), std::end(filter_widths), conditions.filter) ==
      std::end(filter_widths))
    return std::string(texts::bad_filter.view());
  if (!within(conditions.tone_from, lowest_drawn_tone, conditions.tone_to) ||
      conditions.tone_to > highest_tone)
    return std::string(texts::bad_tone_range.view());
  if ((conditions.fading != 0 && !within(conditions.fading, shallowest_fading, deepest_fading)) ||
      !within(conditions.fading_period, shortest_fading_period, longest_fading_period))
    return std::string(texts::bad_fading.view());
  if (!within(conditions.pause, 0, longest_pause)) return std::string(texts::bad_pause.view());
  return std::nullopt;
}

std::string sounding_tone(const ListeningConditions& conditions, std::string_view typed_tone) {
  if (conditions.noise != 0) return integer_to_text(noise_tone);
  if (conditions.tone_range != 0)
    return integer_to_text(conditions.tone_from) + std::string(texts::range_dash.view()) +
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
    add(std::string(texts::conditions_noise.view()) + integer_to_text(conditions.snr) +
        std::string(texts::listening_db.view()) + " / " + integer_to_text(conditions.filter) +
        std::string(texts::listening_hz.view()));
  if (conditions.fading != 0)
    add(std::string(texts::conditions_fading.view()) + integer_to_text(conditions.fading) +
        std::string(texts::listening_percent.view()));
  if (conditions.noise != 0 || conditions.tone_range != 0)
    add(std::string(texts::conditions_tone.view()) + sounding_tone(conditions, {}) +
        std::string(texts::listening_hz.view()));
  if (conditions.pause != 0)
    add(std::string(texts::conditions_pause.view()) + integer_to_text(conditions.pause) +
        std::string(texts::listening_ms.view()));
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
