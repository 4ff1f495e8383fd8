#include "pascal/pascal_writer.h"

// Placeholder until the Pascal generator lands.
void WritePascalSource(platform::OutputFile& output,
                       const std::string& source_name,
                       const LanguageTable& table, bool InternalCode) {
  (void)output;
  (void)source_name;
  (void)table;
  (void)InternalCode;
}
