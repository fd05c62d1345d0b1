#include "generator/encoder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "gui/controls.h"
#include "gui/gui.h"
#include "gui/texts.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/text.h"

namespace velkart::generator {

using runtime::text_to_integer;

namespace {

constexpr int write_slot = 1;

// A program this system can start: a regular file with the execute bit. A
// Windows encoder copied over with the rest of the folder (from a stick,
// where every file looks executable) starts with "MZ" and would only make the
// shell complain, so it does not count.
bool is_runnable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      ::access(path.c_str(), X_OK) != 0) {
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  char magic[2] = {};
  file.read(magic, 2);
  return !(file.gcount() == 2 && magic[0] == 'M' && magic[1] == 'Z');
}

bool found_on_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string_view rest(path);
  while (true) {
    const std::size_t colon = rest.find(':');
    const std::string_view folder = rest.substr(0, colon);
    // An empty entry means the working folder, as for the shell.
    const std::string candidate = folder.empty() ? name : std::string(folder) + "/" + name;
    if (is_runnable(candidate)) return true;
    if (colon == std::string_view::npos) return false;
    rest.remove_prefix(colon + 1);
  }
}

}  // namespace

void check_speeds(gui::Gui& gui) {
  const std::string character_speed = gui.get_text(controls::character_speed_field);
  if (text_to_integer(gui.get_text(controls::effective_speed_field)) >
      text_to_integer(character_speed)) {
    gui.set_text(controls::effective_speed_field, character_speed);
  }
}

void add_encoder_block(std::string& encoder_text, std::string_view practice_text,
                       std::int64_t repetitions) {
  encoder_text += practice_text;
  for (std::int64_t again = 1; again < repetitions; ++again) {
    encoder_text += ' ';
    encoder_text += practice_text;
  }
  encoder_text += " <> ";
}

EncoderFields read_encoder_fields(const gui::Gui& gui) {
  EncoderFields fields;
  fields.character_speed = gui.get_text(controls::character_speed_field);
  fields.effective_speed = gui.get_text(controls::effective_speed_field);
  fields.frequency = gui.get_text(controls::frequency_field);
  fields.word_spacing = gui.get_state(controls::word_spacing_slider);
  fields.qrq = gui.get_text(controls::qrq_field);
  fields.base_name = gui.get_text(controls::base_name_field);
  return fields;
}

std::vector<std::string> encoder_arguments(const EncoderFields& fields) {
  return encoder_arguments(fields, encoder_input_path, "eure_Texte/" + fields.base_name);
}

std::vector<std::string> encoder_arguments(const EncoderFields& fields, std::string_view input_path,
                                           std::string_view output_prefix) {
  std::vector<std::string> words{"-w", fields.character_speed};
  // The typed texts go in unchanged; only the decisions compare numbers, so
  // "05" against "5" counts as equal and leaves -e out.
  const bool same_speed =
      text_to_integer(fields.effective_speed) == text_to_integer(fields.character_speed);
  if (!same_speed && fields.effective_speed != "0") {
    words.insert(words.end(), {"-e", fields.effective_speed});
  }
  words.insert(words.end(), {"-f", fields.frequency});
  if (fields.word_spacing != 0)
    words.insert(words.end(), {"-W", runtime::integer_to_text(fields.word_spacing)});
  if (text_to_integer(fields.qrq) != 0) words.insert(words.end(), {"-Q", fields.qrq});
  // The output prefix names files on disk, so it is spelt the way every
  // other path of the program reaches the disk; the title stays Windows-1252,
  // which the encoder reads as Latin-1 like its input.
  words.insert(words.end(), {"-q", "9", "-s", "16000", "-c", "<>", "-t", fields.base_name,
                             std::string(input_path), "-o", runtime::native_path(output_prefix)});
  return words;
}

std::string find_encoder() {
  for (const char* local : {"nicht_loeschen/ebook2cw.exe", "nicht_loeschen/ebook2cw"}) {
    if (is_runnable(local)) return local;
  }
  return found_on_path("ebook2cw") ? "ebook2cw" : "";
}

int start_encoder(runtime::Launcher& launcher, const std::string& encoder,
                  const std::vector<std::string>& arguments) {
  return launcher.start_program(encoder, arguments, {{"HOME", std::string(encoder_home)}});
}

std::string finish_encoder_text(std::string encoder_text) {
  return runtime::substring(encoder_text, 1, runtime::text_length(encoder_text) - 2);
}

int write_input_and_start_encoder(gui::Gui& gui, std::string encoder_text,
                                  runtime::Launcher& launcher) {
  encoder_text = finish_encoder_text(std::move(encoder_text));
  bool written = runtime::create_file(write_slot, encoder_input_path) != 0;
  if (written) {
    runtime::write_line(write_slot, encoder_text);
    written = runtime::close_file(write_slot);
  }
  if (!written) {
    // The earlier input stays in place: started now, the encoder would make
    // mp3 files of the earlier run's texts under this run's names.
    gui.show_message(texts::message_title, texts::file_not_created);
    return 0;
  }

  const std::string encoder = find_encoder();
  const int pid = encoder.empty() ? 0
                                  : start_encoder(launcher, encoder,
                                                  encoder_arguments(read_encoder_fields(gui)));
  if (pid == 0) gui.show_message(texts::message_title, texts::encoder_missing);
  return pid;
}

}  // namespace velkart::generator
