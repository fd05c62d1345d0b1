#pragma once
// The vocabulary builder's processing: a source text from the folder
// "Wortschatz_erweitern" becomes two word lists, one alphabetical and one
// grouped by word length, with a progress log shown step by step.
#include <functional>
#include <string>
#include <string_view>

#include "runtime/message_sink.h"

namespace velkart::vocab {

// What the caller hands the pipeline: how to read the source name (read once,
// at the start) and how to show the progress log (called with the whole log,
// Windows-1252 with LF line ends, after every entry). The builder window
// reads its name field and fills its progress display; the command-line
// companion passes a name and prints the log. Messages go to `tell`.
struct PipelineHooks {
  std::function<std::string()> read_source_name;
  std::function<void(std::string_view log)> show_progress;
  runtime::MessageSink tell;
};

// The files of a source name, exactly as typed (no check, "" allowed).
std::string source_path(std::string_view source_name);
std::string alphabetical_name(std::string_view source_name);  // without the folder
std::string length_name(std::string_view source_name);
std::string alphabetical_path(std::string_view source_name);
std::string length_path(std::string_view source_name);

// Runs every step: reads the source, writes both result files (replacing
// older ones). A source that cannot be opened counts as empty and a result
// file that cannot be created is skipped, each with a message;
// the run always goes on to its end. A name with a folder separator or a
// refused character, or too long for the file system, stops the run before
// it starts, with a message.
void run_vocabulary_pipeline(const PipelineHooks& hooks);

// The alphabetical result of `source_name` becomes the list at `own_list`
// after `confirm` said yes to a question naming both. An older list goes to
// the desktop's trash first and is never overwritten. True when the list is
// in place; every other end is said through `tell`, a "no" says nothing.
bool adopt_alphabetical_list(std::string_view source_name, std::string_view own_list,
                             const std::function<bool(std::string_view)>& confirm,
                             const runtime::MessageSink& tell);

}  // namespace velkart::vocab
