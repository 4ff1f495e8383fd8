// Writes a language table as Pascal source: the unit lib_language_internal
// or an include file, each with the lookup function ZMLFInternalStr.
#ifndef ZMLFC_PASCAL_PASCAL_WRITER_H_
#define ZMLFC_PASCAL_PASCAL_WRITER_H_

#include <string>

#include "platform/platform.h"
#include "source/language_table.h"

// `source_name` is the source path exactly as given on the command line.
void WritePascalSource(platform::OutputFile& output,
                       const std::string& source_name,
                       const LanguageTable& table, bool InternalCode);

#endif  // ZMLFC_PASCAL_PASCAL_WRITER_H_
