#pragma once
// A modal box with the text and one "OK" button, centred on the window it
// belongs to. fl_message would sit under the mouse and say "Close".
#include <string_view>

class Fl_Window;

namespace velkart::gui::fltk {

// Blocks until the user confirms (OK, Enter, Escape or the close box); the
// program's other windows take no input meanwhile. `owner` may be null:
// the box is then centred on the screen. Texts are Windows-1252.
enum class BoxButtons { ok, yes_no };
// With yes_no: true only when "Ja" was pressed.
bool run_message_box(Fl_Window* owner, std::string_view title, std::string_view text,
                     BoxButtons buttons = BoxButtons::ok);

}  // namespace velkart::gui::fltk
