#pragma once
// What every start of a child process takes into account, set once by the
// program and read by the system's side (process_posix.cpp, process_win32.cpp).

#include <string>

namespace velkart::runtime::platform {

struct ChildSetup {
  bool output_to_error_stream = false;  // the child's standard output goes to our standard error
  int passed_descriptor = -1;           // handed to the child as descriptor 3, or none
  std::string output_file;  // name on disk: the child's own output, no input; "" for ours
};
const ChildSetup& child_setup();

}  // namespace velkart::runtime::platform
