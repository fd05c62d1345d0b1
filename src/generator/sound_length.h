#pragma once
// How long the encoder's audio of a practice text lasts, worked out from the
// timing it sends with: a dit lasts 1.2 s / character speed, a dah three
// dits, one dit between the elements of a character. At a lower effective
// speed the gaps between characters and words stretch so that "PARIS "
// still takes 60 s / effective speed; each step of the word spacing adds
// seven gap units to every word gap. Every file starts with a short silence.
#include <cstdint>
#include <string_view>

#include "generator/encoder.h"

namespace velkart::generator {

// Seconds of the sound file of one text sent `repetitions` times, as the
// encoder gets it from `fields`.
double sound_seconds(std::string_view practice_text, std::int64_t repetitions,
                     const EncoderFields& fields);

}  // namespace velkart::generator
