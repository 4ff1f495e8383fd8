// Builds compiled language files byte by byte for the tests, including
// ones the compiler never writes: texts and IDs that no source can give,
// odd zlib streams, inconsistent headers.
#ifndef ZMLFC_TESTS_DUMP_COMPILED_FILE_BUILDER_H_
#define ZMLFC_TESTS_DUMP_COMPILED_FILE_BUILDER_H_

#include <zlib.h>

#include <string>
#include <vector>

#include "compiled/crc32.h"
#include "compiled/spec_ZMLF.h"

struct BuiltEntry {
  std::string id;  // up to six bytes, blank-filled
  std::u16string text;
};

struct FileBuilder {
  ZMLF_Header header;
  ZMLF_ExtendedHeader strings;
  std::string icon;
  std::vector<BuiltEntry> entries;
  bool crc = true;
  int zlib_level = -1;  // -1: stored; else Compression 99 at this level
  std::string ext_extra;  // bytes after the five strings, inside the block
  int stream_excess = 0;  // bytes more (or fewer) that the stream inflates to
  std::string stream_extra;  // bytes after the zlib stream, inside the block

  std::string Build() {
    ZMLF_Header h = header;
    std::string ext, index, data;
    EncodeExtendedHeader(strings, &ext);
    ext += ext_extra;
    std::int32_t offset = 0;
    for (const BuiltEntry& e : entries) {
      ZMLF_IndexEntry entry;
      std::string id = e.id;
      id.resize(6, ' ');
      for (int i = 0; i < 6; ++i) entry.ID[i] = id[i];
      entry.Offset = offset;
      entry.Length = static_cast<std::uint16_t>(e.text.size());
      EncodeIndexEntry(entry, &index);
      PutUtf16(&data, e.text);
      offset += entry.Length;
    }
    std::string stored = data;
    h.Compression = zlib_level < 0 ? 0 : 99;
    if (zlib_level >= 0) {
      std::string packed = data;
      packed.resize(static_cast<std::size_t>(
          static_cast<std::int64_t>(data.size()) + stream_excess), 'x');
      uLongf size = compressBound(static_cast<uLong>(packed.size()));
      stored.assign(size, '\0');
      compress2(reinterpret_cast<Bytef*>(stored.data()), &size,
                reinterpret_cast<const Bytef*>(packed.data()),
                static_cast<uLong>(packed.size()), zlib_level);
      stored.resize(size);
      stored += stream_extra;
      h.DataPackedSize = static_cast<std::int32_t>(stored.size());
    }
    h.ExtHeaderSize = static_cast<std::int32_t>(ext.size());
    h.IconSize = static_cast<std::int32_t>(icon.size());
    h.IndexOffset = 51 + h.ExtHeaderSize + h.IconSize;
    h.EntryCount = static_cast<std::int32_t>(entries.size());
    h.DataOffset = h.IndexOffset + 12 * h.EntryCount;
    h.DataSize = static_cast<std::int32_t>(data.size());
    if (crc) {
      h.ExtHeaderCRC = StreamCRC32(ext.data(), ext.size());
      h.IndexCRC = StreamCRC32(index.data(), index.size());
      h.DataCRC = StreamCRC32(data.data(), data.size());
    }
    std::string file;
    EncodeHeader(h, &file);
    return file + ext + icon + index + stored;
  }
};

inline void PutFixed32At(std::string* bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}

#endif  // ZMLFC_TESTS_DUMP_COMPILED_FILE_BUILDER_H_
