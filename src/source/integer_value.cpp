#include "source/integer_value.h"

#include <string>

#include "platform/failure.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseInteger(std::string_view text, std::int32_t* value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' &&
             (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return false;

  // Accumulate in 64 bits and stop as soon as the number leaves 32 bits.
  const std::uint64_t limit =
      hex ? 0xFFFFFFFFu : (negative ? 2147483648u : 2147483647u);
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigit(text[i])
                          : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  // A hexadecimal number is a 32-bit pattern; the sign negates it.
  std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  *value = static_cast<std::int32_t>(bits);
  return true;
}

std::int32_t IntegerValue(std::string_view text) {
  std::int32_t value = 0;
  if (!ParseInteger(text, &value))
    throw Failure("EConvertError",
                  "'" + std::string(text) + "' is not a valid integer value");
  return value;
}
