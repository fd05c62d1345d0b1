#pragma once
// How far the encoder has got with the mp3 files of one generation run. It
// writes them one after the other, numbered like the text files; a file
// counts as finished once the encoder has moved on to the next one or has
// ended. Kept apart from any window so every caller that watches a run (the
// main window's status line, a batch run) counts alike.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::generator {

// The mp3 files of one run, as the encoder will name them.
struct SoundRun {
  std::string
      base_name;  // inside eure_Texte/; a drill set's with its folder, "Uebung_Anna/Uebung_Anna"
  std::int64_t count = 0;
  // Files older than this were left by an earlier run.
  std::filesystem::file_time_type started{};
};

// When the run's encoder started: its input was written just before, on the
// same clock as the files the encoder writes; anything older is from before.
std::filesystem::file_time_type encoder_input_written();

// The encoder a generation run started, noted beside the run lock so that a
// later start of the program finds it while it still works.
struct RunningEncoder {
  int process = 0;
  SoundRun run;
};
inline constexpr std::string_view encoder_record_path = "nicht_loeschen/velkart.encoder";
bool record_encoder(const RunningEncoder& encoder);
std::optional<RunningEncoder> recorded_encoder();
void forget_encoder();

// For each of the run's files, whether the encoder has begun it in this run.
std::vector<bool> begun_sound_files(const SoundRun& run);

// Finished files: every begun one, except the last while the encoder works.
std::int64_t finished_sound_files(const std::vector<bool>& begun, bool encoder_ended);

// Once the encoder has ended (`completed`: with exit code 0; otherwise it
// failed or was stopped): the sound files it finished, in order, and the
// playlist written for just those, with their lengths. A file it was cut off
// in is removed: no half file is left, listed or played.
struct SettledSounds {
  std::vector<std::string> finished;  // paths
  bool playlist_written = false;
};
SettledSounds settle_sound_files(const SoundRun& run, bool completed);

enum class EncoderState : std::uint8_t { working, ended, cancelled };

// The status line: "mp3-Dateien: 2 von 3 fertig", "Alle 3 mp3-Dateien sind
// fertig.", "ebook2cw endete mit dem Fehlercode 1." or "mp3 abgebrochen: 2
// von 3 fertig." (Windows-1252).
std::string encoder_status(EncoderState state, std::int64_t finished, std::int64_t total,
                           int exit_code = 0);

}  // namespace velkart::generator
