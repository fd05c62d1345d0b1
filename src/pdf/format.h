#pragma once
// The two encoders behind every piece of text the writer puts into a file:
// numbers and strings. Both produce 7-bit ASCII whatever the locale.
#include <string>
#include <string_view>

namespace velkart::pdf {

// `value` widened to double and printed in fixed notation with exactly
// `decimals` digits after a point (never a comma, whatever the locale),
// rounded to the nearest. A result that reads as zero carries no minus sign.
// Values that are not finite print as zero: a PDF has no spelling for them.
std::string format_number(float value, int decimals);
// The same, appended to `out` (the hot path of the text cells).
void append_number(std::string& out, float value, int decimals);

// The bytes of a Windows-1252 text as they may stand inside a PDF literal
// string: the control bytes 8, 9, 10, 12, 13, the backslash and both
// parentheses get their backslash escapes, bytes 128-255 become a backslash
// and three octal digits, everything else is copied.
std::string escape_text(std::string_view text);
void append_escaped(std::string& out, std::string_view text);

// "(" + escape_text(text) + ")".
std::string text_string(std::string_view text);

}  // namespace velkart::pdf
