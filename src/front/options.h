// The program's version texts and the options read from the command line.
#ifndef ZMLFC_FRONT_OPTIONS_H_
#define ZMLFC_FRONT_OPTIONS_H_

#include <string>
#include <vector>

constexpr const char* ToolVersion = "4.1.1";
constexpr const char* ToolVersionSuffix = "";

struct CompileOptions {
  bool NoCRC = false;
  bool NoIcon = false;
  bool InternalCode = false;
  bool IncludeCode = false;
};

// Sets a flag for each of `options` that is one of the eight option forms
// (ASCII letters in any case) and returns the ones that are not, as typed.
std::vector<std::string> ReadOptions(const std::vector<std::string>& options,
                                     CompileOptions* result);

#endif  // ZMLFC_FRONT_OPTIONS_H_
