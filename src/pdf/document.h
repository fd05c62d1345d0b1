#pragma once
// One PDF 1.5 document built in memory from drawing calls and written to a
// file in one piece. Lengths are millimetres by default (user units), the
// origin is the top left corner with y growing downwards; texts are
// Windows-1252 bytes. Only the 14 standard fonts are used, nothing is
// embedded or compressed.
//
// The writer reports nothing to its caller: failures are kept in error()
// and the document goes on, as the solution sheet expects.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pdf/byte_buffer.h"
#include "pdf/fonts.h"

namespace velkart::pdf {

// Local wall-clock time; month and day count from 1.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};
using Clock = std::function<LocalTime()>;
LocalTime local_time_now();

// Called at the start (header) or end (footer) of every page; may draw with
// the document's operations.
using PageHook = std::function<void()>;

enum class WriterError : int {
  none = 0,
  invalid_file_name = 14,  // the file part of the name given to save_document
  file_not_created = 15,
  out_of_memory = 17,  // a buffer could not be allocated or grown
};

// A text cell's frame: the whole rectangle, or single sides drawn as lines.
enum class Border : unsigned { none = 0, left = 1, top = 2, right = 4, bottom = 8, frame = 16 };
constexpr Border operator|(Border a, Border b) {
  return static_cast<Border>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool has(Border border, Border side) {
  return (static_cast<unsigned>(border) & static_cast<unsigned>(side)) != 0;
}
// Where the position goes after a cell: right of it, to the start of the
// next line, or straight below it.
enum class LineMode { right, next_line, below };
// justify stretches the blanks so the text fills the cell between its margins.
enum class Align { left, centre, right, justify };
enum class Fill { none, paint };

enum class DocumentState { nothing_begun, no_page_open, page_open, finished };

// The identification written as /Producer.
std::string_view producer_text();

class Document {
 public:
  // The clock gives the creation date written when the document is finished.
  explicit Document(Clock clock = local_time_now);

  // Starts a new, empty document: orientation "P"/"L" (empty: "P"), unit
  // "pt", "mm", "cm" or "in" (empty or unknown: "mm"), format "width,height"
  // in points (empty: A4). Clears the hooks, keeps the information entries.
  // False when memory ran out.
  bool new_document(std::string_view orientation = "", std::string_view unit = "",
                    std::string_view format = "");

  void set_header_hook(PageHook hook) { header_hook_ = std::move(hook); }
  void set_footer_hook(PageHook hook) { footer_hook_ = std::move(hook); }
  void set_title(std::string_view text) { title_ = text; }
  void set_subject(std::string_view text) { subject_ = text; }
  void set_author(std::string_view text) { author_ = text; }
  void set_keywords(std::string_view text) { keywords_ = text; }
  void set_creator(std::string_view text) { creator_ = text; }

  // Ends the current page (footer hook) and opens the next (header hook),
  // carrying line width, font and colours over. Starts a document first when
  // none is begun or the last one was saved. False when memory ran out, and
  // refused (false) while a hook runs, as the hooks would run again forever.
  bool add_page(std::string_view orientation = "", std::string_view format = "");
  // Pages begun so far: the number of the current page.
  int page_number() const { return page_count_; }

  // Family "Arial"/"Helvetica", "Times", "Courier", "Symbol" or
  // "ZapfDingbats" (any case; empty keeps the current family), style made of
  // "B", "I" and "U" (underline), size in whole points (0 keeps the size).
  // A family outside the standard fonts changes nothing.
  void set_font(std::string_view family, std::string_view style = "", int size_pt = 0);
  // Width of the text in the current font, user units; 0 without a font.
  float string_width(std::string_view text) const;

  // A one-line cell at the current position; width 0 reaches the right
  // margin. May start a new page first.
  void text_cell(float width, float height, std::string_view text, Border border = Border::none,
                 LineMode line_mode = LineMode::right, Align align = Align::left,
                 Fill fill = Fill::none);
  // Breaks the text into lines at blanks and line feeds (a word too wide is
  // cut), one text cell per line, left aligned, and returns the text not
  // printed: always empty, as every line is printed.
  std::string multi_line_cell(float width, float height, std::string_view text);

  // x to the left margin, y down by the height (without one: by the height
  // of the last text cell).
  void line_break();
  void line_break(float height);
  // x >= 0: from the left edge; x < 0: from the right edge.
  void set_x(float x);
  // Also moves x to the left margin. y < 0: from the bottom edge.
  void set_y(float y);

  // Colour components 0..255; g == -1 (or all three 0) gives the grey form.
  void set_draw_color(int r, int g = -1, int b = -1);
  void set_fill_color(int r, int g = -1, int b = -1);
  void set_text_color(int r, int g = -1, int b = -1);
  void set_line_width(float width);
  // A straight line from (x1, y1) to (x2, y2), user units from the top left,
  // in the draw colour and line width. Nothing without an open page; it never
  // starts a page and leaves the position where it is.
  void line(float x1, float y1, float x2, float y2);

  // Footer of the last page and the rest of the file into the buffer;
  // nothing once finished. bytes() then holds the complete file.
  void close_document();
  // Closes the document and writes it to the file in a single write. A name
  // whose file part (after the last "/" or "\") is empty or holds a control
  // byte or one of " * / : < > ? \ | is refused; an empty name writes
  // nothing. The document is released in every case.
  void save_document(std::string_view file_name);

  // Inspection, for the solution sheet's layout and for tests.
  float x() const { return x_; }
  float y() const { return y_; }
  float page_width() const { return page_width_; }
  float page_height() const { return page_height_; }
  float left_margin() const { return left_margin_; }
  float right_margin() const { return right_margin_; }
  float cell_margin() const { return cell_margin_; }
  float page_break_trigger() const { return page_break_trigger_; }
  float last_height() const { return last_height_; }
  float line_width() const { return line_width_; }
  float font_size() const { return font_size_; }  // user units
  int font_size_pt() const { return font_size_pt_; }
  const std::string& font_family() const { return font_family_; }
  const std::string& font_style() const { return font_style_; }
  WriterError error() const { return error_; }
  // The content stream of a page (1-based) until the document is finished.
  std::string_view page_content(int page) const;
  // The document buffer: the whole file once closed, empty once released.
  std::string_view bytes() const { return document_buffer_.view(); }

 private:
  struct Page {
    ByteBuffer content;
    float width_pt = 0;
    float height_pt = 0;
  };

  void reset_state(std::string_view orientation, std::string_view unit, std::string_view format);
  void apply_format(std::string_view format);
  void set_page_size(char orientation);
  bool begin_page(std::string_view orientation, std::string_view format);
  void end_page() { state_ = DocumentState::no_page_open; }
  void call_footer();
  void add_font(std::string_view style, std::string key, const StandardFont* standard);

  // Page content goes into the open page; with no page open it has nowhere
  // to go and is dropped, so stray drawing cannot end up between objects.
  void emit(std::string_view line);
  // File structure goes into the document buffer.
  void emit_document(std::string_view line);
  void note_growth(bool appended);

  // The steps of a text cell (text_cell.cpp).
  void break_page_for_cell();
  void append_cell_frame(float w, float h, Border border, Fill fill);
  void append_cell_text(float w, float h, std::string_view text, Align align);

  // Serialization (serialize.cpp), in file order.
  void finish_document();
  std::string write_pages();  // the page references for the page tree
  void write_page_tree(const std::string& kids);
  void write_fonts();
  void write_resources();
  void write_information();
  int write_catalog();
  void write_cross_reference(int catalog);
  int new_object();
  std::string creation_date() const;

  Clock clock_;
  DocumentState state_ = DocumentState::nothing_begun;
  int page_count_ = 0;
  int object_count_ = 2;
  float k_ = 0;
  float format_width_pt_ = 0;
  float format_height_pt_ = 0;
  char default_orientation_ = 'P';
  char current_orientation_ = 'P';
  float page_width_pt_ = 0;
  float page_height_pt_ = 0;
  float page_width_ = 0;
  float page_height_ = 0;
  float left_margin_ = 0;
  float top_margin_ = 0;
  float right_margin_ = 0;
  float bottom_margin_ = 0;
  float cell_margin_ = 0;
  bool auto_page_break_ = true;
  float page_break_trigger_ = 0;
  float x_ = 0;
  float y_ = 0;
  float last_height_ = 0;
  float line_width_ = 0;
  std::string font_family_;
  std::string font_style_;
  bool underline_ = false;
  int font_size_pt_ = 12;
  float font_size_ = 0;
  int current_font_ = -1;  // index into fonts_
  std::string draw_color_ = "0 G";
  std::string fill_color_ = "0 g";
  std::string text_color_ = "0 g";
  bool color_flag_ = false;
  float word_spacing_ = 0;
  bool in_footer_ = false;
  bool in_header_ = false;
  std::string title_, subject_, author_, keywords_, creator_;
  PageHook header_hook_;
  PageHook footer_hook_;
  WriterError error_ = WriterError::none;
  ByteBuffer document_buffer_;
  std::vector<Page> pages_;
  std::vector<std::size_t> object_offsets_;  // index: object number; [0] unused
  std::vector<FontEntry> fonts_;
  std::string line_;  // scratch for composing one operator line
};

// What the program's documents print in their footer hook: the label and
// the page number, centred in grey 8 pt italics 15 mm above the bottom edge.
void print_page_number(Document& document, std::string_view label);

// A column of the program's framed tables: its width in millimetres (the
// columns run from the left margin on), heading and how its cells align.
struct TableColumn {
  float width;
  std::string_view caption;
  Align align;
};

// The heading row in bold Arial 10 on light blue, `height` mm high; the
// rows after it print in plain Arial 10.
void print_table_head(Document& document, std::span<const TableColumn> columns, float height);
// One row of framed cells, one per column.
void print_table_row(Document& document, std::span<const TableColumn> columns,
                     std::span<const std::string> cells, float height);

}  // namespace velkart::pdf
