#include "compiled/compiled_writer.h"

#include <zlib.h>

#include <cstdint>
#include <limits>
#include <string>

#include "compiled/crc32.h"
#include "compiled/percentage.h"
#include "compiled/spec_ZMLF.h"
#include "front/console.h"
#include "front/text.h"
#include "platform/platform.h"

namespace {

// The data block is produced and checksummed in pieces of about this size,
// so that it never exists a second time beside the table's texts.
constexpr std::size_t kDataChunk = 1 << 20;

// The header's offsets are signed 32-bit: the icon leaves room for the rest.
constexpr std::int64_t kMaxIconSize = std::numeric_limits<std::int32_t>::max() / 2;

std::string CrcSuffix(std::uint32_t crc) { return " [CRC " + Hex8(crc) + "]"; }

// Calls `consume` with consecutive pieces of the data block: every entry's
// text as UTF-16LE, in table order.
template <typename Consume>
void ForEachDataChunk(const LanguageTable& table, Consume consume) {
  std::string chunk;
  chunk.reserve(kDataChunk + 2 * 65536);
  for (const LanguageEntry& entry : table.Entries) {
    PutUtf16(&chunk, entry.Value);
    if (chunk.size() >= kDataChunk) {
      consume(chunk);
      chunk.clear();
    }
  }
  if (!chunk.empty()) consume(chunk);
}

// One complete zlib stream, written to the output as the compressor hands
// it out, so that the stream is never held whole in memory; the bytes are
// those of a single-call compression.
class Deflater {
 public:
  explicit Deflater(platform::OutputFile& output) : output_(output) {
    if (deflateInit2(&stream_, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
      Fail();
    initialised_ = true;
  }
  ~Deflater() {
    if (initialised_) deflateEnd(&stream_);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  void Add(const std::string& bytes) { Run(bytes, Z_NO_FLUSH); }
  void Finish() { Run(std::string(), Z_FINISH); }

  // The bytes of the stream written so far.
  std::int64_t packed_size() const { return packed_size_; }

 private:
  void Run(const std::string& bytes, int flush) {
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream_.avail_in = static_cast<uInt>(bytes.size());
    // Output space left over means the compressor has taken all the input
    // and, when finishing, has ended the stream.
    int result;
    do {
      stream_.next_out = buffer_;
      stream_.avail_out = sizeof buffer_;
      result = deflate(&stream_, flush);
      if (result == Z_STREAM_ERROR) Fail();
      const std::size_t produced = sizeof buffer_ - stream_.avail_out;
      output_.Write(buffer_, produced);
      packed_size_ += static_cast<std::int64_t>(produced);
    } while (stream_.avail_out == 0);
    if (stream_.avail_in != 0 || (flush == Z_FINISH && result != Z_STREAM_END)) Fail();
  }

  [[noreturn]] static void Fail() { throw Failure("ECompressionError", "Error"); }

  platform::OutputFile& output_;
  z_stream stream_{};
  bool initialised_ = false;
  std::int64_t packed_size_ = 0;
  Bytef buffer_[1 << 16];
};

}  // namespace

void WriteCompiledFile(const LanguageTable& table, bool NoCRC, bool NoIcon,
                       platform::OutputFile& output) {
  ZMLF_Header header;
  header.ProgramID = table.ProgramID;
  header.ProgramVer = table.ProgramVer;
  header.Compression = table.Compression;

  std::string icon;
  if (!NoIcon && platform::FileExists(table.IconFile))
    icon = platform::ReadWholeFile(table.IconFile, kMaxIconSize);
  header.IconSize = static_cast<std::int32_t>(icon.size());
  header.ExtHeaderSize =
      static_cast<std::int32_t>(ExtendedHeaderSize(table.ExtendedHeader));
  header.IndexOffset = static_cast<std::int32_t>(ZMLF_Header::kSize) +
                       header.ExtHeaderSize + header.IconSize;
  header.EntryCount = table.EntryCount;
  header.DataOffset = header.IndexOffset +
                      static_cast<std::int32_t>(ZMLF_IndexEntry::kSize) * table.EntryCount;

  // 1. The header, with the sizes and checksums still to come left at 0.
  console::Write("   Header........... ");
  std::string block;
  EncodeHeader(header, &block);
  output.Write(block);
  console::Line("OK [" + std::to_string(ZMLF_Header::kSize) + " bytes]");

  // 2. The extended header.
  console::Write("   Extended Header.. ");
  block.clear();
  EncodeExtendedHeader(table.ExtendedHeader, &block);
  output.Write(block);
  console::Write("OK [" + std::to_string(block.size()) + " bytes]");
  if (!NoCRC) header.ExtHeaderCRC = StreamCRC32(block.data(), block.size());
  console::Line(NoCRC ? "" : CrcSuffix(header.ExtHeaderCRC));

  // 3. The icon.
  console::Write("   Icon............. ");
  if (!icon.empty()) {
    output.Write(icon);
    console::Line("OK [" + std::to_string(icon.size()) + " bytes]");
  } else {
    console::Line("NO");
  }
  std::string().swap(icon);

  // 4. The index.
  console::Write("   Index............ ");
  block.clear();
  std::int32_t offset = 0;
  for (const LanguageEntry& entry : table.Entries) {
    ZMLF_IndexEntry index_entry;
    index_entry.ID = entry.ID;
    index_entry.Offset = offset;
    index_entry.Length = entry.Length;
    EncodeIndexEntry(index_entry, &block);
    offset += entry.Length;
  }
  output.Write(block);
  console::Write(std::to_string(table.EntryCount) + " entries [" +
                 std::to_string(block.size()) + " bytes]");
  if (!NoCRC) header.IndexCRC = StreamCRC32(block.data(), block.size());
  console::Line(NoCRC ? "" : CrcSuffix(header.IndexCRC));
  std::string().swap(block);

  // 5. The data.
  console::Write("   Data............. ");
  header.DataSize = 2 * offset;
  std::uint32_t data_crc = 0;
  if (header.Compression == ZMLF_Zlib) {
    console::Write(std::to_string(header.DataSize) + " bytes... Zlib: ");
    Deflater deflater(output);
    ForEachDataChunk(table, [&](const std::string& chunk) {
      if (!NoCRC) data_crc = ExtendCRC32(data_crc, chunk.data(), chunk.size());
      deflater.Add(chunk);
    });
    deflater.Finish();
    header.DataPackedSize = static_cast<std::int32_t>(deflater.packed_size());
    console::Write("OK [" + std::to_string(header.DataPackedSize) + " bytes - " +
                   std::to_string(SavedPercentage(header.DataSize,
                                                  header.DataPackedSize)) +
                   "%] ");
  } else {
    ForEachDataChunk(table, [&](const std::string& chunk) {
      output.Write(chunk);
      if (!NoCRC) data_crc = ExtendCRC32(data_crc, chunk.data(), chunk.size());
    });
    console::Write("OK [" + std::to_string(header.DataSize) + " bytes]");
  }
  if (!NoCRC) header.DataCRC = data_crc;
  console::Line(NoCRC ? "" : CrcSuffix(header.DataCRC));

  // 6. The header again, now final.
  output.SeekToStart();
  block.clear();
  EncodeHeader(header, &block);
  output.Write(block);
}
