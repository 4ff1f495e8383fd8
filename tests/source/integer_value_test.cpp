#include "source/integer_value.h"

#include <gtest/gtest.h>

#include "platform/failure.h"

namespace {

TEST(ParseInteger, AcceptedForms) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"31", 31},          {"$1F", 31},        {"0x1F", 31},
      {"0X1f", 31},        {"x1F", 31},        {"X1F", 31},
      {"+7", 7},           {"-1", -1},         {"012", 12},
      {"0", 0},            {"-0", 0},          {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},              {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},                {"-$1F", -31},
      {"-0x1", -1},        {"$0000000000FF", 255},
      {"00000000000000000000042", 42},
  };
  for (const auto& c : cases) {
    std::int32_t value = 12345;
    EXPECT_TRUE(ParseInteger(c.text, &value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(ParseInteger, RefusedForms) {
  for (const char* text :
       {"", " 7", "7 ", "1e3", "+", "-", "$", "0x", "x", "--1", "+-1", "1.0",
        "$G", "0x1G", "2147483648", "-2147483649", "$100000000",
        "99999999999999999999", "0b1", "7\t", "٣"}) {
    std::int32_t value = 12345;
    EXPECT_FALSE(ParseInteger(text, &value)) << text;
    EXPECT_EQ(value, 12345) << text;
  }
  std::int32_t value = 0;
  EXPECT_FALSE(ParseInteger(std::string_view("1\0", 2), &value));
}

TEST(IntegerValue, RaisesConvertErrorWithTheTextAsWritten) {
  for (const char* text : {"7 ", "1e3", ""}) {
    try {
      IntegerValue(text);
      ADD_FAILURE() << "no failure for '" << text << "'";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.kind, "EConvertError");
      EXPECT_EQ(failure.what(),
                "'" + std::string(text) + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(IntegerValue("$1F"), 31);
}

}  // namespace
