#pragma once
// The in-memory backend: every control keeps its kind, box, text, state and
// colours; message boxes are recorded; tests queue the user's events. The
// handlers and both windows run on it exactly as on screen.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/gui.h"

namespace velkart::gui {

struct HeadlessControl {
  ControlKind kind = ControlKind::label;
  int window = 0;
  Rect box;
  std::string text;
  int state = 0;
  int minimum = 0, maximum = 0;  // sliders and progress bars
  int option_group = -1;         // options created one after the other share a group
  bool tick_marks = false;
  LabelOptions label_options;
  EditOptions edit_options;
  ButtonOptions button_options;
  std::string tooltip;
  Color text_color, background;
  std::optional<Color> pressed_text, pressed_face;
  Bitmap bitmap;
  bool enabled = true;
};

struct HeadlessWindow {
  std::string title;
  int client_width = 0, client_height = 0;
  WindowOptions options;
  WindowInput input = WindowInput::enabled;
  Color background;
  bool active = false;
  bool has_icon = false;
};

struct RecordedMessage {
  std::string title, text;
  friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

class HeadlessGui : public Gui {
 public:
  bool open_window(int window, int x, int y, int client_width, int client_height,
                   std::string_view title, WindowOptions options) override;
  void close_window(int window) override;
  void disable_window(int window, WindowInput input) override;
  void activate_window(int window) override;
  void set_window_color(int window, Color color) override;
  void set_window_icon(int window, const Bitmap& icon) override;

  // With the queue empty, the scripted session is over: the main window is
  // asked to close, as a user would end the program.
  EventKind wait_event() override;
  // An empty queue gives EventKind::other at once.
  EventKind wait_event_for(int milliseconds) override;
  int event_control() const override { return event_control_; }
  int event_window() const override { return event_window_; }
  void start_timer(double seconds) override;

  void create_frame(int number, Rect box, std::string_view caption) override;
  void create_checkbox(int number, Rect box, std::string_view caption) override;
  void create_option(int number, Rect box, std::string_view caption) override;
  void create_slider(int number, Rect box, int minimum, int maximum, bool tick_marks) override;
  void create_label(int number, Rect box, std::string_view text, LabelOptions options) override;
  void create_edit(int number, Rect box, std::string_view text, EditOptions options) override;
  void create_button(int number, Rect box, std::string_view caption,
                     ButtonOptions options) override;
  void create_image(int number, Rect box, const Bitmap& bitmap) override;
  void create_progress(int number, Rect box, int maximum) override;
  void set_tooltip(int number, std::string_view text) override;

  std::string get_text(int number) const override;
  void set_text(int number, std::string_view text) override;
  int get_state(int number) const override;
  void set_state(int number, int value) override;
  void set_enabled(int number, bool enabled) override;
  void set_colors(int number, Color text, Color background) override;
  void set_button_colors(int number, Color text, Color face, std::optional<Color> pressed_text,
                         std::optional<Color> pressed_face) override;

  void show_message(std::string_view title, std::string_view text) override;
  // Recorded like a message; answered as answer_questions says (yes at first).
  bool ask_question(std::string_view title, std::string_view text) override;
  void answer_questions(bool yes) { answer_ = yes; }
  void show_help(std::string_view title, std::string_view html) override;
  // The documents shown with show_help: title and HTML, in order.
  const std::vector<std::pair<std::string, std::string>>& helps() const { return helps_; }

  // What the user does. Input to a disabled or closed window is dropped, as
  // the screen would drop it.
  void user_clicks(int number);                        // toggles, selects, presses
  void user_types(int number, std::string_view text);  // replaces the field's text
  void user_moves_slider(int number, int position);
  void user_closes(int window);
  // The time asked for with start_timer passes: its event is queued.
  void time_passes();
  bool timer_pending() const { return timer_pending_; }

  // Inspection for tests and the batch companion.
  const HeadlessControl* control(int number) const;
  const HeadlessWindow* window(int number) const;
  bool window_open(int number) const { return windows_.count(number) != 0; }
  std::vector<int> control_numbers(int window) const;
  const std::vector<RecordedMessage>& messages() const { return messages_; }
  void clear_messages() { messages_.clear(); }
  std::size_t pending_events() const { return queue_.size(); }
  // Called for every message box as it is shown (the batch companion prints them).
  void on_message(std::function<void(const RecordedMessage&)> listener) {
    listener_ = std::move(listener);
  }

 private:
  struct QueuedEvent {
    EventKind kind;
    int number;  // control or window
  };
  HeadlessControl* add_control(int number, ControlKind kind, Rect box, std::string_view text);
  HeadlessControl* find(int number);
  bool accepts_input(int number) const;
  void queue_control_event(int number);

  std::map<int, HeadlessControl> controls_;
  std::map<int, HeadlessWindow> windows_;
  int current_window_ = -1;
  int last_created_ = -1;
  std::deque<QueuedEvent> queue_;
  int event_control_ = -1;
  int event_window_ = -1;
  bool timer_pending_ = false;
  std::vector<RecordedMessage> messages_;
  std::vector<std::pair<std::string, std::string>> helps_;
  std::function<void(const RecordedMessage&)> listener_;
  bool answer_ = true;
};

}  // namespace velkart::gui
