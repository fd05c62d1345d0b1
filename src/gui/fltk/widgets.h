#pragma once
// The widgets the GUI operations are drawn with. FLTK's stock widgets differ
// from what the windows need in small but visible ways (margins around
// labels, '&' underlining, left-only text in fields, no tick marks, no second
// pair of button colours); each class here closes one such gap.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Text_Display.H>

#include <memory>
#include <optional>
#include <string>

#include "gui/gui.h"

namespace velkart::gui::fltk {

// A top-level window in which no control has the keyboard focus until the
// user clicks one or presses Tab: FLTK would focus the first field when the
// window is shown, and a field reports gaining the focus. When the window
// gets the focus back (a message box closed, the user came back from another
// window), the control that had it last takes it again.
class ControlWindow : public Fl_Double_Window {
 public:
  ControlWindow(int w, int h);
  ~ControlWindow() override;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  int handle(int event) override;

 private:
  bool focus_first(bool backwards);

  Fl_Widget* last_focus_ = nullptr;  // cleared by FLTK when that widget is deleted
};

// Redraws a widget together with whatever shows through it: a widget without
// a background cannot repaint itself alone without smearing its old pixels.
void repaint(Fl_Widget& widget);

// The FLTK colour for one of ours; `fallback` stands for the system default.
Fl_Color fl_color_of(Color color, Fl_Color fallback);

// Group box: an engraved line with the caption set into its top edge. It
// paints nothing inside, because the controls it frames may be created before it.
class Frame : public Fl_Box {
 public:
  Frame(int x, int y, int w, int h);
  void set_caption_background(Color background) { caption_background_ = background; }

 protected:
  void draw() override;

 private:
  Color caption_background_;
};

// Static text without FLTK's 3-pixel side margins, so short numbers fit
// boxes as narrow as 16 pixels; wraps at blanks and breaks at LF.
class Label : public Fl_Box {
 public:
  Label(int x, int y, int w, int h, LabelOptions options);

 protected:
  void draw() override;
};

// A long read-only text: wraps at blanks, scrolls when it is longer than the
// box, and can be selected with the mouse and copied (Ctrl+C).
class TextView : public Fl_Text_Display {
 public:
  TextView(int x, int y, int w, int h);
  ~TextView() override;
  TextView(const TextView&) = delete;
  TextView& operator=(const TextView&) = delete;
  void show_text(const std::string& utf8);

 private:
  Fl_Text_Buffer buffer_;
};

// Check boxes and options: '&' is an ordinary character, and a see-through
// background is repainted with what lies behind it.
template <class Base>
class CaptionButton : public Base {
 public:
  CaptionButton(int x, int y, int w, int h) : Base(x, y, w, h) {
    this->clear_flag(Fl_Widget::SHORTCUT_LABEL);
  }
  int handle(int event) override {
    const int used = Base::handle(event);
    if (this->box() == FL_NO_BOX && this->damage() != 0) repaint(*this);
    return used;
  }
};
using CheckBox = CaptionButton<Fl_Check_Button>;
using OptionButton = CaptionButton<Fl_Round_Button>;

// Horizontal slider over whole numbers with a tick at every step under the
// channel. Mouse: the thumb jumps to the pointer and follows it. Keys: arrows
// one step, Page Up/Down a fifth of the range, Home/End the ends.
class TickSlider : public Fl_Slider {
 public:
  TickSlider(int x, int y, int w, int h, int minimum, int maximum, bool tick_marks);
  int handle(int event) override;
  // Sets the position clamped to the range; false when it did not move.
  bool move_to(int position);
  int position() const { return static_cast<int>(value()); }

 protected:
  void draw() override;

 private:
  int track_left() const;
  int track_right() const;
  int x_of(int position) const;
  int position_at(int x) const;
  void user_moves_to(int position);

  int minimum_, maximum_;
  bool tick_marks_;
};

// One-line field with left, centred or right text and an optional
// digits-only filter. Fl_Input always draws from the left, so the text is
// drawn shifted and mouse positions are shifted back before FLTK sees them.
class EditField : public Fl_Input {
 public:
  EditField(int x, int y, int w, int h, EditOptions options);
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  int text_offset();
  bool refuses_key() const;
  int paste_digits();

  EditOptions options_;
  int drawn_offset_ = -1;
};

// Push button drawn by hand: face and caption take the second pair of
// colours while the user holds it down; a default button gets the dark
// outline. Enter presses only a button given it as shortcut.
class PushButton : public Fl_Button {
 public:
  PushButton(int x, int y, int w, int h, ButtonOptions options);
  void set_pressed_colors(std::optional<Fl_Color> text, std::optional<Fl_Color> face);
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  bool default_button_;
  std::optional<Fl_Color> pressed_text_, pressed_face_;
};

// Shows a decoded bitmap unscaled at the top left of its box.
class Picture : public Fl_Box {
 public:
  Picture(int x, int y, int w, int h, const Bitmap& bitmap);
  // Drawn directly: as a label the image would lose 3 px at either side.
  void draw() override;

 private:
  std::string pixels_;  // the image points into these bytes
  std::unique_ptr<Fl_RGB_Image> image_;
};

}  // namespace velkart::gui::fltk
