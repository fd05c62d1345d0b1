#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string_view>

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/process_state.h"
#include "runtime/random.h"

extern char** environ;

namespace velkart::runtime {

namespace {

// The started program must not share the program's signal handling or its
// open descriptors, and it lives on by itself: a Ctrl-C meant for the program
// or a closed terminal must not cut an encoder run short. So the child gets
// default signals, an empty mask, a session of its own (no controlling
// terminal that could stop it for writing) and only the three standard streams.

class SpawnAttributes {
 public:
  SpawnAttributes() {
    posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &all);
    posix_spawnattr_setflags(
        &attributes_,
        static_cast<short>(POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID));
    posix_spawn_file_actions_init(&actions_);
    // Descriptors opened without close-on-exec elsewhere (the toolkit's,
    // a library's) would otherwise be inherited by a program that outlives us.
    // The one wanted descriptor is moved to 3 first (for 3 itself glibc only
    // clears close-on-exec), then everything above is closed.
    if (platform::child_setup().passed_descriptor >= 0) {
      posix_spawn_file_actions_adddup2(&actions_, platform::child_setup().passed_descriptor, 3);
      posix_spawn_file_actions_addclosefrom_np(&actions_, 4);
    } else {
      posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    }
    if (platform::child_setup().output_to_error_stream)
      posix_spawn_file_actions_adddup2(&actions_, 2, 1);
    if (const std::string& file = platform::child_setup().output_file; !file.empty()) {
      posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
      posix_spawn_file_actions_addopen(&actions_, 1, file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
      posix_spawn_file_actions_adddup2(&actions_, 1, 2);
    }
  }
  ~SpawnAttributes() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;

  const posix_spawnattr_t* attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }

 private:
  posix_spawnattr_t attributes_;
  posix_spawn_file_actions_t actions_;
};

// A Windows program copied over with the rest of the folder (from a stick,
// where every file looks executable) starts with "MZ" and would only make the
// shell complain, so it does not count.
bool runnable_file(const std::string& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      ::access(file.c_str(), X_OK) != 0) {
    return false;
  }
  std::ifstream stream(file, std::ios::binary);
  char magic[2] = {};
  stream.read(magic, 2);
  return !(stream.gcount() == 2 && magic[0] == 'M' && magic[1] == 'Z');
}

int exit_code_of(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Our environment with the changed variables replaced or added.
std::vector<std::string> changed_environment(const EnvironmentChanges& changes) {
  std::vector<std::string> variables;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string_view variable(*entry);
    const std::string_view name = variable.substr(0, variable.find('='));
    bool changed = false;
    for (const auto& change : changes) changed = changed || change.first == name;
    if (!changed) variables.emplace_back(variable);
  }
  for (const auto& [name, value] : changes) variables.push_back(name + "=" + value);
  return variables;
}

class SystemLauncher final : public Launcher {
 public:
  int start_program(const std::string& program, const std::vector<std::string>& arguments,
                    const EnvironmentChanges& environment) override {
    reap_finished();
    if (program.empty()) return 0;
    // A path is a program text like any file name; a bare name is looked up
    // on PATH as it stands.
    const bool is_path = program.find_first_of("/\\") != std::string::npos;
    const std::string file = is_path ? native_path(program) : program;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(file.c_str()));
    for (const std::string& word : arguments) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    const std::vector<std::string> variables = changed_environment(environment);
    std::vector<char*> envp;
    envp.reserve(variables.size() + 1);
    for (const std::string& variable : variables)
      envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);

    const SpawnAttributes spawn;
    pid_t pid = 0;
    // posix_spawnp takes a name with a "/" as a path and looks a bare name up
    // on PATH; glibc reports a failed exec as the result, so a missing or
    // non-executable program gives 0 here, not a child that dies at once.
    const int failed = posix_spawnp(&pid, file.c_str(), spawn.actions(), spawn.attributes(),
                                    argv.data(), envp.data());
    if (failed != 0 || pid <= 0) return 0;
    children_[pid] = std::nullopt;
    return static_cast<int>(pid);
  }

  bool is_runnable(const std::string& program) override {
    if (program.find_first_of("/\\") != std::string::npos)
      return runnable_file(native_path(program));
    const char* path = std::getenv("PATH");
    if (program.empty() || path == nullptr) return false;
    std::string_view rest(path);
    while (true) {
      const std::size_t colon = rest.find(':');
      const std::string_view folder = rest.substr(0, colon);
      // An empty entry means the working folder, as for the shell.
      if (runnable_file(folder.empty() ? program : std::string(folder) + "/" + program))
        return true;
      if (colon == std::string_view::npos) return false;
      rest.remove_prefix(colon + 1);
    }
  }

  int open_document(const std::string& path) override {
    reap_finished();
    // What can be known at once is whether there is anything to hand over;
    // xdg-open's verdict comes with its exit code.
    const std::string file = native_path(path);
    struct stat info {};
    if (file.empty() || ::stat(file.c_str(), &info) != 0 ||
        !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))) {
      return 0;
    }
    // A name beginning with "-" would be read as an option of xdg-open.
    return start_program("xdg-open", {file.front() == '-' ? "./" + file : file}, {});
  }

  bool is_running(int pid) override {
    reap_finished();
    const auto child = children_.find(pid);
    if (child == children_.end()) return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
    return !child->second.has_value();
  }

  void stop(int pid) override {
    const auto child = children_.find(pid);
    if (child == children_.end() && pid > 0) {
      // An encoder of an earlier run of the program: it leads its own group too.
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      return;
    }
    if (child == children_.end() || child->second) return;
    // Each child leads a session (and so a process group) of its own: a
    // wrapper script's encoder goes with it.
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    wait_for(pid);
  }

  int wait_for(int pid) override {
    const auto child = children_.find(pid);
    if (child == children_.end()) return -1;
    if (!child->second) {
      int status = 0;
      pid_t done;
      do {
        done = ::waitpid(pid, &status, 0);
      } while (done < 0 && errno == EINTR);
      child->second = done == pid ? exit_code_of(status) : -1;
    }
    return *child->second;
  }

 private:
  // Only the children started here are reaped: a blanket waitpid(-1) would
  // steal the results of processes some library started and waits for.
  void reap_finished() {
    for (auto& [pid, result] : children_) {
      if (result) continue;
      int status = 0;
      const pid_t done = ::waitpid(pid, &status, WNOHANG);
      if (done == pid) {
        result = exit_code_of(status);
      } else if (done < 0 && errno == ECHILD) {
        result = -1;  // reaped by someone else; it is gone all the same
      }
    }
  }

  // Process id -> exit code once it has ended; nothing while it runs.
  std::map<pid_t, std::optional<int>> children_;
};

}  // namespace

std::uint32_t clock_seed() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                            static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  const auto thread = static_cast<std::uint32_t>(::syscall(SYS_gettid));
  return thread ^ static_cast<std::uint32_t>(milliseconds);
}

std::vector<std::string> program_arguments(int argc, char** argv) {
  return {argv + 1, argv + argc};
}

void prepare_console() {}

std::string path_argument(std::string_view path) {
  return native_path(path);
}

bool windows_system() {
  return false;
}

Launcher& system_launcher() {
  static SystemLauncher instance;
  return instance;
}

}  // namespace velkart::runtime
