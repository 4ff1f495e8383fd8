#include "front/program.h"

#include "compiled/crc32.h"
#include "front/compile_run.h"
#include "front/console.h"
#include "front/options.h"
#include "front/text.h"
#include "platform/platform.h"

namespace {

void PrintBanner() {
  console::Line(std::string("Zelmor Language Compiler                Version: ") +
                ToolVersion + " " + ToolVersionSuffix);
  console::Line("(c) Zelmor Software, the zmlfc authors   https://zmlfc.org");
  console::Line();
}

void PrintUsage() {
  static const char* const kUsage[] = {
      " This program will compile a Zelmor Language Source File (LSF) to a",
      " Zelmor LaNGuage compiled file (LNG).",
      "",
      " Usage: zmlfc <sourcefile.ls> [options]",
      "",
      " Output format: ZMLF version 4",
      "      Optional: ZMLF version 4 for Delphi inclusion",
      "",
      " Options:  /nocrc or /nc       Don't compute CRCs",
      "           /noicon or /ni      Force no icon in ZMLF",
      "           /internal or /il    Output Delphi inclusion code (v5.3.x)",
      "           /include or /in     Output Delphi include code (v5.4.0+)",
  };
  for (const char* line : kUsage) console::Line(line);
}

// Eight hexadecimal digits that tell failures of different kinds apart.
std::string FailureAddress(const std::string& kind) {
  std::uint32_t hash = 2166136261u;
  for (char c : kind) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return Hex8(0x00400000u | (hash & 0x000FFFF0u));
}

}  // namespace

int RunProgram(const std::vector<std::string>& parameters) {
  PrintBanner();
  if (parameters.empty()) {
    PrintUsage();
    return kExitSuccess;
  }
  console::Line(" Parsing parameters...");
  CompileOptions options;
  const std::vector<std::string> unknown = ReadOptions(
      std::vector<std::string>(parameters.begin() + 1, parameters.end()),
      &options);
  for (const std::string& parameter : unknown)
    console::Line(" - Unknown parameter: " + parameter);

  BuildCRC32Table();
  return CompileRun(parameters[0], options) == RunResult::Success
             ? kExitSuccess
             : kExitReportedFailure;
}

void PrintFailureReport(const std::string& kind, const std::string& message) {
  const bool needs_stop = !message.empty() && message.back() != '.';
  const std::string report = "Exception " + kind + " in module " +
                             platform::ExecutableName() + " at " +
                             FailureAddress(kind) + ".\r\n" + message +
                             (needs_stop ? "." : "") + "\r\n";
  platform::WriteStderr(platform::AnsiToOem(report) + "\r\n");
}
