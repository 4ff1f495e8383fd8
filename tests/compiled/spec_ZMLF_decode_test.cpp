// Reading the records back: the decoders invert the encoders and never
// read past the bytes they are given.
#include <gtest/gtest.h>

#include "compiled/spec_ZMLF.h"

namespace {

TEST(ZMLFDecode, HeaderAndIndexEntryReadBackWhatWasWritten) {
  ZMLF_Header h;
  h.Magic = {'A', 'B', 'C', 'D'};
  h.EndOfSignature = 0xFE;
  h.FormatVersion = 9;
  h.ProgramID = {'X', '\0'};
  h.ProgramVer = 200;
  h.IndexOffset = -2;
  h.EntryCount = 0x7FFFFFFF;
  h.IndexCRC = 0xA1B2C3D4;
  h.DataOffset = 88;
  h.DataSize = -1;
  h.DataPackedSize = 0x01020304;
  h.DataCRC = 0xDEADBEEF;
  h.Compression = 255;
  h.CompilerVersion = 1;
  h.ExtHeaderSize = 13;
  h.ExtHeaderCRC = 0x11223344;
  h.IconSize = -2147483647 - 1;
  std::string bytes;
  EncodeHeader(h, &bytes);
  ZMLF_Header back;
  ASSERT_TRUE(DecodeHeader(bytes, &back));
  std::string again;
  EncodeHeader(back, &again);
  EXPECT_EQ(again, bytes);
  EXPECT_EQ(back.IconSize, h.IconSize);
  EXPECT_EQ(back.DataSize, -1);
  EXPECT_FALSE(DecodeHeader(std::string_view(bytes).substr(0, 50), &back));

  ZMLF_IndexEntry entry;
  entry.ID = {'B', '\t', '=', ' ', ' ', '\xE9'};
  entry.Offset = -5;
  entry.Length = 0xFFFF;
  bytes.clear();
  EncodeIndexEntry(entry, &bytes);
  ZMLF_IndexEntry read;
  ASSERT_TRUE(DecodeIndexEntry(bytes, &read));
  EXPECT_EQ(read.ID, entry.ID);
  EXPECT_EQ(read.Offset, -5);
  EXPECT_EQ(read.Length, 0xFFFF);
  EXPECT_FALSE(DecodeIndexEntry(std::string_view(bytes).substr(0, 11), &read));
}

TEST(ZMLFDecode, ExtendedHeaderCountsWholeStringsAndTheirBytes) {
  struct Case {
    std::string block;
    int whole;
    std::size_t used;
    std::u16string name;
  };
  const Case cases[] = {
      {std::string(5, '\0'), 5, 5, u""},
      {std::string("\x02" "H\0i\0" "\0\0\0\0", 9), 5, 9, u"Hi"},
      {std::string("\x02" "H\0i\0" "\0\0\0\0" "xy", 11), 5, 9, u"Hi"},  // bytes left
      {std::string("\x05" "H\0i\0" "\0\0\0\0", 9), 0, 0, u""},         // Name too long
      {std::string("\x01" "H\0" "\0\0", 5), 3, 5, u"H"},                // Email missing
      {std::string("\xFF", 1), 0, 0, u""},
      {std::string(), 0, 0, u""},
      {std::string("\x01\xE9\x00\0\0\0\x01\x3D", 8), 4, 6, u"\u00E9"},  // odd end
  };
  for (const Case& c : cases) {
    ZMLF_ExtendedHeader strings;
    std::size_t used = 99;
    EXPECT_EQ(DecodeExtendedHeader(c.block, &strings, &used), c.whole) << c.block.size();
    EXPECT_EQ(used, c.used) << c.block.size();
    EXPECT_EQ(strings.Name, c.name) << c.block.size();
  }
  EXPECT_EQ(GetUtf16(std::string("A\0\x3D\xD8\x00", 5)), u"A\xD83D");
}

}  // namespace
