// The generated Pascal compiled with Free Pascal in Delphi mode and run: a
// generated test program looks up every ID and some unknown ones and writes
// the texts it gets back, which are compared byte for byte with the source
// texts. Skipped where fpc is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "pascal/pascal_writer.h"
#include "platform/platform.h"
#include "scratch_dir.h"
#include "source/language_table.h"

namespace {

const std::string kFallback = "--Non d\xE9" "fini--";

bool HaveFpc() { return std::system("fpc -iV >/dev/null 2>&1") == 0; }

// The texts of the test program as character codes (#72#105), so that the
// program does not depend on the quoting under test.
std::string CharCodes(const std::string& text) {
  if (text.empty()) return "''";
  std::string codes;
  for (unsigned char c : text) codes += "#" + std::to_string(c);
  return codes;
}

struct Lookup {
  std::string id;
  std::string expected;
};

struct Source {
  LanguageTable table;
  std::vector<Lookup> lookups;
};

void Add(Source& source, const std::string& key, const std::string& text) {
  ASSERT_EQ(AddEntry(source.table, key, text), AddEntryResult::Added) << key;
}

// Texts that test the literals, followed by filler up to the largest table.
Source FullSource() {
  Source s;
  std::string high, control, longest;
  for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
  // No NUL: fpc reads a NUL inside a literal as a blank. No LF, CR or
  // Ctrl-Z: no source line can hold them.
  for (int c = 0x01; c < 0x20; ++c)
    if (c != '\n' && c != '\r' && c != 0x1A) control += static_cast<char>(c);
  control += '\x7F';
  while (longest.size() < MaxTextLength) longest += "L'eau \xE9t\xE9 ";
  longest.resize(MaxTextLength);

  const std::vector<std::vector<std::string>> entries = {
      // key, text, the ID to look it up with
      {"HELLO", "Bonjour", "HELLO"},
      {"Q'T", "It's 'quoted' ''", "Q'T"},
      {"'", "'", "'"},
      {"EMPTY", "", "EMPTY"},
      {"TRAIL", "  both ends  ", "TRAIL"},
      {"A B", "inner blank", "A B"},
      {"LONGKEY1", "six bytes of the key", "LONGKE"},
      {"", "blank ID", ""},
      {"TAB", "a\tb\t", "TAB"},
      {"HIGH", high, "HIGH"},
      {"CTRL", control, "CTRL"},
      {"\xC9T\xC9", "\xE9t\xE9", "\xC9T\xC9"},
      {"{x}", "(* no comment *) { nor this } // nor this", "{x}"},
      {"LONG", std::string(300, 'x') + "'" + std::string(300, 'y'), "LONG"},
      {"MAX", longest, "MAX"},
      {"DUP", "first", "DUP"},
  };
  for (const auto& e : entries) {
    Add(s, e[0], e[1]);
    s.lookups.push_back({e[2], e[1]});
  }
  Add(s, "DUP", "second");
  Add(s, "HELLO", "again");
  for (int i = s.table.EntryCount; i < MaxEntries; ++i) {
    std::string key = std::to_string(i);
    key.insert(0, 5 - key.size(), '0').insert(0, "F");
    Add(s, key, "filler " + std::to_string(i));
    s.lookups.push_back({key, "filler " + std::to_string(i)});
  }
  for (const char* unknown : {"NOSUCH", "hello", "HELLO ", "LONGKEY1", " "})
    s.lookups.push_back({unknown, kFallback});
  return s;
}

Source EmptySource() {
  Source s;
  for (const char* unknown : {"HELLO", ""}) s.lookups.push_back({unknown, kFallback});
  return s;
}

std::string TestProgram(const std::string& used_unit,
                        const std::vector<Lookup>& lookups) {
  std::string program =
      "program lookups;\n"
      "uses " + used_unit + ";\n"
      "var results: file;\n"
      "procedure Put(const s: string);\n"
      "var n: longint; size: array[0..3] of byte;\n"
      "begin\n"
      "  n := Length(s);\n"
      "  size[0] := n and $FF; size[1] := (n shr 8) and $FF;\n"
      "  size[2] := (n shr 16) and $FF; size[3] := (n shr 24) and $FF;\n"
      "  BlockWrite(results, size, 4);\n"
      "  if n > 0 then BlockWrite(results, s[1], n);\n"
      "end;\n"
      "begin\n"
      "  Assign(results, 'results.bin');\n"
      "  Rewrite(results, 1);\n";
  for (const Lookup& lookup : lookups)
    program += "  Put(ZMLFInternalStr(" + CharCodes(lookup.id) + "));\n";
  program += "  Close(results);\nend.\n";
  return program;
}

// The texts the program wrote, each preceded by its length (32 bits, LE).
std::vector<std::string> Results(const std::string& bytes) {
  std::vector<std::string> texts;
  for (std::size_t at = 0; at + 4 <= bytes.size();) {
    std::size_t n = 0;
    for (int i = 3; i >= 0; --i)
      n = n << 8 | static_cast<unsigned char>(bytes[at + i]);
    at += 4;
    texts.push_back(bytes.substr(at, n));
    at += n;
  }
  return texts;
}

// Writes `source` as the internal unit or as an include file inside a host
// unit, compiles it with a test program, runs that and checks every lookup.
void CompileAndCheck(const Source& source, bool internal) {
  ScratchDir dir;
  std::string used_unit = "lib_language_internal";
  {
    platform::OutputFile output;
    ASSERT_TRUE(output.Create(dir / (internal ? "lib_language_internal.pas"
                                              : "texts.XY.inc")));
    testing::internal::CaptureStdout();
    WritePascalSource(output, "texts.ls", source.table, internal);
    testing::internal::GetCapturedStdout();
  }
  if (!internal) {
    used_unit = "host";
    WriteBytes(dir / "host.pas",
               "unit host;\n"
               "interface\n"
               "function ZMLFInternalStr(sch: string): string;\n"
               "implementation\n"
               "{$I texts.XY.inc}\n"
               "end.\n");
  }
  WriteBytes(dir / "lookups.pas", TestProgram(used_unit, source.lookups));

  const std::string cd = "cd '" + dir.path() + "' && ";
  ASSERT_EQ(std::system((cd + "fpc -Mdelphi lookups.pas >fpc.log 2>&1").c_str()), 0)
      << ReadBytes(dir / "fpc.log");
  ASSERT_EQ(std::system((cd + "./lookups").c_str()), 0);

  const std::vector<std::string> results = Results(ReadBytes(dir / "results.bin"));
  ASSERT_EQ(results.size(), source.lookups.size());
  for (std::size_t i = 0; i < results.size(); ++i)
    EXPECT_EQ(results[i], source.lookups[i].expected)
        << "ZMLFInternalStr('" << source.lookups[i].id << "')";
}

class FreePascal : public testing::Test {
 protected:
  void SetUp() override {
    if (!HaveFpc())
      GTEST_SKIP() << "fpc (Free Pascal, package fp-compiler) not found: the "
                      "generated Pascal is not compiled";
  }
};

TEST_F(FreePascal, InternalUnitReturnsEveryText) {
  CompileAndCheck(FullSource(), true);
}

TEST_F(FreePascal, IncludeFileReturnsEveryText) {
  CompileAndCheck(FullSource(), false);
}

TEST_F(FreePascal, EmptyTableCompilesAndFallsBack) {
  CompileAndCheck(EmptySource(), true);
  CompileAndCheck(EmptySource(), false);
}

}  // namespace
