// The program from the banner to the exit status.
#ifndef ZMLFC_FRONT_PROGRAM_H_
#define ZMLFC_FRONT_PROGRAM_H_

#include <string>
#include <vector>

// Exit statuses.
constexpr int kExitSuccess = 0;
constexpr int kExitFailureReport = 1;
constexpr int kExitReportedFailure = 2;

// Runs the program on its parameters and returns the exit status; a Failure
// escapes to the caller, which prints the failure report.
int RunProgram(const std::vector<std::string>& parameters);

// Prints the failure report for a failure of `kind` with `message` to
// standard error; the exit status that follows is kExitFailureReport.
void PrintFailureReport(const std::string& kind, const std::string& message);

#endif  // ZMLFC_FRONT_PROGRAM_H_
