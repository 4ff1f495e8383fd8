// The LSF reader over sources of growing size, in lines per second: many
// short lines (a typical catalog) and few very long ones (the largest texts).
// The complexity fit shows whether reading stays linear.
#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/platform.h"
#include "scratch_file.h"
#include "source/language_table.h"
#include "source/reader.h"
#include "western_text.h"

namespace {

constexpr int kHeaderLines = 8;

// A source of `entries` body lines with texts of `length` characters (0:
// typical lengths, 20 to 120).
std::string MakeSource(int entries, int length) {
  Random random(static_cast<std::uint64_t>(entries) * 65536 + length);
  std::string source =
      "{LSF}\r\n{HEADER}\r\nNAME = Bench\r\nCOMPRESSION = 0\r\n"
      "OUTFILE = bench.lng\r\n{/HEADER}\r\n{BODY}\r\n";
  for (int i = 0; i < entries; ++i) {
    const int n = length > 0 ? length : random.Between(20, 120);
    source += "T" + std::to_string(100000 + i).substr(1) + " = " +
              MakeWesternText(random, n) + "\r\n";
  }
  source += "{/BODY}\r\n";
  return source;
}

void ReadSource(benchmark::State& state, int entries, int length) {
  const std::string source = MakeSource(entries, length);
  ScratchFile file("reader.ls");
  if (!file.Write(source)) {
    state.SkipWithError("cannot write the source");
    return;
  }
  for (auto _ : state) {
    platform::InputFile input(file.path());
    LanguageTable table;
    if (!ReadLanguageSource(input, table) || table.EntryCount != entries) {
      state.SkipWithError("the reader did not take every entry");
      break;
    }
    benchmark::DoNotOptimize(table.Entries.data());
  }
  const std::int64_t lines = entries + kHeaderLines;
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(source.size()));
  state.SetComplexityN(static_cast<std::int64_t>(source.size()));
}

// Typical texts; the argument is the number of entries.
void BM_ReadTypicalLines(benchmark::State& state) {
  ReadSource(state, static_cast<int>(state.range(0)), 0);
}
BENCHMARK(BM_ReadTypicalLines)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Complexity(benchmark::oN);

// 64 entries; the argument is the length of every text.
void BM_ReadLongLines(benchmark::State& state) {
  ReadSource(state, 64, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ReadLongLines)
    ->RangeMultiplier(2)
    ->Range(4096, 65536 - 1)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
