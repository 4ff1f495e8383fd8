#include "front/compile_run.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMillisecond = 1.0 / 86400000.0;

TEST(ElapsedSecondsText, WholeMillisecondsWithThreeDecimals) {
  const double start = 46000.25;  // any moment
  const struct {
    double ms;
    const char* separator;
    const char* text;
  } cases[] = {
      {1234, ".", "1.234"}, {5, ".", "0.005"},      {0.4, ".", "0.000"},
      {0, ".", "0.000"},    {1234, ",", "1,234"},   {61000, ".", "61.000"},
      {999, ".", "0.999"},  {3723456, ".", "3723.456"},
  };
  for (const auto& c : cases) {
    // Step a little past the exact count so that truncation keeps it whole.
    const double end = start + (c.ms + 0.01) * kMillisecond;
    EXPECT_EQ(ElapsedSecondsText(start, end, c.separator), c.text) << c.ms;
  }
}

TEST(ElapsedSecondsText, ClockSetBackStillCountsForward) {
  EXPECT_EQ(ElapsedSecondsText(46000.0 + 2000.5 * kMillisecond, 46000.0, "."),
            "2.000");
}

}  // namespace
