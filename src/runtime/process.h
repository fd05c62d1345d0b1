#pragma once
// Starting outside work without waiting for it: the Morse encoder and the
// desktop's viewer for the help document. Arguments travel as separate words,
// never through a shell, so a name with blanks or shell characters stays one
// harmless word.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkart::runtime {

// Variables a started program sees instead of ours, as name and value; every
// other variable of our environment is passed on unchanged. On Windows, where
// programs keep their settings in their current folder, a changed HOME is
// also the folder the program starts in (a path program is still found from
// ours).
using EnvironmentChanges = std::vector<std::pair<std::string, std::string>>;

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts `program` (a path, or a name looked up on PATH) with `arguments`
  // in the working folder and returns at once: the process id, or 0 when it
  // could not be started.
  virtual int start_program(const std::string& program, const std::vector<std::string>& arguments,
                            const EnvironmentChanges& environment = {}) = 0;
  // Whether start_program would find `program` to run. On Linux a path names
  // a regular file with the execute bit that is not a Windows program, and a
  // bare name is such a file in one of the folders on PATH; on Windows a path
  // names a regular ".exe" file that is a Windows program, and a bare name is
  // found where CreateProcessW looks (SearchPathW, ".exe" added).
  virtual bool is_runnable(const std::string& program) = 0;
  // Hands a document or folder to the desktop's default application: the
  // process id of the opener (whose exit code tells whether it succeeded),
  // or 0 when there is nothing to open or nothing could be started.
  virtual int open_document(const std::string& path) = 0;
  // Whether a process started here still runs; a finished one is reaped.
  // Another process (an encoder an earlier run of the program left) counts
  // while the system still has it.
  virtual bool is_running(int pid) = 0;
  // Waits until it ends: its exit code, 128 + signal number when it was
  // killed, or -1 when there is no such child.
  virtual int wait_for(int pid) = 0;
  // Ends a program started here, with whatever it started itself, at once,
  // and reaps it; another process is ended too, without waiting.
  virtual void stop(int pid) = 0;
};

// The real one (posix_spawn and xdg-open on Linux; CreateProcessW and
// ShellExecuteW on Windows). Finished children are reaped whenever
// it is used, so none is left a zombie.
Launcher& system_launcher();

// The command-line companion keeps its standard output for the names of the
// files it wrote: what started programs print goes to standard error instead.
void send_child_output_to_error_stream(bool on);
// A program that outlives us must not hold our standard streams (a pipe
// into `tee` would wait for it): programs started from now on read nothing
// and write into the file `path` (a program path, replaced at each start);
// "" gives them ours again.
void send_child_output_to_file(std::string_view path);

// A descriptor that every program started from now on inherits, as its
// descriptor 3 (the run lock, which so lives as long as the encoders do);
// -1 passes none.
void pass_descriptor_to_children(int descriptor);

// A program path as an argument for a started program: what start_program
// hands over unchanged, the name on disk (Linux: UTF-8 with "/"), or a
// Windows-1252 text with "\\" that becomes UTF-16 on the way (Windows).
std::string path_argument(std::string_view path);

// True in the Windows build: where a user-facing text must name Windows places.
bool windows_system();

// A Windows command line: the program path in double quotes (as it stands
// when it already begins with one), then each argument quoted so that
// CommandLineToArgvW gives exactly that word back. Byte texts in and out.
std::string windows_command_line(std::string_view program,
                                 const std::vector<std::string>& arguments);

// The arguments after the program name as UTF-8 texts (on Windows read as
// UTF-16 and converted, never through the ANSI code page).
std::vector<std::string> program_arguments(int argc, char** argv);
// Lets the console show the UTF-8 the companion prints (Windows); nothing on Linux.
void prepare_console();

}  // namespace velkart::runtime
