// The records of the compiled language file, ZMLF version 4, and their
// byte layouts. Every record is serialised field by field, little-endian,
// whatever the host's byte order and the compiler's structure layout.
//
// The file: header (51 bytes), extended header (ExtHeaderSize), icon
// (IconSize), index (12 x EntryCount), data (DataSize stored, or
// DataPackedSize as one zlib stream).
#ifndef ZMLFC_COMPILED_SPEC_ZMLF_H_
#define ZMLFC_COMPILED_SPEC_ZMLF_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The five descriptive strings, in the order the file stores them.
struct ZMLF_ExtendedHeader {
  std::u16string Name;
  std::u16string Author;
  std::u16string URL;
  std::u16string Email;
  std::u16string FontName;
};

constexpr std::uint8_t ZMLF_FormatVersion = 4;
constexpr std::uint8_t ZMLF_CompilerVersion = 41;
constexpr std::uint8_t ZMLF_Stored = 0;
constexpr std::uint8_t ZMLF_Zlib = 99;

struct ZMLF_Header {
  static constexpr std::size_t kSize = 51;

  std::array<char, 4> Magic{{'Z', 'M', 'L', 'F'}};
  std::uint8_t EndOfSignature = 0x1A;
  std::uint8_t FormatVersion = ZMLF_FormatVersion;
  std::array<char, 2> ProgramID{};
  std::uint8_t ProgramVer = 0;
  std::int32_t IndexOffset = 0;
  std::int32_t EntryCount = 0;
  std::uint32_t IndexCRC = 0;
  std::int32_t DataOffset = 0;
  std::int32_t DataSize = 0;
  std::int32_t DataPackedSize = 0;
  std::uint32_t DataCRC = 0;
  std::uint8_t Compression = 0;
  std::uint8_t CompilerVersion = ZMLF_CompilerVersion;
  std::int32_t ExtHeaderSize = 0;
  std::uint32_t ExtHeaderCRC = 0;
  std::int32_t IconSize = 0;
};

struct ZMLF_IndexEntry {
  static constexpr std::size_t kSize = 12;

  std::array<char, 6> ID{};
  std::int32_t Offset = 0;  // in UTF-16 units from the data block's start
  std::uint16_t Length = 0;  // in UTF-16 units
};

// Little-endian fixed-width fields.
void PutFixed16(std::string* dst, std::uint16_t value);
void PutFixed32(std::string* dst, std::uint32_t value);
std::uint16_t DecodeFixed16(const char* p);
std::uint32_t DecodeFixed32(const char* p);

// Appends the 51 header bytes.
void EncodeHeader(const ZMLF_Header& header, std::string* dst);
// Appends the 12 bytes of an index entry.
void EncodeIndexEntry(const ZMLF_IndexEntry& entry, std::string* dst);
// Appends UTF-16LE code units.
void PutUtf16(std::string* dst, std::u16string_view text);

// The size of the extended header block: five length bytes and the units.
std::size_t ExtendedHeaderSize(const ZMLF_ExtendedHeader& strings);
// Appends the extended header block. A string over 255 units, which the
// length byte cannot count, is stored as its first 255 units.
void EncodeExtendedHeader(const ZMLF_ExtendedHeader& strings, std::string* dst);

// --- Reading: the counterparts of the encoders. Each reads only the bytes it
// is given, so a short or hostile file is never read past its end.

// Reads the 51 header bytes at the start of `bytes`; false when fewer.
bool DecodeHeader(std::string_view bytes, ZMLF_Header* header);
// Reads the 12 index entry bytes at the start of `bytes`; false when fewer.
bool DecodeIndexEntry(std::string_view bytes, ZMLF_IndexEntry* entry);
// The UTF-16LE code units of `bytes`; an odd last byte is no unit.
std::u16string GetUtf16(std::string_view bytes);
// Reads the five length-prefixed strings from the start of `block`, in file
// order. Returns how many were whole (5 when all were); *used receives the
// bytes those take, so the block is exact when it equals block.size().
int DecodeExtendedHeader(std::string_view block, ZMLF_ExtendedHeader* strings,
                         std::size_t* used);

#endif  // ZMLFC_COMPILED_SPEC_ZMLF_H_
