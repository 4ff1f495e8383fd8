// zmlfc: compiles an LSF language source into a compiled language file or
// Pascal source.
#include <new>
#include <string>

#include "front/program.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  std::string error;
  if (!platform::Startup(&error)) {
    platform::WriteStderr("zmlfc: " + error + "\r\n");
    return kExitFailureReport;
  }
  try {
    return RunProgram(platform::CommandLineParameters(argc, argv));
  } catch (const Failure& failure) {
    PrintFailureReport(failure.kind, failure.what());
  } catch (const std::bad_alloc&) {
    PrintFailureReport("EOutOfMemory", "Out of memory");
  }
  return kExitFailureReport;
}
