// The run lock on Windows: the lock file opened without sharing. No other
// run can open it while this handle, or a copy an encoder inherited, is
// open; a LockFileEx lock would end with the process that took it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/run_lock.h"
#include "runtime/wide_text.h"

namespace velkart::runtime {

RunLock::RunLock(std::string_view path) {
  const std::wstring name = wide_from_utf8(native_path(path));
  const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    busy_ = ::GetLastError() == ERROR_SHARING_VIOLATION;
    return;
  }
  descriptor_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
  if (descriptor_ < 0) {
    ::CloseHandle(file);
    return;
  }
  pass_descriptor_to_children(descriptor_);
}

RunLock::~RunLock() {
  if (descriptor_ < 0) return;
  pass_descriptor_to_children(-1);
  ::_close(descriptor_);
}

}  // namespace velkart::runtime
