// The integers of header values: a 32-bit signed number, decimal or
// hexadecimal after "$", "x", "X", "0x" or "0X", with an optional sign and
// nothing around it.
#ifndef ZMLFC_SOURCE_INTEGER_VALUE_H_
#define ZMLFC_SOURCE_INTEGER_VALUE_H_

#include <cstdint>
#include <string_view>

// False when `text` is no such integer.
bool ParseInteger(std::string_view text, std::int32_t* value);

// The integer of `text`, or EConvertError "'<text>' is not a valid integer
// value".
std::int32_t IntegerValue(std::string_view text);

#endif  // ZMLFC_SOURCE_INTEGER_VALUE_H_
