#pragma once
// Everything a generation run, a lesson pack or the batch companion takes
// from outside, as plain values: read once (from the main window or from the
// settings file) and handed down, so nothing below reads a control.
#include <cstdint>
#include <string>
#include <string_view>

#include "generator/encoder.h"
#include "generator/solution_sheet.h"
#include "generator/word_pool.h"
#include "runtime/message_sink.h"

namespace velkart::generator {

struct RunSettings {
  PoolOptions pool;
  EncoderFields encoder;          // speeds, tone, spacing, QRQ and the base name, as typed
  std::string repetitions = "1";  // field 47 as typed
  std::int64_t text_count = 2;    // field 29
};

// The two settings lines of the solution sheet say what the run used.
SheetSettings sheet_settings(const RunSettings& settings);

}  // namespace velkart::generator
