#include "dump/verify.h"

#include <zlib.h>

#include <new>

#include "compiled/crc32.h"
#include "front/text.h"

const char* const kExtendedHeaderNames[5] = {"Name", "Author", "URL", "Email",
                                             "FontName"};

namespace {

using std::to_string;

std::string HexBytes(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (char c : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[static_cast<unsigned char>(c) >> 4];
    text += kDigits[static_cast<unsigned char>(c) & 0xF];
  }
  return text;
}

std::string Hex2(std::uint8_t value) {
  return HexBytes(std::string_view(reinterpret_cast<const char*>(&value), 1));
}

// The checks of the header alone, in field order; the first problem.
std::string CheckHeader(const ZMLF_Header& h) {
  const std::string_view magic(h.Magic.data(), h.Magic.size());
  if (magic != "ZMLF")
    return "Magic mismatch: stored " + HexBytes(magic) +
           ", expected 5A 4D 4C 46 (\"ZMLF\"): not a compiled language file";
  if (h.EndOfSignature != 0x1A)
    return "End-of-signature byte mismatch: stored " + Hex2(h.EndOfSignature) +
           ", expected 1A";
  if (h.FormatVersion != ZMLF_FormatVersion)
    return "FormatVersion mismatch: stored " + to_string(h.FormatVersion) +
           ", expected " + to_string(ZMLF_FormatVersion);
  if (h.CompilerVersion != ZMLF_CompilerVersion)
    return "CompilerVersion mismatch: stored " + to_string(h.CompilerVersion) +
           ", expected " + to_string(ZMLF_CompilerVersion);
  if (h.Compression != ZMLF_Stored && h.Compression != ZMLF_Zlib)
    return "Compression " + to_string(h.Compression) +
           " unknown: expected 0 (stored) or 99 (zlib)";
  if (h.ExtHeaderSize < 5)
    return "ExtHeaderSize " + to_string(h.ExtHeaderSize) +
           " too small: the five length bytes alone take 5";
  if (h.IconSize < 0) return "IconSize " + to_string(h.IconSize) + " is negative";
  if (h.EntryCount < 0)
    return "EntryCount " + to_string(h.EntryCount) + " is negative";
  const std::int64_t index_offset = std::int64_t{51} + h.ExtHeaderSize + h.IconSize;
  if (h.IndexOffset != index_offset)
    return "IndexOffset mismatch: stored " + to_string(h.IndexOffset) +
           ", expected " + to_string(index_offset) +
           " (51 + ExtHeaderSize + IconSize)";
  const std::int64_t data_offset = index_offset + std::int64_t{12} * h.EntryCount;
  if (h.DataOffset != data_offset)
    return "DataOffset mismatch: stored " + to_string(h.DataOffset) +
           ", expected " + to_string(data_offset) + " (IndexOffset + 12 x EntryCount)";
  if (h.DataSize < 0) return "DataSize " + to_string(h.DataSize) + " is negative";
  if (h.Compression == ZMLF_Stored && h.DataPackedSize != 0)
    return "DataPackedSize mismatch: stored " + to_string(h.DataPackedSize) +
           ", expected 0 (Compression 0)";
  if (h.Compression == ZMLF_Zlib && h.DataPackedSize <= 0)
    return "DataPackedSize " + to_string(h.DataPackedSize) +
           " with Compression 99: a zlib stream takes at least 8 bytes";
  return std::string();
}

Checksum Compare(std::uint32_t stored, std::string_view block) {
  Checksum crc;
  crc.stored = stored;
  crc.computed = StreamCRC32(block.data(), block.size());
  if (stored == crc.computed) {
    crc.state = ChecksumState::OK;
  } else if (stored == 0) {
    crc.state = ChecksumState::NotComputed;
  } else {
    crc.state = ChecksumState::Mismatch;
  }
  return crc;
}

std::string MismatchText(const char* field, const Checksum& crc) {
  return std::string(field) + " mismatch: stored " + Hex8(crc.stored) +
         ", computed " + Hex8(crc.computed);
}

// Ends the inflater on every path.
struct Inflater {
  z_stream z{};
  bool initialised = false;
  ~Inflater() {
    if (initialised) inflateEnd(&z);
  }
};

// Inflates `stream`, which must be one whole zlib stream of exactly
// `size` bytes, into *out; the problem, empty when none. The output grows
// only as inflating produces it, so a DataSize that the stream cannot back
// costs no memory.
std::string Inflate(std::string_view stream, std::size_t size, std::string* out) {
  Inflater inflater;
  z_stream& z = inflater.z;
  const int init = inflateInit(&z);
  if (init == Z_MEM_ERROR) throw std::bad_alloc();
  if (init != Z_OK) return "Data block: the inflater cannot start";
  inflater.initialised = true;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  Bytef buffer[1 << 16];
  for (;;) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    const int result = inflate(&z, Z_NO_FLUSH);
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    if (result == Z_DATA_ERROR || result == Z_NEED_DICT || result == Z_STREAM_ERROR)
      return std::string("Data block does not inflate: ") +
             (z.msg != nullptr ? z.msg : "not a zlib stream");
    const std::size_t produced = sizeof buffer - z.avail_out;
    if (produced > size - out->size())
      return "Data block inflates to more than DataSize (" + to_string(size) +
             " bytes)";
    out->append(reinterpret_cast<const char*>(buffer), produced);
    if (result == Z_STREAM_END) break;
    if (result == Z_BUF_ERROR)
      return "Data block: the zlib stream is cut short after " +
             to_string(stream.size()) + " bytes (DataPackedSize)";
  }
  if (z.avail_in != 0)
    return "Data block: " + to_string(z.avail_in) +
           " bytes follow the end of the zlib stream within DataPackedSize " +
           to_string(stream.size());
  if (out->size() != size)
    return "Data block inflates to " + to_string(out->size()) +
           " bytes, expected DataSize " + to_string(size);
  return std::string();
}

// Fills `file` block by block; the problem that stops the reading, empty
// when every block was read. A checksum mismatch does not stop it: it is
// noted as the first problem when none came before.
std::string ReadBlocks(std::string_view bytes, VerifiedFile& file) {
  auto note = [&file](std::string problem) {
    if (file.problem.empty()) file.problem = std::move(problem);
  };
  ZMLF_Header& h = file.header;
  if (!DecodeHeader(bytes, &h))
    return "Header cut short: the file has " + to_string(bytes.size()) +
           " bytes, the header alone takes 51";
  std::string problem = CheckHeader(h);
  if (!problem.empty()) return problem;
  const bool zlib = h.Compression == ZMLF_Zlib;
  const std::int64_t expected_size =
      std::int64_t{h.DataOffset} + (zlib ? h.DataPackedSize : h.DataSize);
  if (static_cast<std::int64_t>(bytes.size()) != expected_size)
    return "File size mismatch: " + to_string(bytes.size()) + " bytes, expected " +
           to_string(expected_size) +
           (zlib ? " (DataOffset + DataPackedSize)" : " (DataOffset + DataSize)");

  // Every block now lies inside the file.
  const std::string_view ext_header = bytes.substr(51, static_cast<std::size_t>(h.ExtHeaderSize));
  file.ext_header_crc = Compare(h.ExtHeaderCRC, ext_header);
  if (file.ext_header_crc.state == ChecksumState::Mismatch)
    note(MismatchText("ExtHeaderCRC", file.ext_header_crc));
  std::size_t used = 0;
  const int whole = DecodeExtendedHeader(ext_header, &file.strings, &used);
  if (whole < 5)
    return std::string("Extended header: the ") + kExtendedHeaderNames[whole] +
           " string runs past the block's end (ExtHeaderSize " +
           to_string(h.ExtHeaderSize) + ")";
  if (used != ext_header.size())
    return "Extended header: " + to_string(ext_header.size() - used) +
           " bytes follow the five strings (ExtHeaderSize " +
           to_string(h.ExtHeaderSize) + ", the strings take " + to_string(used) + ")";

  file.icon = bytes.substr(51 + ext_header.size(), static_cast<std::size_t>(h.IconSize));

  const std::string_view index = bytes.substr(
      static_cast<std::size_t>(h.IndexOffset), std::size_t{12} * static_cast<std::size_t>(h.EntryCount));
  file.index_crc = Compare(h.IndexCRC, index);
  if (file.index_crc.state == ChecksumState::Mismatch)
    note(MismatchText("IndexCRC", file.index_crc));
  file.index.resize(static_cast<std::size_t>(h.EntryCount));
  std::int64_t offset = 0;
  for (std::size_t i = 0; i < file.index.size(); ++i) {
    ZMLF_IndexEntry& entry = file.index[i];
    DecodeIndexEntry(index.substr(12 * i), &entry);
    if (entry.Offset != offset)
      return "Index entry " + to_string(i + 1) + " (ID " + QuotedID(entry.ID) +
             "): Offset mismatch: stored " + to_string(entry.Offset) +
             ", expected " + to_string(offset) + " (the previous Offset + Length)";
    offset += entry.Length;
  }
  if (h.DataSize != 2 * offset)
    return "DataSize mismatch: stored " + to_string(h.DataSize) + ", expected " +
           to_string(2 * offset) + " (2 x the sum of the index Lengths)";

  const std::string_view stored = bytes.substr(static_cast<std::size_t>(h.DataOffset));
  if (zlib) {
    file.packed_data = stored;
    problem = Inflate(stored, static_cast<std::size_t>(h.DataSize), &file.data);
    if (!problem.empty()) return problem;
  } else {
    file.data = std::string(stored);
  }
  file.data_crc = Compare(h.DataCRC, file.data);
  if (file.data_crc.state == ChecksumState::Mismatch)
    note(MismatchText("DataCRC", file.data_crc));
  return std::string();
}

}  // namespace

std::string_view UnpaddedID(const std::array<char, 6>& id) {
  std::string_view text(id.data(), id.size());
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string QuotedID(const std::array<char, 6>& id) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (char c : UnpaddedID(id)) {
    if (IsBlank(c) && c != ' ') {
      const auto b = static_cast<unsigned char>(c);
      text += '<';
      text += kDigits[b >> 4];
      text += kDigits[b & 0xF];
      text += '>';
    } else {
      text += c;
    }
  }
  return text + "\"";
}

VerifiedFile VerifyCompiledFile(std::string_view bytes) {
  VerifiedFile file;
  const std::string stop = ReadBlocks(bytes, file);
  file.readable = stop.empty();
  if (!stop.empty() && file.problem.empty()) file.problem = stop;
  if (!file.readable) {
    file.index.clear();
    file.data.clear();
  }
  return file;
}

std::u16string EntryText(const VerifiedFile& file, const ZMLF_IndexEntry& entry) {
  return GetUtf16(std::string_view(file.data).substr(
      2 * static_cast<std::size_t>(entry.Offset), 2 * std::size_t{entry.Length}));
}
