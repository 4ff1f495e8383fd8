#include "compiled/compiled_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "compiled/crc32.h"
#include "stdout_capture.h"

namespace fs = std::filesystem;

namespace {

// --- A reader of compiled files written from the format alone, so that the
// --- writer is checked against the layout and not against itself.

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

std::uint32_t ZlibCRC(const std::string& bytes) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::u16string Utf16(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  return text;
}

struct ParsedEntry {
  std::string id;
  std::int32_t offset;
  std::uint16_t length;
  std::u16string text;
};

struct ParsedFile {
  std::string header;  // the 51 bytes
  std::string program_id;
  int program_ver, compression;
  std::int32_t index_offset, entry_count, data_offset, data_size, packed_size;
  std::int32_t ext_size, icon_size;
  std::uint32_t index_crc, data_crc, ext_crc;
  std::vector<std::u16string> strings;
  std::string icon;
  std::vector<ParsedEntry> entries;
  std::string data;  // inflated when compressed
  // The checksums of the blocks as found, by zlib.
  std::uint32_t ext_crc_found, index_crc_found, data_crc_found;
};

// Checks the file's structure and fills *f.
void Parse(const std::string& file, ParsedFile* f) {
  ASSERT_GE(file.size(), 51u);
  ASSERT_EQ(file.substr(0, 6), std::string("ZMLF\x1A\x04", 6));
  f->header = file.substr(0, 51);
  f->program_id = file.substr(6, 2);
  f->program_ver = static_cast<unsigned char>(file[8]);
  f->index_offset = static_cast<std::int32_t>(Le32(file, 9));
  f->entry_count = static_cast<std::int32_t>(Le32(file, 13));
  f->index_crc = Le32(file, 17);
  f->data_offset = static_cast<std::int32_t>(Le32(file, 21));
  f->data_size = static_cast<std::int32_t>(Le32(file, 25));
  f->packed_size = static_cast<std::int32_t>(Le32(file, 29));
  f->data_crc = Le32(file, 33);
  f->compression = static_cast<unsigned char>(file[37]);
  ASSERT_EQ(static_cast<unsigned char>(file[38]), 41);
  f->ext_size = static_cast<std::int32_t>(Le32(file, 39));
  f->ext_crc = Le32(file, 43);
  f->icon_size = static_cast<std::int32_t>(Le32(file, 47));

  ASSERT_GE(f->ext_size, 5);
  ASSERT_GE(f->icon_size, 0);
  ASSERT_GE(f->entry_count, 0);
  ASSERT_EQ(f->index_offset, 51 + f->ext_size + f->icon_size);
  ASSERT_EQ(f->data_offset, f->index_offset + 12 * f->entry_count);
  ASSERT_LE(static_cast<std::size_t>(f->data_offset), file.size());

  const std::string ext = file.substr(51, static_cast<std::size_t>(f->ext_size));
  std::size_t at = 0;
  for (int i = 0; i < 5; ++i) {
    ASSERT_LT(at, ext.size());
    const std::size_t bytes = 2 * static_cast<unsigned char>(ext[at]);
    ASSERT_LE(at + 1 + bytes, ext.size());
    f->strings.push_back(Utf16(ext.substr(at + 1, bytes)));
    at += 1 + bytes;
  }
  ASSERT_EQ(at, ext.size()) << "extended header size";
  f->ext_crc_found = ZlibCRC(ext);
  f->icon = file.substr(51 + ext.size(), static_cast<std::size_t>(f->icon_size));

  const std::string index = file.substr(static_cast<std::size_t>(f->index_offset),
                                        12 * static_cast<std::size_t>(f->entry_count));
  f->index_crc_found = ZlibCRC(index);

  const std::string stored = file.substr(static_cast<std::size_t>(f->data_offset));
  if (f->compression == 0) {
    ASSERT_EQ(f->packed_size, 0);
    ASSERT_EQ(stored.size(), static_cast<std::size_t>(f->data_size));
    f->data = stored;
  } else {
    ASSERT_EQ(f->compression, 99);
    ASSERT_EQ(stored.size(), static_cast<std::size_t>(f->packed_size));
    f->data.resize(static_cast<std::size_t>(f->data_size) + 1);
    uLongf size = f->data.size();
    uLong used = stored.size();
    ASSERT_EQ(uncompress2(reinterpret_cast<Bytef*>(&f->data[0]), &size,
                          reinterpret_cast<const Bytef*>(stored.data()), &used),
              Z_OK);
    ASSERT_EQ(used, stored.size()) << "bytes after the zlib stream";
    f->data.resize(size);
    ASSERT_EQ(f->data.size(), static_cast<std::size_t>(f->data_size));
  }
  f->data_crc_found = ZlibCRC(f->data);

  std::int64_t units = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(f->entry_count); ++i) {
    ParsedEntry e;
    e.id = index.substr(12 * i, 6);
    e.offset = static_cast<std::int32_t>(Le32(index, 12 * i + 6));
    e.length = static_cast<std::uint16_t>(static_cast<unsigned char>(index[12 * i + 10]) |
                                          static_cast<unsigned char>(index[12 * i + 11]) << 8);
    ASSERT_EQ(e.offset, units) << "entry " << i;
    units += e.length;
    ASSERT_LE(2 * units, f->data_size);
    e.text = Utf16(f->data.substr(2 * static_cast<std::size_t>(e.offset), 2 * std::size_t{e.length}));
    f->entries.push_back(e);
  }
  ASSERT_EQ(2 * units, f->data_size);
}

// --- Running the writer.

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("zmlfc_compiled_" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct Written {
  std::string console;
  std::string file;
};

class CompiledWriterTest : public testing::Test {
 protected:
  void SetUp() override { BuildCRC32Table(); }

  Written Write(const LanguageTable& table, bool NoCRC = false, bool NoIcon = false) {
    Written run;
    const std::string path = dir_ / "out.lng";
    {
      platform::OutputFile output;
      EXPECT_TRUE(output.Create(path));
      StdoutCapture capture;
      WriteCompiledFile(table, NoCRC, NoIcon, output);
      run.console = capture.Text();
    }
    run.file = ReadFile(path);
    return run;
  }

  TempDir dir_;
};

LanguageTable WorkedExample() {
  LanguageTable table;
  table.ExtendedHeader.Name = u"Demo";
  AddEntry(table, "HELLO", "Hi");
  AddEntry(table, "BYE", "Bye");
  return table;
}

TEST_F(CompiledWriterTest, WorkedExampleByteForByte) {
  const Written run = Write(WorkedExample());
  const std::string expected(
      "ZMLF\x1A\x04\0\0\0"
      "\x40\0\0\0" "\x02\0\0\0" "\xA2\xC7\xD9\xDE"  // IndexOffset 64, 2 entries, IndexCRC
      "\x58\0\0\0" "\x0A\0\0\0" "\0\0\0\0"          // DataOffset 88, DataSize 10, no stream
      "\x21\x4F\x6E\xED" "\0\x29"                   // DataCRC, stored, compiler 41
      "\x0D\0\0\0" "\x4A\x67\x2A\x79" "\0\0\0\0"    // ExtHeaderSize 13, ExtHeaderCRC, no icon
      "\x04" "D\0e\0m\0o\0" "\0\0\0\0"
      "HELLO \0\0\0\0\x02\0"
      "BYE   \x02\0\0\0\x03\0"
      "H\0i\0B\0y\0e\0",
      98);
  EXPECT_EQ(run.file, expected);
  EXPECT_EQ(run.console,
            "   Header........... OK [51 bytes]\r\n"
            "   Extended Header.. OK [13 bytes] [CRC 792A674A]\r\n"
            "   Icon............. NO\r\n"
            "   Index............ 2 entries [24 bytes] [CRC DED9C7A2]\r\n"
            "   Data............. OK [10 bytes] [CRC ED6E4F21]\r\n");
}

TEST_F(CompiledWriterTest, NoCRCLeavesTheChecksumsOutOfFileAndConsole) {
  const Written run = Write(WorkedExample(), /*NoCRC=*/true);
  ParsedFile f;
  ASSERT_NO_FATAL_FAILURE(Parse(run.file, &f));
  EXPECT_EQ(f.ext_crc, 0u);
  EXPECT_EQ(f.index_crc, 0u);
  EXPECT_EQ(f.data_crc, 0u);
  EXPECT_EQ(run.console,
            "   Header........... OK [51 bytes]\r\n"
            "   Extended Header.. OK [13 bytes]\r\n"
            "   Icon............. NO\r\n"
            "   Index............ 2 entries [24 bytes]\r\n"
            "   Data............. OK [10 bytes]\r\n");
}

TEST_F(CompiledWriterTest, EmptyCompressedBlockShowsZeroPercent) {
  LanguageTable table;
  table.Compression = 99;
  const Written run = Write(table);
  ParsedFile f;
  ASSERT_NO_FATAL_FAILURE(Parse(run.file, &f));
  EXPECT_EQ(f.data_size, 0);
  EXPECT_GT(f.packed_size, 0);
  EXPECT_EQ(f.data_offset, f.index_offset);
  EXPECT_EQ(run.console,
            "   Header........... OK [51 bytes]\r\n"
            "   Extended Header.. OK [5 bytes] [CRC C622F71D]\r\n"
            "   Icon............. NO\r\n"
            "   Index............ 0 entries [0 bytes] [CRC 00000000]\r\n"
            "   Data............. 0 bytes... Zlib: OK [" +
                std::to_string(f.packed_size) + " bytes - 0%]  [CRC 00000000]\r\n");
}

// The console lines a run must print for the file it wrote.
std::string ExpectedConsole(const ParsedFile& f, bool NoCRC) {
  auto crc = [NoCRC](std::uint32_t value) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", value);
    return NoCRC ? std::string() : " [CRC " + std::string(hex) + "]";
  };
  std::string text = "   Header........... OK [51 bytes]\r\n";
  text += "   Extended Header.. OK [" + std::to_string(f.ext_size) + " bytes]" +
          crc(f.ext_crc_found) + "\r\n";
  text += "   Icon............. " +
          (f.icon_size ? "OK [" + std::to_string(f.icon_size) + " bytes]" : "NO") + "\r\n";
  text += "   Index............ " + std::to_string(f.entry_count) + " entries [" +
          std::to_string(12 * f.entry_count) + " bytes]" + crc(f.index_crc_found) + "\r\n";
  text += "   Data............. ";
  if (f.compression == 0) {
    text += "OK [" + std::to_string(f.data_size) + " bytes]";
  } else {
    // The default rounding mode sends an exact half to the even neighbour.
    const double saved =
        f.data_size ? double(f.data_size - f.packed_size) / f.data_size * 100 : 0;
    text += std::to_string(f.data_size) + " bytes... Zlib: OK [" +
            std::to_string(f.packed_size) + " bytes - " +
            std::to_string(static_cast<long>(std::nearbyint(saved))) + "%] ";
  }
  return text + crc(f.data_crc_found) + "\r\n";
}

// Western text of words, the same for the same seed.
std::string Words(std::mt19937* random, std::size_t length) {
  static const char* const kWords[] = {"the", "file", "could", "not", "be",
                                       "opened", "Save", "changes", "\xE9t\xE9", "%s"};
  std::string text;
  while (text.size() < length) {
    text += kWords[(*random)() % 10];
    text += ' ';
  }
  text.resize(length);
  return text;
}

TEST_F(CompiledWriterTest, FilesReadBackWithEveryBlockAndChecksum) {
  const std::string icon_path = dir_ / "app.ico";
  std::string icon;
  for (int i = 0; i < 3000; ++i) icon += static_cast<char>(i * 31 % 256);
  WriteFile(icon_path, icon);

  enum class Texts { Some, None, Empty, Large };
  const struct {
    const char* name;
    int compression;
    bool icon, NoCRC;
    Texts texts;
  } cases[] = {
      {"stored", 0, false, false, Texts::Some},
      {"stored, icon, no CRC", 0, true, true, Texts::Some},
      {"compressed, icon", 99, true, false, Texts::Some},
      {"compressed, no CRC", 99, false, true, Texts::Some},
      {"stored, no entries", 0, true, false, Texts::None},
      {"compressed, no entries, no CRC", 99, false, true, Texts::None},
      {"stored, empty texts", 0, false, false, Texts::Empty},
      {"compressed, empty texts", 99, true, false, Texts::Empty},
      // Several megabytes: many pieces through checksum and compressor.
      {"stored, large", 0, false, false, Texts::Large},
      {"compressed, large", 99, true, false, Texts::Large},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LanguageTable table;
    table.ProgramID = {'A', 'P'};
    table.ProgramVer = 200;
    table.Compression = static_cast<std::uint8_t>(c.compression);
    table.IconFile = c.icon ? icon_path : "";
    table.ExtendedHeader = {u"English", u"Jos\u00E9", u"https://example.org", u"", u"Tahoma"};
    std::mt19937 random(7);
    switch (c.texts) {
      case Texts::Some:
        AddEntry(table, "MENU01", "&File");
        AddEntry(table, "", "no key");
        AddEntry(table, "MSG", "Caf\xE9 = %d");
        table.Entries.back().Value += u"\U0001F600";  // a surrogate pair: two units
        table.Entries.back().Length += 2;
        break;
      case Texts::None:
        break;
      case Texts::Empty:
        AddEntry(table, "A", "");
        AddEntry(table, "B", "b");
        AddEntry(table, "C", "");
        break;
      case Texts::Large:
        for (int i = 0; i < 40; ++i)
          AddEntry(table, "L" + std::to_string(i), Words(&random, 65535 - i % 3));
        break;
    }

    const Written run = Write(table, c.NoCRC);
    ParsedFile f;
    ASSERT_NO_FATAL_FAILURE(Parse(run.file, &f));
    EXPECT_EQ(f.program_id, "AP");
    EXPECT_EQ(f.program_ver, 200);
    EXPECT_EQ(f.compression, c.compression);
    EXPECT_EQ(f.strings, (std::vector<std::u16string>{u"English", u"Jos\u00E9",
                                                      u"https://example.org", u"", u"Tahoma"}));
    EXPECT_EQ(f.icon, c.icon ? icon : "");
    EXPECT_EQ(f.ext_crc, c.NoCRC ? 0u : f.ext_crc_found);
    EXPECT_EQ(f.index_crc, c.NoCRC ? 0u : f.index_crc_found);
    EXPECT_EQ(f.data_crc, c.NoCRC ? 0u : f.data_crc_found);
    ASSERT_EQ(f.entries.size(), table.Entries.size());
    for (std::size_t i = 0; i < f.entries.size(); ++i) {
      const LanguageEntry& entry = table.Entries[i];
      EXPECT_EQ(f.entries[i].id, std::string(entry.ID.data(), 6)) << i;
      EXPECT_EQ(f.entries[i].length, entry.Length) << i;
      EXPECT_TRUE(f.entries[i].text == entry.Value) << i;
    }
    EXPECT_EQ(run.console, ExpectedConsole(f, c.NoCRC));
  }
}

TEST_F(CompiledWriterTest, IconIsEmbeddedOnlyWhenThereIsOneToRead) {
  const std::string large = dir_ / "large.ico";
  std::string large_icon(24 << 20, '\0');
  std::mt19937 random(1);
  for (char& b : large_icon) b = static_cast<char>(random());
  WriteFile(large, large_icon);
  WriteFile(dir_ / "empty.ico", "");
  fs::create_directory(dir_ / "folder.ico");

  const struct {
    std::string icon_file;
    bool NoIcon;
    std::size_t size;
  } cases[] = {
      {large, false, large_icon.size()},
      {large, true, 0},
      {dir_ / "empty.ico", false, 0},
      {dir_ / "missing.ico", false, 0},
      {dir_ / "folder.ico", false, 0},
      {"", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.icon_file + (c.NoIcon ? " NoIcon" : ""));
    LanguageTable table = WorkedExample();
    table.IconFile = c.icon_file;
    const Written run = Write(table, false, c.NoIcon);
    ParsedFile f;
    ASSERT_NO_FATAL_FAILURE(Parse(run.file, &f));
    EXPECT_EQ(f.icon.size(), c.size);
    if (c.size != 0) {
      EXPECT_TRUE(f.icon == large_icon);
    }
    EXPECT_EQ(run.console, ExpectedConsole(f, false));
  }
}

// A failure before the header leaves the output empty and the console
// silent.
void ExpectIconFailure(const LanguageTable& table, const std::string& path,
                       const std::string& output_path) {
  StdoutCapture capture;
  try {
    platform::OutputFile output;
    ASSERT_TRUE(output.Create(output_path));
    WriteCompiledFile(table, false, false, output);
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind, "EFOpenError");
    const std::string prefix = "Cannot open file \"" + path + "\". ";
    EXPECT_EQ(std::string(failure.what()).substr(0, prefix.size()), prefix);
    EXPECT_GT(std::string(failure.what()).size(), prefix.size());
  }
  EXPECT_EQ(capture.Text(), "");
  EXPECT_EQ(ReadFile(output_path), "");
}

TEST_F(CompiledWriterTest, IconTooLargeForTheFormatFailsBeforeTheHeader) {
  // Sparse: past the signed 32-bit offsets of the header, yet cheap to make.
  const std::string path = dir_ / "huge.ico";
  WriteFile(path, "");
  fs::resize_file(path, std::uintmax_t{3} << 30);
  LanguageTable table = WorkedExample();
  table.IconFile = path;
  ExpectIconFailure(table, path, dir_ / "out.lng");
}

TEST_F(CompiledWriterTest, UnreadableIconFailsBeforeTheHeader) {
  if (getuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string path = dir_ / "locked.ico";
  WriteFile(path, "icon");
  fs::permissions(path, fs::perms::none);
  LanguageTable table = WorkedExample();
  table.IconFile = path;
  ExpectIconFailure(table, path, dir_ / "out.lng");
}

// Limits the size of files the process may write, as a nearly full disk
// would, for the life of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_;
  void (*previous_)(int);
};

TEST_F(CompiledWriterTest, PlaceholderHeaderDiffersOnlyInTheFieldsStillToCome) {
  const std::string icon_path = dir_ / "app.ico";
  WriteFile(icon_path, "ICON");
  LanguageTable table = WorkedExample();
  table.ProgramID = {'X', 'Y'};
  table.ProgramVer = 9;
  table.Compression = 99;
  table.IconFile = icon_path;
  const std::string final_header = Write(table).file.substr(0, 51);

  // The disk fills up right behind the header.
  const std::string path = dir_ / "full.lng";
  StdoutCapture capture;
  try {
    platform::OutputFile output;
    ASSERT_TRUE(output.Create(path));
    FileSizeLimit limit(51);
    WriteCompiledFile(table, false, false, output);
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind, "EWriteError");
    EXPECT_STREQ(failure.what(), "Stream write error");
  }
  EXPECT_EQ(capture.Text(), "   Header........... OK [51 bytes]\r\n   Extended Header.. ");
  const std::string placeholder = ReadFile(path);
  ASSERT_EQ(placeholder.size(), 51u);

  // IndexCRC, DataSize, DataPackedSize, DataCRC and ExtHeaderCRC.
  const std::vector<std::pair<std::size_t, std::size_t>> pending = {
      {17, 4}, {25, 4}, {29, 4}, {33, 4}, {43, 4}};
  std::string expected = final_header;
  for (const auto& field : pending) {
    EXPECT_NE(final_header.substr(field.first, field.second), std::string(4, '\0'))
        << field.first;
    expected.replace(field.first, field.second, std::string(4, '\0'));
  }
  EXPECT_EQ(placeholder, expected);
}

TEST_F(CompiledWriterTest, FullDiskIsAWriteError) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  StdoutCapture capture;
  try {
    platform::OutputFile output;
    ASSERT_TRUE(output.Create("/dev/full"));
    WriteCompiledFile(WorkedExample(), false, false, output);
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind, "EWriteError");
    EXPECT_STREQ(failure.what(), "Stream write error");
  }
  EXPECT_EQ(capture.Text(), "   Header........... ");
}

TEST_F(CompiledWriterTest, DescriptiveStringOverALengthByteIsStoredCut) {
  LanguageTable table = WorkedExample();
  table.ExtendedHeader.Author = std::u16string(300, u'a');
  const Written run = Write(table);
  ParsedFile f;
  ASSERT_NO_FATAL_FAILURE(Parse(run.file, &f));
  EXPECT_EQ(f.strings[1], std::u16string(255, u'a'));
  EXPECT_EQ(f.ext_size, 5 + 2 * (4 + 255));
}

}  // namespace
