// The Pascal generator writing the internal unit for a typical table and
// for one of long texts, in entries and bytes per second.
#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "pascal/pascal_writer.h"
#include "platform/platform.h"
#include "scratch_file.h"
#include "source/language_table.h"
#include "western_text.h"

namespace {

// `entries` entries with texts of `length` characters (0: typical lengths,
// 20 to 120).
LanguageTable MakeTable(int entries, int length) {
  Random random(7);
  LanguageTable table;
  for (int i = 0; i < entries; ++i) {
    const int n = length > 0 ? length : random.Between(20, 120);
    AddEntry(table, "T" + std::to_string(100000 + i).substr(1),
             MakeWesternText(random, n));
  }
  return table;
}

void BM_WritePascalSource(benchmark::State& state) {
  const LanguageTable table = MakeTable(static_cast<int>(state.range(0)),
                                        static_cast<int>(state.range(1)));
  ScratchFile file("lib_language_internal.pas");
  std::int64_t bytes = 0;
  for (auto _ : state) {
    platform::OutputFile output;
    if (!output.Create(file.path())) {
      state.SkipWithError("cannot create the output file");
      break;
    }
    WritePascalSource(output, "bench.ls", table, true);
    bytes = output.Size();
  }
  state.SetItemsProcessed(state.iterations() * table.EntryCount);
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_WritePascalSource)
    ->Args({2000, 0})
    ->Args({200, 65535})
    ->Unit(benchmark::kMillisecond);

}  // namespace
