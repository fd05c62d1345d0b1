#pragma once
// A launcher that records what it was asked to start instead of starting it,
// and finds only the programs a test names: nothing on the machine counts.
#include <set>
#include <string>
#include <vector>

#include "runtime/process.h"

namespace velkart::testing {

class RecordingLauncher : public runtime::Launcher {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
    runtime::EnvironmentChanges environment;
  };
  int start_program(const std::string& program, const std::vector<std::string>& arguments,
                    const runtime::EnvironmentChanges& environment) override {
    starts.push_back({program, arguments, environment});
    return can_start ? 4242 : 0;
  }
  bool is_runnable(const std::string& program) override { return runnable.count(program) != 0; }
  int open_document(const std::string& path) override {
    documents.push_back(path);
    return can_start ? 4343 : 0;
  }
  bool is_running(int) override { return still_running; }
  int wait_for(int) override { return exit_code; }
  void stop(int) override { still_running = false; }

  std::vector<Start> starts;
  std::vector<std::string> documents;
  std::set<std::string> runnable{"ebook2cw"};  // an encoder on PATH, by default
  bool can_start = true;
  bool still_running = false;
  int exit_code = 0;
};

}  // namespace velkart::testing
