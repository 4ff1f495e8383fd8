#include "platform/codepage.h"

#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace platform {

bool IsKnownCodePage(int codepage) {
  return codepage == 874 || (codepage >= 1250 && codepage <= 1258) ||
         IsDoubleByteCodePage(codepage) || codepage == kUtf8CodePage;
}

bool IsDoubleByteCodePage(int codepage) {
  return codepage == 932 || codepage == 936 || codepage == 949 ||
         codepage == 950;
}

bool IsLeadByteOfPage(int codepage, unsigned char b) {
  if (codepage == 932) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  if (IsDoubleByteCodePage(codepage)) return b >= 0x81 && b <= 0xFE;
  return false;
}

char16_t Undefined932Unit(unsigned char b, std::size_t left, std::size_t* length) {
  *length = 1;
  if (b == 0x80) return 0x0080;
  if (b == 0xA0) return 0xF8F0;
  if (b >= 0xFD) return static_cast<char16_t>(0xF8F1 + (b - 0xFD));
  if (IsLeadByteOfPage(932, b) && left >= 2) *length = 2;
  return 0x30FB;
}

unsigned char Undefined932Byte(char16_t unit) {
  if (unit == 0x0080) return 0x80;
  if (unit == 0xF8F0) return 0xA0;
  if (unit >= 0xF8F1 && unit <= 0xF8F3) return static_cast<unsigned char>(0xFD + (unit - 0xF8F1));
  return 0;
}

bool ParseCodePageSetting(std::string_view text, int* codepage) {
  if (text.empty() || text.size() > 5) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (!IsKnownCodePage(value)) return false;
  *codepage = value;
  return true;
}

bool CodePageFromEnvironment(bool* set, int* codepage, std::string* error) {
  const char* setting = std::getenv("ZMLFC_CODEPAGE");
  *set = setting != nullptr;
  if (setting == nullptr) return true;
  int value = 0;
  if (!ParseCodePageSetting(setting, &value) || !IsSupportedCodePage(value)) {
    *error = std::string("unsupported code page in ZMLFC_CODEPAGE: '") + setting + "'";
    return false;
  }
  *codepage = value;
  return true;
}

int CodePageOfLocale(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  const std::size_t territory_start = locale.find('_');
  std::string_view territory;
  if (territory_start != std::string_view::npos) {
    territory = locale.substr(territory_start + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
  }
  struct Language {
    const char* name;
    int codepage;
  };
  static const Language kLanguages[] = {
      {"ja", 932},   {"ko", 949},   {"th", 874},   {"ru", 1251},
      {"uk", 1251},  {"be", 1251},  {"bg", 1251},  {"mk", 1251},
      {"sr", 1251},  {"cs", 1250},  {"pl", 1250},  {"hu", 1250},
      {"sk", 1250},  {"sl", 1250},  {"hr", 1250},  {"ro", 1250},
      {"sq", 1250},  {"bs", 1250},  {"el", 1253},  {"tr", 1254},
      {"az", 1254},  {"he", 1255},  {"ar", 1256},  {"fa", 1256},
      {"ur", 1256},  {"et", 1257},  {"lv", 1257},  {"lt", 1257},
      {"vi", 1258},
  };
  if (language == "zh")
    return (territory == "TW" || territory == "HK") ? 950 : 936;
  for (const Language& entry : kLanguages)
    if (language == entry.name) return entry.codepage;
  return kDefaultCodePage;
}

}  // namespace platform
