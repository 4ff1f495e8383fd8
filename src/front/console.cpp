#include "front/console.h"

#include <string>

#include "platform/platform.h"

namespace console {

void Write(std::string_view text) { platform::WriteStdout(text); }

void Line(std::string_view text) {
  std::string line(text);
  line += "\r\n";
  platform::WriteStdout(line);
}

}  // namespace console
