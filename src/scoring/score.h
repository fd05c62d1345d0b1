#pragma once
// Scoring one learner's copy against the text that was sent. Both sides are
// Windows-1252 texts; they are compared as the set was drawn: upper case,
// ß as SS and Ä Ö Ü as AE OE UE. Runs of blanks count as one, and blanks are
// not characters.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::scoring {

// The text as it is compared: upper case, ß -> SS, Ä Ö Ü -> AE OE UE.
std::string normalise(std::string_view text);

// The words of a text: runs of bytes between blanks, tabs, line ends and
// no-break spaces.
std::vector<std::string_view> split_words(std::string_view text);

enum class ErrorKind { confused, missed, extra };

// One kind of error with how often it happened: a sent character copied as
// another, a sent character missing, or a copied character that was not sent.
struct ErrorItem {
  ErrorKind kind = ErrorKind::confused;
  char sent = 0;    // confused and missed
  char copied = 0;  // confused and extra
  std::int64_t count = 0;
  friend bool operator==(const ErrorItem&, const ErrorItem&) = default;
};

// How often one character was sent.
struct CharacterCount {
  char character = 0;
  std::int64_t count = 0;
  friend bool operator==(const CharacterCount&, const CharacterCount&) = default;
};

struct TextScore {
  std::int64_t words_sent = 0;
  std::int64_t words_right = 0;
  std::int64_t characters_sent = 0;
  std::int64_t characters_right = 0;
  std::vector<CharacterCount> sent;      // every character of the key, in byte order
  std::vector<ErrorItem> errors;         // in error_order
  std::vector<std::string> extra_words;  // copied words paired with no key word, in copy order
};

// Confusions first, then missing, then extra characters; within each the
// most frequent first, then in byte order of the sent and copied character.
void sort_errors(std::vector<ErrorItem>& errors);

// Words right are the key words paired with an equal copied word; characters
// are aligned within the word alignment (see score.cpp for the rules).
TextScore score_text(std::string_view key, std::string_view copy);

}  // namespace velkart::scoring
