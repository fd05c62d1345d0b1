#include "gui/fltk/event_queue.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <cassert>

namespace velkart::gui::fltk {

EventQueue* EventQueue::installed_ = nullptr;

void Reporter::control_callback(Fl_Widget* /*widget*/, void* reporter) {
  const auto* self = static_cast<Reporter*>(reporter);
  self->queue->push(EventKind::control, self->number);
}

void Reporter::close_callback(Fl_Widget* /*window*/, void* reporter) {
  if (Fl::event() != FL_CLOSE) return;
  const auto* self = static_cast<Reporter*>(reporter);
  self->queue->push(EventKind::close_request, self->number);
}

EventQueue::EventQueue() {
  assert(installed_ == nullptr);
  installed_ = this;
  Fl::event_dispatch(&EventQueue::dispatch);
}

EventQueue::~EventQueue() {
  Fl::event_dispatch(nullptr);
  installed_ = nullptr;
}

void EventQueue::push(EventKind kind, int number) {
  queue_.push_back({kind, number});
}

QueuedEvent EventQueue::wait() {
  while (queue_.empty()) {
    // With no window shown Fl::wait() returns at once; sleep instead of spinning.
    if (Fl::first_window() == nullptr) {
      Fl::wait(0.25);
    } else {
      Fl::wait();
    }
    // Fl::wait returns when a timeout comes due but runs it only on its
    // next call, and would then block until the next input: run it now.
    if (queue_.empty()) Fl::check();
  }
  const QueuedEvent next = queue_.front();
  queue_.pop_front();
  return next;
}

QueuedEvent EventQueue::wait_for(double seconds) {
  if (queue_.empty()) Fl::wait(seconds);
  if (queue_.empty()) return {};
  const QueuedEvent next = queue_.front();
  queue_.pop_front();
  return next;
}

void EventQueue::drop_if(const std::function<bool(const QueuedEvent&)>& condition) {
  std::erase_if(queue_, condition);
}

void EventQueue::report_focus_of(const Fl_Widget* field, int number) {
  focus_reporters_[field] = number;
}

void EventQueue::forget(const Fl_Widget* widget) {
  focus_reporters_.erase(widget);
}

void EventQueue::set_input(const Fl_Window* window, WindowInput input) {
  if (input == WindowInput::disabled) {
    disabled_.insert(window);
  } else {
    disabled_.erase(window);
  }
}

void EventQueue::forget_window(const Fl_Window* window) {
  disabled_.erase(window);
}

bool EventQueue::blocked(int event, const Fl_Window* window) const {
  if (window == nullptr || disabled_.empty()) return false;
  const Fl_Window* top = window->top_window();
  if (disabled_.count(top) == 0) return false;
  switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOVE:
    case FL_MOUSEWHEEL:
    case FL_KEYBOARD:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_LEAVE:
    case FL_DND_RELEASE:
    case FL_PASTE:
    case FL_CLOSE:
      return true;
    default:
      return false;
  }
}

void EventQueue::report_focus_change(const Fl_Widget* before, const Fl_Widget* after) {
  // The field that lost the focus reports first, as the old one would be told first.
  for (const Fl_Widget* field : {before, after}) {
    if (auto it = focus_reporters_.find(field); it != focus_reporters_.end()) {
      push(EventKind::control, it->second);
    }
  }
}

int EventQueue::dispatch(int event, Fl_Window* window) {
  EventQueue* self = installed_;
  if (self == nullptr) return Fl::handle_(event, window);
  if (self->blocked(event, window)) {
    if (event == FL_PUSH && self->blocked_click_) self->blocked_click_(window->top_window());
    return 0;
  }
  // FLTK sends FL_FOCUS to the new widget before FL_UNFOCUS to the old one,
  // so watching those would report out of order: compare before and after.
  const Fl_Widget* before = Fl::focus();
  const int used = Fl::handle_(event, window);
  const Fl_Widget* after = Fl::focus();
  if (before != after) self->report_focus_change(before, after);
  return used;
}

}  // namespace velkart::gui::fltk
