// Checks a compiled language file against everything its layout fixes and
// reads its records on the way. No byte outside the given file is read,
// whatever the header claims.
#ifndef ZMLFC_DUMP_VERIFY_H_
#define ZMLFC_DUMP_VERIFY_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiled/spec_ZMLF.h"

enum class ChecksumState { NotComputed, OK, Mismatch };

struct Checksum {
  ChecksumState state = ChecksumState::NotComputed;
  std::uint32_t stored = 0;
  std::uint32_t computed = 0;
};

struct VerifiedFile {
  // Every block was read: the records below are complete, though a
  // checksum may have failed. False when the layout itself is broken.
  bool readable = false;
  // The first problem in file order; empty when the file is valid.
  std::string problem;

  ZMLF_Header header;
  ZMLF_ExtendedHeader strings;
  std::string_view icon;  // into the file's bytes
  std::string_view packed_data;  // the zlib stream, into the file's bytes
  std::vector<ZMLF_IndexEntry> index;
  std::string data;  // the uncompressed data block
  Checksum ext_header_crc;
  Checksum index_crc;
  Checksum data_crc;
};

// The size beyond which no header can describe a file: the data block
// starts below 2^31 and is shorter than 2^31 bytes.
constexpr std::int64_t kMaxCompiledFileSize = std::int64_t{1} << 32;

// Needs CRC32Table built. `file` must outlive the result.
VerifiedFile VerifyCompiledFile(std::string_view file);

// The text of an entry: its Length units from its Offset.
std::u16string EntryText(const VerifiedFile& file, const ZMLF_IndexEntry& entry);

// The ID as a source spells it: without the blank padding.
std::string_view UnpaddedID(const std::array<char, 6>& id);

// An ID for a message: quoted, without its padding, other blanks than
// the space shown as <hex>.
std::string QuotedID(const std::array<char, 6>& id);

// The names of the five descriptive strings, in file order.
extern const char* const kExtendedHeaderNames[5];

#endif  // ZMLFC_DUMP_VERIFY_H_
