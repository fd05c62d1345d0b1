#include "generator/practice_set.h"

#include "generator/encoder.h"
#include "generator/output_names.h"
#include "generator/playlist.h"
#include "runtime/texts.h"

namespace velkart::generator {

namespace {

// Every file of a set goes through here: replaced whole, or the run stops.
bool put_in_place(WrittenSet& written, std::string& slot, const std::string& path,
                  std::string_view bytes) {
  if (!replace_file(path, bytes)) {
    written.failed = path;
    return false;
  }
  slot = path;
  return true;
}

}  // namespace

WrittenSet write_practice_set(const PracticeSet& set, const pdf::Clock& clock) {
  WrittenSet written;
  SheetSettings sheet = set.sheet;
  sheet.conditions = conditions_line(set.listening);
  sheet.tones = draw_tones(set.listening, set.texts.size());
  CopySheetHeading copy_heading = set.copy_heading;
  copy_heading.conditions = sheet.conditions;
  std::vector<std::string> names;
  std::vector<CopySheetText> copy_texts;
  std::string encoder_text;
  for (std::size_t k = 0; k < set.texts.size(); ++k) {
    const auto index = static_cast<std::int64_t>(k);
    const std::string name = text_file_name(set.name, index);
    std::string path;
    if (!put_in_place(written, path, set.folder + name, set.texts[k] + "\r\n")) return written;
    written.text_files.push_back(path);
    names.push_back(name);
    copy_texts.push_back({sound_file_name(set.name, index), set.texts[k]});
    add_encoder_block(encoder_text, set.texts[k], set.repetitions,
                      {k < sheet.tones.size() ? sheet.tones[k] : 0, set.listening.pause,
                       fading_volumes(set.listening, set.listening.fading != 0
                                                         ? word_seconds(set.timing, set.texts[k])
                                                         : std::vector<double>{})});
  }

  const std::string answer_key = set.folder + answer_key_name(set.name);
  if (!write_solution_sheet(sheet, names, set.folder, answer_key, clock, set.sheet_note,
                            set.sheet_title)) {
    written.failed = answer_key;
    return written;
  }
  written.answer_key = answer_key;
  const std::string copy_sheet = set.folder + copy_sheet_name(set.name);
  if (!write_copy_sheet(copy_heading, copy_texts, copy_sheet, clock)) {
    written.failed = copy_sheet;
    return written;
  }
  written.copy_sheet = copy_sheet;
  // The encoder is still to come: the lengths follow once it is done.
  const std::string playlist = set.folder + playlist_name(set.name);
  if (!write_playlist(set.folder, set.name, set.texts.size(), Lengths::unknown)) {
    written.failed = playlist;
    return written;
  }
  written.playlist = playlist;
  std::string input;
  put_in_place(written, input, set.encoder_input,
               finish_encoder_text(std::move(encoder_text)) + "\r\n");
  return written;
}

std::string set_stopped_message(const WrittenSet& written) {
  return std::string(texts::file_not_created.view()) + " " + written.failed + "\n" +
         std::string(texts::run_stopped.view());
}

}  // namespace velkart::generator
