#include "compiled/compiled_writer.h"

// Placeholder until the compiled file writer lands.
void WriteCompiledFile(const LanguageTable& table, bool NoCRC, bool NoIcon,
                       platform::OutputFile& output) {
  (void)table;
  (void)NoCRC;
  (void)NoIcon;
  (void)output;
}
