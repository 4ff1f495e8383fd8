// Captures what the program writes to standard output, file descriptor 1,
// for the life of the object: the console writes there directly. The text
// goes through a pipe, so that it is captured even while the process may
// not grow files; it must fit the pipe's buffer (64 KiB on Linux), and a
// longer text fails the console's write instead of blocking the test.
#ifndef ZMLFC_TESTS_STDOUT_CAPTURE_H_
#define ZMLFC_TESTS_STDOUT_CAPTURE_H_

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

class StdoutCapture {
 public:
  StdoutCapture() {
    std::fflush(stdout);
    if (pipe(pipe_) != 0) return;
    fcntl(pipe_[1], F_SETFL, O_NONBLOCK);
    fcntl(pipe_[0], F_SETFL, O_NONBLOCK);
    saved_ = dup(1);
    dup2(pipe_[1], 1);
    close(pipe_[1]);
  }
  ~StdoutCapture() {
    Restore();
    if (pipe_[0] >= 0) close(pipe_[0]);
  }
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;

  // Everything written so far; standard output is itself again after.
  std::string Text() {
    Restore();
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(pipe_[0], buffer, sizeof buffer)) > 0;)
      text.append(buffer, static_cast<std::size_t>(n));
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    dup2(saved_, 1);
    close(saved_);
    saved_ = -1;
  }

  int pipe_[2] = {-1, -1};
  int saved_ = -1;
};

#endif  // ZMLFC_TESTS_STDOUT_CAPTURE_H_
