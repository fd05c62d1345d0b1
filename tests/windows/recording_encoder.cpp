// Stands in for ebook2cw.exe in the Wine end-to-end run: writes the command
// line it was started with, as GetCommandLineW gives it and as the words
// CommandLineToArgvW makes of it, one per line, UTF-8, to encoder_argv.txt.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "runtime/wide_text.h"

int main() {
  using velkart::runtime::utf8_from_wide;
  std::string record = "command line: " + utf8_from_wide(GetCommandLineW()) + "\n";
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int k = 1; words != nullptr && k < count; ++k) record += utf8_from_wide(words[k]) + "\n";
  const HANDLE file = CreateFileW(L"encoder_argv.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size() ? 0 : 1;
}
