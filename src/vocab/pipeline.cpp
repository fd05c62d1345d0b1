#include "vocab/pipeline.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "runtime/trash.h"
#include "vocab/word_collector.h"

namespace velkart::vocab {

namespace {

constexpr int read_slot = 0;
constexpr int write_slot = 1;
constexpr std::string_view folder = "Wortschatz_erweitern/";

// The source is read in pieces straight into the word builder: a text of
// any size costs one buffer, not a copy of the whole file (or two, once
// upper-cased).
constexpr std::size_t piece_size = std::size_t{1} << 20;

class ProgressLog {
 public:
  explicit ProgressLog(const std::function<void(std::string_view)>& show) : show_(show) {}
  void start(std::string_view first) { text_ = first; }
  void add(std::string_view entry) {
    text_ += entry;
    if (show_) show_(text_);
  }
  // The step's entry stays on screen while it runs; " -->beendet" follows.
  void step_done() {
    text_ += texts::log_done.view();
    add("\n");
  }

 private:
  const std::function<void(std::string_view)>& show_;
  std::string text_;
};

// Reads the whole source through the collector. False when it cannot be
// opened; an empty file is simply a text without words.
bool collect_words(const std::string& path, WordCollector& collector) {
  if (runtime::open_for_reading(read_slot, path) == 0) return false;
  const auto piece = std::make_unique<char[]>(piece_size);
  // Sources saved as UTF-8 or UTF-16 (Notepad's "Unicode") give the same words.
  runtime::PieceDecoder decoder;
  bool going = true;
  while (going) {
    const std::int64_t got =
        runtime::read_bytes(read_slot, piece.get(), static_cast<std::int64_t>(piece_size));
    if (got <= 0) break;
    going = collector.scan(
        decoder.decode(std::string_view(piece.get(), static_cast<std::size_t>(got))));
  }
  if (going) collector.scan(decoder.finish());
  runtime::close_file(read_slot);
  collector.finish();
  return true;
}

// Replaced whole or not at all: on failure the earlier result stays.
void save_line(const runtime::MessageSink& tell, const std::string& path, std::string_view line) {
  bool saved = runtime::create_file(write_slot, path) != 0;
  if (saved) {
    runtime::write_line(write_slot, line);
    saved = runtime::close_file(write_slot);
  }
  if (!saved) tell(texts::file_not_created);
}

// The same checks as for the base name, before anything is read or written:
// the name stays inside the folder and every result name fits the file system.
bool name_usable(const runtime::MessageSink& tell, std::string_view source_name) {
  if (!runtime::plain_file_name(source_name)) {
    tell(texts::bad_base_name);
    return false;
  }
  if (!runtime::name_fits(folder, length_name(source_name))) {
    tell(texts::name_too_long);
    return false;
  }
  return true;
}

}  // namespace

std::string source_path(std::string_view source_name) {
  return std::string(folder) + std::string(source_name) + ".txt";
}
std::string alphabetical_name(std::string_view source_name) {
  return std::string(source_name) + "_bearbeitet_ABC.txt";
}
std::string length_name(std::string_view source_name) {
  return std::string(source_name) + "_bearbeitet_Groesse.txt";
}
std::string alphabetical_path(std::string_view source_name) {
  return std::string(folder) + alphabetical_name(source_name);
}
std::string length_path(std::string_view source_name) {
  return std::string(folder) + length_name(source_name);
}

void run_vocabulary_pipeline(const PipelineHooks& hooks) {
  const std::string source_name = hooks.read_source_name ? hooks.read_source_name() : std::string();
  if (!name_usable(hooks.tell, source_name)) return;
  ProgressLog log(hooks.show_progress);
  log.start(std::string(texts::log_please_wait.view()) + "\n");
  log.add(std::string("\n") + std::string(texts::log_load.view()));

  // Loading, upper-casing, splitting and both filters are one pass over the
  // bytes; the log still names each step as it is reached.
  WordCollector collector;
  // A source without a word would replace the results of an earlier run
  // with two empty lists.
  if (!collect_words(source_path(source_name), collector) || collector.empty()) {
    hooks.tell(texts::no_words_or_file);
    log.step_done();
    log.add(std::string("\n") + std::string(texts::log_end.view()));
    return;
  }
  log.step_done();

  log.add(texts::log_build_words);
  log.step_done();
  log.add(texts::log_length_filter);
  log.step_done();
  log.add(std::string(texts::log_character_filter.view()) + "\n" +
          std::string(texts::log_character_filter_more.view()));
  log.step_done();

  log.add(texts::log_sort);
  // Duplicates already fell away as the words were collected; sorting the
  // distinct words gives the same list as sorting all and then removing them.
  const std::vector<WordKey> alphabetical = collector.sorted_words();
  log.step_done();
  log.add(texts::log_duplicates);
  log.step_done();

  log.add(texts::log_line);
  std::string line = result_line(alphabetical);
  log.step_done();
  log.add(texts::log_save);
  save_line(hooks.tell, alphabetical_path(source_name), line);
  log.step_done();

  log.add(texts::log_by_length);
  const std::vector<WordKey> by_length = grouped_by_length(alphabetical);
  log.step_done();
  log.add(texts::log_line);
  line = result_line(by_length);
  log.step_done();
  log.add(texts::log_save);
  save_line(hooks.tell, length_path(source_name), line);
  log.step_done();

  log.add(std::string("\n") + std::string(texts::log_end.view()));
}

// A word list is read whole; a larger one is no list a course needs.
constexpr std::int64_t largest_own_list = 64 << 20;

bool adopt_alphabetical_list(std::string_view source_name, std::string_view own_list,
                             const std::function<bool(std::string_view)>& confirm,
                             const runtime::MessageSink& tell) {
  const std::string source = alphabetical_path(source_name);
  const auto said = [&](std::string_view text) {
    return runtime::replace_all(runtime::replace_all(text, "PATH", source), "OWN", own_list);
  };
  const runtime::FileBytes list = runtime::read_file_bytes(source, largest_own_list);
  if (list.status != runtime::ReadStatus::read) {
    tell(said(list.status == runtime::ReadStatus::too_large ? texts::adopt_too_large.view()
                                                            : texts::adopt_missing.view()));
    return false;
  }
  std::error_code failed;
  const bool replacing = std::filesystem::exists(runtime::file_system_path(own_list), failed) ||
                         std::filesystem::is_symlink(runtime::file_system_path(own_list), failed);
  if (!confirm(said(texts::adopt_question.view()) +
               (replacing ? std::string(texts::adopt_question_replace.view()) : std::string()) +
               std::string(texts::adopt_question_end.view())))
    return false;
  // The old list is the user's work: it goes where it can be fetched back,
  // or it stays.
  if (replacing && !runtime::move_to_trash(own_list)) {
    tell(said(texts::adopt_not_trashed));
    return false;
  }
  if (!runtime::replace_file(runtime::native_path(own_list), list.bytes)) {
    tell(said(texts::adopt_not_written) +
         (replacing ? std::string(texts::adopt_old_in_trash.view()) : std::string()));
    return false;
  }
  tell(said(texts::adopt_done));
  return true;
}

}  // namespace velkart::vocab
