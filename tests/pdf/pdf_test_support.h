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
Clock fixed_clock();

// The content streams of a finished file, in page order, found by /Length.
std::vector<std::string> content_streams(std::string_view pdf);
// Every cross-reference entry points at its "N 0 obj" line, startxref at
// the table, and every stream's /Length at "endstream".
::testing::AssertionResult has_consistent_structure(std::string_view pdf);
// The lines of a content stream (each operator line ends with LF).
std::vector<std::string> lines_of(std::string_view content);
std::size_t count_of(std::string_view text, std::string_view wanted);

// Result of an external command; available is false when it is not installed.
struct ToolRun {
  bool available = false;
  int exit_code = -1;
  std::string output;  // standard output and standard error
};
// Runs an external program with its arguments (one shell word list).
ToolRun run_tool(const std::string& name, const std::string& arguments);
// The text pdftotext reads from the file, as UTF-8.
ToolRun run_pdftotext(const std::string& pdf_path);
// qpdf --check finds no errors and no warnings; skips the test without qpdf.
void expect_passes_qpdf(const std::string& pdf_path);

}  // namespace velkart::pdf::testing
