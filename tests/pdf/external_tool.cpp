// The external PDF checkers, run through the shell (Linux).
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "pdf_test_support.h"

namespace velkart::pdf::testing {

ToolRun run_tool(const std::string& name, const std::string& arguments) {
  ToolRun run;
  if (std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) != 0) return run;
  run.available = true;
  FILE* pipe = popen((name + " " + arguments + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> chunk;
  std::size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
    run.output.append(chunk.data(), got);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace velkart::pdf::testing
