#pragma once
// The class register eure_Texte/Auswertung/Auswertungen.csv: one row per
// learner, set and text, as a German spreadsheet reads it (semicolons,
// Windows-1252, CR LF, a header row). A field is quoted only when it holds a
// semicolon, a double quote or a line end, the quotes doubled inside.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/document.h"
#include "scoring/score.h"

namespace velkart::scoring {

inline constexpr std::string_view register_folder = "eure_Texte/Auswertung/";
inline constexpr std::string_view register_path = "eure_Texte/Auswertung/Auswertungen.csv";
inline constexpr std::int64_t max_register_bytes = std::int64_t{64} << 20;

struct RegisterRow {
  std::string date;  // "TT.MM.JJJJ"
  std::string learner;
  std::string set;  // set_name of the prefix
  std::int64_t text = 0;
  std::int64_t words_right = 0;
  std::int64_t words_sent = 0;
  std::int64_t characters_right = 0;
  std::int64_t characters_sent = 0;
  std::vector<ErrorItem> errors;     // in sort_errors order
  std::vector<CharacterCount> sent;  // in byte order
  friend bool operator==(const RegisterRow&, const RegisterRow&) = default;
};

// "02.01.2024".
std::string date_text(const pdf::LocalTime& time);

RegisterRow register_row(std::string_view date, std::string_view learner, std::string_view set,
                         std::int64_t text, const TextScore& score);

// "E>I 2, S>H 1, A fehlt 1, T zuviel 1" and back; nullopt for a list that
// does not read.
std::string error_list(const std::vector<ErrorItem>& errors);
std::optional<std::vector<ErrorItem>> parse_error_list(std::string_view text);
// "A 3, E 5" and back.
std::string sent_list(const std::vector<CharacterCount>& sent);
std::optional<std::vector<CharacterCount>> parse_sent_list(std::string_view text);

// The whole file: header and one line per row, each ended by CR LF.
std::string render_register(const std::vector<RegisterRow>& rows);

// Reads what render_register writes, and what a spreadsheet makes of it as
// long as the columns stay (any field may be quoted; empty lines are passed
// over). bad_line: the first line that does not read (1-based), 0 when all did.
struct RegisterParse {
  std::vector<RegisterRow> rows;
  std::int64_t bad_line = 0;
};
RegisterParse parse_register(std::string_view text);

// The same learner, set and text again replaces the earlier row in its
// place; any other row is added at the end.
void merge_row(std::vector<RegisterRow>& rows, RegisterRow row);

enum class RegisterState { read, missing, unreadable, too_large };
struct LoadedRegister {
  RegisterState state = RegisterState::missing;
  std::vector<RegisterRow> rows;
  std::int64_t bad_line = 0;  // unreadable: the line, or 0 when the file could not be read
};
// A register saved again by a spreadsheet as UTF-8 is read as well.
LoadedRegister load_register();
// The German message for a register that is unreadable or too large.
std::string register_problem(const LoadedRegister& loaded);

// Creates eure_Texte/Auswertung/ when missing and replaces the file whole.
// The German message when it failed (the earlier file then stays as it was).
std::optional<std::string> save_register(const std::vector<RegisterRow>& rows);

}  // namespace velkart::scoring
