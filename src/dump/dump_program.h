// zmlfdump from its parameters to its exit status: verifies a compiled
// language file, lists its entries or decompiles it to an LSF source.
#ifndef ZMLFC_DUMP_DUMP_PROGRAM_H_
#define ZMLFC_DUMP_DUMP_PROGRAM_H_

#include <string>
#include <vector>

// Exit statuses.
constexpr int kDumpValid = 0;          // valid; with --lsf, an exact source
constexpr int kDumpFailureReport = 1;  // after the failure report
constexpr int kDumpNotValid = 2;       // not valid, or the source not exact
constexpr int kDumpUsageError = 3;     // bad parameters, a file not read or written

// Runs zmlfdump; a Failure escapes to the caller, which prints the failure
// report. Builds CRC32Table.
int RunDump(const std::vector<std::string>& parameters);

#endif  // ZMLFC_DUMP_DUMP_PROGRAM_H_
