#include "dump/decompile.h"

#include <zlib.h>

#include <new>

#include "front/text.h"
#include "platform/platform.h"
#include "source/language_table.h"

namespace {

constexpr char kCtrlZ = 0x1A;

// Why the text after "=" in an LSF line cannot be `bytes`: the reader drops
// the blanks that lead it, ends the line at LF and the source at Ctrl-Z,
// and drops every CR.
void TextReasons(std::string_view bytes, std::vector<std::string>* reasons) {
  if (!bytes.empty() && IsBlank(bytes[0])) reasons->push_back("begins with a blank");
  if (bytes.find_first_of("\r\n") != std::string_view::npos)
    reasons->push_back("holds CR or LF");
  if (bytes.find(kCtrlZ) != std::string_view::npos) reasons->push_back("holds Ctrl-Z");
}

// The text in the code page in force, with the reasons why a source
// cannot carry it.
std::string Encoded(const std::u16string& text, std::vector<std::string>* reasons) {
  std::string bytes = platform::FromUtf16(text);
  if (platform::ToUtf16(bytes) != text)
    reasons->push_back("holds characters that code page " +
                       std::to_string(platform::CodePage()) + " cannot represent");
  TextReasons(bytes, reasons);
  return bytes;
}

// The key that gives back `id`, with the reasons why none can: the reader
// drops the blanks around a key, reads a line that begins with "#" or "{"
// as a comment or a tag, and splits at the first "=".
std::string KeyFor(const std::array<char, 6>& id, std::vector<std::string>* reasons) {
  const std::string_view key = UnpaddedID(id);
  if (key.empty()) return std::string();
  if (IsBlank(key[0])) reasons->push_back("the ID begins with a blank");
  if (key[0] == '#') reasons->push_back("the ID begins with \"#\"");
  if (key[0] == '{') reasons->push_back("the ID begins with \"{\"");
  if (key.find('=') != std::string_view::npos) reasons->push_back("the ID holds \"=\"");
  if (key.find_first_of("\r\n") != std::string_view::npos)
    reasons->push_back("the ID holds CR or LF");
  if (key.find(kCtrlZ) != std::string_view::npos) reasons->push_back("the ID holds Ctrl-Z");
  // A blank other than the padding at the ID's end would be trimmed off
  // the key: a seventh character, which the ID does not keep, shields it.
  if (IsBlank(key.back())) return std::string(id.data(), id.size()) + "~";
  return std::string(key);
}

std::string Joined(const std::vector<std::string>& reasons) {
  std::string text;
  for (const std::string& reason : reasons) text += (text.empty() ? "" : "; ") + reason;
  return text;
}

// The zlib stream that the compiler writes for `data`.
std::string Deflated(const std::string& data) {
  z_stream z{};
  const int init = deflateInit2(&z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  if (init == Z_MEM_ERROR) throw std::bad_alloc();
  if (init != Z_OK) throw Failure("ECompressionError", "Error");
  std::string stream(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(stream.data());
  z.avail_out = static_cast<uInt>(stream.size());
  const int result = deflate(&z, Z_FINISH);
  stream.resize(stream.size() - z.avail_out);
  deflateEnd(&z);
  if (result != Z_STREAM_END) throw Failure("ECompressionError", "Error");
  return stream;
}

// Whether the file has checksums: zlib writes all three or none. The
// extended header is never empty, so its checksum is never 0 by itself.
bool ChecksumsMixed(const VerifiedFile& file, bool no_crc) {
  for (const Checksum* crc : {&file.index_crc, &file.data_crc}) {
    if (no_crc && crc->state == ChecksumState::OK && crc->computed != 0) return true;
    if (!no_crc && crc->state == ChecksumState::NotComputed) return true;
  }
  return false;
}

}  // namespace

DecompiledSource DecompileToLSF(const VerifiedFile& file,
                                const std::string& out_file,
                                const std::string& icon_file) {
  DecompiledSource result;
  const ZMLF_Header& h = file.header;
  std::string& lsf = result.text;
  auto line = [&lsf](std::string_view text) {
    lsf.append(text);
    lsf += "\r\n";
  };
  auto setting = [&](const char* keyword, const std::string& value,
                     const std::vector<std::string>& reasons) {
    line(std::string(keyword) + " = " + value);
    if (!reasons.empty())
      result.problems.push_back(std::string(keyword) + ": the text " + Joined(reasons));
  };

  result.no_crc = file.ext_header_crc.state != ChecksumState::OK;
  if (ChecksumsMixed(file, result.no_crc))
    result.problems.push_back(
        "Checksums: some blocks have one and some not; a compile writes all or none");
  if (h.EntryCount > MaxEntries)
    result.problems.push_back(std::to_string(h.EntryCount) +
                              " entries: a source holds at most " +
                              std::to_string(MaxEntries));
  if (h.IconSize > 0 && icon_file.empty())
    result.problems.push_back("Icon: " + std::to_string(h.IconSize) +
                              " bytes not extracted (--icon names a file for them)");
  if (h.Compression == ZMLF_Zlib && Deflated(file.data) != file.packed_data)
    result.problems.push_back(
        "Data: the zlib stream is not the one zmlfc writes for these texts");

  line("# Decompiled by zmlfdump.");
  if (result.no_crc) line("# Compile it with the option /nocrc to get the same file back.");
  line("{LSF}");
  line("{HEADER}");
  std::vector<std::string> reasons;
  if (h.ProgramID[0] != '\0' || h.ProgramID[1] != '\0') {
    const std::string id(h.ProgramID.data(), h.ProgramID.size());
    TextReasons(id, &reasons);
    setting("PROGRAMID", id, reasons);
  }
  line("PROGRAMVER = " + std::to_string(h.ProgramVer));
  line("COMPRESSION = " + std::to_string(h.Compression));
  const char* const keywords[] = {"NAME", "AUTHOR", "URL", "EMAIL", "FONTNAME"};
  const std::u16string* strings[] = {&file.strings.Name, &file.strings.Author,
                                     &file.strings.URL, &file.strings.Email,
                                     &file.strings.FontName};
  for (int i = 0; i < 5; ++i) {
    if (strings[i]->empty()) continue;
    reasons.clear();
    const std::string value = Encoded(*strings[i], &reasons);
    setting(keywords[i], value, reasons);
  }
  if (!icon_file.empty()) {
    reasons.clear();
    TextReasons(icon_file, &reasons);
    setting("ICONFILE", icon_file, reasons);
  }
  reasons.clear();
  TextReasons(out_file, &reasons);
  setting("OUTFILE", out_file, reasons);
  line("{/HEADER}");

  line("{BODY}");
  for (std::size_t i = 0; i < file.index.size(); ++i) {
    const ZMLF_IndexEntry& entry = file.index[i];
    std::vector<std::string> id_reasons;
    const std::string key = KeyFor(entry.ID, &id_reasons);
    reasons.clear();
    const std::string text = Encoded(EntryText(file, entry), &reasons);
    for (std::string& reason : reasons) reason = "the text " + reason;
    id_reasons.insert(id_reasons.end(), reasons.begin(), reasons.end());
    line(text.empty() ? key + " =" : key + " = " + text);
    if (!id_reasons.empty())
      result.problems.push_back("Entry " + std::to_string(i + 1) + ", ID " +
                                QuotedID(entry.ID) + ": " + Joined(id_reasons));
  }
  line("{/BODY}");
  line("{/LSF}");
  return result;
}
