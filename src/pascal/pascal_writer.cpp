#include "pascal/pascal_writer.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "front/console.h"
#include "front/options.h"
#include "front/text.h"
#include "pascal/pascal_literal.h"

namespace {

constexpr const char* kCRLF = "\r\n";

// The "é" is the byte 0xE9 whatever code page the values are written in.
constexpr std::string_view kFallbackText = "--Non d\xE9"
                                           "fini--";

constexpr const char* kFunctionHead =
    "function ZMLFInternalStr(sch: string): string;";

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string block;
  for (std::string_view line : lines) {
    block += line;
    block += kCRLF;
  }
  return block;
}

std::string CommentHeader(const std::string& source_name, bool InternalCode) {
  const std::string rule_equals = "// " + std::string(77, '=');
  return Lines({
      rule_equals,
      "//    WARNING WARNING WARNING WARNING WARNING WARNING WARNING WARNING "
      "WARNING",
      rule_equals,
      "//  This file was created automatically from:",
      "//  " + source_name,
      std::string("//  With Zelmor Language Compiler v") + ToolVersion + " " +
          ToolVersionSuffix,
      "//",
      "// DO NOT CHANGE THIS FILE MANUALLY, EDIT THE SOURCE FILE AND "
      "RECOMPILE IT WITH",
      std::string("// VARNOC <file> /I") + (InternalCode ? "L" : "N"),
      "//",
      "// " + std::string(77, '-'),
      "",
  });
}

// The branch and result lines of entry number `index` (from 0).
std::string EntryLines(const LanguageEntry& entry, std::size_t index) {
  const std::string_view id =
      TrimRight(std::string_view(entry.ID.data(), entry.ID.size()));
  std::string pair = index == 0 ? "  if sch = " : "  else if sch = ";
  pair += PascalLiteral(id);
  pair += " then";
  pair += kCRLF;
  pair += "    result := ";
  pair += PascalLiteral(platform::FromUtf16(entry.Value));
  pair += kCRLF;
  return pair;
}

}  // namespace

void WritePascalSource(platform::OutputFile& output,
                       const std::string& source_name,
                       const LanguageTable& table, bool InternalCode) {
  console::Write("   Entries.......... ");

  output.Write(CommentHeader(source_name, InternalCode));
  if (InternalCode) {
    output.Write(Lines({"unit lib_language_internal;", "", "interface", "",
                        kFunctionHead, "", "implementation", ""}));
  }
  output.Write(Lines({kFunctionHead, "begin", ""}));

  for (std::size_t i = 0; i < table.Entries.size(); ++i)
    output.Write(EntryLines(table.Entries[i], i));

  // Without a branch before it an "else" would not compile: the fallback
  // then stands alone as the function's only statement.
  std::string closing;
  if (!table.Entries.empty()) closing += Lines({"  else"});
  closing += Lines({"    result := " + PascalLiteral(kFallbackText), "", "end;"});
  output.Write(closing);
  if (InternalCode) output.Write(Lines({"", "end."}));

  console::Line("OK [" + std::to_string(table.Entries.size()) + " entries]");
}
