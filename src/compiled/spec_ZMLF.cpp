#include "compiled/spec_ZMLF.h"

void PutFixed16(std::string* dst, std::uint16_t value) {
  dst->push_back(static_cast<char>(value & 0xFF));
  dst->push_back(static_cast<char>(value >> 8));
}

void PutFixed32(std::string* dst, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    dst->push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint16_t DecodeFixed16(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t DecodeFixed32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

void EncodeHeader(const ZMLF_Header& h, std::string* dst) {
  dst->append(h.Magic.data(), h.Magic.size());
  dst->push_back(static_cast<char>(h.EndOfSignature));
  dst->push_back(static_cast<char>(h.FormatVersion));
  dst->append(h.ProgramID.data(), h.ProgramID.size());
  dst->push_back(static_cast<char>(h.ProgramVer));
  PutFixed32(dst, static_cast<std::uint32_t>(h.IndexOffset));
  PutFixed32(dst, static_cast<std::uint32_t>(h.EntryCount));
  PutFixed32(dst, h.IndexCRC);
  PutFixed32(dst, static_cast<std::uint32_t>(h.DataOffset));
  PutFixed32(dst, static_cast<std::uint32_t>(h.DataSize));
  PutFixed32(dst, static_cast<std::uint32_t>(h.DataPackedSize));
  PutFixed32(dst, h.DataCRC);
  dst->push_back(static_cast<char>(h.Compression));
  dst->push_back(static_cast<char>(h.CompilerVersion));
  PutFixed32(dst, static_cast<std::uint32_t>(h.ExtHeaderSize));
  PutFixed32(dst, h.ExtHeaderCRC);
  PutFixed32(dst, static_cast<std::uint32_t>(h.IconSize));
}

void EncodeIndexEntry(const ZMLF_IndexEntry& entry, std::string* dst) {
  dst->append(entry.ID.data(), entry.ID.size());
  PutFixed32(dst, static_cast<std::uint32_t>(entry.Offset));
  PutFixed16(dst, entry.Length);
}

void PutUtf16(std::string* dst, std::u16string_view text) {
  // Sized once and filled by index: this runs over every unit of the data.
  std::size_t at = dst->size();
  dst->resize(at + 2 * text.size());
  char* out = &(*dst)[0];
  for (char16_t unit : text) {
    out[at++] = static_cast<char>(unit & 0xFF);
    out[at++] = static_cast<char>(unit >> 8);
  }
}

namespace {

// The strings in the order the file stores them.
std::array<const std::u16string*, 5> Strings(const ZMLF_ExtendedHeader& s) {
  return {&s.Name, &s.Author, &s.URL, &s.Email, &s.FontName};
}

// A length byte counts at most 255 units: a longer string is cut there, so
// that the block always reads back as five strings of the stated size.
std::u16string_view Stored(const std::u16string& text) {
  return std::u16string_view(text).substr(0, 255);
}

}  // namespace

std::size_t ExtendedHeaderSize(const ZMLF_ExtendedHeader& strings) {
  std::size_t size = 0;
  for (const std::u16string* field : Strings(strings))
    size += 1 + 2 * Stored(*field).size();
  return size;
}

void EncodeExtendedHeader(const ZMLF_ExtendedHeader& strings, std::string* dst) {
  for (const std::u16string* field : Strings(strings)) {
    const std::u16string_view text = Stored(*field);
    dst->push_back(static_cast<char>(text.size()));
    PutUtf16(dst, text);
  }
}

bool DecodeHeader(std::string_view bytes, ZMLF_Header* h) {
  if (bytes.size() < ZMLF_Header::kSize) return false;
  const char* p = bytes.data();
  auto byte = [&p] { return static_cast<std::uint8_t>(*p++); };
  auto fixed32 = [&p] {
    const std::uint32_t value = DecodeFixed32(p);
    p += 4;
    return value;
  };
  auto signed32 = [&fixed32] { return static_cast<std::int32_t>(fixed32()); };
  for (char& c : h->Magic) c = *p++;
  h->EndOfSignature = byte();
  h->FormatVersion = byte();
  for (char& c : h->ProgramID) c = *p++;
  h->ProgramVer = byte();
  h->IndexOffset = signed32();
  h->EntryCount = signed32();
  h->IndexCRC = fixed32();
  h->DataOffset = signed32();
  h->DataSize = signed32();
  h->DataPackedSize = signed32();
  h->DataCRC = fixed32();
  h->Compression = byte();
  h->CompilerVersion = byte();
  h->ExtHeaderSize = signed32();
  h->ExtHeaderCRC = fixed32();
  h->IconSize = signed32();
  return true;
}

bool DecodeIndexEntry(std::string_view bytes, ZMLF_IndexEntry* entry) {
  if (bytes.size() < ZMLF_IndexEntry::kSize) return false;
  for (std::size_t i = 0; i < entry->ID.size(); ++i) entry->ID[i] = bytes[i];
  entry->Offset = static_cast<std::int32_t>(DecodeFixed32(bytes.data() + 6));
  entry->Length = DecodeFixed16(bytes.data() + 10);
  return true;
}

std::u16string GetUtf16(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(DecodeFixed16(bytes.data() + 2 * i));
  return text;
}

int DecodeExtendedHeader(std::string_view block, ZMLF_ExtendedHeader* strings,
                         std::size_t* used) {
  std::size_t at = 0;
  int whole = 0;
  for (std::u16string* field : {&strings->Name, &strings->Author, &strings->URL,
                                &strings->Email, &strings->FontName}) {
    if (at >= block.size()) break;
    const std::size_t bytes = 2 * static_cast<unsigned char>(block[at]);
    if (bytes > block.size() - at - 1) break;
    *field = GetUtf16(block.substr(at + 1, bytes));
    at += 1 + bytes;
    ++whole;
  }
  *used = at;
  return whole;
}
