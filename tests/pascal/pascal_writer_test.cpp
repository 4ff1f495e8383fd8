#include "pascal/pascal_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "scratch_dir.h"
#include "source/language_table.h"

namespace {

const std::string kFallbackLine = "    result := '--Non d\xE9" "fini--'";

struct Written {
  std::vector<std::string> lines;  // the file, split at its CR LFs
  std::string console;
};

struct Entry {
  std::string key;
  std::string text;
};

LanguageTable TableOf(const std::vector<Entry>& entries) {
  LanguageTable table;
  for (const Entry& e : entries)
    EXPECT_EQ(AddEntry(table, e.key, e.text), AddEntryResult::Added);
  return table;
}

Written Generate(const LanguageTable& table, bool internal,
                 const std::string& source_name = "app.ls") {
  ScratchDir dir;
  Written written;
  std::string bytes;
  {
    platform::OutputFile output;
    EXPECT_TRUE(output.Create(dir / "out.pas"));
    testing::internal::CaptureStdout();
    WritePascalSource(output, source_name, table, internal);
    written.console = testing::internal::GetCapturedStdout();
  }
  bytes = ReadBytes(dir / "out.pas");
  // Every line, the last one included, ends in CR LF; no other LF occurs.
  std::size_t start = 0;
  for (std::size_t lf; (lf = bytes.find('\n', start)) != std::string::npos;
       start = lf + 1) {
    EXPECT_TRUE(lf > start && bytes[lf - 1] == '\r') << "bare LF at " << lf;
    written.lines.push_back(bytes.substr(start, lf - 1 - start));
  }
  EXPECT_EQ(start, bytes.size()) << "text after the last line end";
  return written;
}

std::vector<std::string> CommentHeader(const std::string& source_name,
                                              char kind) {
  return {
      "// =============================================================================",
      "//    WARNING WARNING WARNING WARNING WARNING WARNING WARNING WARNING WARNING",
      "// =============================================================================",
      "//  This file was created automatically from:",
      "//  " + source_name,
      "//  With Zelmor Language Compiler v4.1.1 ",
      "//",
      "// DO NOT CHANGE THIS FILE MANUALLY, EDIT THE SOURCE FILE AND RECOMPILE IT WITH",
      std::string("// VARNOC <file> /I") + kind,
      "//",
      "// -----------------------------------------------------------------------------",
      "",
  };
}

std::vector<std::string> Concat(std::vector<std::string> a,
                                const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(WritePascalSource, InternalUnitLineByLine) {
  const Written w = Generate(TableOf({{"HELLO", "Bonjour"}}), true,
                             "..\\Lang/My Texts.LS");
  EXPECT_EQ(w.lines, Concat(CommentHeader("..\\Lang/My Texts.LS", 'L'),
                            {
                                "unit lib_language_internal;",
                                "",
                                "interface",
                                "",
                                "function ZMLFInternalStr(sch: string): string;",
                                "",
                                "implementation",
                                "",
                                "function ZMLFInternalStr(sch: string): string;",
                                "begin",
                                "",
                                "  if sch = 'HELLO' then",
                                "    result := 'Bonjour'",
                                "  else",
                                kFallbackLine,
                                "",
                                "end;",
                                "",
                                "end.",
                            }));
}

TEST(WritePascalSource, IncludeFileIsTheFunctionAlone) {
  const Written w = Generate(TableOf({{"HELLO", "Bonjour"}}), false, "app.ls");
  EXPECT_EQ(w.lines, Concat(CommentHeader("app.ls", 'N'),
                            {
                                "function ZMLFInternalStr(sch: string): string;",
                                "begin",
                                "",
                                "  if sch = 'HELLO' then",
                                "    result := 'Bonjour'",
                                "  else",
                                kFallbackLine,
                                "",
                                "end;",
                            }));
}

// IDs lose only what fills them up to six bytes; texts are taken whole.
TEST(WritePascalSource, BranchesInTableOrderWithQuotedIDsAndValues) {
  const struct {
    Entry entry;
    const char* id;
    const char* value;
  } cases[] = {
      {{"HELLO", "Bonjour"}, "'HELLO'", "'Bonjour'"},
      {{"Q'T", "L'eau"}, "'Q''T'", "'L''eau'"},
      {{"EMPTY", ""}, "'EMPTY'", "''"},
      {{"A B", "trail  "}, "'A B'", "'trail  '"},
      {{"x", "  lead"}, "'x'", "'  lead'"},
      {{"LONGKEY1", "cut"}, "'LONGKE'", "'cut'"},
      {{"", "no key"}, "''", "'no key'"},
      {{"AB\x05", "control"}, "'AB'", "'control'"},
      {{"A\tB", "a\tb"}, "'A\tB'", "'a\tb'"},
      {{"HIGH\xE9", "caf\xE9 \x80\x81\xFF"}, "'HIGH\xE9'", "'caf\xE9 \x80\x81\xFF'"},
      {{"HELLO", "again"}, "'HELLO'", "'again'"},
  };
  std::vector<Entry> entries;
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    entries.push_back(c.entry);
    expected.push_back((expected.empty() ? "  if sch = " : "  else if sch = ") +
                       std::string(c.id) + " then");
    expected.push_back("    result := " + std::string(c.value));
  }
  const Written w = Generate(TableOf(entries), false);
  ASSERT_GT(w.lines.size(), 15 + expected.size());
  const std::vector<std::string> body(w.lines.begin() + 15,
                                      w.lines.begin() + 15 + expected.size());
  EXPECT_EQ(body, expected);
  EXPECT_EQ(w.lines[15 + expected.size()], "  else");
}

// An "else" with no branch before it would not compile.
TEST(WritePascalSource, EmptyTableHasOnlyTheFallback) {
  for (bool internal : {true, false}) {
    const Written w = Generate(LanguageTable(), internal);
    std::vector<std::string> tail = {
        "function ZMLFInternalStr(sch: string): string;", "begin", "",
        kFallbackLine, "", "end;"};
    if (internal) tail.insert(tail.end(), {"", "end."});
    ASSERT_GE(w.lines.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(w.lines.end() - tail.size(), w.lines.end()),
              tail)
        << internal;
    EXPECT_EQ(w.console, "   Entries.......... OK [0 entries]\r\n");
  }
}

TEST(WritePascalSource, ConsoleCountsEntries) {
  const struct {
    std::vector<Entry> entries;
    const char* console;
  } cases[] = {
      {{{"A", "1"}}, "   Entries.......... OK [1 entries]\r\n"},
      {{{"A", "1"}, {"B", "2"}, {"A", "3"}},
       "   Entries.......... OK [3 entries]\r\n"},
  };
  for (const auto& c : cases)
    for (bool internal : {true, false})
      EXPECT_EQ(Generate(TableOf(c.entries), internal).console, c.console);
}

// A full disk ends the run with the failure report; the label stays open.
TEST(WritePascalSource, FailedWriteRaisesWriteError) {
  platform::OutputFile output;
  if (!output.Create("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  testing::internal::CaptureStdout();
  try {
    WritePascalSource(output, "app.ls", TableOf({{"A", "a"}}), true);
    ADD_FAILURE() << "no failure raised";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind, "EWriteError");
    EXPECT_STREQ(failure.what(), "Stream write error");
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "   Entries.......... ");
}

}  // namespace
