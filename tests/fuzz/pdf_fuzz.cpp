// multi_line_cell and the serializer on any text and cell width: the writer
// reports no error and every file it writes has a consistent structure
// (cross-reference offsets, startxref, stream lengths).
#include <fstream>
#include <iterator>

#include "fuzz_support.h"
#include "pdf/document.h"
#include "pdf/pdf_test_support.h"

using velkart::fuzz::check;
namespace pdf = velkart::pdf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the width (0: to the right margin); the text is a
  // program text, which never holds a 0 byte.
  const float width = static_cast<float>(data[0]);
  std::string text(velkart::fuzz::bytes_of(data + 1, size - 1));
  text = text.substr(0, text.find('\0'));

  pdf::Document document(pdf::testing::fixed_clock());
  document.new_document();
  document.add_page();
  document.set_font("Times", "", 12);
  const std::string rest = document.multi_line_cell(width, 5, text);
  document.text_cell(0, 5, rest);
  const std::string path = velkart::fuzz::scratch_folder() + "/sheet.pdf";
  document.save_document(path);
  check(document.error() == pdf::WriterError::none, "writer error");
  std::ifstream file(path, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(file), {});
  check(static_cast<bool>(pdf::testing::has_consistent_structure(bytes)), "inconsistent file");
  return 0;
}
