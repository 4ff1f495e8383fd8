// Entry point of the micro-benchmarks. The reader and the writers print
// their progress lines on standard output, so the report goes to standard
// error: run with standard output sent to /dev/null.
#include <iostream>
#include <string>

#include <benchmark/benchmark.h>

#include "compiled/crc32.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  std::string error;
  if (!platform::Startup(&error)) {
    std::cerr << "zmlfc_micro_benchmarks: " << error << "\n";
    return 1;
  }
  BuildCRC32Table();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::ConsoleReporter report(benchmark::ConsoleReporter::OO_Tabular);
  report.SetOutputStream(&std::cerr);
  report.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&report);
  benchmark::Shutdown();
  return 0;
}
