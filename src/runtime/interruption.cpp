#include "runtime/interruption.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace velkart::runtime {

namespace {

std::atomic<bool> flag{false};

#ifdef _WIN32
BOOL WINAPI on_console_event(DWORD) {
  flag = true;
  return TRUE;
}
#else
void on_signal(int) {
  flag = true;
}
#endif

}  // namespace

void catch_interruptions() {
#ifdef _WIN32
  ::SetConsoleCtrlHandler(on_console_event, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
#endif
}

bool interrupted() {
  return flag;
}

void set_interrupted(bool on) {
  flag = on;
}

}  // namespace velkart::runtime
