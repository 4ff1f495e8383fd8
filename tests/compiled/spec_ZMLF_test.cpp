#include "compiled/spec_ZMLF.h"

#include <gtest/gtest.h>

namespace {

TEST(ZMLFRecords, HeaderFieldsSitAtTheirOffsetsLittleEndian) {
  ZMLF_Header h;
  h.ProgramID = {'X', 'Y'};
  h.ProgramVer = 7;
  h.IndexOffset = 0x01020304;
  h.EntryCount = 2;
  h.IndexCRC = 0xA1B2C3D4;
  h.DataOffset = 88;
  h.DataSize = 10;
  h.DataPackedSize = 0x7FFFFFFF;
  h.DataCRC = 0xDEADBEEF;
  h.Compression = 99;
  h.ExtHeaderSize = 13;
  h.ExtHeaderCRC = 0x11223344;
  h.IconSize = 0x00ABCDEF;
  std::string bytes;
  EncodeHeader(h, &bytes);
  const std::string expected = std::string("ZMLF\x1A\x04XY\x07", 9) +
                               std::string("\x04\x03\x02\x01", 4) +   // 9 IndexOffset
                               std::string("\x02\0\0\0", 4) +         // 13 EntryCount
                               std::string("\xD4\xC3\xB2\xA1", 4) +   // 17 IndexCRC
                               std::string("\x58\0\0\0", 4) +         // 21 DataOffset
                               std::string("\x0A\0\0\0", 4) +         // 25 DataSize
                               std::string("\xFF\xFF\xFF\x7F", 4) +   // 29 DataPackedSize
                               std::string("\xEF\xBE\xAD\xDE", 4) +   // 33 DataCRC
                               std::string("\x63\x29", 2) +           // 37, 38
                               std::string("\x0D\0\0\0", 4) +         // 39 ExtHeaderSize
                               std::string("\x44\x33\x22\x11", 4) +   // 43 ExtHeaderCRC
                               std::string("\xEF\xCD\xAB\x00", 4);    // 47 IconSize
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.size(), ZMLF_Header::kSize);
  EXPECT_EQ(DecodeFixed32(bytes.data() + 9), 0x01020304u);
  EXPECT_EQ(DecodeFixed16(bytes.data() + 37), 0x2963u);
}

TEST(ZMLFRecords, IndexEntryAndExtendedHeader) {
  ZMLF_IndexEntry entry;
  entry.ID = {'B', 'Y', 'E', ' ', ' ', ' '};
  entry.Offset = 2;
  entry.Length = 0xFFFF;
  std::string bytes;
  EncodeIndexEntry(entry, &bytes);
  EXPECT_EQ(bytes, std::string("BYE   \x02\0\0\0\xFF\xFF", 12));

  ZMLF_ExtendedHeader strings;
  EXPECT_EQ(ExtendedHeaderSize(strings), 5u);
  strings.Name = u"Demo";
  strings.FontName = u"\u00E9";
  bytes.clear();
  EncodeExtendedHeader(strings, &bytes);
  EXPECT_EQ(bytes, std::string("\x04" "D\0e\0m\0o\0" "\0\0\0" "\x01\xE9\0", 15));
  EXPECT_EQ(ExtendedHeaderSize(strings), bytes.size());
}

}  // namespace
