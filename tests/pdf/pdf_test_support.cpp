#include "pdf_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace velkart::pdf::testing {

namespace {

std::size_t number_at(std::string_view text, std::size_t at) {
  return std::strtoul(std::string(text.substr(at, 20)).c_str(), nullptr, 10);
}

}  // namespace

Clock fixed_clock() {
  return [] { return LocalTime{2024, 1, 2, 3, 4, 5}; };
}

std::vector<std::string> content_streams(std::string_view pdf) {
  std::vector<std::string> streams;
  for (std::size_t at = 0; (at = pdf.find("<</Length ", at)) != std::string_view::npos;) {
    const std::size_t length = number_at(pdf, at + 10);
    const std::size_t data = pdf.find("stream\n", at);
    if (data == std::string_view::npos) break;
    streams.emplace_back(pdf.substr(data + 7, length));
    at = data + 7 + length;
  }
  return streams;
}

::testing::AssertionResult has_consistent_structure(std::string_view pdf) {
  const std::size_t xref = pdf.rfind("\nxref\n");
  if (xref == std::string_view::npos) return ::testing::AssertionFailure() << "no xref";
  if (number_at(pdf, pdf.rfind("startxref\n") + 10) != xref + 1)
    return ::testing::AssertionFailure() << "startxref";
  const std::size_t size = number_at(pdf, xref + 8);
  std::size_t entry = pdf.find('\n', xref + 8) + 1 + 20;
  for (std::size_t object = 1; object < size; ++object, entry += 20) {
    const std::size_t offset = number_at(pdf, entry);
    const std::string wanted = std::to_string(object) + " 0 obj\n";
    if (pdf.substr(entry + 10, 10) != " 00000 n \n" ||
        pdf.substr(offset, wanted.size()) != wanted) {
      return ::testing::AssertionFailure() << "object " << object << " not at " << offset;
    }
  }
  for (std::size_t at = 0; (at = pdf.find("<</Length ", at)) != std::string_view::npos;) {
    const std::size_t end = pdf.find("stream\n", at) + 7 + number_at(pdf, at + 10);
    if (pdf.substr(end, 11) != "\nendstream\n")
      return ::testing::AssertionFailure() << "stream ending at " << end;
    at = end;
  }
  return ::testing::AssertionSuccess();
}

std::vector<std::string> lines_of(std::string_view content) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < content.size(); start = end + 1) {
    end = std::min(content.find('\n', start), content.size());
    lines.emplace_back(content.substr(start, end - start));
  }
  return lines;
}

std::size_t count_of(std::string_view text, std::string_view wanted) {
  std::size_t count = 0;
  for (std::size_t at = text.find(wanted); at != std::string_view::npos;
       at = text.find(wanted, at + 1))
    ++count;
  return count;
}

ToolRun run_pdftotext(const std::string& pdf_path) {
  return run_tool("pdftotext", "-enc UTF-8 -layout '" + pdf_path + "' -");
}

void expect_passes_qpdf(const std::string& pdf_path) {
  const ToolRun check = run_tool("qpdf", "--check '" + pdf_path + "'");
  if (!check.available) GTEST_SKIP() << "qpdf is not installed";
  // qpdf exits with 0 when clean, 3 when it only had warnings.
  EXPECT_EQ(check.exit_code, 0) << check.output;
  EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
  EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos)
      << check.output;
}

}  // namespace velkart::pdf::testing
