// One source file in, one output file out.
#ifndef ZMLFC_FRONT_COMPILE_RUN_H_
#define ZMLFC_FRONT_COMPILE_RUN_H_

#include <string>

#include "front/options.h"

// How a compile run ended, short of a Failure.
enum class RunResult {
  Success,
  SourceMissing,
  SourceRejected,
  OutputNotCreated,
  OutputIsSource,
};

RunResult CompileRun(const std::string& SourceFile,
                     const CompileOptions& options);

// The elapsed-seconds text of the closing line: whole milliseconds of the
// span between two times in days, with three decimals after `separator`.
std::string ElapsedSecondsText(double start_days, double end_days,
                               const std::string& separator);

#endif  // ZMLFC_FRONT_COMPILE_RUN_H_
