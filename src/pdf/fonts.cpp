#include "pdf/fonts.h"

#include "pdf/document.h"
#include "pdf/format.h"
#include "runtime/text.h"

namespace velkart::pdf {

const StandardFont* find_standard_font(std::string_view lookup_name) {
  for (const StandardFont& font : standard_fonts) {
    if (font.lookup_name == lookup_name) return &font;
  }
  return nullptr;
}

std::string font_key(std::string_view family, std::string_view style) {
  return runtime::upper_case(runtime::pad_left(style, 3, "_") + "+" + std::string(family));
}

void Document::set_font(std::string_view family_given, std::string_view style_given, int size_pt) {
  const std::string family_upper = runtime::upper_case(family_given);
  std::string family = runtime::trim_blanks(family_given);
  if (family.empty()) family = font_family_;
  std::string style = runtime::trim_blanks(runtime::upper_case(style_given));
  if (family_upper == "ARIAL") family = "HELVETICA";
  if (family_upper == "SYMBOL" || family_upper == "ZAPFDINGBATS") style.clear();

  const bool underline = style.find('U') != std::string::npos;
  if (underline) style = runtime::remove_all(style, "U");
  if (style == "IB") style = "BI";
  if (size_pt == 0) size_pt = font_size_pt_;

  if (runtime::upper_case(font_family_) == runtime::upper_case(family) && font_style_ == style &&
      font_size_pt_ == size_pt) {
    underline_ = underline;
    return;
  }

  // Only the standard fonts exist here: a family without metrics would give
  // a font object without a base font, which no viewer can show, so such a
  // request leaves the current font in force.
  const StandardFont* standard = find_standard_font(runtime::upper_case(family) + style);
  if (standard == nullptr) return;

  std::string key = font_key(family, style);
  int found = -1;
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i].key == key) {
      found = static_cast<int>(i);
      break;
    }
  }
  if (found < 0) {
    add_font(style, std::move(key), standard);
    found = static_cast<int>(fonts_.size()) - 1;
  }
  current_font_ = found;
  underline_ = underline;
  font_family_ = family;
  font_style_ = style;
  font_size_pt_ = size_pt;
  font_size_ = static_cast<float>(size_pt / static_cast<double>(k_));

  if (page_count_ > 0) {
    line_.clear();
    line_ += "BT /F";
    line_ += runtime::integer_to_text(fonts_[static_cast<std::size_t>(found)].number);
    line_ += ' ';
    append_number(line_, static_cast<float>(size_pt), 2);
    line_ += " Tf ET";
    emit(line_);
  }
}

void Document::add_font(std::string_view style, std::string key, const StandardFont* standard) {
  FontEntry entry;
  entry.number = static_cast<int>(fonts_.size()) + 1;
  entry.standard = standard;
  entry.style = style;
  entry.key = std::move(key);
  fonts_.push_back(std::move(entry));
}

float Document::string_width(std::string_view text) const {
  if (current_font_ < 0) return 0;
  const FontWidths& widths = fonts_[static_cast<std::size_t>(current_font_)].standard->widths;
  // Whole thousandths add up exactly in an integer, even for a 10 MB text.
  long long sum = 0;
  for (const char byte : text) sum += widths[static_cast<unsigned char>(byte)];
  return static_cast<float>(static_cast<float>(sum) * static_cast<double>(font_size_) / 1000);
}

}  // namespace velkart::pdf
