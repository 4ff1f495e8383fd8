// The LSF source reader.
#ifndef ZMLFC_SOURCE_READER_H_
#define ZMLFC_SOURCE_READER_H_

#include "platform/platform.h"
#include "source/language_table.h"

// Reads the whole source into `table`, closes it and prints the outcome
// (success line, error report or compression notice). True only after the
// success line.
bool ReadLanguageSource(platform::InputFile& source, LanguageTable& table);

// "True" or "False".
const char* BoolText(bool value);

#endif  // ZMLFC_SOURCE_READER_H_
