#include "gui/headless_gui.h"

#include <algorithm>

namespace velkart::gui {

bool HeadlessGui::open_window(int window, int /*x*/, int /*y*/, int client_width, int client_height,
                              std::string_view title, WindowOptions options) {
  HeadlessWindow& opened = windows_[window];
  opened = HeadlessWindow{};
  opened.title = title;
  opened.client_width = client_width;
  opened.client_height = client_height;
  opened.options = options;
  current_window_ = window;
  last_created_ = -1;
  return true;
}

void HeadlessGui::close_window(int window) {
  windows_.erase(window);
  std::erase_if(controls_, [window](const auto& entry) { return entry.second.window == window; });
  std::erase_if(queue_, [this, window](const QueuedEvent& event) {
    return event.kind == EventKind::close_request ? event.number == window
                                                  : !controls_.count(event.number);
  });
}

void HeadlessGui::disable_window(int window, WindowInput input) {
  if (auto it = windows_.find(window); it != windows_.end()) it->second.input = input;
}

void HeadlessGui::activate_window(int window) {
  for (auto& [number, each] : windows_) each.active = number == window;
}

void HeadlessGui::set_window_color(int window, Color color) {
  if (auto it = windows_.find(window); it != windows_.end()) it->second.background = color;
}

void HeadlessGui::set_window_icon(int window, const Bitmap& icon) {
  if (auto it = windows_.find(window); it != windows_.end()) it->second.has_icon = icon.valid();
}

EventKind HeadlessGui::wait_event_for(int) {
  return queue_.empty() ? EventKind::other : wait_event();
}

EventKind HeadlessGui::wait_event() {
  if (queue_.empty()) {
    event_window_ = 0;
    return EventKind::close_request;
  }
  const QueuedEvent next = queue_.front();
  queue_.pop_front();
  if (next.kind == EventKind::control) {
    event_control_ = next.number;
  } else if (next.kind == EventKind::close_request) {
    event_window_ = next.number;
  }
  return next.kind;
}

void HeadlessGui::start_timer(double /*seconds*/) {
  timer_pending_ = true;
}

void HeadlessGui::time_passes() {
  if (!timer_pending_) return;
  timer_pending_ = false;
  queue_.push_back({EventKind::timer, -1});
}

HeadlessControl* HeadlessGui::add_control(int number, ControlKind kind, Rect box,
                                          std::string_view text) {
  if (current_window_ < 0 || !windows_.count(current_window_)) return nullptr;
  HeadlessControl control;
  control.kind = kind;
  control.window = current_window_;
  control.box = box;
  control.text = text;
  if (kind == ControlKind::option) {
    const HeadlessControl* previous = last_created_ >= 0 ? find(last_created_) : nullptr;
    control.option_group = (previous != nullptr && previous->kind == ControlKind::option)
                               ? previous->option_group
                               : number;
  }
  last_created_ = number;
  return &(controls_[number] = std::move(control));
}

HeadlessControl* HeadlessGui::find(int number) {
  auto it = controls_.find(number);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessControl* HeadlessGui::control(int number) const {
  auto it = controls_.find(number);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessWindow* HeadlessGui::window(int number) const {
  auto it = windows_.find(number);
  return it == windows_.end() ? nullptr : &it->second;
}

std::vector<int> HeadlessGui::control_numbers(int window) const {
  std::vector<int> numbers;
  for (const auto& [number, each] : controls_) {
    if (each.window == window) numbers.push_back(number);
  }
  return numbers;
}

void HeadlessGui::create_frame(int number, Rect box, std::string_view caption) {
  add_control(number, ControlKind::frame, box, caption);
}

void HeadlessGui::create_checkbox(int number, Rect box, std::string_view caption) {
  add_control(number, ControlKind::checkbox, box, caption);
}

void HeadlessGui::create_option(int number, Rect box, std::string_view caption) {
  add_control(number, ControlKind::option, box, caption);
}

void HeadlessGui::create_slider(int number, Rect box, int minimum, int maximum, bool tick_marks) {
  if (HeadlessControl* slider = add_control(number, ControlKind::slider, box, {})) {
    slider->minimum = minimum;
    slider->maximum = maximum;
    slider->state = minimum;
    slider->tick_marks = tick_marks;
  }
}

void HeadlessGui::create_label(int number, Rect box, std::string_view text, LabelOptions options) {
  if (HeadlessControl* label = add_control(number, ControlKind::label, box, text))
    label->label_options = options;
}

void HeadlessGui::create_edit(int number, Rect box, std::string_view text, EditOptions options) {
  if (HeadlessControl* edit = add_control(number, ControlKind::edit, box, text))
    edit->edit_options = options;
}

void HeadlessGui::create_button(int number, Rect box, std::string_view caption,
                                ButtonOptions options) {
  if (HeadlessControl* button = add_control(number, ControlKind::button, box, caption)) {
    button->button_options = options;
  }
}

void HeadlessGui::create_image(int number, Rect box, const Bitmap& bitmap) {
  if (HeadlessControl* image = add_control(number, ControlKind::image, box, {}))
    image->bitmap = bitmap;
}

void HeadlessGui::create_progress(int number, Rect box, int maximum) {
  if (HeadlessControl* bar = add_control(number, ControlKind::progress, box, {}))
    bar->maximum = maximum;
}

void HeadlessGui::set_tooltip(int number, std::string_view text) {
  if (HeadlessControl* target = find(number)) target->tooltip = text;
}

std::string HeadlessGui::get_text(int number) const {
  const HeadlessControl* target = control(number);
  return target != nullptr ? target->text : std::string();
}

void HeadlessGui::set_text(int number, std::string_view text) {
  if (HeadlessControl* target = find(number)) target->text = text;
}

int HeadlessGui::get_state(int number) const {
  const HeadlessControl* target = control(number);
  return target != nullptr ? target->state : 0;
}

void HeadlessGui::set_state(int number, int value) {
  HeadlessControl* target = find(number);
  if (target == nullptr) return;
  switch (target->kind) {
    case ControlKind::checkbox:
      target->state = value != 0 ? 1 : 0;
      break;
    case ControlKind::option:
      if (value != 0) {
        for (auto& [other_number, other] : controls_) {
          if (other.kind == ControlKind::option && other.option_group == target->option_group)
            other.state = 0;
        }
      }
      target->state = value != 0 ? 1 : 0;
      break;
    case ControlKind::slider:
    case ControlKind::progress:
      target->state = std::clamp(value, target->minimum, target->maximum);
      break;
    default:
      break;
  }
}

void HeadlessGui::set_enabled(int number, bool enabled) {
  if (HeadlessControl* target = find(number)) target->enabled = enabled;
}

void HeadlessGui::set_colors(int number, Color text, Color background) {
  if (HeadlessControl* target = find(number)) {
    target->text_color = text;
    target->background = background;
  }
}

void HeadlessGui::set_button_colors(int number, Color text, Color face,
                                    std::optional<Color> pressed_text,
                                    std::optional<Color> pressed_face) {
  if (HeadlessControl* target = find(number)) {
    target->text_color = text;
    target->background = face;
    target->pressed_text = pressed_text;
    target->pressed_face = pressed_face;
  }
}

void HeadlessGui::show_help(std::string_view title, std::string_view html) {
  helps_.emplace_back(title, html);
}

bool HeadlessGui::ask_question(std::string_view title, std::string_view text) {
  show_message(title, text);
  return answer_;
}

void HeadlessGui::show_message(std::string_view title, std::string_view text) {
  messages_.push_back({std::string(title), std::string(text)});
  if (listener_) listener_(messages_.back());
}

bool HeadlessGui::accepts_input(int number) const {
  const HeadlessControl* target = control(number);
  if (target == nullptr || !target->enabled) return false;
  const HeadlessWindow* owner = window(target->window);
  return owner != nullptr && owner->input == WindowInput::enabled;
}

void HeadlessGui::queue_control_event(int number) {
  queue_.push_back({EventKind::control, number});
}

void HeadlessGui::user_clicks(int number) {
  if (!accepts_input(number)) return;
  HeadlessControl* target = find(number);
  if (target->kind == ControlKind::checkbox) set_state(number, target->state == 0 ? 1 : 0);
  if (target->kind == ControlKind::option) set_state(number, 1);
  queue_control_event(number);
}

void HeadlessGui::user_types(int number, std::string_view text) {
  if (!accepts_input(number)) return;
  HeadlessControl* target = find(number);
  if (target->kind != ControlKind::edit) return;
  std::string typed(text);
  if (target->edit_options.digits_only)
    std::erase_if(typed, [](char c) { return c < '0' || c > '9'; });
  target->text = typed;
  queue_control_event(number);
}

void HeadlessGui::user_moves_slider(int number, int position) {
  if (!accepts_input(number) || find(number)->kind != ControlKind::slider) return;
  set_state(number, position);
  queue_control_event(number);
}

void HeadlessGui::user_closes(int window_number) {
  const HeadlessWindow* target = window(window_number);
  if (target == nullptr || target->input == WindowInput::disabled) return;
  queue_.push_back({EventKind::close_request, window_number});
}

}  // namespace velkart::gui
