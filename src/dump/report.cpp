#include "dump/report.h"

#include "compiled/percentage.h"
#include "front/console.h"
#include "front/text.h"
#include "platform/platform.h"

namespace {

void Field(const std::string& label, const std::string& value) {
  std::string line = label;
  line.resize(17, '.');
  console::Line(line + " " + value);
}

std::string ChecksumText(const Checksum& crc) {
  switch (crc.state) {
    case ChecksumState::OK: return Hex8(crc.stored) + " OK";
    case ChecksumState::NotComputed: return "not computed";
    case ChecksumState::Mismatch:
      return Hex8(crc.stored) + " MISMATCH (computed " + Hex8(crc.computed) + ")";
  }
  return std::string();
}

}  // namespace

void PrintReport(const std::string& path, const VerifiedFile& file) {
  const ZMLF_Header& h = file.header;
  Field("File", path);
  Field("Format", "ZMLF version " + std::to_string(h.FormatVersion) +
                      ", compiler version " + std::to_string(h.CompilerVersion));
  const bool has_id = h.ProgramID[0] != '\0' || h.ProgramID[1] != '\0';
  Field("ProgramID", has_id ? std::string(h.ProgramID.data(), 2) : "(none)");
  Field("ProgramVer", std::to_string(h.ProgramVer));
  Field("Compression", std::to_string(h.Compression) +
                           (h.Compression == ZMLF_Zlib ? " (zlib)" : " (stored)"));
  const std::u16string* strings[] = {&file.strings.Name, &file.strings.Author,
                                     &file.strings.URL, &file.strings.Email,
                                     &file.strings.FontName};
  for (int i = 0; i < 5; ++i)
    Field(kExtendedHeaderNames[i], platform::FromUtf16(*strings[i]));
  Field("Icon", h.IconSize > 0 ? std::to_string(h.IconSize) + " bytes" : "NO");
  Field("Entries", std::to_string(h.EntryCount));
  std::string data = std::to_string(h.DataSize) + " bytes";
  if (h.Compression == ZMLF_Zlib)
    data += ", zlib " + std::to_string(h.DataPackedSize) + " bytes (" +
            std::to_string(SavedPercentage(h.DataSize, h.DataPackedSize)) +
            "% saved)";
  Field("Data", data);
  Field("ExtHeaderCRC", ChecksumText(file.ext_header_crc));
  Field("IndexCRC", ChecksumText(file.index_crc));
  Field("DataCRC", ChecksumText(file.data_crc));
  console::Line(file.problem.empty() ? std::string("Valid") : file.problem);
}

void PrintListing(const VerifiedFile& file) {
  for (const ZMLF_IndexEntry& entry : file.index)
    console::Line(std::string(UnpaddedID(entry.ID)) + " = " +
                  platform::FromUtf16(EntryText(file, entry)));
}
