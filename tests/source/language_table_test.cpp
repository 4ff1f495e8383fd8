#include "source/language_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string IDText(const std::array<char, 6>& id) {
  return std::string(id.begin(), id.end());
}

TEST(MakeID, FirstSixBytesPaddedWithBlanks) {
  const struct {
    std::string key;
    std::string id;
  } cases[] = {
      {"A", "A     "},          {"ABCDEFGH", "ABCDEF"}, {"ABCDEF1", "ABCDEF"},
      {"Btn OK", "Btn OK"},     {"", "      "},         {"abc", "abc   "},
      {"\x82\xA0\x82\xA2\x82\xA4\x82", "\x82\xA0\x82\xA2\x82\xA4"},
  };
  for (const auto& c : cases) EXPECT_EQ(IDText(MakeID(c.key)), c.id) << c.key;
}

TEST(AddEntry, AddsInSourceOrderWithoutMerging) {
  LanguageTable table;
  EXPECT_EQ(AddEntry(table, "Hello", "Hello world"), AddEntryResult::Added);
  EXPECT_EQ(AddEntry(table, "Hello", ""), AddEntryResult::Added);
  EXPECT_EQ(AddEntry(table, "E", "\x80 5"), AddEntryResult::Added);
  ASSERT_EQ(table.EntryCount, 3);
  ASSERT_EQ(table.Entries.size(), 3u);
  EXPECT_EQ(IDText(table.Entries[0].ID), "Hello ");
  EXPECT_EQ(table.Entries[0].Value, u"Hello world");
  EXPECT_EQ(table.Entries[0].Length, 11);
  EXPECT_EQ(IDText(table.Entries[1].ID), "Hello ");
  EXPECT_EQ(table.Entries[1].Length, 0);
  // Converted in the code page in force, 1252 unless set otherwise.
  EXPECT_EQ(table.Entries[2].Value, u"\u20AC 5");
  EXPECT_EQ(table.Entries[2].Length, 3);
}

TEST(AddEntry, RefusesWhatTheCompiledFileCannotHold) {
  LanguageTable table;
  const std::string longest(MaxTextLength, 'x');
  EXPECT_EQ(AddEntry(table, "L", longest), AddEntryResult::Added);
  EXPECT_EQ(table.Entries.back().Length, 65535);
  EXPECT_EQ(AddEntry(table, "L", longest + "x"), AddEntryResult::TextTooLong);
  EXPECT_EQ(AddEntry(table, "L", std::string(10 * MaxTextLength, 'x')),
            AddEntryResult::TextTooLong);
  EXPECT_EQ(table.EntryCount, 1);

  while (table.EntryCount < MaxEntries) AddEntry(table, "K", "v");
  EXPECT_EQ(AddEntry(table, "K", "v"), AddEntryResult::TooManyEntries);
  EXPECT_EQ(table.EntryCount, 2000);
  EXPECT_EQ(table.Entries.size(), 2000u);
}

}  // namespace
