#include "generator/generation.h"

#include <algorithm>
#include <filesystem>

#include "generator/encoder.h"
#include "generator/encoder_progress.h"
#include "generator/output_names.h"
#include "generator/word_pool.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/run_lock.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "runtime/trash.h"

namespace velkart::generator {

namespace {

// Checks that must pass before a run writes anything. A run while an earlier
// run's encoder still reads its input (ours or another process's) would
// rewrite that input and the text files underneath it.
bool may_start(const RunSettings& settings, GenerationContext& context,
               const runtime::RunLock& lock, const runtime::MessageSink& tell,
               const SetPlace& place) {
  if (lock.unavailable()) {
    tell(texts::lock_unavailable);
    return false;
  }
  if (lock.busy() || (context.encoder_process != 0 && context.launcher != nullptr &&
                      context.launcher->is_running(context.encoder_process))) {
    tell(texts::encoder_still_running);
    return false;
  }
  context.encoder_process = 0;
  if (const auto refused = check_run(settings, settings.text_count, place.folder)) {
    tell(*refused);
    return false;
  }
  if (settings.pool.word_limit < 1) {
    tell(texts::course_no_words);
    return false;
  }
  return true;
}

PracticeSet generation_set(const RunSettings& settings, std::vector<std::string> practice_texts,
                           const SetPlace& place) {
  const PoolOptions& pool = settings.pool;
  PracticeSet set;
  set.folder = place.folder;
  set.sheet_note = place.sheet_note;
  set.name = settings.encoder.base_name;
  set.texts = std::move(practice_texts);
  set.repetitions = runtime::text_to_integer(settings.repetitions);
  set.sheet = sheet_settings(settings);
  set.copy_heading.title =
      place.copy_title.empty() ? std::string(texts::copy_sheet_title.view()) : place.copy_title;
  set.copy_heading.letters =
      runtime::remove_all(runtime::upper_case(pool.allowed + pool.mandatory), " ");
  set.copy_heading.new_letter = runtime::upper_case(pool.mandatory);
  set.copy_heading.speeds = speeds_line(settings.encoder.character_speed,
                                        settings.encoder.effective_speed, set.sheet.frequency);
  set.encoder_input = std::string(encoder_input_path);
  set.listening = settings.encoder.listening;
  set.timing = send_timing(settings);
  return set;
}

}  // namespace

SheetSettings sheet_settings(const RunSettings& settings) {
  const EncoderFields& encoder = settings.encoder;
  SheetSettings sheet;
  sheet.character_speed = encoder.character_speed;
  sheet.frequency = sounding_tone(encoder.listening, encoder.frequency);
  sheet.effective_speed = encoder.effective_speed;
  sheet.repetitions = settings.repetitions;
  sheet.word_spacing = encoder.word_spacing;
  sheet.qrq = encoder.qrq;
  return sheet;
}

GenerationResult run_generation(const RunSettings& settings, GenerationContext& context,
                                const runtime::MessageSink& tell, const SetPlace& place) {
  GenerationResult result;
  const runtime::RunLock lock;
  if (!may_start(settings, context, lock, tell, place)) {
    result.refused = true;
    return result;
  }
  result.used = settings;
  result.speed_lowered = lower_effective_speed(result.used.encoder);
  // What a run that was ended while writing left behind.
  std::error_code ignored;
  std::filesystem::create_directory(runtime::file_system_path(place.folder), ignored);
  runtime::remove_orphaned_temporaries(place.folder);
  runtime::remove_orphaned_temporaries(std::string(encoder_home) + "/");

  // Every text is a trial run of its own: each says again which ticked list
  // could not be read.
  const PoolBuild build = build_word_pool(settings.pool);
  result.pool_label = pool_line(build.pool, result.used);
  // An empty pool would replace the last good set with empty texts.
  if (pool_word_count(build.pool) == 0) {
    for (std::size_t k = 0; k < build.unreadable_lists.size(); ++k) tell(texts::no_words_or_file);
    tell(texts::empty_pool);
    result.refused = true;
    return result;
  }
  const auto text_count = static_cast<std::int32_t>(settings.text_count);
  for (std::int32_t index = 0; index < text_count; ++index) {
    for (std::size_t k = 0; k < build.unreadable_lists.size(); ++k) tell(texts::no_words_or_file);
    result.texts.push_back(draw_from_pool(build.pool, settings.pool.word_limit));
  }

  // Texts and sound files of an earlier, longer run of this name would stand
  // beside a key that does not cover them.
  std::int64_t trashed = 0;
  bool kept = false;
  for (const std::string& stale :
       numbered_files_from(place.folder, settings.encoder.base_name, settings.text_count)) {
    if (runtime::move_to_trash(stale)) {
      ++trashed;
    } else {
      kept = true;
    }
  }
  if (kept) {
    result.note = std::string(texts::stale_kept.view());
  } else if (trashed == 1) {
    result.note = std::string(texts::stale_one_trashed.view());
  } else if (trashed > 1) {
    result.note = runtime::integer_to_text(trashed) + std::string(texts::stale_trashed.view());
  }

  result.files =
      write_practice_set(generation_set(result.used, result.texts, place), context.clock);
  if (!result.files.complete()) {
    tell(set_stopped_message(result.files));
    return result;
  }
  if (context.launcher != nullptr) {
    const std::string encoder = find_encoder(*context.launcher);
    const std::string& base_name = settings.encoder.base_name;
    context.encoder_process =
        encoder.empty()
            ? 0
            : start_encoder(
                  *context.launcher, encoder,
                  encoder_arguments(result.used.encoder, encoder_input_path,
                                    place.folder + sound_file_prefix(base_name), base_name));
    if (context.encoder_process == 0) {
      tell(encoder_missing_message());
    } else {
      // A later start of the program finds it here, should this one end first.
      if (!record_encoder(
              {context.encoder_process,
               {settings.encoder.base_name, settings.text_count, encoder_input_written()}}))
        tell(std::string(texts::file_not_created.view()) + " " + std::string(encoder_record_path));
    }
  }
  return result;
}

}  // namespace velkart::generator
