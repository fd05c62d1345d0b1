#pragma once
// Captions measured with the font that draws them. The windows were laid out
// for a narrower font than ours: a caption that does not fit its box takes
// the narrow face, then one pixel less at a time, instead of being cut or
// running into its neighbour.
#include <FL/Enumerations.H>

#include <string>

#include "gui/gui.h"

class Fl_Widget;

namespace velkart::gui::fltk {

struct Face {
  Fl_Font font;
  int size;
};

// Registers the faces; call once after the display is open.
void set_up_faces();
Face normal_face();

// Whether `utf8` (as FLTK draws it) fits the room `kind` gives it in `widget`
// when drawn in `face`. Fields measure their value, the others their caption.
bool fits(const Fl_Widget& widget, ControlKind kind, const char* utf8, Face face);

// The first face, from the normal one down, in which the text fits; the
// smallest when none does. Applied to the widget's caption or field text.
void fit_text(Fl_Widget& widget, ControlKind kind);

// Empty when the widget's text fits as it is drawn now, else what is cut.
std::string cut_text(const Fl_Widget& widget, ControlKind kind);

}  // namespace velkart::gui::fltk
