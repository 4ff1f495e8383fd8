#include "source/reader.h"

#include "front/console.h"

// Placeholder until the LSF reader lands: takes the source as an empty table.
bool ReadLanguageSource(platform::InputFile& source, LanguageTable& table) {
  (void)table;
  source.Close();
  console::Line("OK [0 lines - 0 used]");
  return true;
}

const char* BoolText(bool value) { return value ? "True" : "False"; }
