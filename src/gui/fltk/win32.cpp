#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include "gui/fltk/window_system.h"

namespace velkart::gui::fltk {

bool can_open_display() {
  return true;  // Windows always has its desktop.
}

void open_display() {}  // The desktop is always there.

// Arial is on every Windows; Wine, which lacks it, maps it to the
// metric-compatible Liberation Sans, so the captions measure the same. No
// narrow face is on every Windows (Arial Narrow comes with office suites), so
// a caption that does not fit takes Arial one pixel smaller at a time.
FaceNames caption_faces() {
  return {" Arial", " Arial"};
}

void request_activation(Fl_Window& window) {
  if (!window.shown()) return;
  ::SetForegroundWindow(fl_xid(&window));
}

void keep_above(Fl_Window& window, Fl_Window& owner) {
  if (!window.shown() || !owner.shown()) return;
  // An owned window stays above its owner and goes with it when minimised.
  ::SetWindowLongPtrW(fl_xid(&window), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(fl_xid(&owner)));
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
