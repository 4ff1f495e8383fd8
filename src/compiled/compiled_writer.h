// Writes a language table as a compiled language file (ZMLF version 4).
#ifndef ZMLFC_COMPILED_COMPILED_WRITER_H_
#define ZMLFC_COMPILED_COMPILED_WRITER_H_

#include "platform/platform.h"
#include "source/language_table.h"

// Writes the complete file into the empty, open `output` and prints the
// progress line of each block.
void WriteCompiledFile(const LanguageTable& table, bool NoCRC, bool NoIcon,
                       platform::OutputFile& output);

#endif  // ZMLFC_COMPILED_COMPILED_WRITER_H_
