// Verifies arbitrary bytes as a compiled language file, then prints the
// report and the listing and decompiles what verified. Nothing may read
// past the bytes, whatever the header claims; a file that verifies must
// hold exactly what its header says.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiled/crc32.h"
#include "dump/decompile.h"
#include "dump/report.h"
#include "dump/verify.h"
#include "platform/platform.h"

namespace {

#define CHECK(condition) \
  do {                   \
    if (!(condition)) __builtin_trap(); \
  } while (0)

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string error;
  if (!platform::Startup(&error)) abort();
  BuildCRC32Table();
  // The reports of millions of runs would drown the fuzzer's own.
  const int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, 1) < 0) abort();
  close(null);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so that the sanitizer sees any read
  // past the end.
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const VerifiedFile file = VerifyCompiledFile(bytes);
  CHECK(file.readable || !file.problem.empty());
  if (!file.readable) return 0;

  const ZMLF_Header& h = file.header;
  CHECK(static_cast<std::int64_t>(file.index.size()) == h.EntryCount);
  CHECK(static_cast<std::int64_t>(file.data.size()) == h.DataSize);
  CHECK(static_cast<std::int64_t>(file.icon.size()) == h.IconSize);
  std::int64_t units = 0;
  for (const ZMLF_IndexEntry& entry : file.index) {
    CHECK(entry.Offset == units);
    CHECK(EntryText(file, entry).size() == entry.Length);
    units += entry.Length;
  }
  CHECK(2 * units == h.DataSize);

  PrintReport("fuzz.lng", file);
  if (!file.problem.empty()) return 0;
  PrintListing(file);
  const DecompiledSource source = DecompileToLSF(file, "fuzz.lng", "fuzz.ico");
  CHECK(source.text.rfind("# Decompiled by zmlfdump.\r\n", 0) == 0);
  return 0;
}
