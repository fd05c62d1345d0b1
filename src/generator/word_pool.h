#pragma once
// The word pool and the practice-text draw behind "Text analysieren
// -Probedurchlauf-": the ticked word lists, upper-cased and with the ß and
// umlaut replacements, split into entries and filtered by the allowed and
// mandatory characters and the word length; then shuffled and cut to the
// word limit. Options are read from the main window's controls as they stand.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::gui {
class Gui;
}

namespace velkart::generator {

using WordPool = std::vector<std::string>;

// The word lists in the order they are read, with the check box of each.
struct WordListFile {
  int checkbox;
  std::string_view path;
};
inline constexpr WordListFile word_list_files[] = {
    {1, "nicht_loeschen/eigeneDatei.txt"},    {2, "nicht_loeschen/de_AllgemAfuTechnik.txt"},
    {3, "nicht_loeschen/en1000.txt"},         {4, "nicht_loeschen/Qgruppe.txt"},
    {5, "nicht_loeschen/CWabkuerzungen.txt"},
};

// The 30 letters that the character filter can remove.
inline constexpr std::string_view letter_alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC\xDF";

// Words with these never enter the pool: the encoder cannot send them.
inline constexpr std::string_view encoder_command_characters = "#|<>";

struct PoolFilter {
  std::string filtered_out;  // letters of the alphabet not allowed, in alphabet order
  std::string mandatory;     // upper-cased, blanks kept: a blank is mandatory too
  std::int64_t word_length = 0;
  bool up_to = true;  // "bis zu"; otherwise exactly
};

// Splits the upper-cased, replaced pool text into entries: a blank ends an
// entry (empty ones are dropped), a comma becomes a blank inside the entry,
// and the final entry is kept even when empty.
WordPool split_pool_text(std::string_view pool_text);
bool passes_filter(std::string_view entry, const PoolFilter& filter);
void filter_pool(WordPool& pool, const PoolFilter& filter);

// Shuffles the whole pool with one random number per entry (the index of the
// remaining entries in pool order), keeps the first `word_limit` entries and
// joins them with single blanks.
std::string draw_from_pool(const WordPool& pool, std::int32_t word_limit);

// The words of a pool: its entries that are not empty.
std::int64_t pool_word_count(const WordPool& pool);
// The pool label, "Wortvorrat: N Wörter", which also says when every text
// holds the same words (N not above the word limit) or when none fits (N 0).
std::string pool_summary(const WordPool& pool, std::int64_t word_limit);

// The ticked lists (in the order of word_list_files) read one after the
// other, upper-cased, with the ß and umlaut replacements as switched on, and
// split into entries. A list that cannot be opened adds nothing and is named
// in `unreadable`.
WordPool read_word_lists(const std::array<bool, 5>& ticked, bool replace_sz, bool replace_umlauts,
                         std::vector<std::string>& unreadable);

// Steps 2 to 7 of the trial run: writes labels 8 and 14, may show messages.
WordPool build_word_pool(gui::Gui& gui);
// Reads the word limit from field 28 and draws.
std::string draw_practice_text(gui::Gui& gui, const WordPool& pool);
// The whole trial run: the waiting notice, the pool, the draw; shows the
// practice text in the output area and the pool label, and returns the text.
std::string run_trial(gui::Gui& gui);

}  // namespace velkart::generator
