#pragma once
// Helpers shared by the PDF writer's tests: a pinned clock, a small reader
// for the file structure the writer produces, and the external checkers.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "pdf/document.h"

namespace velkart::pdf::testing {

// 2 January 2024, 03:04:05: every document written by the tests carries it.
LocalTime fixed_time();
Clock fixed_clock();

// The content streams of a finished file, in page order, located through
// their /Length entries.
std::vector<std::string> content_streams(std::string_view pdf);
// Every cross-reference entry points at its "N 0 obj" line, startxref at
// the table, and every stream's /Length at "endstream".
::testing::AssertionResult has_consistent_structure(std::string_view pdf);
// The lines of a content stream (each operator line ends with LF).
std::vector<std::string> lines_of(std::string_view content);
// How often `wanted` occurs in `text`.
std::size_t count_of(std::string_view text, std::string_view wanted);

// Result of an external command.
struct ToolRun {
  bool available = false;  // false: the tool is not installed
  int exit_code = -1;
  std::string output;      // standard output and standard error
};
ToolRun run_qpdf_check(const std::string& pdf_path);
// The text pdftotext reads from the file, as UTF-8.
ToolRun run_pdftotext(const std::string& pdf_path);

// Checks the file with qpdf: no errors and no warnings. Skips the calling
// test when qpdf is missing (use with ASSERT_NO_FATAL_FAILURE / a return).
void expect_passes_qpdf(const std::string& pdf_path);

}  // namespace velkart::pdf::testing
