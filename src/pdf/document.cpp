#include "pdf/document.h"

#include <charconv>
#include <ctime>
#include <new>

#include "pdf/format.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "velkart_version.h"

namespace velkart::pdf {

namespace {

// The writer's real constants are 32-bit floats, like every real it stores;
// only then do the stored margins come out as 10.00125 mm and the first text
// position as 31.19 pt rather than 31.18.
constexpr float points_per_mm = 72 / 25.4f;
constexpr float points_per_cm = 72 / 2.54f;
constexpr float points_per_inch = 72;
constexpr float standard_margin_pt = 28.35f;
constexpr float standard_line_width_pt = 0.567f;
constexpr std::string_view a4_format = "595.28,841.89";
constexpr std::size_t document_buffer_start = 64000;
constexpr std::size_t page_buffer_start = 128000;

float scale_for_unit(std::string_view unit) {
  if (unit == "pt") return 1;
  if (unit == "cm") return points_per_cm;
  if (unit == "in") return points_per_inch;
  return points_per_mm;
}

bool parse_real(std::string_view text, float& value) {
  const std::string trimmed = runtime::trim_blanks(text);
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  return error == std::errc{} && end != trimmed.data();
}

std::string colour_operator(int r, int g, int b, std::string_view grey, std::string_view rgb) {
  std::string op;
  append_number(op, static_cast<float>(r / 255.0), 3);
  if ((r == 0 && g == 0 && b == 0) || g == -1) {
    op += ' ';
    op += grey;
    return op;
  }
  op += ' ';
  append_number(op, static_cast<float>(g / 255.0), 3);
  op += ' ';
  append_number(op, static_cast<float>(b / 255.0), 3);
  op += ' ';
  op += rgb;
  return op;
}

// The name part a file would get on disk; the separators of both worlds
// count, as the program's paths use either.
bool valid_file_part(std::string_view name) {
  const std::size_t separator = name.find_last_of("/\\");
  const std::string_view part =
      separator == std::string_view::npos ? name : name.substr(separator + 1);
  if (part.empty()) return false;
  for (const char byte : part) {
    if (static_cast<unsigned char>(byte) < 32) return false;
    if (std::string_view("\"*/:<>?\\|").find(byte) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace

std::string_view producer_text() {
  static const std::string text = std::string("Velkart PDF ") + velkart::version;
  return text;
}

LocalTime local_time_now() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

Document::Document(Clock clock) : clock_(std::move(clock)) {
  if (!clock_) clock_ = local_time_now;
  reset_state("", "", "");
}

void Document::reset_state(std::string_view orientation, std::string_view unit,
                           std::string_view format) {
  page_count_ = 0;
  object_count_ = 2;
  in_footer_ = false;
  in_header_ = false;
  last_height_ = 0;
  font_family_.clear();
  font_style_.clear();
  underline_ = false;
  font_size_pt_ = 12;
  current_font_ = -1;
  draw_color_ = "0 G";
  fill_color_ = "0 g";
  text_color_ = "0 g";
  color_flag_ = false;
  word_spacing_ = 0;
  error_ = WriterError::none;

  k_ = scale_for_unit(unit.empty() ? "mm" : unit);
  font_size_ = static_cast<float>(font_size_pt_ / static_cast<double>(k_));
  apply_format(format.empty() ? a4_format : format);

  const std::string upper = runtime::upper_case(orientation);
  default_orientation_ = (upper == "L" || upper == "LANDSCAPE") ? 'L' : 'P';
  current_orientation_ = default_orientation_;
  set_page_size(default_orientation_);

  const float margin = standard_margin_pt / k_;
  left_margin_ = margin;
  top_margin_ = margin;
  right_margin_ = margin;
  cell_margin_ = left_margin_ / 10;
  line_width_ = standard_line_width_pt / k_;
  auto_page_break_ = true;
  bottom_margin_ = 2 * margin;
  page_break_trigger_ = page_height_ - bottom_margin_;
  x_ = 0;
  y_ = 0;
}

void Document::apply_format(std::string_view format) {
  const std::size_t comma = format.find(',');
  float width = 0;
  float height = 0;
  const bool parsed = comma != std::string_view::npos &&
                      parse_real(format.substr(0, comma), width) &&
                      parse_real(format.substr(comma + 1), height) && width > 0 && height > 0;
  if (!parsed) {
    // An unreadable size would give a page nobody can display; keep A4.
    width = 595.28f;
    height = 841.89f;
  }
  format_width_pt_ = width;
  format_height_pt_ = height;
}

// Landscape swaps the format's sides; sizes in points and in user units.
void Document::set_page_size(char orientation) {
  const bool landscape = orientation == 'L';
  page_width_pt_ = landscape ? format_height_pt_ : format_width_pt_;
  page_height_pt_ = landscape ? format_width_pt_ : format_height_pt_;
  page_width_ = page_width_pt_ / k_;
  page_height_ = page_height_pt_ / k_;
}

bool Document::new_document(std::string_view orientation, std::string_view unit,
                            std::string_view format) {
  header_hook_ = nullptr;
  footer_hook_ = nullptr;
  // A document abandoned without saving must not leak its pages, fonts or
  // object numbers into this one.
  pages_.clear();
  fonts_.clear();
  object_offsets_.assign(3, 0);
  reset_state(orientation, unit, format);
  state_ = DocumentState::nothing_begun;
  document_buffer_ = ByteBuffer(document_buffer_start);
  if (!document_buffer_.present()) {
    error_ = WriterError::out_of_memory;
    return false;
  }
  state_ = DocumentState::no_page_open;
  emit_document("%PDF-1.5");
  return true;
}

bool Document::add_page(std::string_view orientation, std::string_view format) {
  // A hook that opened a page would run the hooks again without end.
  if (in_header_ || in_footer_) return false;
  // A finished document cannot take more pages; the next page begins a new
  // document, just as one that was never begun.
  if (state_ == DocumentState::nothing_begun || state_ == DocumentState::finished) {
    if (!new_document()) return false;
  }
  const std::string family = font_family_;
  const std::string style = underline_ ? font_style_ + "U" : font_style_;
  const int size_pt = font_size_pt_;
  const float width = line_width_;
  const std::string draw_color = draw_color_;
  const std::string fill_color = fill_color_;
  const std::string text_color = text_color_;
  const bool color_flag = color_flag_;

  if (page_count_ > 0) {
    call_footer();
    end_page();
  }
  if (!begin_page(orientation, format)) return false;

  emit("2 J");
  set_line_width(width);
  if (!runtime::trim_blanks(family).empty()) set_font(family, style, size_pt);
  draw_color_ = draw_color;
  if (draw_color_ != "0 G") emit(draw_color_);
  fill_color_ = fill_color;
  if (fill_color_ != "0 g") emit(fill_color_);
  text_color_ = text_color;
  color_flag_ = color_flag;

  if (header_hook_) {
    in_header_ = true;
    header_hook_();
    in_header_ = false;
  }

  // Whatever the header drew with, the page's own text goes on as before.
  if (line_width_ != width) set_line_width(width);
  if (!family.empty()) set_font(family, style, size_pt);
  if (draw_color_ != draw_color) {
    draw_color_ = draw_color;
    emit(draw_color_);
  }
  if (fill_color_ != fill_color) {
    fill_color_ = fill_color;
    emit(fill_color_);
  }
  text_color_ = text_color;
  color_flag_ = color_flag;
  return true;
}

bool Document::begin_page(std::string_view orientation, std::string_view format) {
  Page page;
  page.content = ByteBuffer(page_buffer_start);
  if (!page.content.present()) {
    error_ = WriterError::out_of_memory;
    return false;
  }
  try {
    pages_.push_back(std::move(page));
  } catch (const std::bad_alloc&) {
    error_ = WriterError::out_of_memory;
    return false;
  }
  ++page_count_;
  state_ = DocumentState::page_open;
  x_ = left_margin_;
  y_ = top_margin_;
  // So that the next set_font writes its operator into this page.
  font_family_.clear();

  const bool new_format = !runtime::trim_blanks(format).empty();
  if (new_format) apply_format(format);
  const std::string wanted = runtime::trim_blanks(orientation);
  const char chosen = wanted.empty() ? default_orientation_
                                     : (runtime::upper_case_byte(wanted[0]) == 'L' ? 'L' : 'P');
  if (chosen != current_orientation_ || new_format) {
    set_page_size(chosen);
    page_break_trigger_ = page_height_ - bottom_margin_;
    current_orientation_ = chosen;
  }
  pages_.back().width_pt = page_width_pt_;
  pages_.back().height_pt = page_height_pt_;
  return true;
}

void Document::call_footer() {
  if (!footer_hook_) return;
  in_footer_ = true;
  footer_hook_();
  in_footer_ = false;
}

void Document::close_document() {
  if (state_ == DocumentState::finished) return;
  if (page_count_ == 0) add_page();
  call_footer();
  end_page();
  finish_document();
}

void Document::save_document(std::string_view file_name) {
  close_document();
  if (!file_name.empty()) {
    if (!valid_file_part(file_name)) {
      error_ = WriterError::invalid_file_name;
    } else if (document_buffer_.present()) {
      // Replaced whole or not at all: a truncated PDF is worse than none, the
      // viewer would show a broken sheet instead of the old one or nothing.
      const int file = runtime::create_file(runtime::any_slot, file_name);
      if (file == 0) {
        error_ = WriterError::file_not_created;
      } else {
        const std::string_view bytes = document_buffer_.view();
        const bool written =
            runtime::write_bytes(file, bytes) == static_cast<std::int64_t>(bytes.size());
        // Closed in any case; only a complete file is put in place.
        if (!runtime::close_file(file) || !written) error_ = WriterError::file_not_created;
      }
    }
  }
  document_buffer_.release();
}

void Document::note_growth(bool appended) {
  if (!appended) error_ = WriterError::out_of_memory;
}

void Document::emit(std::string_view line) {
  if (state_ != DocumentState::page_open || pages_.empty()) return;
  note_growth(pages_.back().content.append_line(line));
}

void Document::emit_document(std::string_view line) {
  if (!document_buffer_.present()) return;
  note_growth(document_buffer_.append_line(line));
}

std::string_view Document::page_content(int page) const {
  if (page < 1 || static_cast<std::size_t>(page) > pages_.size()) return {};
  return pages_[static_cast<std::size_t>(page) - 1].content.view();
}

void Document::line_break() {
  x_ = left_margin_;
  y_ += last_height_;
}

void Document::line_break(float height) {
  x_ = left_margin_;
  y_ += height;
}

void Document::set_x(float x) {
  x_ = x >= 0 ? x : page_width_ + x;
}

void Document::set_y(float y) {
  x_ = left_margin_;
  y_ = y >= 0 ? y : page_height_ + y;
}

void Document::set_draw_color(int r, int g, int b) {
  draw_color_ = colour_operator(r, g, b, "G", "RG");
  if (page_count_ > 0) emit(draw_color_);
}

void Document::set_fill_color(int r, int g, int b) {
  fill_color_ = colour_operator(r, g, b, "g", "rg");
  if (page_count_ > 0) emit(fill_color_);
  if (fill_color_ != text_color_) color_flag_ = true;
}

void Document::set_text_color(int r, int g, int b) {
  text_color_ = colour_operator(r, g, b, "g", "rg");
  if (fill_color_ != text_color_) color_flag_ = true;
}

void Document::set_line_width(float width) {
  line_width_ = width;
  if (page_count_ > 0) {
    line_.clear();
    append_number(line_, width * k_, 2);
    line_ += " w";
    emit(line_);
  }
}

void Document::line(float x1, float y1, float x2, float y2) {
  // As in the cell frames: computed in double, rounded to float once.
  const double k = k_;
  const double height = page_height_;
  line_.clear();
  append_number(line_, static_cast<float>(x1 * k), 2);
  line_ += ' ';
  append_number(line_, static_cast<float>((height - y1) * k), 2);
  line_ += " m ";
  append_number(line_, static_cast<float>(x2 * k), 2);
  line_ += ' ';
  append_number(line_, static_cast<float>((height - y2) * k), 2);
  line_ += " l S";
  emit(line_);
}

void print_page_number(Document& document, std::string_view label) {
  document.set_y(-15);
  document.set_font("Arial", "I", 8);
  document.set_text_color(128);
  document.text_cell(0, 10,
                     std::string(label) + " " + runtime::integer_to_text(document.page_number()),
                     Border::none, LineMode::right, Align::centre);
}

void print_table_head(Document& document, std::span<const TableColumn> columns, float height) {
  document.set_font("Arial", "B", 10);
  document.set_fill_color(200, 220, 255);
  for (const TableColumn& column : columns)
    document.text_cell(column.width, height, column.caption, Border::frame, LineMode::right,
                       Align::centre, Fill::paint);
  document.line_break();
  document.set_font("Arial", "", 10);
}

void print_table_row(Document& document, std::span<const TableColumn> columns,
                     std::span<const std::string> cells, float height) {
  for (std::size_t c = 0; c < columns.size() && c < cells.size(); ++c)
    document.text_cell(columns[c].width, height, cells[c], Border::frame, LineMode::right,
                       columns[c].align);
  document.line_break();
}

}  // namespace velkart::pdf
