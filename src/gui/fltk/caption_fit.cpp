#include "gui/fltk/caption_fit.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <array>

#include "gui/fltk/fltk_gui.h"
#include "gui/fltk/window_system.h"

namespace velkart::gui::fltk {

namespace {

constexpr Fl_Font narrow_font = FL_FREE_FONT;
constexpr int normal_size = 11;
constexpr std::array<Face, 5> faces{{{FL_HELVETICA, normal_size},
                                     {narrow_font, normal_size},
                                     {narrow_font, normal_size - 1},
                                     {narrow_font, normal_size - 2},
                                     {narrow_font, normal_size - 3}}};

// Pixels kept free beside a static text, so two texts whose boxes touch do
// not read as one word.
constexpr int gap = 2;
// Fl_Input draws its text one pixel in and wants room for the cursor.
constexpr int field_slack = 4;

struct Room {
  int w = 0, h = 0;
  bool wraps = false;
};

// Where each kind draws its caption (see the widgets' draw()).
Room room_of(const Fl_Widget& widget, ControlKind kind, int size) {
  switch (kind) {
    case ControlKind::label:
      return {widget.w() - gap, widget.h(), true};
    case ControlKind::checkbox:
    case ControlKind::option:
      // The check mark is a square of the caption's size, 2 pixels in, and
      // the caption starts 2 pixels after it.
      return {widget.w() - Fl::box_dw(widget.box()) - size - 4 - gap, widget.h(), false};
    case ControlKind::button: {
      const bool wraps = (widget.align() & FL_ALIGN_WRAP) != 0;
      // Default buttons lose one more pixel on each side to their outline.
      return {widget.w() - 8, widget.h() - 6, wraps};
    }
    case ControlKind::frame:
      return {widget.w() - 12, widget.h(), false};
    case ControlKind::edit:
      return {widget.w() - Fl::box_dw(widget.box()) - field_slack, widget.h(), false};
    case ControlKind::progress:
      return {widget.w() - Fl::box_dw(widget.box()) - 2 * gap, widget.h(), false};
    default:
      return {};
  }
}

bool measured_fits(const char* utf8, Face face, Room room, bool symbols) {
  if (utf8 == nullptr || *utf8 == '\0') return true;
  fl_font(face.font, face.size);
  int w = room.wraps ? room.w : 0, h = 0;
  fl_measure(utf8, w, h, symbols ? 1 : 0);
  return w <= room.w && h <= room.h;
}

bool has_text(ControlKind kind) {
  return kind == ControlKind::label || kind == ControlKind::checkbox ||
         kind == ControlKind::option || kind == ControlKind::button || kind == ControlKind::frame ||
         kind == ControlKind::edit || kind == ControlKind::progress;
}

const char* text_of(const Fl_Widget& widget, ControlKind kind) {
  if (kind == ControlKind::edit) return static_cast<const Fl_Input&>(widget).value();
  return widget.label();
}

Face face_of(const Fl_Widget& widget, ControlKind kind) {
  if (kind == ControlKind::edit) {
    const auto& field = static_cast<const Fl_Input&>(widget);
    return {field.textfont(), field.textsize()};
  }
  return {widget.labelfont(), widget.labelsize()};
}

}  // namespace

void set_up_faces() {
  const FaceNames names = caption_faces();
  Fl::set_font(FL_HELVETICA, names.normal);
  Fl::set_font(narrow_font, names.narrow);
}

Face normal_face() {
  return faces.front();
}

bool fits(const Fl_Widget& widget, ControlKind kind, const char* utf8, Face face) {
  if (!has_text(kind)) return true;
  // Captions read '@' as a symbol escape; field texts do not.
  return measured_fits(utf8, face, room_of(widget, kind, face.size), kind != ControlKind::edit);
}

void fit_text(Fl_Widget& widget, ControlKind kind) {
  if (!has_text(kind)) return;
  const char* text = text_of(widget, kind);
  Face chosen = faces.back();
  for (const Face face : faces) {
    if (fits(widget, kind, text, face)) {
      chosen = face;
      break;
    }
  }
  if (kind == ControlKind::edit) {
    auto& field = static_cast<Fl_Input&>(widget);
    field.textfont(chosen.font);
    field.textsize(chosen.size);
  } else {
    widget.labelfont(chosen.font);
    widget.labelsize(chosen.size);
  }
}

std::string cut_text(const Fl_Widget& widget, ControlKind kind) {
  const char* text = text_of(widget, kind);
  if (fits(widget, kind, text, face_of(widget, kind))) return {};
  return text;
}

}  // namespace velkart::gui::fltk
