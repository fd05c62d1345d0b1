#include <FL/Fl.H>

#include "gui/fltk/widgets.h"

namespace velkart::gui::fltk {

ControlWindow::ControlWindow(int w, int h) : Fl_Double_Window(w, h) {
  end();  // controls are added explicitly, never by construction
  Fl::watch_widget_pointer(last_focus_);
}

ControlWindow::~ControlWindow() {
  Fl::release_widget_pointer(last_focus_);
}

bool ControlWindow::focus_first(bool backwards) {
  for (int k = 0; k < children(); ++k) {
    Fl_Widget* candidate = child(backwards ? children() - 1 - k : k);
    if (candidate->take_focus()) return true;
  }
  return false;
}

int ControlWindow::handle(int event) {
  if (event == FL_FOCUS) {
    // Back to the control that had the focus last; otherwise the window keeps it.
    if (last_focus_ != nullptr && contains(last_focus_)) last_focus_->take_focus();
    return 1;
  }
  // Enter that no control took presses nothing: left to FLTK, it would
  // wander through the controls as a shortcut and move the keyboard focus.
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) &&
      (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    return 1;
  }
  if (event == FL_KEYBOARD && Fl::focus() == this && Fl::event_key() == FL_Tab &&
      (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) == 0) {
    if (focus_first((Fl::event_state() & FL_SHIFT) != 0)) return 1;
  }
  const int used = Fl_Double_Window::handle(event);
  Fl_Widget* focused = Fl::focus();
  if (focused != nullptr && focused != this && contains(focused)) last_focus_ = focused;
  return used;
}

}  // namespace velkart::gui::fltk
