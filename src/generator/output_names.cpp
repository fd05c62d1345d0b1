#include "generator/output_names.h"

#include "generator/generation.h"
#include "runtime/text.h"

namespace velkart::generator {

namespace {

std::string two_digits(int lesson) {
  return runtime::pad_left(runtime::integer_to_text(lesson), 2, "0");
}

}  // namespace

std::string sound_file_name(std::string_view base_name, std::int64_t index) {
  const std::string text_name = text_file_name(base_name, index);
  return text_name.substr(0, text_name.size() - std::string_view("_.txt").size()) + ".mp3";
}

std::string answer_key_name(std::string_view base_name) {
  return std::string(base_name) + ".pdf";
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
  return std::string(output_folder) + std::string(base_name) + "_Kursuebersicht.pdf";
}

}  // namespace velkart::generator
