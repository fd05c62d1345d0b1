#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "runtime/files.h"
#include "runtime/trash.h"
#include "runtime/wide_text.h"

namespace velkart::runtime {

bool move_to_trash(std::string_view path) {
  std::wstring name = wide_from_utf8(native_path(path));
  if (name.empty()) return false;
  // The shell wants a full path, ended by two zero characters.
  wchar_t full[32768];
  const DWORD length = ::GetFullPathNameW(name.c_str(), 32768, full, nullptr);
  if (length == 0 || length >= 32768) return false;
  std::wstring from(full, length);
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  // Where a drive has no Recycle Bin the shell would delete for good: it
  // asks the user first (FOF_WANTNUKEWARNING), and a "Nein" keeps the file.
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT;
  if (::SHFileOperationW(&operation) != 0 || operation.fAnyOperationsAborted) return false;
  return ::GetFileAttributesW(full) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace velkart::runtime
