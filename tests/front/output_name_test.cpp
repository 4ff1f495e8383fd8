#include "front/output_name.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputName, DerivesPascalPaths) {
  const std::array<char, 2> xy = {'X', 'Y'};
  const struct {
    const char* outfile;
    const char* include_file;
    const char* internal_unit;
  } cases[] = {
      {"out\\app.lng", "out\\app.XY.inc", "out\\lib_language_internal.pas"},
      {"app.lng", "app.XY.inc", "lib_language_internal.pas"},
      {"app", "app.XY.inc", "lib_language_internal.pas"},
      {"app.en.lng", "app.en.XY.inc", "lib_language_internal.pas"},
      {"my.dir\\app", "my.dir\\app.XY.inc", "my.dir\\lib_language_internal.pas"},
      {"lang.d/app", "lang.d/app.XY.inc", "lang.d/lib_language_internal.pas"},
      {"lang/app.lng", "lang/app.XY.inc", "lang/lib_language_internal.pas"},
      {"C:app.lng", "C:app.XY.inc", "C:lib_language_internal.pas"},
      {"", ".XY.inc", "lib_language_internal.pas"},
      {"dir\\", "dir\\.XY.inc", "dir\\lib_language_internal.pas"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IncludeFilePath(c.outfile, xy, 1252), c.include_file) << c.outfile;
    EXPECT_EQ(InternalUnitPath(c.outfile, 1252), c.internal_unit) << c.outfile;
  }
}

TEST(OutputName, WithoutProgramIdTheExtensionIsInc) {
  const std::array<char, 2> none = {'\0', '\0'};
  EXPECT_EQ(IncludeFilePath("app.lng", none, 1252), "app.inc");
  EXPECT_EQ(IncludeFilePath("", none, 1252), ".inc");
}

TEST(OutputName, SecondByteOfADoubleByteCharacterIsNoSeparator) {
  const std::array<char, 2> xy = {'X', 'Y'};
  // In 932, 0x95 0x5C is one character whose second byte equals "\".
  const std::string outfile = "\x95\x5C" "app";
  EXPECT_EQ(InternalUnitPath(outfile, 932), "lib_language_internal.pas");
  EXPECT_EQ(InternalUnitPath(outfile, 1252), "\x95\\lib_language_internal.pas");
  EXPECT_EQ(IncludeFilePath("a.\x95.", xy, 932), "a.XY.inc");
  EXPECT_EQ(IncludeFilePath("a.\x95.", xy, 1252), "a.\x95.XY.inc");
}

}  // namespace
