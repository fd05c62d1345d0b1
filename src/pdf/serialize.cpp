// The end of a document: page objects with their content streams, page
// tree, fonts, resources, information dictionary, catalog, cross-reference
// table and trailer, all appended to the document buffer.
#include <string>

#include "pdf/document.h"
#include "pdf/format.h"
#include "runtime/text.h"

namespace velkart::pdf {

namespace {

std::string decimal(long long value) {
  return runtime::integer_to_text(value);
}

std::string two_digits(int value) {
  return runtime::pad_left(runtime::integer_to_text(value), 2, "0");
}

}  // namespace

int Document::new_object() {
  ++object_count_;
  object_offsets_.resize(static_cast<std::size_t>(object_count_) + 1, 0);
  object_offsets_[static_cast<std::size_t>(object_count_)] = document_buffer_.size();
  emit_document(decimal(object_count_) + " 0 obj");
  return object_count_;
}

std::string Document::creation_date() const {
  const LocalTime now = clock_();
  return runtime::pad_left(runtime::integer_to_text(now.year), 4, "0") + two_digits(now.month) +
         two_digits(now.day) + two_digits(now.hour) + two_digits(now.minute) +
         two_digits(now.second);
}

void Document::finish_document() {
  if (object_offsets_.size() < 3) object_offsets_.resize(3, 0);
  // One growth for all page streams and the objects around them, instead of
  // one per 64000 bytes over a file that may hold thousands of pages.
  std::size_t expected = 2000 + 200 * fonts_.size();
  for (const Page& page : pages_) expected += page.content.size() + 250;
  document_buffer_.reserve(expected);

  write_page_tree(write_pages());
  write_fonts();
  write_resources();
  write_information();
  write_cross_reference(write_catalog());

  state_ = DocumentState::finished;
  pages_.clear();
  fonts_.clear();
  object_offsets_.clear();
  current_font_ = -1;
}

std::string Document::write_pages() {
  std::string kids;
  for (Page& page : pages_) {
    const int number = new_object();
    emit_document("<</Type /Page");
    emit_document("/Parent 1 0 R");
    emit_document("/MediaBox [0 0 " + format_number(page.width_pt, 2) + " " +
                  format_number(page.height_pt, 2) + "]");
    emit_document("/Resources 2 0 R");
    emit_document("/Contents " + decimal(number + 1) + " 0 R>>");
    emit_document("endobj");

    new_object();
    emit_document("<</Length " + decimal(static_cast<long long>(page.content.size())) + ">>");
    emit_document("stream");
    // Every operator line already ends with LF; the extra LF before
    // "endstream" is not part of the stream's length.
    note_growth(!document_buffer_.present() || document_buffer_.append(page.content.view()));
    emit_document("");
    emit_document("endstream");
    emit_document("endobj");
    kids += decimal(number) + " 0 R ";
    page.content.release();
  }
  return kids;
}

void Document::write_page_tree(const std::string& kids) {
  object_offsets_[1] = document_buffer_.size();
  emit_document("1 0 obj");
  emit_document("<</Type /Pages");
  emit_document("/Kids [" + kids + "]");
  emit_document("/Count " + decimal(static_cast<long long>(pages_.size())));
  emit_document(">>");
  emit_document("endobj");
}

void Document::write_fonts() {
  for (FontEntry& font : fonts_) {
    font.object_number = new_object();
    emit_document("<</Type/Font");
    emit_document("/BaseFont/" + runtime::replace_all(font.standard->base_font, " ", "#20"));
    emit_document("/Subtype/Type1");
    if (font.standard->base_font != "Symbol" && font.standard->base_font != "ZapfDingbats") {
      emit_document("/Encoding/WinAnsiEncoding");
    }
    emit_document(">>");
    emit_document("endobj");
  }
}

void Document::write_resources() {
  object_offsets_[2] = document_buffer_.size();
  emit_document("2 0 obj");
  emit_document("<<");
  emit_document("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI]");
  emit_document("/Font <<");
  for (const FontEntry& font : fonts_) {
    emit_document("/F" + decimal(font.number) + " " + decimal(font.object_number) + " 0 R");
  }
  emit_document(">>");
  emit_document(">>");
  emit_document("endobj");
}

void Document::write_information() {
  new_object();
  emit_document("<<");
  emit_document("/Producer " + text_string(producer_text()));
  const auto optional_entry = [this](std::string_view key, const std::string& value) {
    if (!runtime::trim_blanks(value).empty())
      emit_document(std::string(key) + " " + text_string(value));
  };
  optional_entry("/Title", title_);
  optional_entry("/Subject", subject_);
  optional_entry("/Author", author_);
  optional_entry("/Keywords", keywords_);
  optional_entry("/Creator", creator_);
  emit_document("/CreationDate " + text_string("D:" + creation_date()));
  emit_document(">>");
  emit_document("endobj");
}

int Document::write_catalog() {
  const int catalog = new_object();
  emit_document("<<");
  emit_document("/Type /Catalog");
  emit_document("/Pages 1 0 R");
  // Open on the first page, fitted to the window's width.
  emit_document("/OpenAction [3 0 R /FitH null]");
  emit_document("/PageLayout /OneColumn");
  emit_document(">>");
  emit_document("endobj");
  return catalog;
}

// The catalog is the last object and the information dictionary the one
// before it.
void Document::write_cross_reference(int catalog) {
  const std::size_t xref_offset = document_buffer_.size();
  emit_document("xref");
  emit_document("0 " + decimal(catalog + 1));
  emit_document("0000000000 65535 f ");
  for (int object = 1; object <= catalog; ++object) {
    const std::size_t offset = object_offsets_[static_cast<std::size_t>(object)];
    emit_document(runtime::pad_left(decimal(static_cast<long long>(offset)), 10, "0") +
                  " 00000 n ");
  }
  emit_document("trailer");
  emit_document("<<");
  emit_document("/Size " + decimal(catalog + 1));
  emit_document("/Root " + decimal(catalog) + " 0 R");
  emit_document("/Info " + decimal(catalog - 1) + " 0 R");
  emit_document(">>");
  emit_document("startxref");
  emit_document(decimal(static_cast<long long>(xref_offset)));
  emit_document("%%EOF");
}

}  // namespace velkart::pdf
