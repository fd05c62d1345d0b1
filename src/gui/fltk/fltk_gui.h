#pragma once
// FltkGui: every GUI operation on FLTK 1.3 widgets. Controls and windows are
// found by the program's numbers; each keeps the widget that draws it and,
// for captions, the Windows-1252 text the program gave it.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/fltk/event_queue.h"
#include "gui/gui.h"

class Fl_Double_Window;
class Fl_Group;
class Fl_Help_View;
class Fl_Widget;
class Fl_Window;

namespace velkart::gui::fltk {

class ControlWindow;

class FltkGui : public Gui {
 public:
  FltkGui();
  ~FltkGui() override;

  bool open_window(int window, int x, int y, int client_width, int client_height,
                   std::string_view title, WindowOptions options) override;
  void close_window(int window) override;
  void disable_window(int window, WindowInput input) override;
  void activate_window(int window) override;
  void set_window_color(int window, Color color) override;
  void set_window_icon(int window, const Bitmap& icon) override;

  EventKind wait_event() override;
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
  bool ask_question(std::string_view title, std::string_view text) override;
  void show_help(std::string_view title, std::string_view html) override;

  // "control N: text" for every caption or field text of the open windows
  // that does not fit its box in the font it is drawn with.
  std::vector<std::string> cut_texts() const;

 private:
  EventKind take(const QueuedEvent& next);
  struct WindowRecord {
    std::unique_ptr<ControlWindow> window;
    std::unique_ptr<Reporter> reporter;
    WindowOptions options;
    WindowInput input = WindowInput::enabled;
    Fl_Group* option_run = nullptr;  // group of the options created one after the other
    bool shown = false;              // shown at the next wait, with all its controls
  };
  struct ControlRecord {
    ControlKind kind = ControlKind::label;
    int window = -1;
    Fl_Widget* widget = nullptr;  // owned by its window
    std::string text;             // captions as given, Windows-1252
    std::unique_ptr<Reporter> reporter;
  };

  WindowRecord* find_window(int window);
  ControlRecord* find(int number);
  const ControlRecord* find(int number) const;
  // Puts a new widget into the window opened last and numbers it; the widget
  // is deleted again when no window is open.
  ControlRecord* add(int number, ControlKind kind, std::unique_ptr<Fl_Widget> widget,
                     std::string_view text);
  void remove_control(int number);
  void show_pending_windows();
  void bring_forward_windows_owned_by(const Fl_Window* clicked);
  void record_text(int number, std::string_view text);
  ControlWindow* message_owner();

  EventQueue queue_;
  std::map<int, WindowRecord> windows_;
  std::vector<int> opened_order_;
  std::map<int, ControlRecord> controls_;
  int current_window_ = -1;
  int event_control_ = -1;
  int event_window_ = -1;
  std::string text_record_;  // file that set_text appends to, when asked for
  // The help window, made at its first showing; the view keeps pointers into
  // the texts, which therefore live here.
  std::unique_ptr<Fl_Double_Window> help_window_;
  Fl_Help_View* help_view_ = nullptr;
  std::string help_title_;
  std::string help_text_;
};

}  // namespace velkart::gui::fltk
