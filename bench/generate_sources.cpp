// Writes the benchmark inputs into a directory:
//
//   typical.ls, typical_packed.ls  2000 entries of 20 to 120 characters,
//                                  stored and compressed (COMPRESSION = 99)
//   large.ls, large_packed.ls      2000 entries of 65,535 characters, the
//                                  largest source the compiler accepts
//   half.ls                        2000 entries of 32,768 characters: half
//                                  the size of large.ls, for the linearity
//                                  check
//   typical.po                     the typical texts as a gettext catalog
//   typical.texts, large.texts     the texts alone, one after the other, as
//                                  they make up the data block (code page
//                                  1252, one byte per UTF-16 unit)
//
// The texts are mixed Western words in code page 1252 (western_text.h); the
// same files come out on every machine.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "western_text.h"

namespace {

constexpr int kEntries = 2000;
constexpr int kTypicalMin = 20;
constexpr int kTypicalMax = 120;
constexpr int kLargeLength = 65535;
constexpr int kHalfLength = 32768;

std::vector<std::string> MakeTexts(std::uint64_t seed, int min_length,
                                   int max_length) {
  Random random(seed);
  std::vector<std::string> texts;
  texts.reserve(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    const int length = random.Between(min_length, max_length);
    texts.push_back(MakeWesternText(random, length));
  }
  return texts;
}

std::string Key(int index) {
  char key[16];
  std::snprintf(key, sizeof key, "T%05d", index + 1);
  return key;
}

class File {
 public:
  File(const std::string& dir, const std::string& name)
      : path_(dir + "/" + name), out_(path_, std::ios::binary) {
    if (!out_) Fail("cannot create");
  }
  ~File() {
    out_.flush();
    if (!out_) Fail("cannot write");
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::ofstream& out() { return out_; }

 private:
  [[noreturn]] void Fail(const char* what) {
    std::cerr << "zmlfc_bench_generate: " << what << " " << path_ << "\n";
    std::exit(1);
  }
  std::string path_;
  std::ofstream out_;
};

void WriteSource(const std::string& dir, const std::string& name,
                 const std::vector<std::string>& texts, int compression) {
  File file(dir, name + ".ls");
  std::ofstream& out = file.out();
  out << "# Benchmark source " << name << "\r\n"
      << "{LSF}\r\n{HEADER}\r\n"
      << "NAME = Benchmark \x96 " << name << "\r\n"
      << "AUTHOR = zmlfc benchmarks\r\n"
      << "URL = https://example.org/zmlfc\r\n"
      << "EMAIL = bench@example.org\r\n"
      << "FONTNAME = Tahoma\r\n"
      << "PROGRAMID = BM\r\n"
      << "PROGRAMVER = 1\r\n"
      << "COMPRESSION = " << compression << "\r\n"
      << "OUTFILE = " << name << ".lng\r\n"
      << "{/HEADER}\r\n\r\n{BODY}\r\n";
  for (std::size_t i = 0; i < texts.size(); ++i)
    out << Key(static_cast<int>(i)) << " = " << texts[i] << "\r\n";
  out << "{/BODY}\r\n{/LSF}\r\n";
}

void WriteTexts(const std::string& dir, const std::string& name,
                const std::vector<std::string>& texts) {
  File file(dir, name + ".texts");
  for (const std::string& text : texts) file.out() << text;
}

std::string PoQuoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\t': quoted += "\\t"; break;
      default: quoted += c;
    }
  }
  return quoted + "\"";
}

void WriteCatalog(const std::string& dir, const std::string& name,
                  const std::vector<std::string>& texts) {
  File file(dir, name + ".po");
  std::ofstream& out = file.out();
  out << "msgid \"\"\nmsgstr \"\"\n"
      << "\"Project-Id-Version: zmlfc benchmark\\n\"\n"
      << "\"PO-Revision-Date: 2026-01-01 00:00+0000\\n\"\n"
      << "\"Last-Translator: zmlfc benchmarks <bench@example.org>\\n\"\n"
      << "\"Language-Team: French <bench@example.org>\\n\"\n"
      << "\"Language: fr\\n\"\n"
      << "\"MIME-Version: 1.0\\n\"\n"
      << "\"Content-Type: text/plain; charset=CP1252\\n\"\n"
      << "\"Content-Transfer-Encoding: 8bit\\n\"\n\n";
  for (std::size_t i = 0; i < texts.size(); ++i)
    out << "msgid \"" << Key(static_cast<int>(i)) << "\"\nmsgstr "
        << PoQuoted(texts[i]) << "\n\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zmlfc_bench_generate <directory>\n";
    return 2;
  }
  const std::string dir = argv[1];

  const std::vector<std::string> typical =
      MakeTexts(1, kTypicalMin, kTypicalMax);
  WriteSource(dir, "typical", typical, 0);
  WriteSource(dir, "typical_packed", typical, 99);
  WriteTexts(dir, "typical", typical);
  WriteCatalog(dir, "typical", typical);

  {
    const std::vector<std::string> large =
        MakeTexts(2, kLargeLength, kLargeLength);
    WriteSource(dir, "large", large, 0);
    WriteSource(dir, "large_packed", large, 99);
    WriteTexts(dir, "large", large);
  }
  WriteSource(dir, "half", MakeTexts(3, kHalfLength, kHalfLength), 0);
  return 0;
}
