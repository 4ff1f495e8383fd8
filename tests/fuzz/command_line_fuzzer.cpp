// Splits arbitrary bytes as a command line, in a single-byte and a
// double-byte code page, and checks what the rule guarantees.
#include <cstddef>
#include <cstdint>
#include <string>

#include "front/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  for (int codepage : {1252, 932}) {
    std::size_t bytes = 0;
    for (const std::string& parameter : SplitCommandLine(line, codepage)) {
      // A parameter is never empty and carries no quote outside double-byte
      // characters, and no byte of it comes from nowhere.
      if (parameter.empty()) __builtin_trap();
      if (codepage == 1252 && parameter.find('"') != std::string::npos)
        __builtin_trap();
      bytes += parameter.size();
    }
    if (bytes > line.size()) __builtin_trap();
  }
  return 0;
}
