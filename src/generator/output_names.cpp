#include "generator/output_names.h"

#include <algorithm>
#include <filesystem>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"

namespace velkart::generator {

namespace {

std::string two_digits(int lesson) {
  return runtime::pad_left(runtime::integer_to_text(lesson), 2, "0");
}

std::string text_number(std::int64_t index) {
  std::string number = runtime::integer_to_text(index);
  if (number.size() < 4) number = runtime::pad_left(number, 4, "0");
  return number;
}

}  // namespace

std::string output_path(std::string_view file_name) {
  return std::string(output_folder) + std::string(file_name);
}

SetName lesson_set_name(std::string_view base_name, int lesson) {
  SetName name(std::string(base_name) + "_Lektion" + two_digits(lesson));
  name.lesson = true;
  return name;
}

std::string sound_file_prefix(const SetName& name) {
  return name.lesson ? name.base + "_" : name.base;
}

std::string text_file_name(const SetName& name, std::int64_t index) {
  return sound_file_prefix(name) + text_number(index) + "_.txt";
}

std::string sound_file_name(const SetName& name, std::int64_t index) {
  return sound_file_prefix(name) + text_number(index) + ".mp3";
}

std::vector<std::string> numbered_files_from(std::string_view folder, std::string_view base_name,
                                             std::int64_t count) {
  std::vector<std::string> found;
  std::error_code failed;
  for (std::filesystem::directory_iterator entry(runtime::file_system_path(folder), failed), end;
       !failed && entry != end; entry.increment(failed)) {
    const std::u8string utf8 = entry->path().filename().u8string();
    const std::string name = runtime::to_cp1252(std::string(utf8.begin(), utf8.end()));
    if (!name.starts_with(base_name)) continue;
    const std::string_view rest = std::string_view(name).substr(base_name.size());
    if (rest.size() < 5 ||
        !std::all_of(rest.begin(), rest.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    const std::int64_t index = runtime::text_to_integer(rest.substr(0, 4));
    if (index >= count &&
        (text_file_name(base_name, index) == name || sound_file_name(base_name, index) == name))
      found.push_back(std::string(folder) + name);
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string answer_key_name(const SetName& name) {
  return name.lesson ? name.base + "_Loesung.pdf" : name.base + ".pdf";
}

std::string sheet_path(std::string_view base_name) {
  return output_path(answer_key_name(base_name));
}

std::string copy_sheet_name(const SetName& name) {
  return name.base + "_Mitschrift.pdf";
}

std::string playlist_name(const SetName& name) {
  return name.base + ".m3u";
}

std::string lesson_folder(std::string_view base_name, int lesson) {
  return std::string(output_folder) + lesson_set_name(base_name, lesson).base + "/";
}

std::string lesson_encoder_input(int lesson) {
  return "nicht_loeschen/mp3_temp_Lektion" + two_digits(lesson) + ".txt";
}

std::string course_overview_path(std::string_view base_name) {
  return output_path(std::string(base_name) + "_Kursuebersicht.pdf");
}

}  // namespace velkart::generator
