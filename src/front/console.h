// Standard output as the program's report: bytes go out unchanged and at
// once, every line ends with CR LF on every platform, and a failed write
// raises EInOutError.
#ifndef ZMLFC_FRONT_CONSOLE_H_
#define ZMLFC_FRONT_CONSOLE_H_

#include <string_view>

namespace console {

// Text without a line end, such as a progress label; shown at once.
void Write(std::string_view text);
// Text followed by CR LF.
void Line(std::string_view text = {});

}  // namespace console

#endif  // ZMLFC_FRONT_CONSOLE_H_
