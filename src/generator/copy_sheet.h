#pragma once
// The learners' sheet to copy onto: a heading with the letters and speeds
// and a line for name and date, then per text a block titled with its number
// and sound file, as many ruled lines as the text takes on the solution
// sheet, and a box for the number of words copied right.
#include <string>
#include <string_view>
#include <vector>

#include "pdf/document.h"

namespace velkart::generator {

struct CopySheetHeading {
  std::string title;       // "Mitschrift Lektion 05", or "Mitschrift" for a generation run
  std::string letters;     // the allowed letters
  std::string new_letter;  // empty when there is none
  std::string speeds;      // "20 WpM Zeichen, 8 WpM effektiv, 650 Hz"
  std::string conditions;  // the listening conditions' line, or none
};

struct CopySheetText {
  std::string sound_name;  // the mp3 file's name, without folder
  std::string text;        // the practice text as written
};

// "Zeichen: K M U R E S      neu: S": each letter once, in the order given,
// the new ones named once more after "neu:".
std::string letters_line(std::string_view letters, std::string_view new_letters);

// Lines the text takes in the solution sheet's body (Times 12, 5 mm, full
// width), at least one.
int solution_sheet_lines(std::string_view text);

// "20 WpM Zeichen, 8 WpM effektiv, 650 Hz" from the field texts.
std::string speeds_line(std::string_view character_speed, std::string_view effective_speed,
                        std::string_view frequency);

// Saves the sheet as `path`; false when the writer could not.
bool write_copy_sheet(const CopySheetHeading& heading, const std::vector<CopySheetText>& texts,
                      std::string_view path, const pdf::Clock& clock);

}  // namespace velkart::generator
