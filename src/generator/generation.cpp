#include "generator/generation.h"

#include <algorithm>

#include "generator/copy_sheet.h"
#include "generator/encoder.h"
#include "generator/output_names.h"
#include "generator/playlist.h"
#include "generator/solution_sheet.h"
#include "generator/word_pool.h"
#include "gui/controls.h"
#include "gui/gui.h"
#include "runtime/texts.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/run_lock.h"
#include "runtime/text.h"

namespace velkart::generator {

namespace {

constexpr int writing_slot = 1;

// Checks that must pass before a run writes anything. A run while an earlier
// run's encoder still reads its input (ours or another process's) would
// rewrite that input and the text files underneath it.
bool may_start(gui::Gui& gui, GenerationContext& context, const runtime::RunLock& lock,
               std::string_view base_name) {
  if (lock.busy() || (context.encoder_process != 0 && context.launcher != nullptr &&
                      context.launcher->is_running(context.encoder_process))) {
    gui.show_message(texts::message_title, texts::encoder_still_running);
    return false;
  }
  context.encoder_process = 0;
  if (!base_name_allowed(base_name)) {
    gui.show_message(texts::message_title, texts::bad_base_name);
    return false;
  }
  const std::int64_t text_count =
      runtime::text_to_integer(gui.get_text(controls::text_count_field));
  if (!runtime::name_fits(output_folder,
                          text_file_name(base_name, std::max<std::int64_t>(text_count - 1, 0)))) {
    gui.show_message(texts::message_title, texts::name_too_long);
    return false;
  }
  if (runtime::text_to_integer(gui.get_text(controls::repetitions_field)) > max_repetitions) {
    gui.show_message(texts::message_title, texts::too_many_repetitions);
    return false;
  }
  return true;
}

// The copy sheet and the playlist beside the run's files. The encoder is
// still at work, so the playlist cannot know the lengths yet.
void write_companions(gui::Gui& gui, GenerationResult& result,
                      const std::vector<std::string>& practice_texts, std::string_view base_name,
                      const pdf::Clock& clock) {
  namespace c = controls;
  CopySheetHeading heading;
  heading.title = std::string(texts::copy_sheet_title.view());
  heading.letters = runtime::remove_all(
      runtime::upper_case(gui.get_text(c::allowed_field) + gui.get_text(c::mandatory_field)), " ");
  heading.new_letter = runtime::upper_case(gui.get_text(c::mandatory_field));
  heading.speeds =
      speeds_line(gui.get_text(c::character_speed_field), gui.get_text(c::effective_speed_field),
                  gui.get_text(c::frequency_field));
  std::vector<CopySheetText> copy_texts;
  for (std::size_t k = 0; k < practice_texts.size(); ++k) {
    copy_texts.push_back(
        {sound_file_name(base_name, static_cast<std::int64_t>(k)), practice_texts[k]});
  }
  const std::string copy_sheet = output_path(copy_sheet_name(base_name));
  if (write_copy_sheet(heading, copy_texts, copy_sheet, clock)) {
    result.copy_sheet_path = copy_sheet;
  } else {
    gui.show_message(texts::message_title, texts::file_not_created);
  }
  const std::string playlist = output_path(playlist_name(base_name));
  if (replace_file(playlist, playlist_text(sound_playlist(output_folder, base_name,
                                                          practice_texts.size())))) {
    result.playlist_path = playlist;
  } else {
    gui.show_message(texts::message_title, texts::file_not_created);
  }
}

}  // namespace

bool base_name_allowed(std::string_view base_name) {
  return runtime::plain_file_name(base_name);
}

GenerationResult run_generation(gui::Gui& gui, GenerationContext& context) {
  GenerationResult result;
  const std::string base_name = gui.get_text(controls::base_name_field);
  const runtime::RunLock lock;
  if (!may_start(gui, context, lock, base_name)) {
    result.refused = true;
    return result;
  }

  check_speeds(gui);
  const auto text_count =
      static_cast<std::int32_t>(runtime::text_to_integer(gui.get_text(controls::text_count_field)));
  const std::int64_t repetitions =
      runtime::text_to_integer(gui.get_text(controls::repetitions_field));

  std::string encoder_text;
  std::vector<std::string> practice_texts;
  std::vector<bool> text_written;
  for (std::int32_t index = 0; index < text_count; ++index) {
    const std::string practice_text = run_trial(gui);
    const std::string name = text_file_name(base_name, index);
    const std::string path = output_path(name);
    result.written_files.push_back(name);
    bool created = runtime::create_file(writing_slot, path) != 0;
    if (created) {
      runtime::write_line(writing_slot, practice_text);
      created = runtime::close_file(writing_slot);
    }
    text_written.push_back(created);
    if (created) {
      result.created_files.push_back(path);
    } else {
      gui.show_message(texts::message_title, texts::file_not_created);
    }
    add_encoder_block(encoder_text, practice_text, repetitions);
    practice_texts.push_back(practice_text);
  }

  if (context.launcher != nullptr) {
    context.encoder_process =
        write_input_and_start_encoder(gui, std::move(encoder_text), *context.launcher);
  }
  const std::string sheet = write_solution_sheet(read_sheet_settings(gui), result.written_files,
                                                 base_name, context.clock, text_written);
  if (sheet.empty()) {
    gui.show_message(texts::message_title, texts::file_not_created);
  } else {
    result.sheet_path = sheet;
  }
  write_companions(gui, result, practice_texts, base_name, context.clock);
  return result;
}

}  // namespace velkart::generator
