#include "generator/output_names.h"

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

std::string text_file_name(std::string_view base_name, std::int64_t index) {
  return std::string(base_name) + text_number(index) + "_.txt";
}

std::string sound_file_name(std::string_view base_name, std::int64_t index) {
  return std::string(base_name) + text_number(index) + ".mp3";
}

std::string answer_key_name(std::string_view base_name) {
  return std::string(base_name) + ".pdf";
}

std::string sheet_path(std::string_view base_name) {
  return output_path(answer_key_name(base_name));
}

std::string copy_sheet_name(std::string_view base_name) {
  return std::string(base_name) + "_Mitschrift.pdf";
}

std::string playlist_name(std::string_view base_name) {
  return std::string(base_name) + ".m3u";
}

std::string lesson_folder(std::string_view base_name, int lesson) {
  return std::string(output_folder) + std::string(base_name) + "_Lektion" + two_digits(lesson) +
         "/";
}

std::string lesson_encoder_input(int lesson) {
  return "nicht_loeschen/mp3_temp_Lektion" + two_digits(lesson) + ".txt";
}

std::string course_overview_path(std::string_view base_name) {
  return output_path(std::string(base_name) + "_Kursuebersicht.pdf");
}

}  // namespace velkart::generator
