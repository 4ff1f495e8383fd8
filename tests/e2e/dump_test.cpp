// zmlfdump end to end: every compiled file the suite writes verifies and
// decompiles into a source that zmlfc compiles back byte for byte; damaged
// files end with exit status 2 and name their first problem; usage errors
// end with exit status 3.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <functional>

#include "compiled/crc32.h"
#include "dump/verify.h"
#include "program_runner.h"

namespace fs = std::filesystem;

namespace {

e2e::ProgramResult RunDump(const std::vector<std::string>& args,
                           const std::string& cwd, const e2e::Environment& env = {}) {
  std::vector<std::string> argv{ZMLFDUMP_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  return e2e::RunCommand(argv, cwd, env);
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  for (std::size_t begin = 0; begin < text.size();) {
    std::size_t stop = text.find(end, begin);
    if (stop == std::string::npos) stop = text.size();
    lines.push_back(text.substr(begin, stop - begin));
    begin = stop + end.size();
  }
  return lines;
}

std::string LastLine(const std::string& out) {
  const std::vector<std::string> lines = Lines(out, "\r\n");
  return lines.empty() ? std::string() : lines.back();
}

// Checks `name` in `dir`, decompiles it and compiles the source in a fresh
// directory with `options` and `env`: the same bytes must come back.
void ExpectRoundTrip(const std::string& dir, const std::string& name,
                     const std::vector<std::string>& options,
                     const e2e::Environment& env, const std::string& label) {
  SCOPED_TRACE(label);
  const std::string original = e2e::ReadFile(dir + "/" + name);
  e2e::ProgramResult check = RunDump({name}, dir, env);
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(LastLine(check.out), "Valid");

  e2e::ProgramResult dump = RunDump({"--lsf", "back.ls", "--icon", "back.ico", name}, dir, env);
  ASSERT_EQ(dump.status, 0) << dump.out << dump.err;
  EXPECT_EQ(dump.err, "");

  e2e::TempDir again;
  e2e::WriteFile(again / "back.ls", e2e::ReadFile(dir + "/back.ls"));
  if (e2e::Exists(dir + "/back.ico"))
    e2e::WriteFile(again / "back.ico", e2e::ReadFile(dir + "/back.ico"));
  std::vector<std::string> args{"back.ls"};
  args.insert(args.end(), options.begin(), options.end());
  const e2e::ProgramResult compile = e2e::RunProgram(args, again.path(), env);
  ASSERT_EQ(compile.status, 0) << compile.out;
  EXPECT_TRUE(e2e::ReadFile(again / name) == original)
      << "compiled back differently:\n" << e2e::ReadFile(dir + "/back.ls");
}

TEST(Dump, EveryCompiledFileOfTheCasesComesBackByteForByte) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(ZMLFC_CASES_DIR)) {
    const fs::path expect = entry.path() / "expect" / "files";
    if (!fs::is_directory(expect)) continue;
    std::vector<std::string> options;
    if (fs::exists(entry.path() / "args")) {
      options = Lines(e2e::ReadFile((entry.path() / "args").string()), "\n");
      if (!options.empty()) options.erase(options.begin());  // the source
    }
    e2e::Environment env;
    if (fs::exists(entry.path() / "env"))
      for (const std::string& line :
           Lines(e2e::ReadFile((entry.path() / "env").string()), "\n"))
        env.emplace_back(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
    for (const auto& file : fs::recursive_directory_iterator(expect)) {
      if (file.path().extension() != ".lng") continue;
      e2e::TempDir work;
      const std::string name = file.path().filename().string();
      e2e::WriteFile(work / name, e2e::ReadFile(file.path().string()));
      ExpectRoundTrip(work.path(), name, options, env, file.path().string());
      ++files;
    }
  }
  EXPECT_GE(files, 4);
}

TEST(Dump, CompiledSourcesComeBackByteForByte) {
  const std::string head = "{LSF}\r\n{HEADER}\r\nOUTFILE = app.lng\r\n";
  const std::string body = "{/HEADER}\r\n{BODY}\r\n";
  const std::string entries =
      "HELLO = Hello world\r\n"
      "Btn OK = OK = fine # not a comment\r\n"
      "ABCDEFGH = the key is cut after six bytes\r\n"
      "ABCDEF1 = the same ID again\r\n"
      "A = short ID, text with trailing blanks  \r\n"
      " = an empty key\r\n"
      "EMPTY =\r\n"
      "AB\t   X = a tab kept inside the six bytes\r\n"
      "CAFE = caf\xE9 \x80 \xFF\r\n";
  struct Case {
    const char* name;
    std::string source;
    std::vector<std::string> options;
    e2e::Environment env;
    bool icon;
  };
  const Case cases[] = {
      {"stored with checksums",
       head + "PROGRAMID = AP\r\nPROGRAMVER = 300\r\nNAME = English\r\n"
              "AUTHOR = Jos\xE9\r\nURL = https://example.org\r\nEMAIL = a@b\r\n"
              "FONTNAME = Tahoma  \r\n" + body + entries,
       {}, {}, false},
      {"zlib without checksums, with icon",
       head + "ICONFILE = app.ico\r\nCOMPRESSION = 99\r\nNAME = Fran\xE7" "ais\r\n" +
           body + entries,
       {"/nocrc"}, {}, true},
      {"stored empty table without checksums", head + body, {"/nc"}, {}, false},
      {"zlib empty table with icon",
       head + "ICONFILE = app.ico\r\nCOMPRESSION = 99\r\n" + body, {}, {}, true},
      {"UTF-8", head + "NAME = \xE4\xB8\xAD\xE6\x96\x87\r\n" + body +
                    "ZH = \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80\r\n"
                    "\xC3\xA9T\xC3\xA9 = caf\xC3\xA9\r\n",
       {}, {{"ZMLFC_CODEPAGE", "65001"}}, false},
      {"code page 932", head + body +
                            "JA = \x93\xFA\x96\x7B\x8C\xEA\r\n"
                            "ABCDE\x93\xFA = the ID ends in a lead byte\r\n",
       {}, {{"ZMLFC_CODEPAGE", "932"}}, false},
  };
  for (const Case& c : cases) {
    e2e::TempDir work;
    e2e::WriteFile(work / "app.ls", c.source);
    if (c.icon) e2e::WriteFile(work / "app.ico", std::string("\0\0\1\0icon\xFF\r\n", 12));
    std::vector<std::string> args{"app.ls"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const e2e::ProgramResult compile = e2e::RunProgram(args, work.path(), c.env);
    ASSERT_EQ(compile.status, 0) << c.name << "\n" << compile.out;
    ExpectRoundTrip(work.path(), "app.lng", c.options, c.env, c.name);
  }
}

TEST(Dump, ListsEveryEntryInIndexOrder) {
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls",
                 "{LSF}\n{HEADER}\nOUTFILE = app.lng\nCOMPRESSION = 99\n{/HEADER}\n{BODY}\n"
                 "HELLO = Hi\nBtn OK = caf\xE9 = x\n = empty key\nEMPTY =\nHELLO = again\n");
  ASSERT_EQ(e2e::RunProgram({"app.ls"}, work.path()).status, 0);
  const e2e::ProgramResult list = RunDump({"--list", "app.lng"}, work.path());
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out,
            "HELLO = Hi\r\nBtn OK = caf\xE9 = x\r\n = empty key\r\nEMPTY = \r\n"
            "HELLO = again\r\n");
}

TEST(Dump, ReportsTheSourceIsNotExactEntryByEntry) {
  // A source cannot give an ID that begins with "#": zmlfdump builds the
  // file itself, as another tool might.
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls",
                 "{LSF}\n{HEADER}\nOUTFILE = app.lng\n{/HEADER}\n{BODY}\nXA = fine\n"
                 "XB = fine too\n");
  ASSERT_EQ(e2e::RunProgram({"app.ls"}, work.path()).status, 0);
  std::string bytes = e2e::ReadFile(work / "app.lng");
  const std::size_t index = 51 + 5;
  bytes[index + 12] = '#';  // the second ID
  for (int i = 17; i < 21; ++i) bytes[i] = 0;  // IndexCRC not computed
  e2e::WriteFile(work / "app.lng", bytes);
  const e2e::ProgramResult dump = RunDump({"--lsf", "back.ls", "app.lng"}, work.path());
  EXPECT_EQ(dump.status, 2);
  EXPECT_EQ(dump.out,
            "Wrote back.ls [2 entries]\r\n"
            "Not exact: compiling back.ls would not give back app.lng byte for byte:\r\n"
            "  Checksums: some blocks have one and some not; a compile writes all or none\r\n"
            "  Entry 2, ID \"#B\": the ID begins with \"#\"\r\n");
  EXPECT_TRUE(e2e::Exists(work / "back.ls"));
}

// --- Damaged files ----------------------------------------------------------

std::int64_t Field32(const std::string& bytes, std::size_t at) {
  return static_cast<std::int32_t>(DecodeFixed32(bytes.data() + at));
}

void SetField32(std::string& bytes, std::size_t at, std::int64_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
}

std::string Hex(std::int64_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

std::string Compressed(const std::string& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string stream(size, '\0');
  compress2(reinterpret_cast<Bytef*>(stream.data()), &size,
            reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 9);
  stream.resize(size);
  return stream;
}

std::string Golden(const std::string& case_name) {
  return e2e::ReadFile(std::string(ZMLFC_CASES_DIR) + "/" + case_name +
                       "/expect/files/app.lng");
}

struct Damage {
  std::string name;
  std::string bytes;
  int status;
  std::string line;  // the last line of standard output, or its beginning
};

// One damaged copy of `base` per header field, block boundary and block.
std::vector<Damage> DamagedFiles() {
  BuildCRC32Table();
  std::vector<Damage> cases;
  // With checksums, an icon and a zlib stream: every block is there.
  const std::string full = Golden("compiled_icon_compressed");
  const std::string stored = Golden("compiled_typical");
  const std::string nocrc = Golden("compiled_nocrc_noicon");
  const std::int64_t size = static_cast<std::int64_t>(full.size());
  const std::int64_t index_offset = Field32(full, 9), data_offset = Field32(full, 21);
  const std::int64_t data_size = Field32(full, 25), packed = Field32(full, 29);
  const std::int64_t ext_size = Field32(full, 39), icon_size = Field32(full, 47);
  auto add = [&cases](std::string name, const std::string& base,
                      std::function<void(std::string&)> damage, int status,
                      std::string line) {
    std::string bytes = base;
    damage(bytes);
    cases.push_back({std::move(name), std::move(bytes), status, std::move(line)});
  };
  auto field = [](std::size_t at, std::int64_t delta) {
    return [at, delta](std::string& b) { SetField32(b, at, Field32(b, at) + delta); };
  };
  auto byte = [](std::size_t at, char value) {
    return [at, value](std::string& b) { b[at] = value; };
  };
  auto flip = [](std::size_t at) { return [at](std::string& b) { b[at] ^= 0x08; }; };
  auto mismatch = [&full](const char* name, std::size_t at) {
    const std::int64_t crc = Field32(full, at) & 0xFFFFFFFF;
    return std::string(name) + " mismatch: stored " + Hex(crc ^ 1) + ", computed " + Hex(crc);
  };
  const std::string index_rule = " (51 + ExtHeaderSize + IconSize)";
  const std::string data_rule = " (IndexOffset + 12 x EntryCount)";

  // Each header field altered.
  add("magic", full, byte(0, 'Y'), 2,
      "Magic mismatch: stored 59 4D 4C 46, expected 5A 4D 4C 46 (\"ZMLF\"): not a "
      "compiled language file");
  add("end of signature", full, byte(4, 0x1B), 2,
      "End-of-signature byte mismatch: stored 1B, expected 1A");
  add("FormatVersion", full, flip(5), 2, "FormatVersion mismatch: stored 12, expected 4");
  add("ProgramID", full, byte(6, 'Q'), 0, "Valid");  // nothing fixes it
  add("ProgramVer", full, byte(8, 9), 0, "Valid");
  add("IndexOffset", full, field(9, 1), 2,
      "IndexOffset mismatch: stored " + std::to_string(index_offset + 1) + ", expected " +
          std::to_string(index_offset) + index_rule);
  add("EntryCount", full, field(13, 1), 2,
      "DataOffset mismatch: stored " + std::to_string(data_offset) + ", expected " +
          std::to_string(data_offset + 12) + data_rule);
  add("IndexCRC", full, field(17, 1), 2, mismatch("IndexCRC", 17));
  add("DataOffset", full, field(21, 1), 2,
      "DataOffset mismatch: stored " + std::to_string(data_offset + 1) + ", expected " +
          std::to_string(data_offset) + data_rule);
  add("DataSize", full, field(25, 2), 2,
      "DataSize mismatch: stored " + std::to_string(data_size + 2) + ", expected " +
          std::to_string(data_size) + " (2 x the sum of the index Lengths)");
  add("DataPackedSize", full, field(29, 1), 2,
      "File size mismatch: " + std::to_string(size) + " bytes, expected " +
          std::to_string(size + 1) + " (DataOffset + DataPackedSize)");
  add("DataCRC", full, field(33, 1), 2, mismatch("DataCRC", 33));
  add("Compression 0", full, byte(37, 0), 2,
      "DataPackedSize mismatch: stored " + std::to_string(packed) +
          ", expected 0 (Compression 0)");
  add("Compression 98", full, byte(37, 98), 2,
      "Compression 98 unknown: expected 0 (stored) or 99 (zlib)");
  add("CompilerVersion", full, byte(38, 42), 2,
      "CompilerVersion mismatch: stored 42, expected 41");
  add("ExtHeaderSize", full, field(39, 2), 2,
      "IndexOffset mismatch: stored " + std::to_string(index_offset) + ", expected " +
          std::to_string(index_offset + 2) + index_rule);
  add("ExtHeaderCRC", full, field(43, 1), 2, mismatch("ExtHeaderCRC", 43));
  add("IconSize", full, field(47, 1), 2,
      "IndexOffset mismatch: stored " + std::to_string(index_offset) + ", expected " +
          std::to_string(index_offset + 1) + index_rule);
  add("IconSize negative", full, field(47, -icon_size - 1), 2, "IconSize -1 is negative");
  add("stored: DataPackedSize", stored, field(29, 4), 2,
      "DataPackedSize mismatch: stored 4, expected 0 (Compression 0)");
  add("stored: Compression 99", stored, byte(37, 99), 2,
      "DataPackedSize 0 with Compression 99: a zlib stream takes at least 8 bytes");

  // Truncated at every block boundary, and inside the last block.
  const std::int64_t boundaries[] = {0, 50, 51, 51 + ext_size, index_offset, data_offset,
                                     size - 1};
  for (std::int64_t cut : boundaries) {
    const std::string line =
        cut < 51 ? "Header cut short: the file has " + std::to_string(cut) +
                       " bytes, the header alone takes 51"
                 : "File size mismatch: " + std::to_string(cut) + " bytes, expected " +
                       std::to_string(size) + " (DataOffset + DataPackedSize)";
    add("cut at " + std::to_string(cut), full,
        [cut](std::string& b) { b.resize(static_cast<std::size_t>(cut)); }, 2, line);
  }
  const std::int64_t stored_size = static_cast<std::int64_t>(stored.size());
  add("stored: cut in the data", stored, [](std::string& b) { b.pop_back(); }, 2,
      "File size mismatch: " + std::to_string(stored_size - 1) + " bytes, expected " +
          std::to_string(stored_size) + " (DataOffset + DataSize)");
  add("a byte too many", full, [](std::string& b) { b += '\0'; }, 2,
      "File size mismatch: " + std::to_string(size + 1) + " bytes, expected " +
          std::to_string(size) + " (DataOffset + DataPackedSize)");

  // A flipped bit in each block.
  add("flip: extended header", full, flip(51 + 3), 2,
      "ExtHeaderCRC mismatch: stored " + Hex(Field32(full, 43) & 0xFFFFFFFF) + ", computed ");
  // No checksum covers the icon: the layout cannot tell.
  add("flip: icon", full, flip(static_cast<std::size_t>(51 + ext_size + 10)), 0, "Valid");
  add("flip: index", full, flip(static_cast<std::size_t>(index_offset)), 2,
      "IndexCRC mismatch: stored " + Hex(Field32(full, 17) & 0xFFFFFFFF) + ", computed ");
  add("flip: zlib stream", full, flip(static_cast<std::size_t>(size - 1)), 2,
      "Data block does not inflate: incorrect data check");
  add("flip: stored data", stored, flip(stored.size() - 1), 2,
      "DataCRC mismatch: stored " + Hex(Field32(stored, 33) & 0xFFFFFFFF) + ", computed ");
  // Without checksums only the layout's own rules catch damage.
  const std::int64_t nocrc_index = Field32(nocrc, 9);
  add("no checksums: a string length", nocrc, byte(51, '\xFF'), 2,
      "Extended header: the Name string runs past the block's end (ExtHeaderSize " +
          std::to_string(Field32(nocrc, 39)) + ")");
  add("no checksums: a Length", nocrc, flip(static_cast<std::size_t>(nocrc_index + 10)), 2,
      "Index entry 2 (ID \"MENU02\"): Offset mismatch: stored ");

  // Zlib streams that inflate to the wrong size.
  const std::string data = VerifyCompiledFile(nocrc).data;
  const std::int64_t nocrc_data_offset = Field32(nocrc, 21);
  auto stream = [&](const std::string& content) {
    return [=](std::string& b) {
      const std::string packed_stream = Compressed(content);
      b.resize(static_cast<std::size_t>(nocrc_data_offset));
      b += packed_stream;
      SetField32(b, 29, static_cast<std::int64_t>(packed_stream.size()));
    };
  };
  add("inflates to more", nocrc, stream(data + "xy"), 2,
      "Data block inflates to more than DataSize (" + std::to_string(data.size()) +
          " bytes)");
  add("inflates to fewer", nocrc, stream(data.substr(0, data.size() - 2)), 2,
      "Data block inflates to " + std::to_string(data.size() - 2) +
          " bytes, expected DataSize " + std::to_string(data.size()));
  return cases;
}

TEST(Dump, DamagedFilesNameTheirFirstProblem) {
  for (const Damage& damage : DamagedFiles()) {
    SCOPED_TRACE(damage.name);
    e2e::TempDir work;
    e2e::WriteFile(work / "app.lng", damage.bytes);
    const e2e::ProgramResult check = RunDump({"app.lng"}, work.path());
    EXPECT_EQ(check.status, damage.status);
    EXPECT_EQ(LastLine(check.out).rfind(damage.line, 0), 0u) << check.out;
    EXPECT_EQ(check.err, "");
    if (damage.status == 0) continue;
    // Listing and decompiling refuse with the same line and write nothing.
    const e2e::ProgramResult dump = RunDump({"--lsf", "back.ls", "app.lng"}, work.path());
    EXPECT_EQ(dump.status, 2);
    EXPECT_EQ(dump.out, LastLine(check.out) + "\r\n");
    EXPECT_FALSE(e2e::Exists(work / "back.ls"));
  }
}

// --- Usage ------------------------------------------------------------------

TEST(Dump, UsageErrorsEndWithStatus3AndAClearMessage) {
  e2e::TempDir work;
  const std::string compiled = Golden("compiled_typical");
  e2e::WriteFile(work / "app.lng", compiled);
  const std::string with_icon = Golden("compiled_icon_compressed");
  e2e::WriteFile(work / "icon.lng", with_icon);
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{}, "zmlfdump: no FILE given"},
      {{"--bogus", "app.lng"}, "zmlfdump: unknown option --bogus"},
      {{"app.lng", "other.lng"}, "zmlfdump: one FILE only: app.lng and other.lng"},
      {{"app.lng", "--lsf"}, "zmlfdump: --lsf needs a file name"},
      {{"--icon", "x.ico", "app.lng"}, "zmlfdump: --icon goes with --lsf"},
      {{"--list", "--lsf", "x.ls", "app.lng"}, "zmlfdump: --list and --lsf exclude each other"},
      {{"--lsf", "x", "--icon", "x", "app.lng"}, "zmlfdump: --lsf and --icon name the same file"},
      {{"missing.lng"}, "zmlfdump: cannot read missing.lng: not an existing file"},
      {{"."}, "zmlfdump: cannot read .: not an existing file"},
      {{"--lsf", "no/such/dir.ls", "app.lng"}, "zmlfdump: cannot create no/such/dir.ls"},
      {{"--lsf", "app.lng", "app.lng"},
       "zmlfdump: app.lng is the compiled file itself: not overwritten"},
      {{"--lsf", "x.ls", "--icon", "./icon.lng", "icon.lng"},
       "zmlfdump: ./icon.lng is the compiled file itself: not overwritten"},
  };
  for (const Case& c : cases) {
    const e2e::ProgramResult run = RunDump(c.args, work.path());
    EXPECT_EQ(run.status, 3) << c.message;
    EXPECT_EQ(Lines(run.err, "\r\n").at(0), c.message);
    EXPECT_EQ(e2e::ReadFile(work / "app.lng"), compiled) << c.message;
    EXPECT_EQ(e2e::ReadFile(work / "icon.lng"), with_icon) << c.message;
    EXPECT_FALSE(e2e::Exists(work / "x.ls")) << c.message;
  }
  const e2e::ProgramResult help = RunDump({"--help"}, work.path());
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: zmlfdump FILE", 0), 0u);
}

}  // namespace
