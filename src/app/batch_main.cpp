// velkart-batch: the command-line companion of the program.
#include <iostream>
#include <string>
#include <vector>

#include "app/batch.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/interruption.h"
#include "runtime/process.h"
#include "runtime/texts.h"

int main(int argc, char** argv) {
  int code = velkart::app::batch_message_shown;
  try {
    const std::vector<std::string> arguments = velkart::runtime::program_arguments(argc, argv);
    velkart::runtime::prepare_console();
    velkart::runtime::send_child_output_to_error_stream(true);
    velkart::runtime::catch_interruptions();
    code = velkart::app::run_batch(arguments, std::cout, std::cerr,
                                   velkart::runtime::system_launcher());
  } catch (...) {
    std::cout.flush();
    std::cerr << velkart::runtime::to_utf8(velkart::texts::message_title) << ": "
              << velkart::runtime::to_utf8(velkart::texts::batch_unexpected_error) << '\n';
  }
  velkart::runtime::close_all_files();
  return code;
}
