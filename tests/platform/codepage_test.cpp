#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageOfLocale, FollowsTheLanguage) {
  const struct {
    const char* locale;
    int codepage;
  } cases[] = {
      {"C", 1252},           {"POSIX", 1252},       {"en_US.UTF-8", 1252},
      {"fr_FR", 1252},       {"de_DE@euro", 1252},  {"ja_JP.UTF-8", 932},
      {"zh_CN.GB2312", 936}, {"zh_SG", 936},        {"zh_TW.Big5", 950},
      {"zh_HK.UTF-8", 950},  {"ko_KR.EUC-KR", 949}, {"th_TH", 874},
      {"ru_RU.KOI8-R", 1251}, {"uk_UA", 1251},      {"sr_RS@latin", 1251},
      {"pl_PL", 1250},       {"cs_CZ.UTF-8", 1250}, {"el_GR", 1253},
      {"tr_TR", 1254},       {"he_IL", 1255},       {"ar_EG", 1256},
      {"fa_IR", 1256},       {"lt_LT", 1257},       {"vi_VN", 1258},
      {"", 1252},            {"xx", 1252},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform::CodePageOfLocale(c.locale), c.codepage) << c.locale;
}

TEST(ParseCodePageSetting, AcceptsKnownPagesOnly) {
  int codepage = 0;
  for (const char* good : {"1252", "1251", "932", "65001", "874", "01250"}) {
    EXPECT_TRUE(platform::ParseCodePageSetting(good, &codepage)) << good;
  }
  EXPECT_EQ(codepage, 1250);
  for (const char* bad : {"", "437", "1259", "12 52", "-1252", "cp1252",
                          "9999999999999", "1252 "}) {
    codepage = 7;
    EXPECT_FALSE(platform::ParseCodePageSetting(bad, &codepage)) << bad;
    EXPECT_EQ(codepage, 7);
  }
}

TEST(IsLeadByteOfPage, MatchesTheDoubleBytePages) {
  EXPECT_TRUE(platform::IsLeadByteOfPage(932, 0x81));
  EXPECT_TRUE(platform::IsLeadByteOfPage(932, 0x9F));
  EXPECT_FALSE(platform::IsLeadByteOfPage(932, 0xA0));  // half-width kana
  EXPECT_TRUE(platform::IsLeadByteOfPage(932, 0xE0));
  EXPECT_FALSE(platform::IsLeadByteOfPage(932, 0xFD));
  EXPECT_TRUE(platform::IsLeadByteOfPage(936, 0xFE));
  EXPECT_FALSE(platform::IsLeadByteOfPage(949, 0x80));
  EXPECT_FALSE(platform::IsLeadByteOfPage(1252, 0x81));
  EXPECT_FALSE(platform::IsLeadByteOfPage(65001, 0xE3));
}

}  // namespace
