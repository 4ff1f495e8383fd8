#include "front/options.h"

#include "front/text.h"

std::vector<std::string> ReadOptions(const std::vector<std::string>& options,
                                     CompileOptions* result) {
  std::vector<std::string> unknown;
  for (const std::string& option : options) {
    const std::string folded = AsciiLower(option);
    if (folded == "/nocrc" || folded == "/nc") {
      result->NoCRC = true;
    } else if (folded == "/noicon" || folded == "/ni") {
      result->NoIcon = true;
    } else if (folded == "/internal" || folded == "/il") {
      result->InternalCode = true;
    } else if (folded == "/include" || folded == "/in") {
      result->IncludeCode = true;
    } else {
      unknown.push_back(option);
    }
  }
  return unknown;
}
