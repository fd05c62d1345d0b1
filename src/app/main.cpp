// velkart: the program a course leader starts. It takes no arguments and
// works in the current folder.
#include <iostream>

#include "app/application.h"
#include "gui/fltk_gui.h"
#include "gui/texts.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/process.h"

int main() {
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
  const int code = application.run();
  runtime::close_all_files();
  return code;
}
