#include "source/language_table.h"

#include <algorithm>

#include "platform/platform.h"

std::array<char, 6> MakeID(std::string_view key) {
  std::array<char, 6> id;
  id.fill(' ');
  std::copy_n(key.begin(), std::min<std::size_t>(key.size(), id.size()),
              id.begin());
  return id;
}

AddEntryResult AddEntry(LanguageTable& table, std::string_view key,
                        std::string_view text) {
  if (table.EntryCount >= MaxEntries) return AddEntryResult::TooManyEntries;
  // Every supported code page gives at least one UTF-16 unit for three
  // bytes, so a longer text is refused without converting all of it.
  if (text.size() > 3 * MaxTextLength) return AddEntryResult::TextTooLong;
  std::u16string value = platform::ToUtf16(text);
  if (value.size() > MaxTextLength) return AddEntryResult::TextTooLong;
  LanguageEntry entry;
  entry.ID = MakeID(key);
  entry.Length = static_cast<std::uint16_t>(value.size());
  entry.Value = std::move(value);
  table.Entries.push_back(std::move(entry));
  ++table.EntryCount;
  return AddEntryResult::Added;
}
