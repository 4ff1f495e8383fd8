#include "compiled/percentage.h"

#include <gtest/gtest.h>

namespace {

TEST(SavedPercentage, RoundsHalfToEven) {
  const struct {
    std::int64_t size, packed;
    long percent;
  } cases[] = {
      {5210, 2105, 60}, {1000, 875, 12}, {1000, 625, 38}, {40, 46, -15},
      {1000, 1000, 0},  {200, 1, 100},   {0, 8, 0},       {1000, 1005, 0},
      {1000, 1015, -2},  // -1.5 goes to the even -2
  };
  for (const auto& c : cases)
    EXPECT_EQ(SavedPercentage(c.size, c.packed), c.percent) << c.size << "/" << c.packed;
}

}  // namespace
