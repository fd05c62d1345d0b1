#include "pdf/writer.h"

#include <utility>

namespace velkart::pdf {

Document& the_document() {
  static Document document;
  return document;
}

bool new_document(std::string_view orientation, std::string_view unit, std::string_view format) {
  return the_document().new_document(orientation, unit, format);
}
void set_header_hook(PageHook hook) { the_document().set_header_hook(std::move(hook)); }
void set_footer_hook(PageHook hook) { the_document().set_footer_hook(std::move(hook)); }
void set_title(std::string_view text) { the_document().set_title(text); }
void set_author(std::string_view text) { the_document().set_author(text); }
bool add_page(std::string_view orientation, std::string_view format) {
  return the_document().add_page(orientation, format);
}
int page_number() { return the_document().page_number(); }
void set_font(std::string_view family, std::string_view style, int size_pt) {
  the_document().set_font(family, style, size_pt);
}
float string_width(std::string_view text) { return the_document().string_width(text); }
void text_cell(float width, float height, std::string_view text, int border, float line_mode,
               std::string_view align, float fill) {
  the_document().text_cell(width, height, text, border, line_mode, align, fill);
}
std::string multi_line_cell(float width, float height, std::string_view text) {
  return the_document().multi_line_cell(width, height, text);
}
void line_break() { the_document().line_break(); }
void line_break(float height) { the_document().line_break(height); }
void set_x(float x) { the_document().set_x(x); }
void set_y(float y) { the_document().set_y(y); }
void set_draw_color(int r, int g, int b) { the_document().set_draw_color(r, g, b); }
void set_fill_color(int r, int g, int b) { the_document().set_fill_color(r, g, b); }
void set_text_color(int r, int g, int b) { the_document().set_text_color(r, g, b); }
void set_line_width(float width) { the_document().set_line_width(width); }
void save_document(std::string_view file_name) { the_document().save_document(file_name); }

}  // namespace velkart::pdf
