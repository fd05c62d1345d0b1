#include "generator/encoder.h"

#include "generator/output_names.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/text.h"
#include "runtime/texts.h"

namespace velkart::generator {

using runtime::integer_to_text;
using runtime::text_to_integer;

namespace {

// A path relative to the working folder as the encoder sees it. On Windows it
// runs in its home, one folder down (start_encoder).
std::string encoder_path(std::string_view path) {
  const std::string spelt = runtime::path_argument(path);
  return runtime::windows_system() ? "..\\" + spelt : spelt;
}

}  // namespace

bool lower_effective_speed(EncoderFields& fields) {
  if (text_to_integer(fields.effective_speed) <= text_to_integer(fields.character_speed))
    return false;
  fields.effective_speed = fields.character_speed;
  return true;
}

void add_encoder_block(std::string& encoder_text, std::string_view practice_text,
                       std::int64_t repetitions, const TextSound& sound) {
  if (sound.tone == 0 && sound.pause == 0 && sound.volumes.empty()) {
    encoder_text += practice_text;
    for (std::int64_t again = 1; again < repetitions; ++again) {
      encoder_text += ' ';
      encoder_text += practice_text;
    }
    encoder_text += " <> ";
    return;
  }
  // A command is a word of its own to the encoder: it takes no word gap.
  const auto command = [&encoder_text](char name, int value) {
    encoder_text += '|';
    encoder_text += name;
    encoder_text += runtime::integer_to_text(value);
    encoder_text += ' ';
  };
  if (sound.tone != 0) command('f', sound.tone);
  std::size_t word = 0;
  for (std::int64_t round = 0; round < repetitions; ++round) {
    for (const std::string_view each : runtime::split_at_blanks(practice_text)) {
      if (word < sound.volumes.size()) command('v', sound.volumes[word]);
      ++word;
      encoder_text += each;
      encoder_text += ' ';
      if (sound.pause != 0) command('S', sound.pause);
    }
  }
  encoder_text += "<> ";
}

std::vector<std::string> encoder_arguments(const EncoderFields& fields) {
  return encoder_arguments(fields, encoder_input_path, output_path(fields.base_name),
                           fields.base_name);
}

std::vector<std::string> encoder_arguments(const EncoderFields& fields, std::string_view input_path,
                                           std::string_view output_prefix, std::string_view title) {
  std::vector<std::string> words{"-w", fields.character_speed};
  // The typed texts go in unchanged; only the decisions compare numbers, so
  // "05" against "5" counts as equal and leaves -e out.
  const bool same_speed =
      text_to_integer(fields.effective_speed) == text_to_integer(fields.character_speed);
  if (!same_speed && fields.effective_speed != "0") {
    words.insert(words.end(), {"-e", fields.effective_speed});
  }
  const ListeningConditions& listening = fields.listening;
  words.insert(words.end(),
               {"-f", listening.noise != 0 ? integer_to_text(noise_tone) : fields.frequency});
  if (fields.word_spacing != 0)
    words.insert(words.end(), {"-W", runtime::integer_to_text(fields.word_spacing)});
  if (text_to_integer(fields.qrq) != 0) words.insert(words.end(), {"-Q", fields.qrq});
  if (listening.noise != 0)
    words.insert(words.end(),
                 {"-N", integer_to_text(listening.snr), "-B", integer_to_text(listening.filter),
                  "-C", integer_to_text(noise_tone)});
  // The paths name files on disk, so they are spelt the way the system
  // hands paths to a program; the title stays Windows-1252, which the
  // encoder reads as Latin-1 like its input.
  words.insert(
      words.end(),
      {"-q", "9", "-s",
       integer_to_text(listening.noise != 0 ? noise_sample_rate : encoder_sample_rate), "-c", "<>",
       "-t", std::string(title), encoder_path(input_path), "-o", encoder_path(output_prefix)});
  return words;
}

std::string_view encoder_missing_message() {
  return runtime::windows_system() ? texts::encoder_missing_windows.view()
                                   : texts::encoder_missing.view();
}

std::string find_encoder(runtime::Launcher& launcher) {
  for (const char* encoder :
       {"nicht_loeschen/ebook2cw.exe", "nicht_loeschen/ebook2cw", "ebook2cw"}) {
    if (launcher.is_runnable(encoder)) return encoder;
  }
  return "";
}

int find_and_start_encoder(const EncoderFields& fields, runtime::Launcher& launcher) {
  const std::string encoder = find_encoder(launcher);
  return encoder.empty() ? 0 : start_encoder(launcher, encoder, encoder_arguments(fields));
}

int start_encoder(runtime::Launcher& launcher, const std::string& encoder,
                  const std::vector<std::string>& arguments) {
  return launcher.start_program(encoder, arguments, {{"HOME", std::string(encoder_home)}});
}

std::string finish_encoder_text(std::string encoder_text) {
  return runtime::substring(encoder_text, 1, runtime::text_length(encoder_text) - 2);
}

}  // namespace velkart::generator
