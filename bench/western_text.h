// Mixed Western text in code page 1252 for the benchmarks: the same seed
// gives the same text on every machine.
#ifndef ZMLFC_BENCH_WESTERN_TEXT_H_
#define ZMLFC_BENCH_WESTERN_TEXT_H_

#include <cstdint>
#include <string>

// xorshift64*: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  // A number from low to high, both included.
  int Between(int low, int high) {
    return low + static_cast<int>(
                     Next() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

// A text of exactly `length` bytes (one UTF-16 unit each) of words separated
// by blanks; it starts with a word, since the reader drops blanks after "=".
// The words include accented letters, typographic quotes, the euro sign,
// tabs, backslashes and both kinds of quote.
std::string MakeWesternText(Random& random, int length);

#endif  // ZMLFC_BENCH_WESTERN_TEXT_H_
