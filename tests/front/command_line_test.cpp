#include "front/command_line.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> expected;  // program name included
};

TEST(SplitCommandLine, FollowsTheRule) {
  const SplitCase cases[] = {
      {"zmlfc", {"zmlfc"}},
      {"zmlfc app.ls", {"zmlfc", "app.ls"}},
      {"zmlfc  \t app.ls\x01/nc ", {"zmlfc", "app.ls", "/nc"}},
      {"zmlfc ab\"cd ef\"gh", {"zmlfc", "abcd efgh"}},
      {"zmlfc \"\" app.ls", {"zmlfc", "app.ls"}},
      {"zmlfc \"\"\"\" \"\" app.ls", {"zmlfc", "app.ls"}},
      {"zmlfc \"my lang.ls\" /nc", {"zmlfc", "my lang.ls", "/nc"}},
      {"zmlfc \"open to the end", {"zmlfc", "open to the end"}},
      {"zmlfc a\\\"b c\"", {"zmlfc", "a\\b c"}},
      {"zmlfc a\"\"b", {"zmlfc", "ab"}},
      {"", {}},
      {"   ", {}},
      {"zmlfc a", {"zmlfc", "a"}},
      {"zmlfc a \"", {"zmlfc", "a"}},
      {"zmlfc a \"\"\"", {"zmlfc", "a"}},
      {"zmlfc \"\"\" b", {"zmlfc", " b"}},
  };
  for (const SplitCase& c : cases)
    EXPECT_EQ(SplitCommandLine(c.line, 1252), c.expected) << c.line;
}

TEST(SplitCommandLine, NulEndsTheLine) {
  EXPECT_EQ(SplitCommandLine(std::string_view("zmlfc a\0b c", 11), 1252),
            (std::vector<std::string>{"zmlfc", "a"}));
}

TEST(SplitCommandLine, TakesDoubleByteCharactersWhole) {
  // 0x81 0x22 is one character in code page 932: its second byte is no quote.
  const std::string line = "zmlfc \x81\x22x y";
  EXPECT_EQ(SplitCommandLine(line, 932),
            (std::vector<std::string>{"zmlfc", "\x81\x22x", "y"}));
  // In 1252 the same bytes open a quoted stretch.
  EXPECT_EQ(SplitCommandLine(line, 1252),
            (std::vector<std::string>{"zmlfc", "\x81x y"}));
  // A lead byte that ends the line stays a byte of its own.
  EXPECT_EQ(SplitCommandLine("zmlfc \x81", 932),
            (std::vector<std::string>{"zmlfc", "\x81"}));
}

}  // namespace
