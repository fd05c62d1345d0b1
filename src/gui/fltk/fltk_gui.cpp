#include "gui/fltk/fltk_gui.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Help_View.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Tooltip.H>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "gui/fltk/caption.h"
#include "gui/fltk/caption_fit.h"
#include "gui/fltk/message_box.h"
#include "gui/fltk/widgets.h"
#include "gui/fltk/window_system.h"
#include "gui/fltk_gui.h"

namespace velkart::gui {

bool display_available() {
  return fltk::can_open_display();
}

std::unique_ptr<Gui> make_fltk_gui() {
  return std::make_unique<fltk::FltkGui>();
}

std::vector<std::string> cut_texts(const Gui& gui) {
  const auto* screen = dynamic_cast<const fltk::FltkGui*>(&gui);
  return screen != nullptr ? screen->cut_texts() : std::vector<std::string>{};
}

}  // namespace velkart::gui

namespace velkart::gui::fltk {

namespace {

void timer_done(void* queue) {
  static_cast<EventQueue*>(queue)->push(EventKind::timer, -1);
}

Fl_Widget* release_into(Fl_Group& parent, std::unique_ptr<Fl_Widget> widget) {
  Fl_Widget* raw = widget.release();
  parent.add(raw);
  return raw;
}

// Grows the option group so it covers every option of its run; its children
// stay where they are.
void cover(Fl_Group& group, const Fl_Widget& option) {
  if (group.children() == 0) {
    group.Fl_Widget::resize(option.x(), option.y(), option.w(), option.h());
  } else {
    const int left = std::min(group.x(), option.x()), top = std::min(group.y(), option.y());
    const int right = std::max(group.x() + group.w(), option.x() + option.w());
    const int bottom = std::max(group.y() + group.h(), option.y() + option.h());
    group.Fl_Widget::resize(left, top, right - left, bottom - top);
  }
  group.init_sizes();
}

}  // namespace

FltkGui::FltkGui() {
  open_display();
  // The captions are laid out for a metric-compatible Windows font at 11 px;
  // FLTK's default (DejaVu Sans 14 px) overflows the 15-pixel-high controls.
  set_up_faces();
  FL_NORMAL_SIZE = normal_face().size;
  Fl_Tooltip::font(FL_HELVETICA);
  Fl_Tooltip::size(normal_face().size);
  Fl::background(212, 208, 200);  // panel grey, the colour of dialog surfaces
  Fl::visible_focus(1);
  Fl_Group::current(nullptr);
  queue_.on_blocked_click(
      [this](const Fl_Window* clicked) { bring_forward_windows_owned_by(clicked); });
  // Window texts are drawn, not readable from outside: a test run may ask
  // for every text the program sets, one line each, in this file.
  if (const char* record = std::getenv("VELKART_TEXT_RECORD")) text_record_ = record;
}

FltkGui::~FltkGui() {
  Fl::remove_timeout(timer_done, &queue_);
  while (!windows_.empty()) close_window(windows_.begin()->first);
}

// --- Windows -----------------------------------------------------------------

FltkGui::WindowRecord* FltkGui::find_window(int window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

bool FltkGui::open_window(int window, int x, int y, int client_width, int client_height,
                          std::string_view title, WindowOptions options) {
  if (client_width <= 0 || client_height <= 0) return false;
  if (windows_.count(window) != 0) close_window(window);
  WindowRecord record;
  record.window = std::make_unique<ControlWindow>(client_width, client_height);
  ControlWindow& shell = *record.window;
  shell.copy_label(utf8_text(title).c_str());
  record.reporter = std::make_unique<Reporter>(Reporter{&queue_, window});
  shell.callback(Reporter::close_callback, record.reporter.get());
  shell.resizable(nullptr);  // with a sizing border, too, the controls keep their places
  if (options.sizing_border) {
    shell.size_range(std::min(client_width, 100), std::min(client_height, 60));
  } else {
    shell.size_range(client_width, client_height, client_width, client_height);
  }
  if (options.centred) {
    int area_x = 0, area_y = 0, area_w = 0, area_h = 0;
    Fl::screen_work_area(area_x, area_y, area_w, area_h);
    x = area_x + std::max(0, (area_w - client_width) / 2);
    y = area_y + std::max(0, (area_h - client_height) / 2);
  }
  shell.position(x, y);
  record.options = options;
  windows_[window] = std::move(record);
  opened_order_.push_back(window);
  current_window_ = window;
  return true;
}

void FltkGui::close_window(int window) {
  WindowRecord* record = find_window(window);
  if (record == nullptr) return;
  for (auto it = controls_.begin(); it != controls_.end();) {
    if (it->second.window == window) {
      queue_.forget(it->second.widget);
      it = controls_.erase(it);  // the widget itself goes with its window
    } else {
      ++it;
    }
  }
  queue_.drop_if([this, window](const QueuedEvent& event) {
    return event.kind == EventKind::close_request ? event.number == window
                                                  : controls_.count(event.number) == 0;
  });
  queue_.forget_window(record->window.get());
  record->window->hide();
  windows_.erase(window);
  std::erase(opened_order_, window);
  if (current_window_ == window) current_window_ = -1;
}

void FltkGui::disable_window(int window, WindowInput input) {
  if (WindowRecord* record = find_window(window)) {
    record->input = input;
    queue_.set_input(record->window.get(), input);
  }
}

void FltkGui::activate_window(int window) {
  show_pending_windows();
  if (WindowRecord* record = find_window(window)) {
    record->window->show();
    request_activation(*record->window);
  }
}

void FltkGui::set_window_color(int window, Color color) {
  if (WindowRecord* record = find_window(window)) {
    record->window->color(fl_color_of(color, FL_BACKGROUND_COLOR));
    record->window->redraw();
  }
}

void FltkGui::set_window_icon(int window, const Bitmap& icon) {
  WindowRecord* record = find_window(window);
  if (record == nullptr || !icon.valid()) return;
  if (icon.rgb.size() != static_cast<std::size_t>(icon.width) * icon.height * 3) return;
  const Fl_RGB_Image image(reinterpret_cast<const uchar*>(icon.rgb.data()), icon.width, icon.height,
                           3);
  record->window->icon(&image);  // FLTK keeps a copy
}

void FltkGui::show_pending_windows() {
  for (const int number : opened_order_) {
    WindowRecord& record = windows_.at(number);
    if (record.shown) continue;
    record.window->show();
    offer_title_boxes(*record.window, record.options);
    if (WindowRecord* owner = find_window(record.options.owner); owner != nullptr && owner->shown)
      keep_above(*record.window, *owner->window);
    record.shown = true;
  }
}

void FltkGui::bring_forward_windows_owned_by(const Fl_Window* clicked) {
  for (auto& [number, record] : windows_) {
    const WindowRecord* owner = find_window(record.options.owner);
    if (owner != nullptr && owner->window.get() == clicked && record.shown) {
      record.window->show();
      request_activation(*record.window);
    }
  }
}

void FltkGui::start_timer(double seconds) {
  Fl::add_timeout(seconds, timer_done, &queue_);
}

EventKind FltkGui::wait_event() {
  show_pending_windows();
  return take(queue_.wait());
}

EventKind FltkGui::wait_event_for(int milliseconds) {
  show_pending_windows();
  return take(queue_.wait_for(milliseconds / 1000.0));
}

EventKind FltkGui::take(const QueuedEvent& next) {
  if (next.kind == EventKind::control) {
    event_control_ = next.number;
  } else if (next.kind == EventKind::close_request) {
    event_window_ = next.number;
  }
  return next.kind;
}

// --- Creating controls -------------------------------------------------------

FltkGui::ControlRecord* FltkGui::find(int number) {
  auto it = controls_.find(number);
  return it == controls_.end() ? nullptr : &it->second;
}

const FltkGui::ControlRecord* FltkGui::find(int number) const {
  auto it = controls_.find(number);
  return it == controls_.end() ? nullptr : &it->second;
}

void FltkGui::remove_control(int number) {
  ControlRecord* record = find(number);
  if (record == nullptr) return;
  Fl_Widget* widget = record->widget;
  queue_.forget(widget);
  if (Fl_Group* parent = widget->parent()) parent->remove(widget);
  delete widget;
  controls_.erase(number);
}

FltkGui::ControlRecord* FltkGui::add(int number, ControlKind kind,
                                     std::unique_ptr<Fl_Widget> widget, std::string_view text) {
  WindowRecord* owner = find_window(current_window_);
  if (owner == nullptr) return nullptr;
  remove_control(number);
  Fl_Widget* raw = nullptr;
  if (kind == ControlKind::option) {
    // FLTK clears the other radio buttons of the same parent, so each run
    // of consecutive options gets a parent of its own, in creation order.
    if (owner->option_run == nullptr) {
      owner->option_run = new Fl_Group(widget->x(), widget->y(), widget->w(), widget->h());
      owner->option_run->end();
      owner->option_run->resizable(nullptr);
      owner->window->add(owner->option_run);
    }
    cover(*owner->option_run, *widget);
    raw = release_into(*owner->option_run, std::move(widget));
  } else {
    owner->option_run = nullptr;
    raw = release_into(*owner->window, std::move(widget));
  }
  ControlRecord& record = controls_[number];
  record.kind = kind;
  record.window = current_window_;
  record.widget = raw;
  record.text = text;
  record.reporter = std::make_unique<Reporter>(Reporter{&queue_, number});
  raw->callback(Reporter::control_callback, record.reporter.get());
  if (kind != ControlKind::edit && kind != ControlKind::slider && kind != ControlKind::image) {
    if (auto* view = dynamic_cast<TextView*>(raw)) {
      view->show_text(utf8_text(text));
    } else {
      raw->copy_label(caption_text(text).c_str());
    }
  }
  fit_text(*raw, kind);
  if (owner->shown) repaint(*raw);
  return &record;
}

void FltkGui::create_frame(int number, Rect box, std::string_view caption) {
  add(number, ControlKind::frame, std::make_unique<Frame>(box.x, box.y, box.w, box.h), caption);
}

void FltkGui::create_checkbox(int number, Rect box, std::string_view caption) {
  add(number, ControlKind::checkbox, std::make_unique<CheckBox>(box.x, box.y, box.w, box.h),
      caption);
}

void FltkGui::create_option(int number, Rect box, std::string_view caption) {
  auto option = std::make_unique<OptionButton>(box.x, box.y, box.w, box.h);
  option->type(FL_RADIO_BUTTON);
  option->when(FL_WHEN_RELEASE_ALWAYS);  // a click on the selected option still reports
  add(number, ControlKind::option, std::move(option), caption);
}

void FltkGui::create_slider(int number, Rect box, int minimum, int maximum, bool tick_marks) {
  add(number, ControlKind::slider,
      std::make_unique<TickSlider>(box.x, box.y, box.w, box.h, minimum, maximum, tick_marks), {});
}

void FltkGui::create_label(int number, Rect box, std::string_view text, LabelOptions options) {
  if (options.scrolls) {
    add(number, ControlKind::label, std::make_unique<TextView>(box.x, box.y, box.w, box.h), text);
  } else {
    add(number, ControlKind::label, std::make_unique<Label>(box.x, box.y, box.w, box.h, options),
        text);
  }
}

void FltkGui::create_edit(int number, Rect box, std::string_view text, EditOptions options) {
  auto field = std::make_unique<EditField>(box.x, box.y, box.w, box.h, options);
  field->value(utf8_text(text).c_str());
  EditField* raw = field.get();
  if (add(number, ControlKind::edit, std::move(field), {}) != nullptr)
    queue_.report_focus_of(raw, number);
}

void FltkGui::create_button(int number, Rect box, std::string_view caption, ButtonOptions options) {
  add(number, ControlKind::button,
      std::make_unique<PushButton>(box.x, box.y, box.w, box.h, options), caption);
}

void FltkGui::create_image(int number, Rect box, const Bitmap& bitmap) {
  add(number, ControlKind::image, std::make_unique<Picture>(box.x, box.y, box.w, box.h, bitmap),
      {});
}

void FltkGui::create_progress(int number, Rect box, int maximum) {
  auto bar = std::make_unique<Fl_Progress>(box.x, box.y, box.w, box.h);
  bar->minimum(0);
  bar->maximum(static_cast<float>(maximum));
  bar->value(0);
  bar->selection_color(fl_rgb_color(120, 170, 230));
  add(number, ControlKind::progress, std::move(bar), {});
}

void FltkGui::set_tooltip(int number, std::string_view text) {
  // Tooltips are drawn like captions, symbols included.
  if (ControlRecord* record = find(number))
    record->widget->copy_tooltip(caption_text(text).c_str());
}

// --- Texts and states --------------------------------------------------------

std::string FltkGui::get_text(int number) const {
  const ControlRecord* record = find(number);
  if (record == nullptr) return {};
  if (record->kind == ControlKind::edit)
    return cp1252_text(static_cast<const EditField*>(record->widget)->value());
  return record->text;
}

void FltkGui::set_text(int number, std::string_view text) {
  ControlRecord* record = find(number);
  if (record == nullptr) return;
  if (!text_record_.empty()) record_text(number, text);
  switch (record->kind) {
    case ControlKind::edit:
      // Fl_Input's setter calls no callback: the program's own text raises no event.
      static_cast<EditField*>(record->widget)->value(utf8_text(text).c_str());
      break;
    case ControlKind::slider:
    case ControlKind::image:
      record->text = text;
      return;
    default:
      record->text = text;
      if (auto* view = dynamic_cast<TextView*>(record->widget)) {
        view->show_text(utf8_text(text));
      } else {
        record->widget->copy_label(caption_text(text).c_str());
      }
      break;
  }
  fit_text(*record->widget, record->kind);
  repaint(*record->widget);
}

void FltkGui::record_text(int number, std::string_view text) {
  std::string line = std::to_string(number) + "\t";
  for (const char c : utf8_text(text)) line += c == '\n' ? std::string("\\n") : std::string(1, c);
  std::ofstream(text_record_, std::ios::app) << line << '\n';
}

void FltkGui::set_enabled(int number, bool enabled) {
  ControlRecord* record = find(number);
  if (record == nullptr) return;
  if (enabled) {
    record->widget->activate();
  } else {
    record->widget->deactivate();
  }
  repaint(*record->widget);
}

std::vector<std::string> FltkGui::cut_texts() const {
  std::vector<std::string> cut;
  for (const auto& [number, record] : controls_) {
    const std::string text = cut_text(*record.widget, record.kind);
    if (!text.empty()) cut.push_back("control " + std::to_string(number) + ": " + text);
  }
  return cut;
}

int FltkGui::get_state(int number) const {
  const ControlRecord* record = find(number);
  if (record == nullptr) return 0;
  switch (record->kind) {
    case ControlKind::checkbox:
    case ControlKind::option:
      return static_cast<const Fl_Button*>(record->widget)->value() != 0 ? 1 : 0;
    case ControlKind::slider:
      return static_cast<const TickSlider*>(record->widget)->position();
    case ControlKind::progress:
      return static_cast<int>(static_cast<const Fl_Progress*>(record->widget)->value());
    default:
      return 0;
  }
}

void FltkGui::set_state(int number, int value) {
  ControlRecord* record = find(number);
  if (record == nullptr) return;
  switch (record->kind) {
    case ControlKind::checkbox:
      static_cast<Fl_Button*>(record->widget)->value(value != 0 ? 1 : 0);
      repaint(*record->widget);
      break;
    case ControlKind::option: {
      auto* option = static_cast<Fl_Button*>(record->widget);
      if (value != 0) {
        option->setonly();
      } else {
        option->value(0);
      }
      repaint(*option->parent());  // the group: selecting cleared the others
      break;
    }
    case ControlKind::slider:
      static_cast<TickSlider*>(record->widget)->move_to(value);
      break;
    case ControlKind::progress: {
      auto* bar = static_cast<Fl_Progress*>(record->widget);
      bar->value(std::clamp(static_cast<float>(value), 0.0f, bar->maximum()));
      repaint(*bar);
      break;
    }
    default:
      break;
  }
}

// --- Colours -----------------------------------------------------------------

void FltkGui::set_colors(int number, Color text, Color background) {
  ControlRecord* record = find(number);
  if (record == nullptr) return;
  Fl_Widget& widget = *record->widget;
  const Fl_Color text_color = fl_color_of(text, FL_FOREGROUND_COLOR);
  switch (record->kind) {
    case ControlKind::frame:
      widget.labelcolor(text_color);
      static_cast<Frame&>(widget).set_caption_background(background);
      break;
    case ControlKind::edit: {
      auto& field = static_cast<EditField&>(widget);
      field.textcolor(text_color);
      field.cursor_color(text_color);
      // A field always paints its face; "see-through" takes the window's colour.
      const Fl_Color behind =
          field.window() != nullptr ? field.window()->color() : FL_BACKGROUND_COLOR;
      field.color(background.kind == Color::Kind::transparent
                      ? behind
                      : fl_color_of(background, FL_BACKGROUND2_COLOR));
      break;
    }
    case ControlKind::button:
      widget.labelcolor(text_color);
      widget.color(fl_color_of(background, FL_BACKGROUND_COLOR));
      break;
    case ControlKind::image:
      return;
    case ControlKind::progress:
      widget.labelcolor(text_color);
      widget.selection_color(fl_color_of(background, widget.selection_color()));
      break;
    default:
      // Labels, check boxes, options, sliders: a system-default background is
      // the window's own, so like a see-through one it paints nothing.
      widget.labelcolor(text_color);
      if (background.kind == Color::Kind::rgb) {
        widget.box(FL_FLAT_BOX);
        widget.color(fl_color_of(background, FL_BACKGROUND_COLOR));
      } else {
        widget.box(FL_NO_BOX);
      }
      break;
  }
  repaint(widget);
}

void FltkGui::set_button_colors(int number, Color text, Color face,
                                std::optional<Color> pressed_text,
                                std::optional<Color> pressed_face) {
  ControlRecord* record = find(number);
  if (record == nullptr || record->kind != ControlKind::button) return;
  auto& button = static_cast<PushButton&>(*record->widget);
  button.labelcolor(fl_color_of(text, FL_FOREGROUND_COLOR));
  button.color(fl_color_of(face, FL_BACKGROUND_COLOR));
  std::optional<Fl_Color> held_text, held_face;
  if (pressed_text) held_text = fl_color_of(*pressed_text, FL_FOREGROUND_COLOR);
  if (pressed_face) held_face = fl_color_of(*pressed_face, FL_BACKGROUND_COLOR);
  button.set_pressed_colors(held_text, held_face);
}

// --- Message box -------------------------------------------------------------

ControlWindow* FltkGui::message_owner() {
  for (auto it = opened_order_.rbegin(); it != opened_order_.rend(); ++it) {
    WindowRecord& record = windows_.at(*it);
    if (record.input == WindowInput::enabled) return record.window.get();
  }
  return nullptr;
}

void FltkGui::show_message(std::string_view title, std::string_view text) {
  show_pending_windows();
  run_message_box(message_owner(), title, text);
}

bool FltkGui::ask_question(std::string_view title, std::string_view text) {
  show_pending_windows();
  return run_message_box(message_owner(), title, text, BoxButtons::yes_no);
}

// --- Help window -------------------------------------------------------------

void FltkGui::show_help(std::string_view title, std::string_view html) {
  if (!help_window_) {
    help_window_ = std::make_unique<Fl_Double_Window>(std::max(0, (Fl::w() - 660) / 2),
                                                      std::max(0, (Fl::h() - 580) / 2), 660, 580);
    help_view_ = new Fl_Help_View(0, 0, 660, 580);
    help_view_->textsize(14);
    help_window_->resizable(help_view_);
    help_window_->end();
  }
  help_title_ = utf8_text(title);
  help_text_ = utf8_text(html);
  help_window_->label(help_title_.c_str());
  help_view_->value(help_text_.c_str());
  help_view_->topline(0);
  help_window_->show();
}

}  // namespace velkart::gui::fltk
