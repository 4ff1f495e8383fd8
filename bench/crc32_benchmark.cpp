// CRC-32 throughput over blocks of the sizes the writer checksums: a small
// index, a typical data block, the data block of the largest source. zlib's
// crc32 runs beside it as the yardstick.
#include <string>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include "compiled/crc32.h"
#include "western_text.h"

namespace {

std::string Block(std::size_t size) {
  Random random(size);
  std::string block = MakeWesternText(random, static_cast<int>(size));
  return block;
}

void BM_StreamCRC32(benchmark::State& state) {
  const std::string block = Block(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(StreamCRC32(block.data(), block.size()));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(block.size()));
}
BENCHMARK(BM_StreamCRC32)->Arg(24 << 10)->Arg(256 << 10)->Arg(64 << 20);

void BM_ZlibCrc32(benchmark::State& state) {
  const std::string block = Block(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(
        crc32(0, reinterpret_cast<const Bytef*>(block.data()),
              static_cast<uInt>(block.size())));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(block.size()));
}
BENCHMARK(BM_ZlibCrc32)->Arg(24 << 10)->Arg(256 << 10)->Arg(64 << 20);

}  // namespace
