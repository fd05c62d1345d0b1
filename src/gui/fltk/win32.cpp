#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include "gui/fltk/x11.h"

namespace velkart::gui::fltk {

bool can_open_display() {
  return true;  // Windows always has its desktop.
}

void open_display() {}  // The desktop is always there.

// Arial is on every Windows; Wine, which lacks it, maps it to the
// metric-compatible Liberation Sans, so the captions measure the same.
const char* caption_font() {
  return " Arial";
}

void request_activation(Fl_Window& window) {
  if (!window.shown()) return;
  ::SetForegroundWindow(fl_xid(&window));
}

void offer_title_boxes(Fl_Window& window, WindowOptions options) {
  if (!window.shown()) return;
  const HWND handle = fl_xid(&window);
  LONG_PTR style = ::GetWindowLongPtrW(handle, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME);
  if (options.minimise_box) style |= WS_MINIMIZEBOX;
  if (options.sizing_border) style |= WS_THICKFRAME;
  // A fixed-size window has nothing to maximise to.
  if (options.sizing_border && options.maximise_box) style |= WS_MAXIMIZEBOX;
  ::SetWindowLongPtrW(handle, GWL_STYLE, style);
  ::SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace velkart::gui::fltk
