// zmlfdump: verifies, lists and decompiles compiled language files.
#include <new>
#include <string>

#include "dump/dump_program.h"
#include "front/program.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  std::string error;
  if (!platform::Startup(&error)) {
    platform::WriteStderr("zmlfdump: " + error + "\r\n");
    return kDumpFailureReport;
  }
  try {
    return RunDump(platform::CommandLineParameters(argc, argv));
  } catch (const Failure& failure) {
    PrintFailureReport(failure.kind, failure.what());
  } catch (const std::bad_alloc&) {
    PrintFailureReport("EOutOfMemory", "Out of memory");
  }
  return kDumpFailureReport;
}
