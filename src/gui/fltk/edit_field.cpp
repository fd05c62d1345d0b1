#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <string>

#include "gui/fltk/widgets.h"

namespace velkart::gui::fltk {

namespace {

// Fl_Input draws the text one pixel in and the cursor after it; keep that
// much room so a right-aligned text does not touch the edge.
constexpr int text_slack = 4;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

EditField::EditField(int x, int y, int w, int h, EditOptions options)
    : Fl_Input(x, y, w, h), options_(options) {
  box(options.borderless ? FL_FLAT_BOX : FL_DOWN_BOX);
  when(FL_WHEN_CHANGED);
}

int EditField::text_offset() {
  if (options_.align == Align::left) return 0;
  fl_font(textfont(), textsize());
  const int room = w() - Fl::box_dw(box()) - text_slack;
  const int text_w = static_cast<int>(fl_width(value(), size()) + 0.5);
  if (text_w >= room) return 0;  // too long to align: scrolls like a left-aligned field
  return options_.align == Align::right ? room - text_w : (room - text_w) / 2;
}

void EditField::draw() {
  const Fl_Boxtype frame = box();
  const int offset = text_offset();
  if ((damage() & FL_DAMAGE_ALL) != 0 || offset != drawn_offset_) draw_box(frame, color());
  drawn_offset_ = offset;
  const int X = x() + Fl::box_dx(frame), Y = y() + Fl::box_dy(frame);
  const int W = w() - Fl::box_dw(frame), H = h() - Fl::box_dh(frame);
  // Shifted right, the text area would stick out of the box: clip it back.
  fl_push_clip(X, Y, W, H);
  drawtext(X + offset, Y, W, H);
  fl_pop_clip();
}

bool EditField::refuses_key() const {
  if (!options_.digits_only || (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) != 0)
    return false;
  const char* typed = Fl::event_text();
  const int length = Fl::event_length();
  // Only printable text is judged; Tab, Enter, Backspace, arrows and
  // shortcuts keep their meaning.
  if (typed == nullptr || length == 0 || static_cast<unsigned char>(typed[0]) < 0x20 ||
      typed[0] == 0x7f) {
    return false;
  }
  for (int k = 0; k < length; ++k) {
    if (!is_digit(typed[k])) return true;
  }
  return false;
}

int EditField::paste_digits() {
  std::string digits;
  const char* pasted = Fl::event_text();
  for (int k = 0; pasted != nullptr && k < Fl::event_length(); ++k) {
    if (is_digit(pasted[k])) digits.push_back(pasted[k]);
  }
  if (!digits.empty()) replace(position(), mark(), digits.c_str(), static_cast<int>(digits.size()));
  return 1;
}

int EditField::handle(int event) {
  if (event == FL_KEYBOARD && refuses_key()) return 1;
  if (event == FL_PASTE && options_.digits_only) return paste_digits();
  const int offset = drawn_offset_ > 0 ? drawn_offset_ : 0;
  const bool pointer_event = event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE;
  if (pointer_event) Fl::e_x -= offset;
  const int used = Fl_Input::handle(event);
  if (pointer_event) Fl::e_x += offset;
  if (options_.align != Align::left && text_offset() != drawn_offset_) redraw();
  return used;
}

}  // namespace velkart::gui::fltk
