// The command-line splitting rule of the Windows program, as a pure function
// so that every platform tests it.
#ifndef ZMLFC_FRONT_COMMAND_LINE_H_
#define ZMLFC_FRONT_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

// Splits a whole command line (program name included) into parameters:
// bytes 1 to 32 separate, double quotes group and are dropped, a pair of
// quotes standing alone is no parameter, double-byte characters of
// `codepage` are taken whole, and there is no escape character. A NUL byte
// ends the line.
std::vector<std::string> SplitCommandLine(std::string_view line,
                                          int codepage);

#endif  // ZMLFC_FRONT_COMMAND_LINE_H_
