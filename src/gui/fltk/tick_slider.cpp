#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "gui/fltk/widgets.h"

namespace velkart::gui::fltk {

namespace {

// Thumb and channel sized for a 15-pixel-high control: the channel at the
// top, the thumb across it and the ticks in the last three rows.
constexpr int thumb_width = 9;
constexpr int thumb_height = 11;
constexpr int tick_length = 3;

}  // namespace

TickSlider::TickSlider(int x, int y, int w, int h, int minimum, int maximum, bool tick_marks)
    : Fl_Slider(x, y, w, h),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      tick_marks_(tick_marks) {
  type(FL_HOR_SLIDER);
  box(FL_NO_BOX);
  bounds(minimum_, maximum_);
  step(1);
  Fl_Slider::value(minimum_);
  when(FL_WHEN_CHANGED);
}

bool TickSlider::move_to(int position) {
  const int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == this->position()) return false;
  Fl_Slider::value(clamped);
  repaint(*this);
  return true;
}

void TickSlider::user_moves_to(int position) {
  if (move_to(position)) do_callback();
}

int TickSlider::track_left() const {
  return x() + thumb_width / 2 + 1;
}

int TickSlider::track_right() const {
  return std::max(track_left(), x() + w() - thumb_width / 2 - 2);
}

int TickSlider::x_of(int position) const {
  if (maximum_ == minimum_) return track_left();
  return track_left() +
         (position - minimum_) * (track_right() - track_left()) / (maximum_ - minimum_);
}

int TickSlider::position_at(int pointer_x) const {
  const int span = track_right() - track_left();
  if (span <= 0) return minimum_;
  const int offset = std::clamp(pointer_x - track_left(), 0, span);
  return minimum_ + (offset * (maximum_ - minimum_) + span / 2) / span;
}

int TickSlider::handle(int event) {
  switch (event) {
    case FL_PUSH:
      if (Fl::visible_focus()) take_focus();
      user_moves_to(position_at(Fl::event_x()));
      return 1;
    case FL_DRAG:
      user_moves_to(position_at(Fl::event_x()));
      return 1;
    case FL_RELEASE:
    case FL_ENTER:
    case FL_LEAVE:
      return 1;
    case FL_MOUSEWHEEL:
      if (Fl::belowmouse() != this && Fl::focus() != this) return 0;
      user_moves_to(position() + Fl::event_dy());
      return 1;
    case FL_FOCUS:
    case FL_UNFOCUS:
      if (!Fl::visible_focus()) return 0;
      repaint(*this);
      return 1;
    case FL_KEYBOARD: {
      if (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) return 0;
      const int page = std::max(1, (maximum_ - minimum_) / 5);
      switch (Fl::event_key()) {
        case FL_Left:
        case FL_Up:
          user_moves_to(position() - 1);
          return 1;
        case FL_Right:
        case FL_Down:
          user_moves_to(position() + 1);
          return 1;
        case FL_Page_Up:
          user_moves_to(position() - page);
          return 1;
        case FL_Page_Down:
          user_moves_to(position() + page);
          return 1;
        case FL_Home:
          user_moves_to(minimum_);
          return 1;
        case FL_End:
          user_moves_to(maximum_);
          return 1;
        default:
          return 0;
      }
    }
    default:
      return 0;
  }
}

void TickSlider::draw() {
  draw_box();
  const int channel_y = y() + 3;
  fl_draw_box(FL_THIN_DOWN_BOX, track_left() - 2, channel_y, track_right() - track_left() + 5, 4,
              FL_BACKGROUND2_COLOR);
  if (tick_marks_) {
    fl_color(labelcolor());
    const int tick_top = y() + h() - tick_length;
    for (int each = minimum_; each <= maximum_; ++each) {
      const int tick_x = x_of(each);
      fl_yxline(tick_x, tick_top, y() + h() - 1);
    }
  }
  const int thumb_x = x_of(position()) - thumb_width / 2;
  fl_draw_box(FL_UP_BOX, thumb_x, y(), thumb_width, std::min(thumb_height, h()),
              FL_BACKGROUND_COLOR);
  if (Fl::focus() == this) draw_focus(FL_NO_BOX, x(), y(), w(), h());
}

}  // namespace velkart::gui::fltk
