#include "source/reader.h"

#include <string>

#include "front/console.h"
#include "front/text.h"
#include "source/integer_value.h"
#include "source/line_reader.h"
#include "source/reader_state.h"

namespace {

constexpr std::size_t kMaxHeaderTextLength = 255;  // one length byte

// Stores a descriptive string; false when it does not fit its length byte.
bool SetHeaderText(std::u16string& field, std::string_view text) {
  // Every code page gives at least one UTF-16 unit for three bytes, so a
  // longer text is refused without converting all of it.
  if (text.size() > 3 * kMaxHeaderTextLength) return false;
  std::u16string value = platform::ToUtf16(text);
  if (value.size() > kMaxHeaderTextLength) return false;
  field = std::move(value);
  return true;
}

// Carries out a header instruction; returns the error text, empty if none.
std::string HeaderInstruction(std::string_view key, std::string_view text,
                              LanguageTable& table) {
  const std::string keyword = AsciiUpper(key);
  ZMLF_ExtendedHeader& strings = table.ExtendedHeader;
  std::u16string* field = nullptr;
  if (keyword == "NAME") {
    field = &strings.Name;
  } else if (keyword == "EMAIL") {
    field = &strings.Email;
  } else if (keyword == "URL") {
    field = &strings.URL;
  } else if (keyword == "AUTHOR") {
    field = &strings.Author;
  } else if (keyword == "FONTNAME") {
    field = &strings.FontName;
  } else if (keyword == "ICONFILE") {
    table.IconFile = std::string(text);
  } else if (keyword == "OUTFILE") {
    table.OutFile = std::string(text);
  } else if (keyword == "PROGRAMVER") {
    table.ProgramVer = static_cast<std::uint8_t>(IntegerValue(text) & 0xFF);
  } else if (keyword == "COMPRESSION") {
    table.Compression = static_cast<std::uint8_t>(IntegerValue(text) & 0xFF);
  } else if (keyword == "PROGRAMID") {
    if (text.size() != 2) return "ProgramID must be 2 chars wide";
    table.ProgramID = {text[0], text[1]};
  } else {
    return "Unknown header keyword [" + keyword + "]";
  }
  if (field != nullptr && !SetHeaderText(*field, text))
    return "Text too long for the header (max 255 chars)";
  return std::string();
}

std::string BodyInstruction(std::string_view key, std::string_view text,
                            LanguageTable& table) {
  switch (AddEntry(table, key, text)) {
    case AddEntryResult::Added: return std::string();
    case AddEntryResult::TooManyEntries: return "Too many entries (max 2000)";
    case AddEntryResult::TextTooLong: return "Text too long (max 65535 chars)";
  }
  return std::string();
}

// One line that is neither empty nor a comment; returns the error text.
std::string ProcessLine(std::string_view line, ReaderState& state,
                        LanguageTable& table) {
  if (line[0] == '{') {
    const std::string tag = AsciiUpper(TrimRight(line));
    if (!ApplyTag(tag, state)) return "Unknown tag or forbidden here - " + tag;
    return std::string();
  }
  if (!state.IsLSF) return "Not a LSF file";
  if (!state.IsHeader && !state.IsBody) return "Instruction not in header or body";
  const std::size_t equal = line.find('=');
  if (equal == std::string_view::npos) return "Equal (=) symbol not found but needed";
  const std::string_view key = TrimRight(line.substr(0, equal));
  const std::string_view text = TrimLeft(line.substr(equal + 1));
  return state.IsHeader ? HeaderInstruction(key, text, table)
                        : BodyInstruction(key, text, table);
}

}  // namespace

bool ReadLanguageSource(platform::InputFile& source, LanguageTable& table) {
  ReaderState state;
  std::int64_t LinesRead = 0;
  std::int64_t LinesUsed = 0;
  std::string ErrorText;

  LineReader lines([&source](char* buffer, std::size_t n) {
    return source.Read(buffer, n);
  });
  std::string line;
  while (ErrorText.empty() && lines.Next(&line)) {
    ++LinesRead;
    const std::string_view content = TrimLeft(line);
    if (content.empty() || content[0] == '#') continue;
    ++LinesUsed;
    ErrorText = ProcessLine(content, state, table);
  }
  source.Close();

  if (!ErrorText.empty()) {
    console::Line("Error line " + std::to_string(LinesRead));
    console::Line("    Info: " + ErrorText);
    console::Line(std::string("   State: IsLSF=") + BoolText(state.IsLSF) +
                  " IsHeader=" + BoolText(state.IsHeader) +
                  " IsBody=" + BoolText(state.IsBody));
    return false;
  }
  if (table.Compression != 0 && table.Compression != 99) {
    console::Line("Unknown compression type [" +
                  std::to_string(table.Compression) + "]. Valid values are:");
    console::Line("    0 : No compression (Default and Fastest)");
    console::Line("   99 : ZLib compression [level 9]");
    return false;
  }
  console::Line("OK [" + std::to_string(LinesRead) + " lines - " +
                std::to_string(LinesUsed) + " used]");
  return true;
}

const char* BoolText(bool value) { return value ? "True" : "False"; }
