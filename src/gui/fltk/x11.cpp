#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include "gui/fltk/window_system.h"

namespace velkart::gui::fltk {

bool can_open_display() {
  // XOpenDisplay, not fl_open_display: FLTK ends the process when it fails.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

void open_display() {
  fl_open_display();
}

// The leading blank keeps FLTK from reading the first letter as a style.
FaceNames caption_faces() {
  return {" Liberation Sans", " Liberation Sans Narrow"};
}

void request_activation(Fl_Window& window) {
  if (!window.shown() || fl_display == nullptr) return;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.serial = 0;
  message.xclient.send_event = True;
  message.xclient.display = fl_display;
  message.xclient.window = fl_xid(&window);
  message.xclient.message_type = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
  message.xclient.format = 32;
  // Source 2 ("pager"): the request comes from the user's own action (closing
  // the builder window), so focus-stealing prevention must not swallow it.
  message.xclient.data.l[0] = 2;
  message.xclient.data.l[1] = CurrentTime;
  message.xclient.data.l[2] = 0;
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &message);
  XFlush(fl_display);
}

void offer_title_boxes(Fl_Window& window, WindowOptions options) {
  if (!window.shown() || fl_display == nullptr) return;
  enum : unsigned long { resize = 2, move = 4, minimise = 8, maximise = 16, close = 32 };
  struct MotifHints {
    unsigned long flags, functions, decorations;
    long input_mode;
    unsigned long status;
  } hints{/*functions given*/ 1, move | close, 0, 0, 0};
  if (options.minimise_box) hints.functions |= minimise;
  if (options.sizing_border) hints.functions |= resize;
  // A fixed-size window has nothing to maximise to.
  if (options.sizing_border && options.maximise_box) hints.functions |= maximise;
  const Atom property = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(&window), property, property, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), 5);
}

void keep_above(Fl_Window& window, Fl_Window& owner) {
  if (!window.shown() || !owner.shown() || fl_display == nullptr) return;
  XSetTransientForHint(fl_display, fl_xid(&window), fl_xid(&owner));
  XFlush(fl_display);
}

}  // namespace velkart::gui::fltk
