// The writer under load: ten megabytes of any bytes on thousands of pages,
// and ten thousand cells followed by ten thousand pages, each with its
// header. Checked in memory: qpdf would need many seconds for the 55 MB file.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "pdf/document.h"
#include "pdf_test_support.h"

namespace velkart::pdf {
namespace {

TEST(Stress, TenMegabytesOfAnyBytesFillEveryPageTheyNeed) {
  std::mt19937 generator(1);
  std::uniform_int_distribution<int> byte(1, 255);
  std::string text(10'000'000, ' ');
  for (char& c : text) c = static_cast<char>(byte(generator));
  Document document(testing::fixed_clock());
  document.add_page();
  document.set_font("Times", "", 12);
  document.text_cell(0, 6, text, Border::frame, LineMode::next_line);
  document.multi_line_cell(0, 5, text);
  const int pages = document.page_number();
  document.close_document();
  const std::string pdf(document.bytes());
  int streams = 0;
  for (std::size_t at = pdf.find("stream\n"); at != std::string::npos;
       at = pdf.find("endstream\n", at) + 1, at = pdf.find("\nstream\n", at))
    ++streams;
  EXPECT_GT(pages, 1000);
  EXPECT_EQ(streams, pages);
  EXPECT_EQ(document.error(), WriterError::none);
}

TEST(Stress, TenThousandPagesEachGetTheirHeader) {
  Document document(testing::fixed_clock());
  int headers = 0;
  // Hooks belong to a document: it is begun before they are set.
  document.new_document();
  document.set_header_hook([&] {
    ++headers;
    document.set_font("Arial", "B", 10);
    document.text_cell(0, 6, "Kopf", Border::frame, LineMode::next_line, Align::centre);
  });
  document.set_font("Times", "", 12);
  document.add_page();
  for (int cell = 0; cell < 10'000; ++cell)
    document.text_cell(0, 5, "Zelle " + std::to_string(cell), Border::none, LineMode::next_line);
  for (int page = 0; page < 10'000; ++page) document.add_page();
  document.close_document();
  EXPECT_GT(document.page_number(), 10'000);
  EXPECT_EQ(headers, document.page_number());
  EXPECT_NE(std::string(document.bytes()).find("/Count " + std::to_string(headers) + "\n"),
            std::string::npos);
}

}  // namespace
}  // namespace velkart::pdf
