#include "front/command_line.h"

#include "platform/platform.h"

namespace {

bool IsSeparator(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return b >= 1 && b <= 32;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line,
                                          int codepage) {
  const std::size_t end = line.find('\0');
  if (end != std::string_view::npos) line = line.substr(0, end);

  std::vector<std::string> parameters;
  std::size_t i = 0;
  for (;;) {
    // Skip separators and empty quoted pairs before a parameter.
    for (;;) {
      while (i < line.size() && IsSeparator(line[i])) ++i;
      if (i + 1 < line.size() && line[i] == '"' && line[i + 1] == '"') {
        i += 2;
        continue;
      }
      break;
    }
    if (i >= line.size()) break;

    std::string parameter;
    bool quoted = false;
    while (i < line.size()) {
      const char c = line[i];
      if (!quoted && IsSeparator(c)) break;
      if (c == '"') {
        quoted = !quoted;
        ++i;
        continue;
      }
      if (platform::IsLeadByte(codepage, static_cast<unsigned char>(c)) &&
          i + 1 < line.size()) {
        parameter += c;
        parameter += line[i + 1];
        i += 2;
        continue;
      }
      parameter += c;
      ++i;
    }
    // Only a lone quote at the end of the line gives an empty parameter;
    // counting stops there.
    if (parameter.empty()) break;
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}
