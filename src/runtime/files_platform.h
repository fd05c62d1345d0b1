#pragma once
// The system side of replacing a file whole, one implementation per system
// (files_posix.cpp, files_win32.cpp). Names are names on disk (native_path).
#include <string>

namespace velkart::runtime::platform {

// The file that is really replaced: a link is followed where the system has them.
std::string replacement_target(const std::string& native_name);
// Missing, or a regular file we may write; a folder, a special file or a
// write-protected file stays untouched.
bool may_replace(const std::string& target);
// A fresh temporary file in the target's folder, opened for writing; its
// descriptor, or -1. Its name is short, so a target name near the file
// system's limit still gets one. It has the target's permissions when the
// target exists: a private file stays private.
int create_temporary(const std::string& target, std::string& temporary);
// Puts the temporary file in place of the target in one step.
bool rename_over(const std::string& temporary, const std::string& target);
// Makes the file's bytes durable before it is renamed into place: after a
// power cut the new name never stands for an empty or zero-filled file.
bool sync_file(int descriptor);
// Makes a rename in the file's folder durable.
void sync_folder_of(const std::string& native_name);
void remove_file(const std::string& native_name);
// Our own process number, and whether another one still runs.
int own_process();
bool process_exists(int pid);
// Whether a file of that name can exist in the folder (the length limit).
bool name_fits(const std::string& native_folder, const std::string& native_name);

}  // namespace velkart::runtime::platform
