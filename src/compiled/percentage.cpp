#include "compiled/percentage.h"

#include <cmath>

long SavedPercentage(std::int64_t size, std::int64_t packed) {
  if (size == 0) return 0;
  const double p = static_cast<double>(size - packed) / static_cast<double>(size) * 100.0;
  // Round half to even, whatever rounding mode the process is in.
  const double floor = std::floor(p);
  const double fraction = p - floor;
  double rounded = fraction > 0.5 ? floor + 1 : floor;
  if (fraction == 0.5) rounded = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
  return static_cast<long>(rounded);
}
