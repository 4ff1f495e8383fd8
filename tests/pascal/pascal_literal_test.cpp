#include "pascal/pascal_literal.h"

#include <gtest/gtest.h>

namespace {

TEST(PascalLiteral, DoublesQuotesAndCopiesEverythingElse) {
  using namespace std::string_literals;
  const struct {
    std::string text;
    std::string literal;
  } cases[] = {
      {"", "''"},
      {"Bonjour", "'Bonjour'"},
      {"L'eau", "'L''eau'"},
      {"'", "''''"},
      {"''", "''''''"},
      {"'a'", "'''a'''"},
      {"  blanks  ", "'  blanks  '"},
      {"a\tb\x01\x7f", "'a\tb\x01\x7f'"},
      {"caf\xE9 \x80\xFF", "'caf\xE9 \x80\xFF'"},
      {"x\0y"s, "'x\0y'"s},
      {"{not a comment} // nor this", "'{not a comment} // nor this'"},
  };
  for (const auto& c : cases) EXPECT_EQ(PascalLiteral(c.text), c.literal) << c.text;
}

}  // namespace
