// The checks on files that the compiler never writes: inconsistent
// headers, odd extended headers and zlib streams, hostile sizes. Damage to
// files the compiler did write is tested end to end, through zmlfdump.
#include "dump/verify.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "compiled/crc32.h"
#include "compiled_file_builder.h"

namespace {

class Verify : public testing::Test {
 protected:
  void SetUp() override { BuildCRC32Table(); }
};

// The worked example of the format: NAME Demo, HELLO = Hi, BYE = Bye.
FileBuilder Example() {
  FileBuilder b;
  b.strings.Name = u"Demo";
  b.entries = {{"HELLO", u"Hi"}, {"BYE", u"Bye"}};
  return b;
}

TEST_F(Verify, ReadsAValidFileWhole) {
  const std::string bytes = Example().Build();
  ASSERT_EQ(bytes.size(), 98u);
  const VerifiedFile file = VerifyCompiledFile(bytes);
  EXPECT_TRUE(file.readable);
  EXPECT_EQ(file.problem, "");
  EXPECT_EQ(file.strings.Name, u"Demo");
  ASSERT_EQ(file.index.size(), 2u);
  EXPECT_EQ(EntryText(file, file.index[1]), u"Bye");
  EXPECT_EQ(UnpaddedID(file.index[1].ID), "BYE");
  EXPECT_EQ(file.data_crc.state, ChecksumState::OK);

  FileBuilder zlib = Example();
  zlib.zlib_level = 9;
  zlib.crc = false;
  const VerifiedFile packed = VerifyCompiledFile(zlib.Build());
  EXPECT_EQ(packed.problem, "");
  EXPECT_EQ(EntryText(packed, packed.index[0]), u"Hi");
  EXPECT_EQ(packed.ext_header_crc.state, ChecksumState::NotComputed);
}

TEST_F(Verify, ChecksumMismatchesLeaveTheFileReadable) {
  std::string bytes = Example().Build();
  PutFixed32At(&bytes, 17, 0x12345678);  // IndexCRC
  PutFixed32At(&bytes, 33, 0x9ABCDEF0);  // DataCRC
  const VerifiedFile file = VerifyCompiledFile(bytes);
  EXPECT_TRUE(file.readable);
  EXPECT_EQ(file.problem.rfind("IndexCRC mismatch: stored 12345678, computed ", 0), 0u)
      << file.problem;
  EXPECT_EQ(file.data_crc.state, ChecksumState::Mismatch);
  EXPECT_EQ(file.ext_header_crc.state, ChecksumState::OK);
}

TEST_F(Verify, NamesTheFirstProblemOfFilesNoCompilerWrites) {
  const auto max32 = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
  struct Case {
    const char* name;
    std::function<std::string()> make;
    std::string problem;
  };
  const Case cases[] = {
      {"empty file", [] { return std::string(); },
       "Header cut short: the file has 0 bytes, the header alone takes 51"},
      {"bytes after the strings",
       [] {
         FileBuilder b = Example();
         b.ext_extra = "xy";
         return b.Build();
       },
       "Extended header: 2 bytes follow the five strings (ExtHeaderSize 15, the "
       "strings take 13)"},
      {"stream inflates to more",
       [] {
         FileBuilder b = Example();
         b.zlib_level = 9;
         b.stream_excess = 2;
         return b.Build();
       },
       "Data block inflates to more than DataSize (10 bytes)"},
      {"stream inflates to fewer",
       [] {
         FileBuilder b = Example();
         b.zlib_level = 9;
         b.stream_excess = -2;
         return b.Build();
       },
       "Data block inflates to 8 bytes, expected DataSize 10"},
      {"bytes after the stream",
       [] {
         FileBuilder b = Example();
         b.zlib_level = 9;
         b.stream_extra = "abc";
         return b.Build();
       },
       "Data block: 3 bytes follow the end of the zlib stream within "
       "DataPackedSize 21"},
      {"stream cut short",
       [] {
         FileBuilder b = Example();
         b.zlib_level = 9;
         std::string bytes = b.Build();
         bytes.resize(bytes.size() - 4);  // without its Adler-32
         PutFixed32At(&bytes, 29, 14);
         return bytes;
       },
       "Data block: the zlib stream is cut short after 14 bytes (DataPackedSize)"},
      {"no zlib stream",
       [] {
         FileBuilder b = Example();
         b.zlib_level = 9;
         std::string bytes = b.Build();
         bytes[88] = 0x11;
         return bytes;
       },
       "Data block does not inflate: incorrect header check"},
      {"zlib without a stream",
       [] {
         FileBuilder b;
         std::string bytes = b.Build();
         bytes[37] = 99;
         return bytes;
       },
       "DataPackedSize 0 with Compression 99: a zlib stream takes at least 8 bytes"},
      {"odd DataSize",
       [] {
         std::string bytes = Example().Build() + "z";
         PutFixed32At(&bytes, 25, 11);
         return bytes;
       },
       "DataSize mismatch: stored 11, expected 10 (2 x the sum of the index Lengths)"},
      {"negative ExtHeaderSize",
       [] {
         std::string bytes = Example().Build();
         PutFixed32At(&bytes, 39, 0xFFFFFFFF);
         return bytes;
       },
       "ExtHeaderSize -1 too small: the five length bytes alone take 5"},
      {"negative DataSize",
       [] {
         std::string bytes = Example().Build();
         PutFixed32At(&bytes, 25, 0xFFFFFFFE);
         return bytes;
       },
       "DataSize -2 is negative"},
      {"sizes that overflow 32 bits",
       [max32] {
         std::string bytes = Example().Build();
         PutFixed32At(&bytes, 39, max32);  // ExtHeaderSize
         PutFixed32At(&bytes, 47, max32);  // IconSize
         PutFixed32At(&bytes, 9, 51 + 2 * max32);
         return bytes;
       },
       "IndexOffset mismatch: stored 49, expected 4294967345 (51 + ExtHeaderSize + "
       "IconSize)"},
      {"entries beyond the file",
       [max32] {
         std::string bytes = Example().Build();
         const std::uint32_t count = (max32 - 64) / 12;
         PutFixed32At(&bytes, 13, count);  // EntryCount
         PutFixed32At(&bytes, 21, 64 + 12 * count);
         return bytes;
       },
       "File size mismatch: 98 bytes, expected 2147483654 (DataOffset + DataSize)"},
      {"Offset not cumulative",
       [] {
         std::string bytes = Example().Build();
         PutFixed32At(&bytes, 64 + 12 + 6, 3);
         PutFixed32At(&bytes, 17, 0);  // IndexCRC not computed
         return bytes;
       },
       "Index entry 2 (ID \"BYE\"): Offset mismatch: stored 3, expected 2 (the "
       "previous Offset + Length)"},
  };
  for (const Case& c : cases) {
    const std::string bytes = c.make();
    const VerifiedFile file = VerifyCompiledFile(bytes);
    EXPECT_EQ(file.problem, c.problem) << c.name;
    EXPECT_FALSE(file.readable) << c.name;
  }
}

}  // namespace
