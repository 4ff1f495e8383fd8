#include "compiled/crc32.h"

std::uint32_t CRC32Table[256];

namespace {

// CRC32Table extended for eight bytes at a time ("slicing by 8"): entry
// [k][b] is the CRC of byte b followed by k zero bytes. Still one table
// look-up per byte, but eight of them independent of each other.
std::uint32_t Slices[8][256];

}  // namespace

void BuildCRC32Table() {
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    CRC32Table[i] = crc;
  }
  for (int i = 0; i < 256; ++i) {
    Slices[0][i] = CRC32Table[i];
    for (int k = 1; k < 8; ++k)
      Slices[k][i] = (Slices[k - 1][i] >> 8) ^ CRC32Table[Slices[k - 1][i] & 0xFF];
  }
}

std::uint32_t StreamCRC32(const void* data, std::size_t size) {
  return ExtendCRC32(0, data, size);
}

std::uint32_t ExtendCRC32(std::uint32_t crc, const void* data, std::size_t size) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  crc ^= 0xFFFFFFFFu;
  for (; size >= 8; p += 8, size -= 8) {
    const std::uint32_t low = crc ^ (p[0] | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
    crc = Slices[7][low & 0xFF] ^ Slices[6][(low >> 8) & 0xFF] ^
          Slices[5][(low >> 16) & 0xFF] ^ Slices[4][low >> 24] ^
          Slices[3][p[4]] ^ Slices[2][p[5]] ^ Slices[1][p[6]] ^ Slices[0][p[7]];
  }
  for (; size > 0; ++p, --size) crc = (crc >> 8) ^ CRC32Table[(crc ^ *p) & 0xFF];
  return crc ^ 0xFFFFFFFFu;
}
