// Small text helpers shared by the subsystems. A blank is any byte from
// 0x00 to 0x20; case folding touches only the ASCII letters.
#ifndef ZMLFC_FRONT_TEXT_H_
#define ZMLFC_FRONT_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
// Eight upper-case hexadecimal digits.
std::string Hex8(std::uint32_t value);

#endif  // ZMLFC_FRONT_TEXT_H_
