#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "gui/fltk/widgets.h"

namespace velkart::gui::fltk {

void repaint(Fl_Widget& widget) {
  Fl_Window* window = widget.window();
  if (window == nullptr) return;
  if (widget.box() == FL_NO_BOX) {
    // Damaging the area (not the widget) makes the window paint its
    // background and every control there, clipped to the area.
    window->damage(FL_DAMAGE_ALL, widget.x(), widget.y(), widget.w(), widget.h());
  } else {
    widget.redraw();
  }
}

Fl_Color fl_color_of(Color color, Fl_Color fallback) {
  if (color.kind != Color::Kind::rgb) return fallback;
  return fl_rgb_color(color.red, color.green, color.blue);
}

// --- Frame -------------------------------------------------------------------

Frame::Frame(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {
  box(FL_NO_BOX);
  align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
}

void Frame::draw() {
  fl_font(labelfont(), labelsize());
  const int line_y = y() + labelsize() / 2;
  fl_draw_box(FL_ENGRAVED_FRAME, x(), line_y, w(), h() - (line_y - y()), FL_BACKGROUND_COLOR);
  if (label() == nullptr || *label() == '\0') return;
  int text_w = 0, text_h = 0;
  fl_measure(label(), text_w, text_h);
  const int caption_x = x() + 8;
  const int caption_w = std::min(text_w + 4, w() - 10);
  if (caption_w <= 0) return;
  if (caption_background_.kind != Color::Kind::transparent) {
    const Fl_Color behind = window() != nullptr ? window()->color() : FL_BACKGROUND_COLOR;
    fl_rectf(caption_x, y(), caption_w, fl_height(), fl_color_of(caption_background_, behind));
  }
  draw_label(caption_x + 2, y(), caption_w - 2, fl_height(),
             FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
}

// --- Label -------------------------------------------------------------------

Label::Label(int x, int y, int w, int h, LabelOptions options) : Fl_Box(x, y, w, h) {
  box(FL_NO_BOX);
  Fl_Align where = FL_ALIGN_INSIDE | FL_ALIGN_WRAP;
  if (!options.vertically_centred) where |= FL_ALIGN_TOP;
  if (options.align == Align::left) where |= FL_ALIGN_LEFT;
  if (options.align == Align::right) where |= FL_ALIGN_RIGHT;
  align(where);
}

void Label::draw() {
  draw_box();
  // Captions are fitted to their boxes; whatever still overflows is cut
  // rather than drawn over a neighbour.
  fl_push_clip(x(), y(), w(), h());
  draw_label(x(), y(), w(), h());
  fl_pop_clip();
}

// --- TextView ----------------------------------------------------------------

TextView::TextView(int x, int y, int w, int h) : Fl_Text_Display(x, y, w, h) {
  buffer(&buffer_);
  box(FL_FLAT_BOX);
  color(FL_BACKGROUND_COLOR);
  textfont(FL_HELVETICA);
  textsize(FL_NORMAL_SIZE);
  wrap_mode(WRAP_AT_BOUNDS, 0);
  scrollbar_width(14);
}

TextView::~TextView() {
  buffer(nullptr);  // the buffer goes before the display that points to it
}

void TextView::show_text(const std::string& utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (const char c : utf8) {
    if (c != '\r') text.push_back(c);
  }
  buffer_.text(text.c_str());
  scroll(0, 0);  // a new text is read from its start
}

// --- Picture -----------------------------------------------------------------

Picture::Picture(int x, int y, int w, int h, const Bitmap& bitmap)
    : Fl_Box(x, y, w, h), pixels_(bitmap.rgb) {
  box(FL_NO_BOX);
  align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_CLIP);
  if (bitmap.valid() &&
      pixels_.size() == static_cast<std::size_t>(bitmap.width) * bitmap.height * 3) {
    image_ = std::make_unique<Fl_RGB_Image>(reinterpret_cast<const uchar*>(pixels_.data()),
                                            bitmap.width, bitmap.height, 3);
  }
}

void Picture::draw() {
  if (image_) image_->draw(x(), y(), w(), h());
}

}  // namespace velkart::gui::fltk
