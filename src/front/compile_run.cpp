#include "front/compile_run.h"

#include <cmath>
#include <cstdint>

#include "compiled/compiled_writer.h"
#include "front/console.h"
#include "front/output_name.h"
#include "pascal/pascal_writer.h"
#include "platform/platform.h"
#include "source/language_table.h"
#include "source/reader.h"

std::string ElapsedSecondsText(double start_days, double end_days,
                               const std::string& separator) {
  const double span = std::fabs(end_days - start_days);
  const auto ms = static_cast<std::int64_t>(span * 86400000.0);
  std::string fraction = std::to_string(ms % 1000);
  fraction.insert(0, 3 - fraction.size(), '0');
  return std::to_string(ms / 1000) + separator + fraction;
}

RunResult CompileRun(const std::string& SourceFile,
                     const CompileOptions& options) {
  const double start_time = platform::LocalTimeDays();
  console::Line(" Compiling from " + SourceFile + "...");
  if (!platform::FileExists(SourceFile)) {
    console::Line("  - File not found.. Aborting!");
    return RunResult::SourceMissing;
  }

  LanguageTable table;
  platform::FileIdentity source_identity;
  {
    platform::InputFile source(SourceFile);
    source_identity = source.Identity();
    console::Write(" - Reading file..... ");
    if (!ReadLanguageSource(source, table)) return RunResult::SourceRejected;
  }

  console::Line(" - Writing file..... " + table.OutFile);
  const bool pascal = options.InternalCode || options.IncludeCode;
  std::string path;
  if (options.InternalCode) {
    path = InternalUnitPath(table.OutFile, platform::CodePage());
  } else if (options.IncludeCode) {
    path = IncludeFilePath(table.OutFile, table.ProgramID,
                           platform::CodePage());
  } else {
    path = table.OutFile;
  }
  // Creating the output would truncate the source: the user's only copy.
  if (platform::IsSameFile(path, source_identity)) {
    console::Line("   Error the output file is the source file.. Aborting!");
    return RunResult::OutputIsSource;
  }
  platform::OutputFile output;
  if (!output.Create(path)) {
    console::Line("   Error could not create/open the file.. Aborting!");
    return RunResult::OutputNotCreated;
  }

  if (pascal) {
    WritePascalSource(output, SourceFile, table, options.InternalCode);
  } else {
    WriteCompiledFile(table, options.NoCRC, options.NoIcon, output);
  }

  const std::int64_t size = output.Size();
  const double end_time = platform::LocalTimeDays();
  console::Line(" - Compiled successfully! [" + std::to_string(size) +
                " bytes] [" +
                ElapsedSecondsText(start_time, end_time,
                                   platform::DecimalSeparator()) +
                " secs]");
  return RunResult::Success;
}
