// What a decompiled source carries, and what it cannot: the LSF reader
// trims, splits and ends lines, so some IDs and texts do not survive it.
// That zmlfc compiles the carried ones back byte for byte is tested end to
// end.
#include "dump/decompile.h"

#include <gtest/gtest.h>

#include "compiled/crc32.h"
#include "compiled_file_builder.h"

namespace {

class Decompile : public testing::Test {
 protected:
  void SetUp() override { BuildCRC32Table(); }

  DecompiledSource Run(FileBuilder builder, const std::string& icon_file = "") {
    bytes_ = builder.Build();
    file_ = VerifyCompiledFile(bytes_);
    EXPECT_EQ(file_.problem, "");
    return DecompileToLSF(file_, "app.lng", icon_file);
  }

 private:
  std::string bytes_;
  VerifiedFile file_;
};

TEST_F(Decompile, WritesTheSettingsAndAKeyThatGivesBackEachID) {
  FileBuilder b;
  b.header.ProgramID = {'A', ' '};  // a trailing blank survives
  b.header.ProgramVer = 7;
  b.strings.Name = u"Caf\u00E9 ";
  b.strings.FontName = u"Tahoma";
  b.icon = "ICON";
  b.entries = {
      {"HELLO", u"Hi = there # not a comment"},
      {"", u"empty ID"},
      {"ABCDEF", u""},
      {"Btn OK", u"a\tb  "},
      {"AB\t", u"tab kept by a seventh character"},
      {std::string("AB\0", 3), u"NUL too"},
  };
  const DecompiledSource source = Run(b, "app.ico");
  EXPECT_EQ(source.problems, std::vector<std::string>());
  EXPECT_FALSE(source.no_crc);
  EXPECT_EQ(source.text,
            "# Decompiled by zmlfdump.\r\n"
            "{LSF}\r\n"
            "{HEADER}\r\n"
            "PROGRAMID = A \r\n"
            "PROGRAMVER = 7\r\n"
            "COMPRESSION = 0\r\n"
            "NAME = Caf\xE9 \r\n"
            "FONTNAME = Tahoma\r\n"
            "ICONFILE = app.ico\r\n"
            "OUTFILE = app.lng\r\n"
            "{/HEADER}\r\n"
            "{BODY}\r\n"
            "HELLO = Hi = there # not a comment\r\n"
            " = empty ID\r\n"
            "ABCDEF =\r\n"
            "Btn OK = a\tb  \r\n"
            "AB\t   ~ = tab kept by a seventh character\r\n" +
                std::string("AB\0   ~ = NUL too\r\n", 19) +
                "{/BODY}\r\n"
                "{/LSF}\r\n");
}

TEST_F(Decompile, ListsEveryEntryTheSourceCannotCarry) {
  FileBuilder b;
  b.entries = {
      {"OK", u"fine"},
      {"LEAD", u" leading blank"},
      {"TAB", u"\tleading tab"},
      {"CRLF", u"two\r\nlines"},
      {"CR", u"a\rb"},
      {"EOF", u"a\x1A"},
      {"CJK", u"\u4E00"},  // not in code page 1252
      {"A=B", u"x"},
      {"#A", u"x"},
      {"{A", u"x"},
      {" A", u"x"},
      {"A\nB", u"x"},
      {"=", u" both"},
  };
  const DecompiledSource source = Run(b);
  EXPECT_EQ(source.problems,
            (std::vector<std::string>{
                "Entry 2, ID \"LEAD\": the text begins with a blank",
                "Entry 3, ID \"TAB\": the text begins with a blank",
                "Entry 4, ID \"CRLF\": the text holds CR or LF",
                "Entry 5, ID \"CR\": the text holds CR or LF",
                "Entry 6, ID \"EOF\": the text holds Ctrl-Z",
                "Entry 7, ID \"CJK\": the text holds characters that code page "
                "1252 cannot represent",
                "Entry 8, ID \"A=B\": the ID holds \"=\"",
                "Entry 9, ID \"#A\": the ID begins with \"#\"",
                "Entry 10, ID \"{A\": the ID begins with \"{\"",
                "Entry 11, ID \" A\": the ID begins with a blank",
                "Entry 12, ID \"A<0A>B\": the ID holds CR or LF",
                "Entry 13, ID \"=\": the ID holds \"=\"; the text begins with a blank",
            }));
}

TEST_F(Decompile, ListsWhatTheHeaderCannotCarry) {
  FileBuilder b;
  b.header.ProgramID = {'\t', 'A'};
  b.strings.Author = u" Jo";
  b.strings.URL = u"a\nb";
  b.icon = "ICON";
  b.zlib_level = 1;  // the compiler compresses at level 9
  b.entries.assign(2001, BuiltEntry{"X", u"x"});
  const DecompiledSource source = Run(b);
  EXPECT_EQ(source.problems,
            (std::vector<std::string>{
                "2001 entries: a source holds at most 2000",
                "Icon: 4 bytes not extracted (--icon names a file for them)",
                "Data: the zlib stream is not the one zmlfc writes for these texts",
                "PROGRAMID: the text begins with a blank",
                "AUTHOR: the text begins with a blank",
                "URL: the text holds CR or LF",
            }));
}

TEST_F(Decompile, TellsWhetherTheFileHasChecksums) {
  FileBuilder b;
  b.entries = {{"A", u"a"}};
  b.zlib_level = 9;
  b.crc = false;
  DecompiledSource source = Run(b);
  EXPECT_TRUE(source.no_crc);
  EXPECT_EQ(source.problems, std::vector<std::string>());
  EXPECT_NE(source.text.find("/nocrc"), std::string::npos);

  // The checksums of an empty index and data block are 0 either way.
  FileBuilder empty;
  source = Run(empty);
  EXPECT_FALSE(source.no_crc);
  EXPECT_EQ(source.problems, std::vector<std::string>());

  b.crc = true;
  std::string bytes = b.Build();
  PutFixed32At(&bytes, 33, 0);  // DataCRC not computed, the others are
  const VerifiedFile mixed = VerifyCompiledFile(bytes);
  ASSERT_EQ(mixed.problem, "");
  EXPECT_EQ(DecompileToLSF(mixed, "app.lng", "").problems,
            std::vector<std::string>{
                "Checksums: some blocks have one and some not; a compile writes "
                "all or none"});
}

}  // namespace
