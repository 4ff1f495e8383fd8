#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(Conversion, Page1252RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = platform::ToUtf16(1252, all);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(text[0x41], u'A');
  EXPECT_EQ(text[0x80], u'\u20AC');  // euro sign
  EXPECT_EQ(text[0xE9], u'\u00E9');
  // Bytes the page leaves undefined stand for U+00xx, both ways.
  for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    EXPECT_EQ(text[b], static_cast<char16_t>(b)) << b;
  EXPECT_EQ(platform::FromUtf16(1252, text), all);
}

TEST(Conversion, UnmappedCharacterBecomesQuestionMark) {
  EXPECT_EQ(platform::FromUtf16(1252, u"a\u4E2Db"), "a?b");
  EXPECT_EQ(platform::FromUtf16(1251, u"\u0416"), "\xC6");  // Cyrillic Zhe
}

TEST(Conversion, DoubleBytePage932) {
  // "日本" is two double-byte characters: four bytes, two units.
  const std::string bytes = "\x93\xFA\x96\x7B";
  const std::u16string text = platform::ToUtf16(932, bytes);
  EXPECT_EQ(text, u"\u65E5\u672C");
  EXPECT_EQ(platform::FromUtf16(932, text), bytes);
  // A trail byte that is "\" (0x5C) stays inside its character.
  EXPECT_EQ(platform::ToUtf16(932, "\x95\x5C").size(), 1u);
  EXPECT_TRUE(platform::IsLeadByte(932, 0x95));
  EXPECT_FALSE(platform::IsLeadByte(1252, 0x95));
}

TEST(Conversion, UndefinedSequencesOf932ReadAsOnWindows) {
  // A lead byte with a trail the page does not pair with it, single bytes
  // the page leaves undefined, and a lead byte that ends the text.
  const std::u16string text = platform::ToUtf16(932, "a\x85\x40" "b\x80\xA0\xFD\xFF\x81");
  EXPECT_EQ(text, u"a\u30FBb\u0080\uF8F0\uF8F1\uF8F3\u30FB");
  // The single bytes convert back to themselves; U+30FB is a real character.
  EXPECT_EQ(platform::FromUtf16(932, u"\u0080\uF8F0\uF8F2\u30FB"), "\x80\xA0\xFE\x81\x45");
}

TEST(Conversion, Utf8) {
  const std::u16string text = platform::ToUtf16(65001, "A\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(text, u"A\u00E9\U0001F600");  // the emoji is a surrogate pair
  EXPECT_EQ(text.size(), 4u);
  EXPECT_EQ(platform::FromUtf16(65001, text), "A\xC3\xA9\xF0\x9F\x98\x80");
  // An invalid byte becomes U+FFFD and the rest still converts.
  EXPECT_EQ(platform::ToUtf16(65001, "a\xFF" "b"), u"a\uFFFDb");
}

TEST(Conversion, EmptyText) {
  for (int codepage : {1252, 932, 65001}) {
    EXPECT_TRUE(platform::ToUtf16(codepage, "").empty());
    EXPECT_TRUE(platform::FromUtf16(codepage, u"").empty());
  }
}

}  // namespace
