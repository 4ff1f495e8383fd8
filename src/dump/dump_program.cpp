#include "dump/dump_program.h"

#include "compiled/crc32.h"
#include "dump/decompile.h"
#include "dump/report.h"
#include "dump/verify.h"
#include "front/console.h"
#include "platform/platform.h"

namespace {

const char* const kUsage[] = {
    "Usage: zmlfdump FILE                  check a compiled language file",
    "       zmlfdump --list FILE           list its entries as ID = text",
    "       zmlfdump --lsf OUT.ls [--icon OUT.ico] FILE",
    "                                      write an LSF source that compiles back to FILE",
    "Exit status: 0 valid, 1 failure report, 2 not valid or source not exact,",
    "             3 usage error or a file that cannot be read or written",
};

struct DumpOptions {
  bool help = false;
  bool list = false;
  std::string lsf;   // --lsf: the source to write
  std::string icon;  // --icon: where the icon goes
  std::string file;
};

int UsageError(const std::string& message) {
  std::string text = "zmlfdump: " + message + "\r\n";
  for (const char* line : kUsage) text += std::string(line) + "\r\n";
  platform::WriteStderr(text);
  return kDumpUsageError;
}

int FileError(const std::string& message) {
  platform::WriteStderr("zmlfdump: " + message + "\r\n");
  return kDumpUsageError;
}

// The options, or the usage error in *error.
DumpOptions ReadDumpOptions(const std::vector<std::string>& parameters,
                            std::string* error) {
  DumpOptions options;
  for (std::size_t i = 0; i < parameters.size() && error->empty(); ++i) {
    const std::string& p = parameters[i];
    auto value = [&](std::string* field) {
      if (!field->empty()) {
        *error = p + " given twice";
      } else if (i + 1 == parameters.size()) {
        *error = p + " needs a file name";
      } else {
        *field = parameters[++i];
      }
    };
    if (p == "--help" || p == "-h") {
      options.help = true;
    } else if (p == "--list") {
      options.list = true;
    } else if (p == "--lsf") {
      value(&options.lsf);
    } else if (p == "--icon") {
      value(&options.icon);
    } else if (p.size() > 1 && p[0] == '-') {
      *error = "unknown option " + p;
    } else if (!options.file.empty()) {
      *error = "one FILE only: " + options.file + " and " + p;
    } else {
      options.file = p;
    }
  }
  if (!error->empty() || options.help) return options;
  if (options.file.empty()) {
    *error = "no FILE given";
  } else if (options.list && !options.lsf.empty()) {
    *error = "--list and --lsf exclude each other";
  } else if (!options.icon.empty() && options.lsf.empty()) {
    *error = "--icon goes with --lsf";
  } else if (!options.icon.empty() && options.icon == options.lsf) {
    *error = "--lsf and --icon name the same file";
  }
  return options;
}

// Reads `path` whole, up to one byte more than any header can describe.
// The reason in *error when it cannot be read.
std::string ReadInput(const std::string& path, platform::FileIdentity* identity,
                      std::string* error) {
  if (!platform::FileExists(path)) {
    *error = "cannot read " + path + ": not an existing file";
    return std::string();
  }
  std::string bytes;
  try {
    platform::InputFile input(path);
    *identity = input.Identity();
    char buffer[1 << 16];
    for (std::size_t n; (n = input.Read(buffer, sizeof buffer)) > 0;) {
      bytes.append(buffer, n);
      if (static_cast<std::int64_t>(bytes.size()) > kMaxCompiledFileSize) break;
    }
  } catch (const Failure& failure) {
    *error = "cannot read " + path + ": " + failure.what();
  }
  return bytes;
}

// The file's own name: the path without its directories.
std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes `bytes` to a new file at `path`; the reason in *error when not.
bool WriteOutput(const std::string& path, std::string_view bytes, std::string* error) {
  platform::OutputFile output;
  if (!output.Create(path)) {
    *error = "cannot create " + path;
    return false;
  }
  output.Write(bytes);
  return true;
}

int Decompile(const DumpOptions& options, const VerifiedFile& file,
              const platform::FileIdentity& input) {
  const bool has_icon = !file.icon.empty();
  const std::string icon_file = has_icon ? options.icon : std::string();
  const DecompiledSource source =
      DecompileToLSF(file, BaseName(options.file), icon_file);
  // The compiled file may be the user's only copy.
  for (const std::string& path : {options.lsf, icon_file})
    if (!path.empty() && platform::IsSameFile(path, input))
      return FileError(path + " is the compiled file itself: not overwritten");
  std::string error;
  if (!WriteOutput(options.lsf, source.text, &error)) return FileError(error);
  console::Line("Wrote " + options.lsf + " [" + std::to_string(file.index.size()) +
                " entries]");
  if (!options.icon.empty()) {
    if (!has_icon) {
      console::Line("No icon in " + options.file + ": " + options.icon + " not written");
    } else if (!WriteOutput(options.icon, file.icon, &error)) {
      return FileError(error);
    } else {
      console::Line("Wrote " + options.icon + " [" + std::to_string(file.icon.size()) +
                    " bytes]");
    }
  }
  if (source.no_crc) console::Line("Compile it with the option /nocrc");
  if (source.problems.empty()) return kDumpValid;
  console::Line("Not exact: compiling " + options.lsf + " would not give back " +
                options.file + " byte for byte:");
  for (const std::string& problem : source.problems) console::Line("  " + problem);
  return kDumpNotValid;
}

}  // namespace

int RunDump(const std::vector<std::string>& parameters) {
  std::string error;
  const DumpOptions options = ReadDumpOptions(parameters, &error);
  if (!error.empty()) return UsageError(error);
  if (options.help) {
    for (const char* line : kUsage) console::Line(line);
    return kDumpValid;
  }

  platform::FileIdentity identity;
  const std::string bytes = ReadInput(options.file, &identity, &error);
  if (!error.empty()) return FileError(error);
  if (static_cast<std::int64_t>(bytes.size()) > kMaxCompiledFileSize) {
    console::Line("File size mismatch: over " + std::to_string(kMaxCompiledFileSize) +
                  " bytes, more than any header can describe");
    return kDumpNotValid;
  }

  BuildCRC32Table();
  const VerifiedFile file = VerifyCompiledFile(bytes);
  if (options.list || !options.lsf.empty()) {
    if (!file.problem.empty()) {
      console::Line(file.problem);
      return kDumpNotValid;
    }
    if (options.list) {
      PrintListing(file);
      return kDumpValid;
    }
    return Decompile(options, file, identity);
  }
  if (file.readable) {
    PrintReport(options.file, file);
  } else {
    console::Line(file.problem);
  }
  return file.problem.empty() ? kDumpValid : kDumpNotValid;
}
