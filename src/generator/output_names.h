#pragma once
// Every name a generation run or a course run gives to what it writes, each
// from one function, so the files, the playlists, the overview and the
// messages that list them can never disagree.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::generator {

inline constexpr std::string_view output_folder = "eure_Texte/";

// A file name inside eure_Texte/.
std::string output_path(std::string_view file_name);

// The name a set's files share. A generation run's set is named by its base
// name alone; a lesson's carries the lesson in every file name, so lessons
// copied onto one stick or phone never overwrite each other.
struct SetName {
  // A generation run's, "Dateiname": every name as the user typed it, so a
  // base name serves wherever a set's name is asked for.
  SetName(std::string_view base_name) : base(base_name) {}
  SetName(const std::string& base_name) : base(base_name) {}
  SetName(const char* base_name) : base(base_name) {}
  SetName() = default;
  std::string base;
  bool lesson = false;
};
// "Dateiname" and 2: "Dateiname_Lektion02".
SetName lesson_set_name(std::string_view base_name, int lesson);

// "Dateiname" and 7 give "Dateiname0007_.txt", a lesson's
// "Dateiname_Lektion02_0007_.txt". Four digits up to 9999; beyond, as many
// digits as the number needs, so names never repeat.
std::string text_file_name(const SetName& name, std::int64_t index);
// What the encoder puts before the number of each sound file it writes:
// "Dateiname", a lesson's "Dateiname_Lektion02_".
std::string sound_file_prefix(const SetName& name);
// "Dateiname" and 7 give "Dateiname0007.mp3": the encoder numbers its files
// from 0000 like the texts, without the "_".
std::string sound_file_name(const SetName& name, std::int64_t index);
// The answer key, the solution sheet of a set: "Dateiname.pdf", a lesson's
// "Dateiname_Lektion02_Loesung.pdf"; and where the main window's run puts it.
std::string answer_key_name(const SetName& name);
std::string sheet_path(std::string_view base_name);
// The learners' sheet to copy onto: "Dateiname_Mitschrift.pdf".
std::string copy_sheet_name(const SetName& name);
// "Dateiname.m3u", naming the sound files relative to its own folder.
std::string playlist_name(const SetName& name);

// The numbered text and sound files of `base_name` in `folder` from number
// `count` on: what an earlier, longer run of the same name left. Only names
// with exactly four digits count, so "Kurs" never takes "Kurs1"'s files.
std::vector<std::string> numbered_files_from(std::string_view folder, std::string_view base_name,
                                             std::int64_t count);

// The folder of one lesson, with its final "/": "eure_Texte/Dateiname_Lektion02/".
std::string lesson_folder(std::string_view base_name, int lesson);
// Each lesson's encoder reads its own input: "nicht_loeschen/mp3_temp_Lektion02.txt".
std::string lesson_encoder_input(int lesson);
// "eure_Texte/Dateiname_Kursuebersicht.pdf".
std::string course_overview_path(std::string_view base_name);

}  // namespace velkart::generator
