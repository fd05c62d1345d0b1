// Text cells, line breaking and the automatic page break.
#include <cmath>
#include <string>

#include "pdf/document.h"
#include "pdf/format.h"

namespace velkart::pdf {

namespace {

// Intermediate values are computed in double from the stored floats; each
// number is rounded to float once, when it is formatted.
void append_coordinate(std::string& out, double value) {
  append_number(out, static_cast<float>(value), 2);
}

// A point in user space (origin top left) as PDF coordinates (origin bottom
// left), in points.
void append_point(std::string& out, double x, double y, double page_height, double k) {
  append_coordinate(out, x * k);
  out += ' ';
  append_coordinate(out, (page_height - y) * k);
}

void append_segment(std::string& out, double x1, double y1, double x2, double y2,
                    double page_height, double k) {
  append_point(out, x1, y1, page_height, k);
  out += " m ";
  append_point(out, x2, y2, page_height, k);
  out += " l S ";
}

// Baseline 0.3 font sizes below the middle of the cell: centred capitals.
constexpr float baseline_share = 0.3f;
constexpr float middle_share = 0.5f;
// Every standard font underlines 100 units below the baseline, 50 thick.
constexpr double underline_drop = 0.1;
constexpr double underline_thickness = 0.05;

}  // namespace

void Document::text_cell(float w, float h, std::string_view text, Border border, LineMode line_mode,
                         Align align, Fill fill) {
  // The footer sits below the break line on purpose, and a header that
  // overflowed would open page after page: neither may start a page.
  if (static_cast<double>(y_) + h > page_break_trigger_ && !in_footer_ && !in_header_ &&
      auto_page_break_) {
    break_page_for_cell();
  }
  if (w == 0) w = static_cast<float>(static_cast<double>(page_width_) - right_margin_ - x_);

  line_.clear();
  append_cell_frame(w, h, border, fill);
  // Without a selected font there is no resource to name in the text
  // operator, so such text is not drawn at all (borders and fills are).
  if (!text.empty() && current_font_ >= 0) append_cell_text(w, h, text, align);
  if (!line_.empty()) emit(line_);
  if (align == Align::justify) {
    emit("0 Tw");
    word_spacing_ = 0;
  }

  last_height_ = h;
  if (line_mode == LineMode::right) {
    x_ += w;
  } else {
    y_ += h;
    if (line_mode == LineMode::next_line) x_ = left_margin_;
  }
}

// The interrupted cell goes on at its x on the next page, with the word
// spacing of a justified line it belongs to.
void Document::break_page_for_cell() {
  const float x = x_;
  const float spacing = word_spacing_;
  if (spacing > 0) {
    word_spacing_ = 0;
    emit("0 Tw");
  }
  add_page(std::string(1, current_orientation_), "");
  x_ = x;
  if (spacing > 0) {
    word_spacing_ = spacing;
    line_.clear();
    append_number(line_, static_cast<float>(spacing * static_cast<double>(k_)), 3);
    line_ += " Tw";
    emit(line_);
  }
}

void Document::append_cell_frame(float w, float h, Border border, Fill fill) {
  const double k = k_;
  const double x = x_;
  const double y = y_;
  const double page_height = page_height_;
  const bool frame = has(border, Border::frame);
  if (fill == Fill::paint || frame) {
    append_point(line_, x, y, page_height, k);
    line_ += ' ';
    append_coordinate(line_, w * k);
    line_ += ' ';
    append_coordinate(line_, -h * k);
    line_ += fill == Fill::paint ? (frame ? " re B " : " re f ") : " re S ";
  }
  if (!frame) {
    if (has(border, Border::left)) append_segment(line_, x, y, x, y + h, page_height, k);
    if (has(border, Border::top)) append_segment(line_, x, y, x + w, y, page_height, k);
    if (has(border, Border::right)) append_segment(line_, x + w, y, x + w, y + h, page_height, k);
    if (has(border, Border::bottom)) append_segment(line_, x, y + h, x + w, y + h, page_height, k);
  }
}

void Document::append_cell_text(float w, float h, std::string_view text, Align align) {
  const double k = k_;
  const double x = x_;
  const double page_height = page_height_;
  const double text_width = string_width(text);
  double dx = cell_margin_;
  if (align == Align::right) {
    dx = static_cast<double>(w) - cell_margin_ - text_width;
  } else if (align == Align::centre) {
    dx = (static_cast<double>(w) - text_width) / 2;
  }
  double underline_width = text_width;
  if (align == Align::justify) {
    // Stretch the blanks so the text fills the cell between its margins.
    long blanks = 0;
    for (const char byte : text) blanks += byte == ' ' ? 1 : 0;
    const double stretch = static_cast<double>(w) - 2.0 * cell_margin_ - text_width;
    word_spacing_ = blanks > 0 ? static_cast<float>(stretch / static_cast<double>(blanks)) : 0.0f;
    underline_width += static_cast<double>(word_spacing_) * static_cast<double>(blanks);
    std::string spacing;
    append_number(spacing, static_cast<float>(word_spacing_ * k), 3);
    spacing += " Tw";
    emit(spacing);
  }
  if (color_flag_) {
    line_ += "q ";
    line_ += text_color_;
    line_ += ' ';
  }
  const double font_size = font_size_;
  const double y = y_;
  const double baseline = y + middle_share * h + baseline_share * font_size;
  line_ += "BT ";
  append_coordinate(line_, (x + dx) * k);
  line_ += ' ';
  append_coordinate(line_, (page_height - baseline) * k);
  line_ += " Td (";
  append_escaped(line_, text);
  line_ += ") Tj ET";
  if (underline_) {
    line_ += ' ';
    append_point(line_, x + dx, baseline + underline_drop * font_size, page_height, k);
    line_ += ' ';
    append_coordinate(line_, underline_width * k);
    line_ += ' ';
    append_coordinate(line_, -underline_thickness * font_size * k);
    line_ += " re f";
  }
  if (color_flag_) line_ += " Q";
}

std::string Document::multi_line_cell(float w, float h, std::string_view text) {
  if (w == 0) w = static_cast<float>(static_cast<double>(page_width_) - right_margin_ - x_);
  // Room for text in thousandths of the font size; comparing whole numbers
  // keeps the breaks independent of float noise in the line sums.
  const float room =
      static_cast<float>((static_cast<double>(w) - 2.0 * cell_margin_) * 1000.0 / font_size_);
  const double limit = std::nearbyint(static_cast<double>(room));  // halves to even
  // The widths stay valid across page breaks: they belong to the constant
  // font data, and add_page restores the font after the header anyway.
  static const FontWidths no_widths{};
  const FontWidths& widths = current_font_ >= 0
                                 ? fonts_[static_cast<std::size_t>(current_font_)].standard->widths
                                 : no_widths;

  std::size_t end = text.size();
  if (end > 0 && text[end - 1] == '\n') --end;
  const auto print_line = [&](std::size_t from, std::size_t to) {
    text_cell(w, h, text.substr(from, to - from), Border::none, LineMode::below);
  };

  constexpr std::size_t none = std::string_view::npos;
  std::size_t start = 0;     // first byte of the current line
  std::size_t blank = none;  // last blank of the current line
  long long used = 0;        // width of the current line so far
  std::size_t i = 0;
  while (i < end) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      print_line(start, i);
      ++i;
      start = i;
      blank = none;
      used = 0;
      continue;
    }
    if (c == ' ') blank = i;
    used += widths[c];
    if (static_cast<double>(used) > limit) {
      if (blank == none) {
        // A word wider than the line is cut; at least one byte goes on each
        // line, so the scan always moves on.
        if (i == start) {
          print_line(start, i + 1);
          ++i;
        } else {
          print_line(start, i);
        }
      } else {
        print_line(start, blank);
        i = blank + 1;
      }
      start = i;
      blank = none;
      used = 0;
    } else {
      ++i;
    }
  }
  print_line(start, end);
  x_ = left_margin_;
  return std::string();
}

}  // namespace velkart::pdf
