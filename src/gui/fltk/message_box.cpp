#include "gui/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

#include "gui/fltk/caption.h"
#include "gui/fltk/widgets.h"
#include "gui/fltk/window_system.h"

namespace velkart::gui::fltk {

namespace {

constexpr int margin = 16;
constexpr int widest_text = 420;
constexpr int button_w = 75;
constexpr int button_h = 23;

void close_box(Fl_Widget* widget, void*) {
  Fl_Window* box = widget->as_window() != nullptr ? widget->as_window() : widget->window();
  box->hide();
}

}  // namespace

bool run_message_box(Fl_Window* owner, std::string_view title, std::string_view text,
                     BoxButtons buttons) {
  const std::string caption = caption_text(text);
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int text_w = 0, text_h = 0;
  fl_measure(caption.c_str(), text_w, text_h);
  if (text_w > widest_text) {
    text_w = widest_text;
    text_h = 0;
    fl_measure(caption.c_str(), text_w, text_h);  // wraps at text_w
  }
  // Wide enough for the title, too, which the window manager would shorten.
  const std::string title_utf8 = utf8_text(title);
  fl_font(FL_HELVETICA_BOLD, FL_NORMAL_SIZE + 2);
  const int title_w = static_cast<int>(fl_width(title_utf8.c_str())) + 100;
  const int box_w = std::max({text_w + 2 * margin, button_w + 2 * margin + 60, title_w});
  const int box_h = margin + text_h + margin + button_h + margin / 2 + 4;

  Fl_Double_Window box(box_w, box_h);
  box.copy_label(title_utf8.c_str());
  Label message(margin, margin, box_w - 2 * margin, text_h + 2, LabelOptions{});
  message.copy_label(caption.c_str());
  const bool question = buttons == BoxButtons::yes_no;
  const int button_y = box_h - button_h - margin / 2 - 4;
  PushButton ok(question ? box_w / 2 - button_w - 6 : (box_w - button_w) / 2, button_y, button_w,
                button_h, ButtonOptions{false, !question});
  ok.label(question ? "Ja" : "OK");
  bool yes = false;
  ok.callback(
      [](Fl_Widget* widget, void* answer) {
        *static_cast<bool*>(answer) = true;
        close_box(widget, nullptr);
      },
      &yes);
  PushButton no(box_w / 2 + 6, button_y, button_w, button_h, ButtonOptions{false, false});
  no.label("Nein");
  no.callback(close_box);
  if (!question) no.hide();
  if (!question) ok.shortcut(FL_Enter);  // the only button Enter presses
  box.end();
  box.callback(close_box);  // Escape and the close box confirm as well
  box.set_modal();
  box.size_range(box_w, box_h, box_w, box_h);

  int area_x = 0, area_y = 0, area_w = 0, area_h = 0;
  Fl::screen_work_area(area_x, area_y, area_w, area_h);
  int left = area_x + (area_w - box_w) / 2;
  int top = area_y + (area_h - box_h) / 2;
  if (owner != nullptr && owner->shown()) {
    left = owner->x() + (owner->w() - box_w) / 2;
    top = owner->y() + (owner->h() - box_h) / 2;
  }
  box.position(left, top);
  box.show();
  offer_title_boxes(box, WindowOptions{true, false, false, false});
  ok.take_focus();
  if (question) no.take_focus();  // Enter alone never replaces anything
  while (box.shown()) Fl::wait();
  return yes;
}

}  // namespace velkart::gui::fltk
