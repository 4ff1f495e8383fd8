// Code page facts that are the same on every platform: which pages the
// program supports, their double-byte lead bytes, and how the code page in
// force is chosen.
#ifndef ZMLFC_PLATFORM_CODEPAGE_H_
#define ZMLFC_PLATFORM_CODEPAGE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

constexpr int kDefaultCodePage = 1252;
constexpr int kUtf8CodePage = 65001;

// 874, 1250 to 1258, 932, 936, 949, 950 and 65001.
bool IsKnownCodePage(int codepage);
bool IsDoubleByteCodePage(int codepage);
// The lead bytes of the double-byte pages, as Windows defines them.
bool IsLeadByteOfPage(int codepage, unsigned char b);

// What Windows makes of a byte sequence that code page 932 does not define,
// starting with byte `b`: a lead byte takes its next byte along and gives
// U+30FB; 0x80, 0xA0 and 0xFD to 0xFF give U+0080, U+F8F0 and U+F8F1 to
// U+F8F3; *length is the number of bytes taken (1 or 2, within `left`).
char16_t Undefined932Unit(unsigned char b, std::size_t left, std::size_t* length);
// The byte that such a unit converts back to, or 0 for any other unit.
unsigned char Undefined932Byte(char16_t unit);

// Parses a ZMLFC_CODEPAGE value: decimal digits naming a known code page.
bool ParseCodePageSetting(std::string_view text, int* codepage);

// The code page that ZMLFC_CODEPAGE sets, when it is set: false, with
// *error filled, when it names a code page the program does not support;
// otherwise *set tells whether it is set and *codepage takes its page.
bool CodePageFromEnvironment(bool* set, int* codepage, std::string* error);

// The Windows ANSI code page of a locale name such as "ru_RU.UTF-8": by its
// language (and, for Chinese, its territory); 1252 for C, POSIX and the
// rest.
int CodePageOfLocale(std::string_view locale);

}  // namespace platform

#endif  // ZMLFC_PLATFORM_CODEPAGE_H_
