// Turns a valid compiled language file back into an LSF source, and tells
// what the source cannot carry: the places where compiling it would not
// give back the same file byte for byte.
#ifndef ZMLFC_DUMP_DECOMPILE_H_
#define ZMLFC_DUMP_DECOMPILE_H_

#include <string>
#include <vector>

#include "dump/verify.h"

struct DecompiledSource {
  std::string text;  // the LSF source, lines ending in CR LF
  // One line per setting or entry that the source cannot carry, in file
  // order; empty when the round trip is exact.
  std::vector<std::string> problems;
  bool no_crc = false;  // the file was compiled with /nocrc
};

// `out_file` is the file's own name, the source's OUTFILE; `icon_file` the
// ICONFILE of the extracted icon, empty when it is not extracted. Texts are
// converted to the code page in force.
DecompiledSource DecompileToLSF(const VerifiedFile& file,
                                const std::string& out_file,
                                const std::string& icon_file);

#endif  // ZMLFC_DUMP_DECOMPILE_H_
