#include "source/reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "stdout_capture.h"

namespace {

struct Reading {
  bool accepted = false;
  std::string out;  // what the reader printed
  LanguageTable table;
};

// Reads `source` from a file, as the compile run does.
Reading Read(const std::string& source) {
  const std::filesystem::path path =
      std::filesystem::path(testing::TempDir()) / "reader_test.ls";
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << source;
  }
  Reading reading;
  {
    platform::InputFile input(path.string());
    StdoutCapture capture;
    try {
      reading.accepted = ReadLanguageSource(input, reading.table);
    } catch (...) {
      reading.out = capture.Text();
      std::filesystem::remove(path);
      throw;
    }
    reading.out = capture.Text();
  }
  std::filesystem::remove(path);
  return reading;
}

std::string IDText(const LanguageEntry& entry) {
  return std::string(entry.ID.begin(), entry.ID.end());
}

std::string ErrorReport(int line, const std::string& info, const char* state) {
  return "Error line " + std::to_string(line) + "\r\n    Info: " + info +
         "\r\n   State: " + state + "\r\n";
}

constexpr char kOutside[] = "IsLSF=False IsHeader=False IsBody=False";
constexpr char kInside[] = "IsLSF=True IsHeader=False IsBody=False";
constexpr char kHeader[] = "IsLSF=True IsHeader=True IsBody=False";
constexpr char kBody[] = "IsLSF=True IsHeader=False IsBody=True";

TEST(ReadLanguageSource, WorkedExample) {
  const Reading ok = Read(
      "# demo\r\n{LSF}\r\n{HEADER}\r\nNAME = Demo\r\n{/HEADER}\r\n\r\n"
      "{BODY}\r\nHello = Hello world\r\n");
  EXPECT_TRUE(ok.accepted);
  EXPECT_EQ(ok.out, "OK [8 lines - 6 used]\r\n");
  EXPECT_EQ(ok.table.ExtendedHeader.Name, u"Demo");
  ASSERT_EQ(ok.table.EntryCount, 1);
  EXPECT_EQ(IDText(ok.table.Entries[0]), "Hello ");
  EXPECT_EQ(ok.table.Entries[0].Value, u"Hello world");

  const Reading bad = Read(
      "# demo\r\n{LSF}\r\n{HEADER}\r\nNAMES = Demo\r\n{/HEADER}\r\n\r\n"
      "{BODY}\r\nHello = Hello world\r\n");
  EXPECT_FALSE(bad.accepted);
  EXPECT_EQ(bad.out,
            "Error line 4\r\n"
            "    Info: Unknown header keyword [NAMES]\r\n"
            "   State: IsLSF=True IsHeader=True IsBody=False\r\n");
  EXPECT_EQ(bad.table.EntryCount, 0);
}

// Whole sources and what the reader prints for them.
TEST(ReadLanguageSource, Outcomes) {
  const std::string kUnknownTag = "Unknown tag or forbidden here - ";
  const std::string kNotLSF = "Not a LSF file";
  const struct {
    const char* name;
    std::string source;
    std::string out;
  } cases[] = {
      {"empty source", "", "OK [0 lines - 0 used]\r\n"},
      {"comments and blank lines only", "# a\n\n \t\n  # b\n",
       "OK [4 lines - 0 used]\r\n"},
      {"only separators", "\r\n\r\n\n\r\r\n", "OK [4 lines - 0 used]\r\n"},
      {"open blocks at the end", "{LSF}\n{BODY}\nA = a",
       "OK [3 lines - 3 used]\r\n"},
      {"tag in any case with blanks around", "  {lsf}  \n\t{Header}\t\n",
       "OK [2 lines - 2 used]\r\n"},
      {"tag with a word after it", "{LSF} x\n",
       ErrorReport(1, kUnknownTag + "{LSF} X", kOutside)},
      {"tag with inner blanks", "{ lsf }\n",
       ErrorReport(1, kUnknownTag + "{ LSF }", kOutside)},
      {"body inside header", "{LSF}\n{HEADER}\n{body}  \n",
       ErrorReport(3, kUnknownTag + "{BODY}", kHeader)},
      {"header inside body", "{LSF}\n{BODY}\n{HEADER}\n",
       ErrorReport(3, kUnknownTag + "{HEADER}", kBody)},
      {"close LSF inside body", "{LSF}\n{BODY}\n{/LSF}\n",
       ErrorReport(3, kUnknownTag + "{/LSF}", kBody)},
      {"close header outside", "{/HEADER}\n",
       ErrorReport(1, kUnknownTag + "{/HEADER}", kOutside)},
      {"repeated tags change nothing",
       "{LSF}\n{HEADER}\n{HEADER}\n{LSF}\n{/HEADER}\n{LSF}\n{BODY}\n{BODY}\n"
       "{LSF}\n{/BODY}\n{/LSF}\n{LSF}\n{/LSF}\n",
       "OK [13 lines - 13 used]\r\n"},
      {"unknown tag, high bytes kept", "{\xE9t\xE9}\n",
       ErrorReport(1, kUnknownTag + "{\xE9T\xE9}", kOutside)},
      {"instruction before LSF", "# c\n\nA = b\n", ErrorReport(3, kNotLSF, kOutside)},
      {"instruction after LSF", "{LSF}\n{/LSF}\nA = b\n",
       ErrorReport(3, kNotLSF, kOutside)},
      {"byte order mark", "\xEF\xBB\xBF{LSF}\n", ErrorReport(1, kNotLSF, kOutside)},
      {"instruction outside blocks", "{LSF}\nA = b\n",
       ErrorReport(2, "Instruction not in header or body", kInside)},
      {"no equal sign", "{LSF}\n{BODY}\nAB\n",
       ErrorReport(3, "Equal (=) symbol not found but needed", kBody)},
      {"error line counts comments and empty lines",
       "# one\n# two\n{LSF}\n\n{LSF} {BODY}\n",
       ErrorReport(5, kUnknownTag + "{LSF} {BODY}", kInside)},
      {"first error ends the reading", "{LSF}\nX\nY = 1\n{/BODY}\n",
       ErrorReport(2, "Instruction not in header or body", kInside)},
      {"tag-like key in a body", "{LSF}\n{BODY}\n{x} = y\n",
       ErrorReport(3, kUnknownTag + "{X} = Y", kBody)},
      {"comment-like key in a body", "{LSF}\n{BODY}\n#x = y\n",
       "OK [3 lines - 2 used]\r\n"},
      {"keyword with a blank", "{LSF}\n{HEADER}\nPROGRAM ID = AB\n",
       ErrorReport(3, "Unknown header keyword [PROGRAM ID]", kHeader)},
      {"keyword shown folded", "{LSF}\n{HEADER}\nnames = x\n",
       ErrorReport(3, "Unknown header keyword [NAMES]", kHeader)},
      {"empty keyword", "{LSF}\n{HEADER}\n= x\n",
       ErrorReport(3, "Unknown header keyword []", kHeader)},
      {"Ctrl-Z at a line start", "{LSF}\n\x1A{x}\nbad\n",
       "OK [1 lines - 1 used]\r\n"},
      {"Ctrl-Z inside a line", "{LSF}\n{BODY}\nA = a\x1A\nbad\n",
       "OK [3 lines - 3 used]\r\n"},
      {"NUL bytes are blanks", std::string("\0{LSF}\0\n\0\0\n", 11),
       "OK [2 lines - 1 used]\r\n"},
  };
  for (const auto& c : cases) {
    const Reading reading = Read(c.source);
    EXPECT_EQ(reading.out, c.out) << c.name;
    EXPECT_EQ(reading.accepted, c.out.rfind("OK [", 0) == 0) << c.name;
  }
}

TEST(ReadLanguageSource, LineEndingsReadTheSame) {
  const std::string lines[] = {"{LSF}", "{BODY}", "A = x", "B = y"};
  for (const char* end : {"\n", "\r\n"}) {
    std::string source;
    for (const std::string& line : lines) source += line + end;
    for (const std::string& variant :
         {source, source.substr(0, source.size() - std::string(end).size())}) {
      const Reading reading = Read(variant);
      EXPECT_EQ(reading.out, "OK [4 lines - 4 used]\r\n");
      ASSERT_EQ(reading.table.EntryCount, 2);
      EXPECT_EQ(reading.table.Entries[1].Value, u"y");
    }
  }
  const Reading cr = Read("{LSF}\n{BO\rDY}\r\nA = x\rz\r\n");
  EXPECT_EQ(cr.out, "OK [3 lines - 3 used]\r\n");
  ASSERT_EQ(cr.table.EntryCount, 1);
  EXPECT_EQ(cr.table.Entries[0].Value, u"xz");
}

TEST(ReadLanguageSource, BodyKeysAndTexts) {
  const struct {
    const char* line;
    const char* id;
    std::u16string value;
  } cases[] = {
      {"A = b = c", "A     ", u"b = c"},
      {"= x", "      ", u"x"},
      {"A =", "A     ", u""},
      {"A = b  ", "A     ", u"b  "},
      {"A = text # note", "A     ", u"text # note"},
      {"  Btn OK\t=\tOK", "Btn OK", u"OK"},
      {"lower=x", "lower ", u"x"},
      {"ABCDEFGH = long key", "ABCDEF", u"long key"},
      {"A = {x}", "A     ", u"{x}"},
      {"E = \x80", "E     ", u"\u20AC"},
  };
  for (const auto& c : cases) {
    const Reading reading = Read(std::string("{LSF}\n{BODY}\n") + c.line + "\n");
    EXPECT_EQ(reading.out, "OK [3 lines - 3 used]\r\n") << c.line;
    ASSERT_EQ(reading.table.EntryCount, 1) << c.line;
    EXPECT_EQ(IDText(reading.table.Entries[0]), c.id) << c.line;
    EXPECT_EQ(reading.table.Entries[0].Value, c.value) << c.line;
    EXPECT_EQ(reading.table.Entries[0].Length, c.value.size()) << c.line;
  }
}

TEST(ReadLanguageSource, HeaderKeywords) {
  const Reading reading = Read(
      "{LSF}\n{HEADER}\nname = Old\nNAME = Demo  \nAuthor = A\xE9\n"
      "URL = http://x/?a=b\nEMAIL = e@x\nFONTNAME = Tahoma\n"
      "ICONFILE = ic\xE9.ico\nOUTFILE = out\\app.lng\nPROGRAMID = AB\n"
      "PROGRAMVER = 7\nCOMPRESSION = 99\n{/HEADER}\n{BODY}\nK = v\n{/BODY}\n"
      "{HEADER}\nPROGRAMVER = 8\n");
  EXPECT_EQ(reading.out, "OK [19 lines - 19 used]\r\n");
  const LanguageTable& t = reading.table;
  EXPECT_EQ(t.ExtendedHeader.Name, u"Demo  ");
  EXPECT_EQ(t.ExtendedHeader.Author, u"A\u00E9");
  EXPECT_EQ(t.ExtendedHeader.URL, u"http://x/?a=b");
  EXPECT_EQ(t.ExtendedHeader.Email, u"e@x");
  EXPECT_EQ(t.ExtendedHeader.FontName, u"Tahoma");
  EXPECT_EQ(t.IconFile, "ic\xE9.ico");
  EXPECT_EQ(t.OutFile, "out\\app.lng");
  EXPECT_EQ(t.ProgramID[0], 'A');
  EXPECT_EQ(t.ProgramID[1], 'B');
  EXPECT_EQ(t.ProgramVer, 8);
  EXPECT_EQ(t.Compression, 99);
  EXPECT_EQ(t.EntryCount, 1);

  const Reading defaults = Read("{LSF}\n{HEADER}\n{/HEADER}\n");
  EXPECT_EQ(defaults.table.ProgramID[0], '\0');
  EXPECT_EQ(defaults.table.ProgramID[1], '\0');
  EXPECT_EQ(defaults.table.ProgramVer, 0);
  EXPECT_EQ(defaults.table.Compression, 0);
  EXPECT_TRUE(defaults.table.OutFile.empty());
}

TEST(ReadLanguageSource, ProgramIDIsExactlyTwoBytes) {
  const struct {
    const char* line;
    bool accepted;
  } cases[] = {
      {"PROGRAMID = AB", true},   {"PROGRAMID = \xE9\xE9", true},
      {"PROGRAMID = ABC", false}, {"PROGRAMID = A", false},
      {"PROGRAMID = AB ", false}, {"PROGRAMID =", false},
  };
  for (const auto& c : cases) {
    const Reading reading =
        Read(std::string("{LSF}\n{HEADER}\n") + c.line + "\n");
    EXPECT_EQ(reading.out,
              c.accepted ? "OK [3 lines - 3 used]\r\n"
                         : ErrorReport(3, "ProgramID must be 2 chars wide", kHeader))
        << c.line;
  }
}

TEST(ReadLanguageSource, IntegerSettingsKeepTheLowEightBits) {
  const struct {
    const char* text;
    int stored;
  } cases[] = {
      {"$1F", 31}, {"0x1F", 31}, {"31", 31},   {"300", 44},
      {"-1", 255}, {"255", 255}, {"256", 0},   {"$FFFFFFFF", 255},
  };
  for (const auto& c : cases) {
    const Reading reading =
        Read(std::string("{LSF}\n{HEADER}\nPROGRAMVER = ") + c.text + "\n");
    EXPECT_EQ(reading.out, "OK [3 lines - 3 used]\r\n") << c.text;
    EXPECT_EQ(reading.table.ProgramVer, c.stored) << c.text;
  }
}

TEST(ReadLanguageSource, CompressionValues) {
  const struct {
    const char* text;
    bool accepted;
    int stored;
  } cases[] = {
      {"0", true, 0},    {"99", true, 99},  {"256", true, 0},
      {"355", true, 99}, {"$63", true, 99}, {"9", false, 9},
      {"1", false, 1},   {"-1", false, 255},
  };
  for (const auto& c : cases) {
    const Reading reading =
        Read(std::string("{LSF}\n{HEADER}\nCOMPRESSION = ") + c.text + "\n");
    EXPECT_EQ(reading.accepted, c.accepted) << c.text;
    EXPECT_EQ(reading.table.Compression, c.stored) << c.text;
    if (c.accepted) continue;
    EXPECT_EQ(reading.out, "Unknown compression type [" +
                               std::to_string(c.stored) +
                               "]. Valid values are:\r\n"
                               "    0 : No compression (Default and Fastest)\r\n"
                               "   99 : ZLib compression [level 9]\r\n")
        << c.text;
  }
  // A bad line wins over the compression notice.
  EXPECT_EQ(Read("{LSF}\n{HEADER}\nCOMPRESSION = 9\nX = 1\n").out,
            ErrorReport(4, "Unknown header keyword [X]", kHeader));
}

TEST(ReadLanguageSource, TextThatIsNoIntegerEndsTheRun) {
  for (const char* text : {"7 ", "1e3", ""}) {
    for (const char* keyword : {"PROGRAMVER", "Compression"}) {
      const std::string source = std::string("{LSF}\n{HEADER}\n") + keyword +
                                 " = " + text + "\nX = 1\n";
      try {
        Read(source);
        ADD_FAILURE() << "no failure for '" << text << "'";
      } catch (const Failure& failure) {
        EXPECT_EQ(failure.kind, "EConvertError");
        EXPECT_EQ(failure.what(),
                  "'" + std::string(text) + "' is not a valid integer value");
      }
    }
  }
}

TEST(ReadLanguageSource, RefusesWhatTheCompiledFileCannotHold) {
  std::string body = "{LSF}\n{BODY}\n";
  for (int i = 0; i < 2000; ++i) body += "K = v\n";
  const Reading full = Read(body);
  EXPECT_EQ(full.out, "OK [2002 lines - 2002 used]\r\n");
  EXPECT_EQ(full.table.EntryCount, 2000);
  const Reading over = Read(body + "# c\nK = v\n");
  EXPECT_EQ(over.out, ErrorReport(2004, "Too many entries (max 2000)", kBody));
  EXPECT_EQ(over.table.EntryCount, 2000);

  const std::string longest(65535, 'x');
  const Reading longest_text = Read("{LSF}\n{BODY}\nL = " + longest + "\n");
  EXPECT_TRUE(longest_text.accepted);
  EXPECT_EQ(longest_text.table.Entries[0].Length, 65535);
  for (std::size_t size : {std::size_t{65536}, std::size_t{1} << 20}) {
    const Reading too_long =
        Read("{LSF}\n{BODY}\nA = a\nL = " + std::string(size, 'x') + "\n");
    EXPECT_EQ(too_long.out,
              ErrorReport(4, "Text too long (max 65535 chars)", kBody));
    EXPECT_EQ(too_long.table.EntryCount, 1);
  }

  for (const char* keyword : {"NAME", "author", "URL", "EMAIL", "FONTNAME"}) {
    const std::string head = std::string("{LSF}\n{HEADER}\n") + keyword + " = ";
    EXPECT_TRUE(Read(head + std::string(255, 'x') + "\n").accepted) << keyword;
    for (std::size_t size : {std::size_t{256}, std::size_t{100000}})
      EXPECT_EQ(Read(head + std::string(size, 'x') + "\n").out,
                ErrorReport(3, "Text too long for the header (max 255 chars)",
                            kHeader))
          << keyword << " " << size;
  }
  // Blanks after the text count: they are kept.
  EXPECT_FALSE(Read("{LSF}\n{HEADER}\nNAME = " + std::string(254, 'x') + "  \n")
                   .accepted);
}

TEST(BoolText, Words) {
  EXPECT_STREQ(BoolText(true), "True");
  EXPECT_STREQ(BoolText(false), "False");
}

}  // namespace
