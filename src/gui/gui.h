#pragma once
// The GUI operations both windows are built and driven with. No toolkit type
// appears here: controls and windows are named by the program's fixed
// numbers, texts are Windows-1252 bytes. FltkGui draws them on screen;
// HeadlessGui keeps them in memory for tests and the batch companion.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velkart::gui {

struct Color {
  enum class Kind : std::uint8_t { system_default, transparent, rgb };
  Kind kind = Kind::system_default;
  std::uint8_t red = 0, green = 0, blue = 0;

  static constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {Kind::rgb, r, g, b};
  }
  static constexpr Color transparent() { return {Kind::transparent, 0, 0, 0}; }
  static constexpr Color system_default() { return {}; }
  friend constexpr bool operator==(const Color&, const Color&) = default;
};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

enum class Align : std::uint8_t { left, centred, right };

struct WindowOptions {
  bool centred = true;
  bool minimise_box = true;
  bool maximise_box = false;
  bool sizing_border = false;
  // Kept above this window and brought forward when that one is clicked
  // while disabled; -1 for a window of its own.
  int owner = -1;
};

struct EditOptions {
  Align align = Align::left;
  bool digits_only = false;
  bool borderless = true;
};

struct LabelOptions {
  Align align = Align::left;
  bool vertically_centred = false;
  // A text longer than the box scrolls, and it can be selected and copied.
  bool scrolls = false;
};

struct ButtonOptions {
  bool multi_line = false;
  bool default_button = false;  // the look only: Enter presses no button of a window
};

// The kinds of control a window is built from.
enum class ControlKind : std::uint8_t {
  frame,
  checkbox,
  option,
  slider,
  label,
  edit,
  button,
  image,
  progress
};

// timer: the time asked for with start_timer has passed.
enum class EventKind : std::uint8_t { control, close_request, timer, other };
enum class WindowInput : std::uint8_t { enabled, disabled };

// A decoded picture, ready to be shown by create_image.
struct Bitmap {
  int width = 0, height = 0;
  std::string rgb;  // width * height * 3 bytes, top row first
  bool valid() const { return width > 0 && height > 0; }
};

class Gui {
 public:
  virtual ~Gui() = default;

  // Windows. open_window makes the window the one later controls go into.
  virtual bool open_window(int window, int x, int y, int client_width, int client_height,
                           std::string_view title, WindowOptions options) = 0;
  virtual void close_window(int window) = 0;
  virtual void disable_window(int window, WindowInput input) = 0;
  virtual void activate_window(int window) = 0;
  virtual void set_window_color(int window, Color color) = 0;
  virtual void set_window_icon(int window, const Bitmap& icon) = 0;

  // The event queue: blocks until the next event; never returns without one.
  virtual EventKind wait_event() = 0;
  // The same, but gives up after about `milliseconds` with EventKind::other,
  // so outside work can be looked after while the windows stay responsive.
  virtual EventKind wait_event_for(int milliseconds) = 0;
  virtual int event_control() const = 0;
  virtual int event_window() const = 0;
  // One timer event after about `seconds`, delivered by wait_event in turn;
  // the windows stay responsive meanwhile.
  virtual void start_timer(double seconds) = 0;

  // Controls, added to the window opened last.
  virtual void create_frame(int number, Rect box, std::string_view caption) = 0;
  virtual void create_checkbox(int number, Rect box, std::string_view caption) = 0;
  // Options created one after the other form one group.
  virtual void create_option(int number, Rect box, std::string_view caption) = 0;
  virtual void create_slider(int number, Rect box, int minimum, int maximum, bool tick_marks) = 0;
  virtual void create_label(int number, Rect box, std::string_view text, LabelOptions options) = 0;
  virtual void create_edit(int number, Rect box, std::string_view text, EditOptions options) = 0;
  virtual void create_button(int number, Rect box, std::string_view caption,
                             ButtonOptions options) = 0;
  virtual void create_image(int number, Rect box, const Bitmap& bitmap) = 0;
  // A bar filled as far as its state (0 to `maximum`) says, its text written
  // across it.
  virtual void create_progress(int number, Rect box, int maximum) = 0;
  virtual void set_tooltip(int number, std::string_view text) = 0;

  // Unknown controls read as "" and 0 and ignore writes. set_text raises no event.
  virtual std::string get_text(int number) const = 0;
  virtual void set_text(int number, std::string_view text) = 0;
  // Check box 0/1 (non-zero checks), option 1/0 (selecting clears its group),
  // slider position and progress bar (clamped to their range).
  virtual int get_state(int number) const = 0;
  virtual void set_state(int number, int value) = 0;
  // A disabled control is drawn greyed and reports nothing.
  virtual void set_enabled(int number, bool enabled) = 0;

  virtual void set_colors(int number, Color text, Color background) = 0;
  virtual void set_button_colors(int number, Color text, Color face,
                                 std::optional<Color> pressed_text = std::nullopt,
                                 std::optional<Color> pressed_face = std::nullopt) = 0;

  // Modal box with "OK"; returns when the user confirms.
  virtual void show_message(std::string_view title, std::string_view text) = 0;
  // Modal box with "Ja" and "Nein"; true only for "Ja" (Escape and the close
  // box say no).
  virtual bool ask_question(std::string_view title, std::string_view text) = 0;
  // A window of its own that shows a document in simple HTML (headings,
  // paragraphs, lists, typewriter text), scrolled to its top; the same
  // window again when it is shown already. It closes by itself and reports
  // nothing.
  virtual void show_help(std::string_view title, std::string_view html) = 0;
};

// Decodes a BMP file held in memory (uncompressed 8-bit with colour table, or
// 24/32-bit). Anything else gives an invalid bitmap.
Bitmap load_bitmap(std::string_view bmp_bytes);

}  // namespace velkart::gui
