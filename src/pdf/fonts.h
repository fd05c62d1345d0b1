#pragma once
// The font table of a document and the lookup of the standard fonts.
#include <string>
#include <string_view>

#include "pdf/font_widths.h"

namespace velkart::pdf {

// One font resource of the document ("/F" + number), in order of first use.
struct FontEntry {
  int object_number = 0;                   // assigned when the file is written
  int number = 0;                          // 1 for the first font added, then 2, ...
  const StandardFont* standard = nullptr;  // base font name and widths
  std::string style;                       // normalised: "", "B", "I" or "BI"
  std::string key;                         // the font key, e.g. "__B+HELVETICA"
};

// The standard font for an upper-cased family + style ("TIMESBI"), or
// nullptr when there is none.
const StandardFont* find_standard_font(std::string_view lookup_name);

// The identity under which a font is found again in the font table: the
// style left-padded with "_" to three bytes, "+", the family, upper-cased.
std::string font_key(std::string_view family, std::string_view style);

}  // namespace velkart::pdf
