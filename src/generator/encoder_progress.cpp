#include "generator/encoder_progress.h"

#include <system_error>

#include "generator/encoder.h"
#include "generator/generation.h"
#include "generator/output_names.h"
#include "generator/playlist.h"
#include "generator/run_checks.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

using runtime::integer_to_text;

std::filesystem::file_time_type encoder_input_written() {
  std::error_code error;
  const auto written = runtime::last_written(runtime::file_system_path(encoder_input_path), error);
  return error ? std::filesystem::file_time_type::clock::now() : written;
}

bool record_encoder(const RunningEncoder& encoder) {
  return replace_file(encoder_record_path, integer_to_text(encoder.process) + "\r\n" +
                                               integer_to_text(encoder.run.count) + "\r\n" +
                                               encoder.run.base_name + "\r\n");
}

std::optional<RunningEncoder> recorded_encoder() {
  const runtime::FileBytes file = runtime::read_file_bytes(encoder_record_path, 4096);
  if (file.status != runtime::ReadStatus::read) return std::nullopt;
  const std::string& bytes = file.bytes;
  const std::size_t first = bytes.find("\r\n");
  const std::size_t second = first == std::string::npos ? first : bytes.find("\r\n", first + 2);
  const std::size_t third = second == std::string::npos ? second : bytes.find("\r\n", second + 2);
  if (third == std::string::npos) return std::nullopt;
  RunningEncoder encoder;
  encoder.process = static_cast<int>(runtime::text_to_integer(bytes.substr(0, first)));
  encoder.run.count = runtime::text_to_integer(bytes.substr(first + 2, second - first - 2));
  encoder.run.base_name = bytes.substr(second + 2, third - second - 2);
  encoder.run.started = encoder_input_written();
  if (encoder.process <= 0 || encoder.run.count < 1 || encoder.run.count > max_texts)
    return std::nullopt;
  return encoder;
}

void forget_encoder() {
  std::error_code ignored;
  std::filesystem::remove(runtime::file_system_path(encoder_record_path), ignored);
}

std::vector<bool> begun_sound_files(const SoundRun& run) {
  std::vector<bool> begun;
  for (std::int64_t index = 0; index < run.count; ++index) {
    const std::filesystem::path path =
        runtime::file_system_path(output_path(sound_file_name(run.base_name, index)));
    std::error_code error;
    const auto written = runtime::last_written(path, error);
    begun.push_back(!error && written >= run.started);
  }
  return begun;
}

std::int64_t finished_sound_files(const std::vector<bool>& begun, bool encoder_ended) {
  // The encoder goes in order, so the last begun file tells how far it got.
  std::int64_t reached = 0;
  for (std::size_t index = 0; index < begun.size(); ++index) {
    if (begun[index]) reached = static_cast<std::int64_t>(index) + 1;
  }
  if (!encoder_ended && reached > 0) --reached;
  return reached;
}

SettledSounds settle_sound_files(const SoundRun& run, bool completed) {
  const std::vector<bool> begun = begun_sound_files(run);
  const std::int64_t finished = finished_sound_files(begun, completed);
  SettledSounds settled;
  if (finished < run.count && begun[static_cast<std::size_t>(finished)]) {
    std::error_code ignored;
    std::filesystem::remove(
        runtime::file_system_path(output_path(sound_file_name(run.base_name, finished))), ignored);
  }
  for (std::int64_t index = 0; index < finished; ++index) {
    if (begun[static_cast<std::size_t>(index)])
      settled.finished.push_back(output_path(sound_file_name(run.base_name, index)));
  }
  // A drill set's base name holds its folder inside eure_Texte/: "Uebung_Anna/Uebung_Anna".
  const std::size_t slash = run.base_name.rfind('/');
  const std::size_t name_at = slash == std::string::npos ? 0 : slash + 1;
  settled.playlist_written = write_playlist(
      std::string(output_folder) + run.base_name.substr(0, name_at), run.base_name.substr(name_at),
      static_cast<std::size_t>(finished), Lengths::measured);
  return settled;
}

std::string encoder_status(EncoderState state, std::int64_t finished, std::int64_t total,
                           int exit_code) {
  const auto of_total = [&](const auto& before) {
    return std::string(before.view()) + integer_to_text(finished) +
           std::string(texts::mp3_of.view()) + integer_to_text(total) +
           std::string(texts::mp3_done.view());
  };
  switch (state) {
    case EncoderState::working:
      return of_total(texts::mp3_progress);
    case EncoderState::cancelled:
      return of_total(texts::mp3_cancelled) + ".";
    case EncoderState::ended:
      break;
  }
  if (exit_code != 0) {
    return std::string(texts::mp3_failed.view()) + integer_to_text(exit_code) + ".";
  }
  // Ended without an error code but short of files: say what is there.
  if (finished < total) return of_total(texts::mp3_ended_short) + ".";
  if (total == 1) return std::string(texts::mp3_the_one_done.view());
  return std::string(texts::mp3_all.view()) + integer_to_text(total) +
         std::string(texts::mp3_all_done.view());
}

}  // namespace velkart::generator
