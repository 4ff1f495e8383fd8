// The CRC-32 of IEEE 802.3 (as zlib's crc32), through one lookup table.
#ifndef ZMLFC_COMPILED_CRC32_H_
#define ZMLFC_COMPILED_CRC32_H_

#include <cstddef>
#include <cstdint>

extern std::uint32_t CRC32Table[256];

// Fills CRC32Table; called once before the compile run.
void BuildCRC32Table();

// The CRC-32 of `size` bytes from `data`.
std::uint32_t StreamCRC32(const void* data, std::size_t size);

// The CRC-32 of a block that continues a block whose CRC-32 is `crc`, so
// that a block can be checksummed piece by piece.
std::uint32_t ExtendCRC32(std::uint32_t crc, const void* data, std::size_t size);

#endif  // ZMLFC_COMPILED_CRC32_H_
