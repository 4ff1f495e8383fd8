#include "compiled/crc32.h"

std::uint32_t CRC32Table[256];

void BuildCRC32Table() {
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    CRC32Table[i] = crc;
  }
}

std::uint32_t StreamCRC32(const void* data, std::size_t size) {
  return ExtendCRC32(0, data, size);
}

std::uint32_t ExtendCRC32(std::uint32_t crc, const void* data, std::size_t size) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  crc ^= 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i)
    crc = (crc >> 8) ^ CRC32Table[(crc ^ p[i]) & 0xFF];
  return crc ^ 0xFFFFFFFFu;
}
