// Runs the built program the way a user does: in a directory of its own, with
// its standard output, standard error and exit status captured. ZMLFC_EXE
// names another program to run and ZMLFC_LAUNCHER a command to run it with
// (such as "wine" for the Windows build).
#ifndef ZMLFC_TESTS_E2E_PROGRAM_RUNNER_H_
#define ZMLFC_TESTS_E2E_PROGRAM_RUNNER_H_

#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct ProgramResult {
  int status = -1;  // exit status; 128 + n after signal n
  std::string out;
  std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs the program under test with `args` in directory `cwd`. `stdout_path`,
// when given, receives standard output instead of the capture (for example
// /dev/full).
ProgramResult RunProgram(const std::vector<std::string>& args,
                         const std::string& cwd, const Environment& env = {},
                         const std::string& stdout_path = "");

// Runs any command (argv[0] searched in PATH) the same way.
ProgramResult RunCommand(const std::vector<std::string>& argv,
                         const std::string& cwd, const Environment& env = {},
                         const std::string& stdout_path = "");

// Runs the program under test with standard output a pipe whose reader has
// already gone away, and with SIGPIPE at its default action, as a shell
// pipeline into a program that quit early leaves it.
ProgramResult RunProgramIntoClosedPipe(const std::vector<std::string>& args,
                                       const std::string& cwd);

// True when the program under test is the Windows build run by a launcher.
bool UnderLauncher();

// The elapsed seconds of the closing line replaced by "#.###", so that
// outputs of different runs compare equal.
std::string MaskElapsed(const std::string& out);

// A fresh directory, removed with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const {
    return path_ + "/" + name;
  }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
// The lines of `text`, split at LF; a last line without LF counts.
std::vector<std::string> SplitLines(const std::string& text);
void WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Names of the regular files under `dir`, relative to it, sorted.
std::vector<std::string> ListFiles(const std::string& dir);
bool RunningAsRoot();

}  // namespace e2e

#endif  // ZMLFC_TESTS_E2E_PROGRAM_RUNNER_H_
