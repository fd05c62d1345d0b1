#pragma once
// Windows only: the UTF-8 names of the file seam as the UTF-16 the wide
// system calls take, and back.
#include <string>
#include <string_view>

namespace velkart::runtime {

std::wstring wide_from_utf8(std::string_view utf8);
std::string utf8_from_wide(std::wstring_view wide);

}  // namespace velkart::runtime
