#include "scoring/sets.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "generator/output_names.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "scoring/copy_file.h"

namespace velkart::scoring {

namespace {

constexpr std::string_view texts_folder = generator::output_folder;
// More texts than any run makes; counting stops there.
constexpr std::int64_t max_texts = 100000;

bool is_text(std::string_view path) {
  std::error_code error;
  return std::filesystem::is_regular_file(runtime::file_system_path(path), error);
}

std::int64_t count_texts(std::string_view prefix) {
  std::int64_t count = 0;
  while (count < max_texts && is_text(text_path(prefix, count))) ++count;
  return count;
}

// A name on disk as a program text; nothing for a name our table cannot
// give back (it could not be opened by its Windows-1252 path).
std::optional<std::string> program_name(const std::filesystem::path& name) {
  const std::u8string utf8 = name.u8string();
  const std::string bytes(utf8.begin(), utf8.end());
  std::string text = runtime::to_cp1252(bytes);
  if (runtime::to_utf8(text) != bytes) return std::nullopt;
  return text;
}

bool is_lesson_folder(std::string_view name) {
  constexpr std::string_view marker = "_Lektion";
  const std::size_t at = name.rfind(marker);
  if (at == std::string_view::npos || at == 0 || name.size() != at + marker.size() + 2)
    return false;
  const std::string_view digits = name.substr(at + marker.size());
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Found {
  SetInfo set;
  std::filesystem::file_time_type written;
};

// The sets whose text 0 lies directly in `folder` (a program path ending in "/").
void collect_sets(const std::string& folder, std::vector<Found>& found) {
  // What text 0 adds to its base name.
  const std::string first_text_suffix = generator::text_file_name("", 0);
  std::error_code error;
  for (std::filesystem::directory_iterator entry(runtime::file_system_path(folder), error), end;
       !error && entry != end; entry.increment(error)) {
    const std::optional<std::string> name = program_name(entry->path().filename());
    if (!name || name->size() <= first_text_suffix.size() || !name->ends_with(first_text_suffix))
      continue;
    std::error_code status;
    if (!entry->is_regular_file(status)) continue;
    const std::string prefix = folder + name->substr(0, name->size() - first_text_suffix.size());
    std::error_code time_error;
    const auto written = runtime::last_written(entry->path(), time_error);
    found.push_back({{prefix, set_name(prefix), count_texts(prefix)}, written});
  }
}

}  // namespace

std::string text_path(std::string_view prefix, std::int64_t index) {
  return generator::text_file_name(prefix, index);
}

std::string set_name(std::string_view prefix) {
  std::string name(prefix);
  std::replace(name.begin(), name.end(), '\\', '/');
  while (name.starts_with("./")) name.erase(0, 2);
  if (name.starts_with(texts_folder)) name.erase(0, texts_folder.size());
  // A lesson's files carry its folder's name: "Kurs_Lektion05/Kurs_Lektion05_"
  // is the set "Kurs_Lektion05".
  const std::size_t slash = name.rfind('/');
  if (slash != std::string::npos) {
    const std::string_view folder = std::string_view(name).substr(0, slash);
    const std::string_view folder_name = folder.substr(folder.rfind('/') + 1);
    if (std::string_view(name).substr(slash + 1) == std::string(folder_name) + "_")
      name.erase(slash);
  }
  return name;
}

KeyTexts read_key_texts(std::string_view prefix) {
  KeyTexts key;
  const std::int64_t count = count_texts(prefix);
  for (std::int64_t index = 0; index < count; ++index) {
    const FileBytes file = read_file_bytes(text_path(prefix, index), max_copy_bytes);
    if (file.status != ReadStatus::read) {
      key.unreadable = index;
      key.texts.clear();
      return key;
    }
    // Written by the program as one line; one edited by hand may hold more.
    std::string text = runtime::decode_file_text(file.bytes).text;
    text = runtime::replace_all(runtime::replace_all(text, "\r\n", " "), "\n", " ");
    key.texts.push_back(runtime::replace_all(text, "\r", " "));
  }
  return key;
}

std::vector<SetInfo> find_sets() {
  std::vector<Found> found;
  const std::string folder(texts_folder);
  collect_sets(folder, found);
  // What text 0 adds to its base name.
  const std::string first_text_suffix = generator::text_file_name("", 0);
  std::error_code error;
  for (std::filesystem::directory_iterator entry(runtime::file_system_path(folder), error), end;
       !error && entry != end; entry.increment(error)) {
    const std::optional<std::string> name = program_name(entry->path().filename());
    std::error_code status;
    if (name && is_lesson_folder(*name) && entry->is_directory(status))
      collect_sets(folder + *name + "/", found);
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    if (a.written != b.written) return a.written > b.written;
    return a.set.prefix < b.set.prefix;
  });
  std::vector<SetInfo> sets;
  sets.reserve(found.size());
  for (Found& entry : found) sets.push_back(std::move(entry.set));
  return sets;
}

}  // namespace velkart::scoring
