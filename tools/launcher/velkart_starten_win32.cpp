// velkart-starten.exe: what the Start-menu entry starts on Windows, as
// velkart-starten does on Linux. On the first start it lays out the working
// folder Dokumente\Velkart (or %VELKART_ORDNER%) from the program folder's
// Vorlagen\:
//   nicht_loeschen\        the word lists
//   eure_Texte\            what the program writes
//   Wortschatz_erweitern\  source texts for the vocabulary builder, with test.txt
//   hilfe.pdf              the help document
// What the user made is never overwritten; a word list that was deleted is
// put back, and the user is told so. A shipped list the user never changed
// (its bytes equal a version we shipped before, fruehere_fassungen.sha256) is
// renewed with the current version. Then velkart.exe starts in that folder.
#include <windows.h>
// After windows.h, which they need.
#include <bcrypt.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "runtime/files.h"
#include "runtime/wide_text.h"

namespace {

namespace fs = std::filesystem;
using velkart::runtime::utf8_from_wide;

constexpr const wchar_t* word_lists[] = {L"eigeneDatei.txt", L"de_AllgemAfuTechnik.txt",
                                         L"en1000.txt", L"Qgruppe.txt", L"CWabkuerzungen.txt"};

// Started from a console or a script, the words go to its error stream (as
// UTF-8); from the Start menu there is none, and a message box shows them.
void say(const std::wstring& text) {
  const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  if (error != nullptr && error != INVALID_HANDLE_VALUE) {
    const std::string line = utf8_from_wide(text) + "\n";
    DWORD written = 0;
    if (::WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) return;
  }
  ::MessageBoxW(nullptr, text.c_str(), L"Velkart", MB_OK | MB_ICONINFORMATION);
}

std::optional<std::string> read_file(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (stream.bad()) return std::nullopt;
  return bytes;
}

// Whole or not at all: an earlier file keeps its content until the new one is complete.
bool put_file(const fs::path& target, const std::string& bytes) {
  return velkart::runtime::replace_file(utf8_from_wide(target.wstring()), bytes);
}

bool copy_from(const fs::path& source, const fs::path& target) {
  const std::optional<std::string> bytes = read_file(source);
  return bytes && put_file(target, *bytes);
}

std::string sha256_hex(const std::string& bytes) {
  unsigned char digest[32] = {};
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!BCRYPT_SUCCESS(
          ::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
    return "";
  }
  const bool hashed = BCRYPT_SUCCESS(
      ::BCryptHash(algorithm, nullptr, 0, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                   static_cast<ULONG>(bytes.size()), digest, sizeof digest));
  ::BCryptCloseAlgorithmProvider(algorithm, 0);
  if (!hashed) return "";
  std::string hex;
  char pair[3];
  for (unsigned char byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  return hex;
}

// Whether `bytes` are exactly a version of list `name` that we shipped before:
// a line "<sha256>  <name>" in the checksum file.
bool shipped_before(const fs::path& templates, const std::wstring& name, const std::string& bytes) {
  const std::optional<std::string> sums = read_file(templates / L"fruehere_fassungen.sha256");
  const std::string sum = sha256_hex(bytes);
  if (!sums || sum.empty()) return false;
  const std::string wanted = sum + "  " + utf8_from_wide(name);
  std::istringstream lines(*sums);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == wanted) return true;
  }
  return false;
}

bool prepare(const fs::path& work) {
  std::error_code error;
  for (const wchar_t* folder : {L"nicht_loeschen", L"eure_Texte", L"Wortschatz_erweitern"}) {
    fs::create_directories(work / folder, error);
    if (!fs::is_directory(work / folder, error)) return false;
  }
  // Writable: a probe file goes in and out again.
  const fs::path probe = work / L"nicht_loeschen" / L".velkart-probe";
  if (!put_file(probe, "")) return false;
  fs::remove(probe, error);
  return true;
}

fs::path known_folder(REFKNOWNFOLDERID which) {
  PWSTR path = nullptr;
  fs::path found;
  if (SUCCEEDED(::SHGetKnownFolderPath(which, 0, nullptr, &path))) found = path;
  ::CoTaskMemFree(path);
  return found;
}

fs::path program_folder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) return fs::path(name.substr(0, length)).parent_path();
    name.resize(name.size() * 2);
  }
}

std::wstring names(const std::wstring& list) {
  return list.empty() ? L"" : list.substr(2);
}

int launch() {
  const fs::path here = program_folder();
  const fs::path templates = here / L"Vorlagen";
  fs::path work;
  if (const wchar_t* chosen = _wgetenv(L"VELKART_ORDNER"); chosen != nullptr && *chosen != L'\0') {
    work = chosen;
  } else {
    work = known_folder(FOLDERID_Documents) / L"Velkart";
  }
  if (!prepare(work)) {
    const fs::path fallback = fs::temp_directory_path() / L"Velkart";
    say(L"Der Arbeitsordner " + work.wstring() +
        L" kann nicht angelegt oder beschrieben werden. Velkart arbeitet diesmal in " +
        fallback.wstring() + L"; kopiert eure Ergebnisse von dort an einen sicheren Ort.");
    work = fallback;
    if (!prepare(work)) {
      say(L"Auch " + work.wstring() +
          L" kann nicht angelegt werden. Velkart wird nicht gestartet.");
      return 1;
    }
  }

  std::error_code error;
  const bool first_start = !fs::exists(work / L"voreinstellungen.pref", error);
  std::wstring restored;
  std::wstring renewed;
  for (const wchar_t* list : word_lists) {
    const fs::path target = work / L"nicht_loeschen" / list;
    const fs::path shipped = templates / list;
    if (!fs::exists(target, error)) {
      if (!copy_from(shipped, target)) {
        say(L"Die Wortliste " + std::wstring(list) + L" konnte nicht nach " +
            (work / L"nicht_loeschen").wstring() + L" kopiert werden.");
      } else if (!first_start) {
        restored += L", " + std::wstring(list);
      }
      continue;
    }
    if (!fs::is_regular_file(target, error)) continue;
    const std::optional<std::string> current = read_file(target);
    const std::optional<std::string> now = read_file(shipped);
    if (!current || !now || *current == *now || !shipped_before(templates, list, *current))
      continue;
    if (put_file(target, *now)) {
      renewed += L", " + std::wstring(list);
    } else {
      say(L"Die Wortliste " + std::wstring(list) +
          L" konnte nicht erneuert werden; die bisherige bleibt.");
    }
  }
  if (!restored.empty()) {
    say(L"Diese Wortlisten fehlten in " + (work / L"nicht_loeschen").wstring() +
        L" und wurden neu angelegt: " + names(restored));
  }
  if (!renewed.empty()) {
    say(L"Diese Wortlisten in " + (work / L"nicht_loeschen").wstring() +
        L" waren unverändert und wurden durch die überarbeitete Fassung ersetzt: " +
        names(renewed));
  }
  if (!fs::exists(work / L"Wortschatz_erweitern" / L"test.txt", error))
    copy_from(templates / L"test.txt", work / L"Wortschatz_erweitern" / L"test.txt");
  if (!fs::exists(work / L"hilfe.pdf", error))
    copy_from(templates / L"hilfe.pdf", work / L"hilfe.pdf");

  // The program works in the current folder; it finds the encoder beside itself.
  const std::wstring program = (here / L"velkart.exe").wstring();
  std::wstring line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        work.c_str(), &startup, &started)) {
    say(L"Velkart konnte nicht gestartet werden: " + program + L" fehlt oder ist beschädigt.");
    return 1;
  }
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return launch();
  } catch (...) {
    say(L"Velkart konnte nicht gestartet werden: ein unerwarteter Fehler.");
    return 1;
  }
}
