// Reads arbitrary bytes as an LSF source and, when the reader accepts them,
// writes every output the program can make from the table: the compiled
// file with and without checksums, the internal unit and the include file.
// The compiled file is parsed back here, on its own terms and with zlib's
// CRC-32 and inflater, and must give back the table; the Pascal source must
// have one branch per entry.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "compiled/compiled_writer.h"
#include "compiled/crc32.h"
#include "pascal/pascal_writer.h"
#include "platform/platform.h"
#include "source/language_table.h"
#include "source/reader.h"

namespace {

#define CHECK(condition) \
  do {                   \
    if (!(condition)) __builtin_trap(); \
  } while (0)

std::string g_dir;  // the fuzzer's own temporary directory
const char kIconName[] = "icon.ico";
const std::string kIconBytes("\0\0\1\0icon\xFF\r\n", 12);

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  CHECK(out.good());
}

std::uint32_t Crc(const std::string& bytes) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
            static_cast<uInt>(bytes.size())));
}

std::uint32_t Fixed32(const std::string& file, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(file[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + 3])) << 24;
}

std::int64_t Signed32(const std::string& file, std::size_t at) {
  return static_cast<std::int32_t>(Fixed32(file, at));
}

std::u16string Units(const std::string& bytes, std::size_t at, std::size_t count) {
  std::u16string text;
  for (std::size_t i = 0; i < count; ++i)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[at + 2 * i]) |
                                  static_cast<unsigned char>(bytes[at + 2 * i + 1]) << 8);
  return text;
}

std::string Inflate(const std::string& stream, std::size_t expected_size) {
  std::string out(expected_size + 1, '\0');  // one spare byte shows excess
  z_stream z{};
  CHECK(inflateInit(&z) == Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  const std::size_t produced = out.size() - z.avail_out;
  const bool consumed_all = z.avail_in == 0;
  inflateEnd(&z);
  CHECK(result == Z_STREAM_END && consumed_all && produced == expected_size);
  out.resize(produced);
  return out;
}

// Parses a compiled language file and checks it against the table it was
// written from. `crc` tells whether the checksums were asked for.
void CheckCompiledFile(const std::string& file, const LanguageTable& table,
                       bool crc, const std::string& icon) {
  CHECK(file.size() >= 51);
  CHECK(file.compare(0, 4, "ZMLF") == 0);
  CHECK(file[4] == 0x1A && file[5] == 4 && file[38] == 41);
  CHECK(file[6] == table.ProgramID[0] && file[7] == table.ProgramID[1]);
  CHECK(static_cast<std::uint8_t>(file[8]) == table.ProgramVer);
  const std::int64_t index_offset = Signed32(file, 9);
  const std::int64_t entry_count = Signed32(file, 13);
  const std::uint32_t index_crc = Fixed32(file, 17);
  const std::int64_t data_offset = Signed32(file, 21);
  const std::int64_t data_size = Signed32(file, 25);
  const std::int64_t packed_size = Signed32(file, 29);
  const std::uint32_t data_crc = Fixed32(file, 33);
  const std::uint8_t compression = static_cast<std::uint8_t>(file[37]);
  const std::int64_t ext_size = Signed32(file, 39);
  const std::uint32_t ext_crc = Fixed32(file, 43);
  const std::int64_t icon_size = Signed32(file, 47);

  CHECK(compression == table.Compression && (compression == 0 || compression == 99));
  CHECK(ext_size >= 5 && icon_size >= 0 && entry_count == table.EntryCount);
  CHECK(index_offset == 51 + ext_size + icon_size);
  CHECK(data_offset == index_offset + 12 * entry_count);
  CHECK(data_size >= 0 && data_size % 2 == 0 && packed_size >= 0);
  const std::int64_t stored = compression == 99 ? packed_size : data_size;
  if (compression == 0) CHECK(packed_size == 0);
  CHECK(static_cast<std::int64_t>(file.size()) == data_offset + stored);

  // Extended header: five strings with a length byte each, filling the block.
  const std::string ext = file.substr(51, static_cast<std::size_t>(ext_size));
  const std::u16string* strings[] = {
      &table.ExtendedHeader.Name, &table.ExtendedHeader.Author,
      &table.ExtendedHeader.URL, &table.ExtendedHeader.Email,
      &table.ExtendedHeader.FontName};
  std::size_t at = 0;
  for (const std::u16string* expected : strings) {
    CHECK(at < ext.size());
    const std::size_t length = static_cast<unsigned char>(ext[at++]);
    CHECK(at + 2 * length <= ext.size());
    CHECK(Units(ext, at, length) == *expected);
    at += 2 * length;
  }
  CHECK(at == ext.size());
  CHECK(ext_crc == (crc ? Crc(ext) : 0));

  CHECK(file.compare(static_cast<std::size_t>(51 + ext_size),
                     static_cast<std::size_t>(icon_size), icon) == 0 &&
        static_cast<std::size_t>(icon_size) == icon.size());

  const std::string index = file.substr(static_cast<std::size_t>(index_offset),
                                        static_cast<std::size_t>(12 * entry_count));
  CHECK(index_crc == (crc ? Crc(index) : 0));
  std::string data = file.substr(static_cast<std::size_t>(data_offset));
  if (compression == 99) data = Inflate(data, static_cast<std::size_t>(data_size));
  CHECK(static_cast<std::int64_t>(data.size()) == data_size);
  CHECK(data_crc == (crc ? Crc(data) : 0));

  std::int64_t expected_offset = 0;
  for (std::size_t i = 0; i < table.Entries.size(); ++i) {
    const LanguageEntry& entry = table.Entries[i];
    const std::size_t e = 12 * i;
    CHECK(index.compare(e, 6, entry.ID.data(), 6) == 0);
    const std::int64_t offset = Signed32(index, e + 6);
    const std::size_t length = static_cast<unsigned char>(index[e + 10]) |
                               static_cast<unsigned char>(index[e + 11]) << 8;
    CHECK(offset == expected_offset && length == entry.Length &&
          length == entry.Value.size());
    CHECK(2 * (offset + static_cast<std::int64_t>(length)) <= data_size);
    CHECK(Units(data, static_cast<std::size_t>(2 * offset), length) == entry.Value);
    expected_offset += static_cast<std::int64_t>(length);
  }
  CHECK(2 * expected_offset == data_size);
}

// The generated function has one branch per entry: the first an "if", the
// others "else if", and the closing "else" only after a branch.
void CheckPascalSource(const std::string& text, const LanguageTable& table) {
  CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
  std::size_t ifs = 0, else_ifs = 0, elses = 0;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = text.find("\r\n", begin);
    CHECK(end != std::string::npos);
    const std::string line = text.substr(begin, end - begin);
    CHECK(line.find('\n') == std::string::npos);
    if (line.rfind("  if sch = ", 0) == 0) ++ifs;
    if (line.rfind("  else if sch = ", 0) == 0) ++else_ifs;
    if (line == "  else") ++elses;
    begin = end + 2;
  }
  const std::size_t count = static_cast<std::size_t>(table.EntryCount);
  CHECK(ifs == (count > 0 ? 1u : 0u));
  CHECK(else_ifs == (count > 0 ? count - 1 : 0u));
  CHECK(elses == ifs);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  BuildCRC32Table();
  // The console lines of millions of runs would drown the fuzzer's report.
  const int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, 1) < 0) abort();
  close(null);
  char pattern[] = "/tmp/zmlfc-source-fuzzer-XXXXXX";
  if (mkdtemp(pattern) == nullptr) abort();
  g_dir = pattern;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(g_dir, ignored);
  });
  mkdir((g_dir + "/icons").c_str(), 0755);
  WriteBytes(g_dir + "/icons/" + kIconName, kIconBytes);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input's size picks the code page, so that one input always reads
  // the same: a Western page, a double-byte page, UTF-8 and Cyrillic.
  static const char* const kCodePages[] = {"1252", "932", "65001", "1251"};
  setenv("ZMLFC_CODEPAGE", kCodePages[size % 4], 1);
  std::string error;
  CHECK(platform::Startup(&error));

  const std::string source_path = g_dir + "/source.ls";
  WriteBytes(source_path, std::string(reinterpret_cast<const char*>(data), size));

  LanguageTable table;
  try {
    platform::InputFile source(source_path);
    if (!ReadLanguageSource(source, table)) return 0;
  } catch (const Failure& failure) {
    // A header number that is not an integer ends the run with a report.
    if (failure.kind == "EConvertError") return 0;
    throw;
  }
  CHECK(table.EntryCount == static_cast<std::int32_t>(table.Entries.size()));
  CHECK(table.EntryCount <= MaxEntries);

  // Only the fuzzer's own icon can be embedded: the source must not make
  // it read files elsewhere on the machine.
  std::string icon;
  if (table.IconFile.find_first_of("/\\") != std::string::npos) {
    table.IconFile.clear();
  } else if (!table.IconFile.empty()) {
    if (table.IconFile == kIconName) icon = kIconBytes;
    table.IconFile = g_dir + "/icons/" + table.IconFile;
  }

  for (bool crc : {true, false}) {
    const std::string path = g_dir + "/out.lng";
    {
      platform::OutputFile output;
      CHECK(output.Create(path));
      WriteCompiledFile(table, !crc, false, output);
    }
    CheckCompiledFile(ReadBytes(path), table, crc, icon);
  }
  for (bool internal : {true, false}) {
    const std::string path = g_dir + "/out.pas";
    {
      platform::OutputFile output;
      CHECK(output.Create(path));
      WritePascalSource(output, "fuzz.ls", table, internal);
    }
    CheckPascalSource(ReadBytes(path), table);
  }
  return 0;
}
