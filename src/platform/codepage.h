// Code page facts that are the same on every platform: which pages the
// program supports, their double-byte lead bytes, and how the code page in
// force is chosen.
#ifndef ZMLFC_PLATFORM_CODEPAGE_H_
#define ZMLFC_PLATFORM_CODEPAGE_H_

#include <string_view>

namespace platform {

constexpr int kDefaultCodePage = 1252;
constexpr int kUtf8CodePage = 65001;

// 874, 1250 to 1258, 932, 936, 949, 950 and 65001.
bool IsKnownCodePage(int codepage);
bool IsDoubleByteCodePage(int codepage);
// The lead bytes of the double-byte pages, as Windows defines them.
bool IsLeadByteOfPage(int codepage, unsigned char b);

// Parses a ZMLFC_CODEPAGE value: decimal digits naming a known code page.
bool ParseCodePageSetting(std::string_view text, int* codepage);

// The Windows ANSI code page of a locale name such as "ru_RU.UTF-8": by its
// language (and, for Chinese, its territory); 1252 for C, POSIX and the
// rest.
int CodePageOfLocale(std::string_view locale);

}  // namespace platform

#endif  // ZMLFC_PLATFORM_CODEPAGE_H_
