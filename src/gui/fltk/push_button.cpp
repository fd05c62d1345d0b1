#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "gui/fltk/widgets.h"

namespace velkart::gui::fltk {

PushButton::PushButton(int x, int y, int w, int h, ButtonOptions options)
    : Fl_Button(x, y, w, h), default_button_(options.default_button) {
  clear_flag(SHORTCUT_LABEL);
  box(FL_UP_BOX);
  Fl_Align where = FL_ALIGN_INSIDE | FL_ALIGN_CENTER | FL_ALIGN_CLIP;
  if (options.multi_line) where |= FL_ALIGN_WRAP;
  align(where);
  // The default look alone: Enter typed into a field must never start a run
  // that rewrites every file. Only a message box's OK answers Enter.
}

void PushButton::set_pressed_colors(std::optional<Fl_Color> text, std::optional<Fl_Color> face) {
  pressed_text_ = text;
  pressed_face_ = face;
  redraw();
}

int PushButton::handle(int event) {
  // Enter reports the default button but leaves the keyboard focus where it
  // is (FLTK would move it to the button, and the field would report losing it).
  if (event == FL_SHORTCUT && shortcut() != 0) {
    if (Fl::test_shortcut(shortcut()) == 0) return 0;
    do_callback();
    return 1;
  }
  return Fl_Button::handle(event);
}

void PushButton::draw() {
  const bool held = value() != 0;
  const Fl_Color face = held && pressed_face_ ? *pressed_face_ : color();
  const Fl_Color text = held && pressed_text_ ? *pressed_text_ : labelcolor();
  int X = x(), Y = y(), W = w(), H = h();
  if (default_button_) {
    fl_color(FL_FOREGROUND_COLOR);
    fl_rect(X, Y, W, H);
    X += 1;
    Y += 1;
    W -= 2;
    H -= 2;
  }
  draw_box(held ? FL_DOWN_BOX : FL_UP_BOX, X, Y, W, H, face);
  const Fl_Color normal_text = labelcolor();
  labelcolor(text);
  const int sink = held ? 1 : 0;  // the caption moves with the face
  draw_label(X + 3 + sink, Y + 2 + sink, W - 6, H - 4);
  labelcolor(normal_text);
  if (Fl::focus() == this) draw_focus(FL_UP_BOX, X, Y, W, H);
}

}  // namespace velkart::gui::fltk
