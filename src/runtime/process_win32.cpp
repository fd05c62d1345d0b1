// The Windows side of process start: CreateProcessW with a command line that
// CommandLineToArgvW takes apart into exactly our words, ShellExecuteW for
// documents, and the clock seed from the thread id and the tick count.
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <fstream>
#include <map>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/process_state.h"
#include "runtime/random.h"
#include "runtime/wide_text.h"

namespace velkart::runtime {

namespace {

bool is_regular_file(const std::wstring& name) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool exists(const std::wstring& name) {
  return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// An inheritable copy of one of our standard handles, for the child's
// standard streams; closed again once the child has them.
class InheritableHandle {
 public:
  explicit InheritableHandle(DWORD which) {
    const HANDLE own = ::GetStdHandle(which);
    if (own != nullptr && own != INVALID_HANDLE_VALUE) {
      ::DuplicateHandle(::GetCurrentProcess(), own, ::GetCurrentProcess(), &handle_, 0, TRUE,
                        DUPLICATE_SAME_ACCESS);
    }
  }
  ~InheritableHandle() {
    if (handle_ != nullptr) ::CloseHandle(handle_);
  }
  InheritableHandle(const InheritableHandle&) = delete;
  InheritableHandle& operator=(const InheritableHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

bool same_name(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

// Our environment with the changed variables replaced or added, as the
// block CreateProcessW takes: "NAME=value" strings, each ended by a 0, and a
// final 0. Windows compares variable names without case.
std::wstring changed_environment(const EnvironmentChanges& changes) {
  std::vector<std::wstring> wide_changes;
  for (const auto& [name, value] : changes) {
    wide_changes.push_back(wide_from_utf8(to_utf8(name)) + L"=" + wide_from_utf8(to_utf8(value)));
  }
  std::wstring block;
  wchar_t* own = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = own; entry != nullptr && *entry != L'\0';
       entry += std::wcslen(entry) + 1) {
    const std::wstring_view variable(entry);
    // Entries like "=C:=C:\\" carry the drives' folders; their name starts after the "=".
    const std::wstring_view name = variable.substr(0, variable.find(L'=', 1));
    bool changed = false;
    for (const auto& [change, value] : changes) {
      changed = changed || same_name(name, wide_from_utf8(to_utf8(change)));
    }
    if (!changed) block.append(variable).push_back(L'\0');
  }
  if (own != nullptr) ::FreeEnvironmentStringsW(own);
  for (const std::wstring& variable : wide_changes) block.append(variable).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// Windows programs keep their settings in their current folder, not below
// HOME: a program given a HOME of its own starts in that folder (as a full
// path); "" leaves it in ours.
std::wstring home_folder(const EnvironmentChanges& changes) {
  for (const auto& [name, value] : changes) {
    if (!same_name(wide_from_utf8(to_utf8(name)), L"HOME") || value.empty()) continue;
    const std::wstring home = wide_from_utf8(native_path(value));
    wchar_t full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameW(home.c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH) return full;
  }
  return L"";
}

bool ends_with_exe(const std::wstring& name) {
  if (name.size() < 4) return false;
  std::wstring tail = name.substr(name.size() - 4);
  for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
  return tail == L".exe";
}

// A Windows program file: a regular ".exe" file that begins with "MZ". A
// Linux encoder copied along (no extension) does not count.
bool runnable_file(const std::string& path) {
  const std::wstring name = wide_from_utf8(native_path(path));
  if (!ends_with_exe(name) || !is_regular_file(name)) return false;
  std::ifstream file(file_system_path(path), std::ios::binary);
  char magic[2] = {};
  file.read(magic, 2);
  return file.gcount() == 2 && magic[0] == 'M' && magic[1] == 'Z';
}

// Where CreateProcessW looks for a bare name: the program's folder, the
// working folder, the system folders and PATH, with ".exe" added.
bool found_on_path(const std::string& name) {
  const std::wstring wide = wide_from_utf8(to_utf8(name));
  wchar_t found[MAX_PATH] = {};
  const DWORD length = ::SearchPathW(nullptr, wide.c_str(), L".exe", MAX_PATH, found, nullptr);
  return length > 0 && length < MAX_PATH && is_regular_file(found);
}

class SystemLauncher final : public Launcher {
 public:
  ~SystemLauncher() override {
    for (auto& [pid, child] : children_) {
      if (child.handle != nullptr) ::CloseHandle(child.handle);
    }
  }

  int start_program(const std::string& program, const std::vector<std::string>& arguments,
                    const EnvironmentChanges& environment) override {
    reap_finished();
    if (program.empty()) return 0;
    // The program path in the Windows spelling; the arguments are Windows-1252
    // texts like every other text of the program and go through our table.
    std::string path(program);
    std::replace(path.begin(), path.end(), '/', '\\');
    std::wstring line = wide_from_utf8(to_utf8(windows_command_line(path, arguments)));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    // A console program started from the window program would open a
    // console window of its own; the encoder has nothing to say to the user.
    DWORD flags = NORMAL_PRIORITY_CLASS | CREATE_UNICODE_ENVIRONMENT;
    if (::GetConsoleWindow() == nullptr) flags |= CREATE_NO_WINDOW;
    const InheritableHandle input(STD_INPUT_HANDLE);
    const InheritableHandle error(STD_ERROR_HANDLE);
    BOOL inherit = FALSE;
    if (platform::child_setup().output_to_error_stream && error.get() != nullptr) {
      startup.dwFlags |= STARTF_USESTDHANDLES;
      startup.hStdInput = input.get();
      startup.hStdOutput = error.get();
      startup.hStdError = error.get();
      inherit = TRUE;
    }
    HANDLE own_output = INVALID_HANDLE_VALUE;
    if (const std::string& file = platform::child_setup().output_file; !file.empty()) {
      SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
      own_output = ::CreateFileW(wide_from_utf8(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (own_output != INVALID_HANDLE_VALUE) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = own_output;
        startup.hStdError = own_output;
        inherit = TRUE;
      }
    }
    // The run lock's handle goes to the programs started while it is held
    // (only to them: it is inheritable just for this start).
    HANDLE passed = nullptr;
    if (platform::child_setup().passed_descriptor >= 0) {
      passed =
          reinterpret_cast<HANDLE>(::_get_osfhandle(platform::child_setup().passed_descriptor));
      if (passed == INVALID_HANDLE_VALUE) passed = nullptr;
    }
    if (passed != nullptr) {
      ::SetHandleInformation(passed, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
      inherit = TRUE;
    }
    std::wstring variables;
    if (!environment.empty()) variables = changed_environment(environment);
    const std::wstring folder = home_folder(environment);
    PROCESS_INFORMATION started{};
    const BOOL created =
        ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, inherit, flags,
                         variables.empty() ? nullptr : variables.data(),
                         folder.empty() ? nullptr : folder.c_str(), &startup, &started);
    if (own_output != INVALID_HANDLE_VALUE) ::CloseHandle(own_output);
    if (!created) {
      if (passed != nullptr) ::SetHandleInformation(passed, HANDLE_FLAG_INHERIT, 0);
      return 0;
    }
    if (passed != nullptr) ::SetHandleInformation(passed, HANDLE_FLAG_INHERIT, 0);
    ::CloseHandle(started.hThread);
    children_[started.dwProcessId] = Child{started.hProcess, -1};
    return static_cast<int>(started.dwProcessId);
  }

  bool is_runnable(const std::string& program) override {
    if (program.find_first_of("/\\") != std::string::npos) return runnable_file(program);
    return !program.empty() && found_on_path(program);
  }

  int open_document(const std::string& path) override {
    reap_finished();
    const std::wstring file = wide_from_utf8(native_path(path));
    if (file.empty() || !exists(file)) return 0;
    // ShellExecuteW gives its verdict at once (success is a value above 32)
    // and does not wait for the viewer. A success is kept as an opener that
    // has already ended well; its odd number is never a Windows process id,
    // which are multiples of four.
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) return 0;
    next_opener_ += 2;
    children_[next_opener_] = Child{nullptr, 0};
    return static_cast<int>(next_opener_);
  }

  bool is_running(int pid) override {
    reap_finished();
    const auto child = children_.find(static_cast<DWORD>(pid));
    if (child == children_.end()) {
      // An encoder of an earlier run of the program.
      const HANDLE other = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
      if (other == nullptr) return false;
      const bool running = ::WaitForSingleObject(other, 0) == WAIT_TIMEOUT;
      ::CloseHandle(other);
      return running;
    }
    return child->second.handle != nullptr;
  }

  void stop(int pid) override {
    const auto found = children_.find(static_cast<DWORD>(pid));
    if (found == children_.end()) {
      const HANDLE other = ::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid));
      if (other == nullptr) return;
      ::TerminateProcess(other, 1);
      ::CloseHandle(other);
      return;
    }
    if (found->second.handle == nullptr) return;
    // The encoder starts nothing of its own, so ending it ends the run.
    ::TerminateProcess(found->second.handle, 1);
    ::WaitForSingleObject(found->second.handle, INFINITE);
    settle(found->second);
  }

  int wait_for(int pid) override {
    const auto found = children_.find(static_cast<DWORD>(pid));
    if (found == children_.end()) return -1;
    Child& child = found->second;
    if (child.handle != nullptr) {
      ::WaitForSingleObject(child.handle, INFINITE);
      settle(child);
    }
    return child.exit_code;
  }

 private:
  struct Child {
    HANDLE handle = nullptr;  // released once the exit code is known
    int exit_code = -1;
  };

  static void settle(Child& child) {
    DWORD code = 0;
    child.exit_code = ::GetExitCodeProcess(child.handle, &code) ? static_cast<int>(code) : -1;
    ::CloseHandle(child.handle);
    child.handle = nullptr;
  }

  void reap_finished() {
    for (auto& [pid, child] : children_) {
      if (child.handle != nullptr && ::WaitForSingleObject(child.handle, 0) == WAIT_OBJECT_0) {
        settle(child);
      }
    }
  }

  std::map<DWORD, Child> children_;
  DWORD next_opener_ = 1;
};

}  // namespace

std::uint32_t clock_seed() {
  return static_cast<std::uint32_t>(::GetCurrentThreadId()) ^
         static_cast<std::uint32_t>(::GetTickCount());
}

std::vector<std::string> program_arguments(int /*argc*/, char** /*argv*/) {
  std::vector<std::string> words;
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return words;
  for (int k = 1; k < count; ++k) words.push_back(utf8_from_wide(wide[k]));
  ::LocalFree(wide);
  return words;
}

void prepare_console() {
  ::SetConsoleOutputCP(CP_UTF8);
}

std::string path_argument(std::string_view path) {
  std::string with_backslashes(path);
  std::replace(with_backslashes.begin(), with_backslashes.end(), '/', '\\');
  return with_backslashes;
}

bool windows_system() {
  return true;
}

Launcher& system_launcher() {
  static SystemLauncher instance;
  return instance;
}

}  // namespace velkart::runtime
