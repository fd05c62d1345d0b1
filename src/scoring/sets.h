#pragma once
// The sets of practice texts in eure_Texte/ a copy is scored against. A set
// is named by its prefix, the path of its text files without the number:
// "eure_Texte/Dateiname" or "eure_Texte/Kurs_Lektion05/Kurs_Lektion05_" (a
// lesson's files carry the lesson; an older lesson's hold "Kurs"). Prefixes and
// names are Windows-1252 program paths.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::scoring {

// "eure_Texte/Dateiname" and 7 give "eure_Texte/Dateiname0007_.txt", as the
// generation run names its texts.
std::string text_path(std::string_view prefix, std::int64_t index);

// The set's name in the register: the prefix with "/" separators, without
// a leading "./" or "eure_Texte/"; a lesson's is its folder's, "Kurs_Lektion05".
std::string set_name(std::string_view prefix);

// The texts of a set, numbered from 0 without a gap; empty when text 0 is
// missing. Each text's lines joined by a blank.
struct KeyTexts {
  std::vector<std::string> texts;
  std::optional<std::int64_t> unreadable;  // a text that exists but could not be read
};
KeyTexts read_key_texts(std::string_view prefix);

struct SetInfo {
  std::string prefix;
  std::string name;  // set_name(prefix)
  std::int64_t texts = 0;
};

// Every set in eure_Texte/: each base name with text files directly in it,
// and each lesson folder NAME_LektionNN/ with the text files in it. Newest
// first by the time text 0 was written, then by prefix.
std::vector<SetInfo> find_sets();

}  // namespace velkart::scoring
