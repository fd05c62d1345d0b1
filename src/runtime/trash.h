#pragma once
// Files we take away from the user go to the desktop's trash, where they can
// be got back, never deleted outright: the freedesktop.org trash on Linux
// (the home trash, or the .Trash-UID folder of another file system), the
// Recycle Bin on Windows.
#include <string_view>

namespace velkart::runtime {

// Moves the file (a program path) to the trash; false when no trash takes
// it, and the file then stays where it was.
bool move_to_trash(std::string_view path);

}  // namespace velkart::runtime
