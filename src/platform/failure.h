// The one exception type of the program. Every failure that no step of the
// run handles itself travels as a Failure up to main, which prints the
// failure report and ends with exit status 1.
#ifndef ZMLFC_PLATFORM_FAILURE_H_
#define ZMLFC_PLATFORM_FAILURE_H_

#include <stdexcept>
#include <string>

struct Failure : std::runtime_error {
  Failure(std::string kind, const std::string& message)
      : std::runtime_error(message), kind(std::move(kind)) {}
  std::string kind;  // "EInOutError", "EWriteError", ...
};

// The EInOutError message for a system error code: 2 "File not found",
// 3 "Invalid filename", 4 "Too many open files", 5 "File access denied",
// 100, 101, 106, and "I/O error n" for any other code n.
std::string InOutErrorMessage(int code);

[[noreturn]] void RaiseInOutError(int code);
[[noreturn]] void RaiseWriteError();  // EWriteError "Stream write error"

#endif  // ZMLFC_PLATFORM_FAILURE_H_
