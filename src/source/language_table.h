// Everything one LSF source says, held between reading and writing.
#ifndef ZMLFC_SOURCE_LANGUAGE_TABLE_H_
#define ZMLFC_SOURCE_LANGUAGE_TABLE_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiled/spec_ZMLF.h"

constexpr int MaxEntries = 2000;
constexpr std::size_t MaxTextLength = 65535;  // Length has 16 bits

struct LanguageEntry {
  std::array<char, 6> ID{};  // the key's first six bytes, blank-padded
  std::uint16_t Length = 0;  // UTF-16 units of Value
  std::u16string Value;
};

struct LanguageTable {
  std::array<char, 2> ProgramID{};  // two zero bytes when not given
  std::uint8_t ProgramVer = 0;
  std::uint8_t Compression = 0;
  std::string IconFile;  // 8-bit, as in the source
  std::string OutFile;   // 8-bit, as in the source
  ZMLF_ExtendedHeader ExtendedHeader;
  std::int32_t EntryCount = 0;
  std::vector<LanguageEntry> Entries;  // EntryCount of them, in source order
};

// The ID of a key: its first six bytes, filled up with blanks.
std::array<char, 6> MakeID(std::string_view key);

enum class AddEntryResult { Added, TooManyEntries, TextTooLong };

// Adds the body line `key = text` (both 8-bit, as read) as a new entry,
// its text converted to UTF-16 in the code page in force. Refuses, without
// changing the table, a 2001st entry and a text over 65,535 UTF-16 units.
AddEntryResult AddEntry(LanguageTable& table, std::string_view key,
                        std::string_view text);

#endif  // ZMLFC_SOURCE_LANGUAGE_TABLE_H_
