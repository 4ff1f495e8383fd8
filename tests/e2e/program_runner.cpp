#include "program_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace e2e {

namespace {

std::vector<std::string> SplitWords(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string ProgramPath() {
  const char* exe = std::getenv("ZMLFC_EXE");
  return exe && *exe ? exe : ZMLFC_DEFAULT_EXE;
}

}  // namespace

bool UnderLauncher() {
  const char* launcher = std::getenv("ZMLFC_LAUNCHER");
  return launcher != nullptr && *launcher != '\0';
}

namespace {

std::vector<std::string> ProgramArgv(const std::vector<std::string>& args) {
  std::vector<std::string> argv;
  if (UnderLauncher()) argv = SplitWords(std::getenv("ZMLFC_LAUNCHER"));
  argv.push_back(fs::absolute(ProgramPath()).string());
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

// Runs argv with standard output into `stdout_path`, the capture, or (with
// `closed_pipe`) a pipe without a reader.
ProgramResult Run(const std::vector<std::string>& argv, const std::string& cwd,
                  const Environment& env, const std::string& stdout_path,
                  bool closed_pipe) {
  TempDir capture;
  const std::string out_path =
      stdout_path.empty() ? capture / "stdout" : stdout_path;
  const std::string err_path = capture / "stderr";

  int pipe_ends[2] = {-1, -1};
  if (closed_pipe) {
    if (pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
    close(pipe_ends[0]);
  }
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(125);
    if (closed_pipe) signal(SIGPIPE, SIG_DFL);
    const int out = closed_pipe ? pipe_ends[1]
                                : open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0) _exit(125);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    if (std::getenv("WINEDEBUG") == nullptr) setenv("WINEDEBUG", "-all", 1);
    std::vector<char*> raw;
    for (const std::string& arg : argv) raw.push_back(const_cast<char*>(arg.c_str()));
    raw.push_back(nullptr);
    execvp(raw[0], raw.data());
    _exit(127);
  }
  if (closed_pipe) close(pipe_ends[1]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  ProgramResult result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status)
                                    : 128 + WTERMSIG(status);
  if (stdout_path.empty() && !closed_pipe) result.out = ReadFile(out_path);
  result.err = ReadFile(err_path);
  return result;
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& args,
                         const std::string& cwd, const Environment& env,
                         const std::string& stdout_path) {
  return Run(ProgramArgv(args), cwd, env, stdout_path, false);
}

ProgramResult RunCommand(const std::vector<std::string>& argv,
                         const std::string& cwd, const Environment& env,
                         const std::string& stdout_path) {
  return Run(argv, cwd, env, stdout_path, false);
}

ProgramResult RunProgramIntoClosedPipe(const std::vector<std::string>& args,
                                       const std::string& cwd) {
  return Run(ProgramArgv(args), cwd, {}, "", true);
}

std::string MaskElapsed(const std::string& out) {
  static const std::regex elapsed(R"(\] \[[0-9]+[.,][0-9]{3} secs\])");
  return std::regex_replace(out, elapsed, "] [#.### secs]");
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "zmlfc-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Give back permissions a test took away, so everything can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add,
                    ignored);
  fs::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return fs::exists(path, ignored);
}

std::vector<std::string> ListFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file())
      names.push_back(fs::relative(entry.path(), dir).generic_string());
  std::sort(names.begin(), names.end());
  return names;
}

bool RunningAsRoot() { return geteuid() == 0; }

}  // namespace e2e
