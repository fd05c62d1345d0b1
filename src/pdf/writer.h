#pragma once
// The writer as plain procedures over one process-wide document, for code
// written in the style of the rest of the program. Each call forwards to
// the_document(); see document.h for the contracts.
#include <string>
#include <string_view>

#include "pdf/document.h"

namespace velkart::pdf {

// The process-wide document (created on first use, local clock).
Document& the_document();

bool new_document(std::string_view orientation = "", std::string_view unit = "", std::string_view format = "");
void set_header_hook(PageHook hook);
void set_footer_hook(PageHook hook);
void set_title(std::string_view text);
void set_author(std::string_view text);
bool add_page(std::string_view orientation = "", std::string_view format = "");
int page_number();
void set_font(std::string_view family, std::string_view style = "", int size_pt = 0);
float string_width(std::string_view text);
void text_cell(float width, float height, std::string_view text, int border = 0, float line_mode = 0,
               std::string_view align = "", float fill = 0);
std::string multi_line_cell(float width, float height, std::string_view text);
void line_break();
void line_break(float height);
void set_x(float x);
void set_y(float y);
void set_draw_color(int r, int g = -1, int b = -1);
void set_fill_color(int r, int g = -1, int b = -1);
void set_text_color(int r, int g = -1, int b = -1);
void set_line_width(float width);
void save_document(std::string_view file_name);

}  // namespace velkart::pdf
