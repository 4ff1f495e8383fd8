#include "compiled/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace {

class CRC32Test : public testing::Test {
 protected:
  void SetUp() override { BuildCRC32Table(); }
};

TEST_F(CRC32Test, EqualsZlibOnEveryKindOfBlock) {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  std::string large;
  for (unsigned i = 0; i < 3000000; ++i) large += static_cast<char>(i * 7919u >> 3);
  for (const std::string& block : {std::string(), std::string("A"), all_bytes, large}) {
    const auto expected = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(block.data()),
              static_cast<uInt>(block.size())));
    EXPECT_EQ(StreamCRC32(block.data(), block.size()), expected) << block.size();
  }
}

TEST_F(CRC32Test, CheckValueAndEmptyBlock) {
  EXPECT_EQ(StreamCRC32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(StreamCRC32("", 0), 0u);
}

TEST_F(CRC32Test, PiecesGiveTheChecksumOfTheWhole) {
  const std::string block = "The quick brown fox jumps over the lazy dog";
  for (std::size_t cut = 0; cut <= block.size(); cut += 7) {
    const std::uint32_t first = StreamCRC32(block.data(), cut);
    EXPECT_EQ(ExtendCRC32(first, block.data() + cut, block.size() - cut),
              StreamCRC32(block.data(), block.size()))
        << cut;
  }
}

}  // namespace
