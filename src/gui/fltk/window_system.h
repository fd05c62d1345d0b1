#pragma once
// The few things the window system has to be asked for directly: x11.cpp on
// Linux, win32.cpp on Windows.
#include "gui/gui.h"

class Fl_Window;

namespace velkart::gui::fltk {

bool can_open_display();
// Connects to the window system once, before the first window.
void open_display();

// The caption faces (FLTK names) the system at hand has: the normal one,
// metric-compatible with the font the windows were laid out for, and the one
// a caption that does not fit it tries next.
struct FaceNames {
  const char* normal;
  const char* narrow;
};
FaceNames caption_faces();

// Asks the window manager to raise the window and give it the keyboard focus
// (_NET_ACTIVE_WINDOW); show() alone only maps or raises it.
void request_activation(Fl_Window& window);

// Tells the window manager which title-bar boxes to offer (the Motif hints);
// FLTK writes them only for fixed-size windows. Call after show().
void offer_title_boxes(Fl_Window& window, WindowOptions options);

// Marks `window` as transient for `owner` (WM_TRANSIENT_FOR): the window
// manager keeps it above its owner and raises both together.
void keep_above(Fl_Window& window, Fl_Window& owner);

}  // namespace velkart::gui::fltk
