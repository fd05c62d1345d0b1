#pragma once
// The one queue behind wait_event. Widget callbacks push into it; a filter
// on FLTK's event dispatch drops input to disabled windows and turns changes
// of the keyboard focus between fields into control events.
#include <deque>
#include <functional>
#include <set>
#include <unordered_map>

#include "gui/gui.h"

class Fl_Widget;
class Fl_Window;

namespace velkart::gui::fltk {

struct QueuedEvent {
  EventKind kind = EventKind::other;
  int number = -1;  // control, or window of a close request
};

class EventQueue;

// What a widget's callback needs to know: where to report and as which
// number. Owned next to the widget, so its address outlives every callback.
struct Reporter {
  EventQueue* queue = nullptr;
  int number = -1;
  static void control_callback(Fl_Widget* widget, void* reporter);
  // Window callbacks also fire on Escape; only a real close request counts.
  static void close_callback(Fl_Widget* window, void* reporter);
};

class EventQueue {
 public:
  // Installs the dispatch filter; one queue at a time.
  EventQueue();
  ~EventQueue();
  EventQueue(const EventQueue&) = delete;
  EventQueue& operator=(const EventQueue&) = delete;

  void push(EventKind kind, int number);
  // Runs the toolkit until an event is queued, then hands out the oldest.
  QueuedEvent wait();
  // At most about `seconds`; an event of kind other when none came.
  QueuedEvent wait_for(double seconds);
  void drop_if(const std::function<bool(const QueuedEvent&)>& condition);

  // Fields report gaining and losing the keyboard focus as control events.
  void report_focus_of(const Fl_Widget* field, int number);
  void forget(const Fl_Widget* widget);

  void set_input(const Fl_Window* window, WindowInput input);
  // Told about every click that a disabled window drops.
  void on_blocked_click(std::function<void(const Fl_Window*)> listener) {
    blocked_click_ = std::move(listener);
  }
  void forget_window(const Fl_Window* window);

 private:
  static int dispatch(int event, Fl_Window* window);
  bool blocked(int event, const Fl_Window* window) const;
  void report_focus_change(const Fl_Widget* before, const Fl_Widget* after);

  std::deque<QueuedEvent> queue_;
  std::unordered_map<const Fl_Widget*, int> focus_reporters_;
  std::set<const Fl_Window*> disabled_;
  std::function<void(const Fl_Window*)> blocked_click_;
  static EventQueue* installed_;
};

}  // namespace velkart::gui::fltk
