// The share of the data block that compression saved, in whole percent.
#ifndef ZMLFC_COMPILED_PERCENTAGE_H_
#define ZMLFC_COMPILED_PERCENTAGE_H_

#include <cstdint>

// (size - packed) / size x 100, rounded to the nearest integer with an exact
// half going to the even neighbour; negative when the stream is larger, and
// 0 for an empty block.
long SavedPercentage(std::int64_t size, std::int64_t packed);

#endif  // ZMLFC_COMPILED_PERCENTAGE_H_
