// velkart: the program a course leader starts. It takes no arguments and
// works in the current folder.
#include <iostream>

#include "app/application.h"
#include "gui/fltk_gui.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/texts.h"

namespace {

int run_program() {
  using namespace velkart;
  if (!gui::display_available()) {
    std::cerr << runtime::to_utf8(texts::no_display) << '\n';
    return 1;
  }
  std::unique_ptr<gui::Gui> screen = gui::make_fltk_gui();
  app::Application application(*screen, runtime::system_launcher(), pdf::local_time_now);
  if (!application.start()) {
    std::cerr << runtime::to_utf8(texts::window_not_opened) << '\n';
    return 1;
  }
  return application.run();
}

}  // namespace

int main() {
  int code = 1;
  // The application saves the settings itself when an action fails; this is
  // the last word for what fails around it.
  try {
    code = run_program();
  } catch (...) {
    std::cerr << velkart::runtime::to_utf8(velkart::texts::unexpected_error) << '\n';
  }
  velkart::runtime::close_all_files();
  return code;
}
