#include "front/options.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadOptions, MatchesWholeFormsInAnyCase) {
  CompileOptions options;
  const std::vector<std::string> unknown =
      ReadOptions({"/NC", "/Il", "/nocrc", "/x", "-nc", "/no", "/nocrcs"}, &options);
  EXPECT_TRUE(options.NoCRC);
  EXPECT_TRUE(options.InternalCode);
  EXPECT_FALSE(options.NoIcon);
  EXPECT_FALSE(options.IncludeCode);
  EXPECT_EQ(unknown, (std::vector<std::string>{"/x", "-nc", "/no", "/nocrcs"}));
}

TEST(ReadOptions, EveryFormSetsItsFlag) {
  const struct {
    const char* form;
    bool CompileOptions::*flag;
  } cases[] = {
      {"/nocrc", &CompileOptions::NoCRC},
      {"/nc", &CompileOptions::NoCRC},
      {"/NOICON", &CompileOptions::NoIcon},
      {"/ni", &CompileOptions::NoIcon},
      {"/Internal", &CompileOptions::InternalCode},
      {"/il", &CompileOptions::InternalCode},
      {"/include", &CompileOptions::IncludeCode},
      {"/IN", &CompileOptions::IncludeCode},
  };
  for (const auto& c : cases) {
    CompileOptions options;
    EXPECT_TRUE(ReadOptions({c.form}, &options).empty()) << c.form;
    EXPECT_TRUE(options.*c.flag) << c.form;
  }
}

}  // namespace
