#include "runtime/process.h"

#include "runtime/files.h"
#include "runtime/process_state.h"

namespace velkart::runtime {

namespace {

platform::ChildSetup& setup() {
  static platform::ChildSetup instance;
  return instance;
}

}  // namespace

const platform::ChildSetup& platform::child_setup() {
  return setup();
}

void send_child_output_to_error_stream(bool on) {
  setup().output_to_error_stream = on;
}

void send_child_output_to_file(std::string_view path) {
  setup().output_file = path.empty() ? std::string() : native_path(path);
}

void pass_descriptor_to_children(int descriptor) {
  setup().passed_descriptor = descriptor;
}

}  // namespace velkart::runtime
