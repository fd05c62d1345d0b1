#pragma once
// The word pool and the practice-text draw behind "Text analysieren
// -Probedurchlauf-": the ticked word lists, upper-cased and with the ß and
// umlaut replacements, split into entries and filtered by the allowed and
// mandatory characters and the word length; then shuffled and cut to the
// word limit. The window is read once into PoolOptions; everything after
// works on those plain values, so the batch companion and the course run
// share it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/message_sink.h"

namespace velkart::generator {

struct RunSettings;

using WordPool = std::vector<std::string>;

// The word lists in the order they are read; each has its check box.
inline constexpr std::string_view word_list_paths[] = {
    "nicht_loeschen/eigeneDatei.txt",    "nicht_loeschen/de_AllgemAfuTechnik.txt",
    "nicht_loeschen/en1000.txt",         "nicht_loeschen/Qgruppe.txt",
    "nicht_loeschen/CWabkuerzungen.txt",
};

// The 30 letters that the character filter can remove.
inline constexpr std::string_view letter_alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC\xDF";

// Words with these never enter the pool: the encoder cannot send them.
inline constexpr std::string_view encoder_command_characters = "#|<>";
// Everything a trial run takes from the main window, as the controls hold it.
struct PoolOptions {
  std::vector<std::string> lists;  // paths of the ticked word lists, in reading order
  int word_length = 5;             // slider 6
  bool up_to = true;               // option 26 "bis zu"; otherwise exactly
  bool replace_sz = true;          // check box 9
  bool replace_umlauts = true;     // check box 10
  std::string allowed;             // field 12, as typed
  std::string mandatory;           // field 43, as typed
  std::int32_t word_limit = 300;   // field 28, as a 32-bit number
  // A drill set's weak characters: every word holds at least one of them,
  // and a word with more of them is drawn more often. Empty for every other run.
  std::string any_of;
};

struct PoolFilter {
  std::string filtered_out;  // letters of the alphabet not allowed, in alphabet order
  std::string mandatory;     // upper-cased, blanks kept: a blank is mandatory too
  std::int64_t word_length = 0;
  bool up_to = true;   // "bis zu"; otherwise exactly
  std::string any_of;  // upper-cased; empty: no such test
};
PoolFilter pool_filter(const PoolOptions& options);

// Each entry as often as its characters of `weak` (upper case, the weakest
// first) weigh: N for the weakest of N down to 1 for the last, added up. A
// draw then picks words with more weak characters, and with weaker ones,
// more often.
WordPool weighted_pool(const WordPool& pool, std::string_view weak);

// The letters of the alphabet that neither the allowed nor the mandatory
// characters let through (case and blanks do not matter), as label 14 shows them.
std::string filtered_alphabet(std::string_view allowed, std::string_view mandatory);

// The pool text's ß becomes SS and Ö, Ä, Ü become OE, AE, UE when switched on.
std::string replace_special_letters(std::string pool_text, bool replace_sz, bool replace_umlauts);

// Splits the upper-cased, replaced pool text into entries: a blank ends an
// entry (empty ones are dropped), a comma becomes a blank inside the entry,
// and the final entry is kept even when empty.
WordPool split_pool_text(std::string_view pool_text);
bool passes_filter(std::string_view entry, const PoolFilter& filter);
void filter_pool(WordPool& pool, const PoolFilter& filter);

// Reads the lists (paths) into one text, upper-cases it, replaces ß and the
// umlauts as asked and splits it; a list that cannot be opened gives nothing
// and is added to `unreadable_lists`.
WordPool read_source_pool(const std::vector<std::string>& lists, bool replace_sz,
                          bool replace_umlauts, std::vector<std::string>& unreadable_lists);

// Reads, replaces, splits and filters. A list that cannot be opened gives
// nothing and is named in `unreadable_lists`, once per list.
struct PoolBuild {
  WordPool pool;
  std::vector<std::string> unreadable_lists;
};
PoolBuild build_word_pool(const PoolOptions& options);

// Shuffles the whole pool with one random number per entry (the index of the
// remaining entries in pool order), keeps the first `word_limit` entries and
// joins them with single blanks.
std::string draw_from_pool(const WordPool& pool, std::int32_t word_limit);

// The words of a pool: its entries that are not empty.
std::int64_t pool_word_count(const WordPool& pool);
// The pool label, "Wortvorrat: N Wörter", which also says when every text
// holds the same words (N not above the word limit) or when none fits (N 0).
std::string pool_summary(const WordPool& pool, std::int64_t word_limit);
// The pool label with how long one sound file of a text drawn from it plays.
std::string pool_line(const WordPool& pool, const RunSettings& settings);

// A trial run: the pool built, a message per unreadable list, one text drawn.
struct Trial {
  std::string text;
  std::string pool_label;  // pool_line of the pool it was drawn from
};
Trial run_trial(const RunSettings& settings, const runtime::MessageSink& tell);

}  // namespace velkart::generator
