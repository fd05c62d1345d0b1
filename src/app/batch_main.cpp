// velkart-batch: the command-line companion of the program.
#include <iostream>
#include <string>
#include <vector>

#include "app/batch.h"
#include "runtime/files.h"
#include "runtime/process.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  velkart::runtime::send_child_output_to_error_stream(true);
  const int code =
      velkart::app::run_batch(arguments, std::cout, std::cerr, velkart::runtime::system_launcher());
  velkart::runtime::close_all_files();
  return code;
}
