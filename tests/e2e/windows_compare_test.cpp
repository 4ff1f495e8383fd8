// The Windows program against the native program: given the same files,
// parameters and code page, both end with the same exit status and write the
// same standard output (apart from the elapsed seconds), standard error and
// files, byte for byte. The corpus is every case folder under cases/ plus the
// generated runs below: every option, both compressions, an icon, all high
// bytes of code pages 1252 and 1251, double-byte text of code page 932, UTF-8.
//
// Runs when the program under test is the Windows build (ZMLFC_LAUNCHER set);
// the native program is the one these tests were built with.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "program_runner.h"

namespace fs = std::filesystem;

namespace {

struct CorpusRun {
  std::string name;
  std::string in_dir;                          // copied into the working dir
  std::map<std::string, std::string> files;    // then these are written
  std::vector<std::string> args;
  e2e::Environment env;
};

// Test names and failure messages show the run by its name.
void PrintTo(const CorpusRun& run, std::ostream* os) { *os << run.name; }

// Source lines joined by CR LF, as an editor on Windows saves them.
std::string Source(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string Bytes(unsigned first, unsigned last) {
  std::string bytes;
  for (unsigned b = first; b <= last; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// An icon is any file: every byte value, twice.
std::string IconBytes() { return Bytes(0, 255) + Bytes(0, 255); }

// A source that uses every header keyword, writes into a subdirectory with
// "\" and carries `high` (text in the code page in force) into descriptive
// strings and entries.
std::string RichSource(const std::string& high, int compression) {
  return Source({
      "# generated for the comparison of the two builds",
      "{LSF}",
      "{HEADER}",
      "NAME        = Name " + high.substr(0, 60),
      "AUTHOR      = Author " + high,
      "URL         = https://example.org/lang",
      "EMAIL       = lang@example.org",
      "FONTNAME    = Tahoma",
      "ICONFILE    = app.ico",
      "OUTFILE     = out\\app.lng",
      "PROGRAMID   = XY",
      "PROGRAMVER  = 7",
      "COMPRESSION = " + std::to_string(compression),
      "{/HEADER}",
      "",
      "{BODY}",
      "HIGH01 = " + high,
      "HIGH02 = <" + high + high + ">",
      "QUOTE1 = it's \"quoted\"\tand\ttabbed = still text",
      "EMPTY1 =",
      "LONG01 = " + std::string(400, 'x') + high,
      "  INDENT = leading blanks before the ID   ",
      "SHORT = 1",
      "{/BODY}",
      "{/LSF}",
  });
}

// Text of each code page that exercises its conversions: every high byte of
// the single-byte pages (the bytes a page leaves undefined included); for
// 932 double-byte characters whose second byte is "\" or "{", half-width
// katakana and characters of the NEC and IBM rows; for UTF-8 two-, three-
// and four-byte sequences. Only defined sequences of the multi-byte pages:
// the two builds decode undefined ones differently.
std::string HighText(int codepage) {
  if (codepage == 932)
    return "\x93\xFA\x96\x7B\x8C\xEA \x95\x5C\x83\x5C\x8F\x5C \x83\x7B "
           "\xB1\xB2\xB3 \x81\x40\x82\xA0 \x87\x40\xFA\x40\xF0\x40";
  if (codepage == 65001)
    return "gr\xC3\xBC\xC3\x9F \xD0\x9F\xD1\x80\xD0\xB8 \xE6\x97\xA5\xE6\x9C\xAC "
           "\xF0\x9F\x98\x80";
  return Bytes(0x80, 0xFF);  // 1250, 1251, 1252
}

std::vector<CorpusRun> CaseFolderRuns() {
  std::vector<CorpusRun> runs;
  for (const auto& entry : fs::directory_iterator(ZMLFC_CASES_DIR)) {
    if (!entry.is_directory()) continue;
    const fs::path dir = entry.path();
    CorpusRun run;
    run.name = "case_" + dir.filename().string();
    if (fs::exists(dir / "in")) run.in_dir = (dir / "in").string();
    if (fs::exists(dir / "args")) run.args = e2e::SplitLines(e2e::ReadFile((dir / "args").string()));
    if (fs::exists(dir / "env"))
      for (const std::string& line : e2e::SplitLines(e2e::ReadFile((dir / "env").string())))
        run.env.emplace_back(line.substr(0, line.find('=')),
                             line.substr(line.find('=') + 1));
    runs.push_back(std::move(run));
  }
  return runs;
}

std::vector<CorpusRun> GeneratedRuns() {
  std::vector<CorpusRun> runs;
  const std::vector<std::pair<std::string, std::vector<std::string>>> option_sets = {
      {"plain", {}},          {"nc", {"/nc"}},   {"ni", {"/ni"}},
      {"nocrc_noicon", {"/NOCRC", "/NoIcon"}},  {"il", {"/il"}},
      {"in", {"/in"}},        {"il_in", {"/in", "/il"}},
  };
  for (int codepage : {1252, 1251, 932, 65001}) {
    for (int compression : {0, 99}) {
      for (const auto& [options_name, options] : option_sets) {
        // Pascal output does not depend on the compression.
        if (compression == 99 && options_name.rfind("il", 0) == 0) continue;
        CorpusRun run;
        run.name = "cp" + std::to_string(codepage) + "_" +
                   (compression ? "zlib" : "store") + "_" + options_name;
        run.files["app.ls"] = RichSource(HighText(codepage), compression);
        run.files["app.ico"] = IconBytes();
        run.files["out/keep"] = "";
        run.args = {"app.ls"};
        run.args.insert(run.args.end(), options.begin(), options.end());
        run.env = {{"ZMLFC_CODEPAGE", std::to_string(codepage)}};
        runs.push_back(std::move(run));
      }
    }
  }

  auto single = [&runs](const std::string& name, const std::string& source,
                        std::vector<std::string> options = {},
                        e2e::Environment env = {}) {
    CorpusRun run;
    run.name = name;
    run.files["app.ls"] = source;
    run.args = {"app.ls"};
    run.args.insert(run.args.end(), options.begin(), options.end());
    run.env = std::move(env);
    runs.push_back(std::move(run));
    return &runs.back();
  };
  const std::string head = "{LSF}\n{HEADER}\nOUTFILE = out.lng\nPROGRAMID = AB\n";
  const std::string body = "{/HEADER}\n{BODY}\nA = a\nB = b\n{/BODY}\n{/LSF}\n";

  // The code page of the locale when ZMLFC_CODEPAGE is not set.
  const struct {
    const char* name;
    const char* locale;
    int codepage;
  } kLocales[] = {{"c", "C", 1252},
                  {"ru", "ru_RU.UTF-8", 1251},
                  {"pl", "pl_PL.UTF-8", 1250},
                  {"ja", "ja_JP.UTF-8", 932}};
  for (const auto& locale : kLocales) {
    for (bool internal : {false, true}) {
      CorpusRun* run = single(std::string("locale_") + locale.name + (internal ? "_il" : ""),
                        RichSource(HighText(locale.codepage), 99),
                        {internal ? "/il" : "/nc"}, {{"LC_ALL", locale.locale}});
      run->files["app.ico"] = IconBytes();
      run->files["out/keep"] = "";
    }
  }

  // Many entries of many lengths, compressed: the stream spans buffers.
  std::string many = head + "COMPRESSION = 99\n{/HEADER}\n{BODY}\n";
  for (int i = 0; i < 2000; ++i)
    many += "T" + std::to_string(10000 + i) + " = " +
            std::string(static_cast<std::size_t>(i * 37 % 300), 'a' + i % 26) +
            HighText(1252).substr(static_cast<std::size_t>(i % 100), 20) + "\n";
  many += "{/BODY}\n{/LSF}\n";
  single("many_entries_zlib", many, {}, {{"ZMLFC_CODEPAGE", "1252"}});
  single("many_entries_internal", many, {"/il"}, {{"ZMLFC_CODEPAGE", "1251"}});
  std::string too_many = many;
  too_many.insert(too_many.find("{/BODY}"), "EXTRA1 = one too many\n");
  single("too_many_entries", too_many);
  single("text_too_long", head + "{/HEADER}\n{BODY}\nLONG = " +
                              std::string(65536, 'y') + "\n{/BODY}\n");
  single("header_text_too_long", "{LSF}\n{HEADER}\nNAME = " +
                                     std::string(256, 'n') + "\n{/HEADER}\n");

  // Endings of the reader and of the run.
  single("bad_integer", head + "PROGRAMVER = 12x\n" + body);
  single("bad_compression", head + "COMPRESSION = 5\n" + body);
  single("unknown_keyword", head + "COLOUR = red\n" + body);
  single("unknown_tag", "{LSF}\n{HEADER}\n{BODY}\n");
  single("not_lsf", "A = a\n");
  single("ctrl_z_ends_source", head + "{/HEADER}\n{BODY}\nA = a\x1A" "B = b\n{/BODY}\n");
  single("line_ends_mixed", "{LSF}\r\n{HEADER}\rOUTFILE = out.lng\n{/HEADER}\r\n"
                            "{BODY}\nA = a\r\n\r\nB = b\n{/BODY}");
  single("empty_body_internal", head + "{/HEADER}\n{BODY}\n{/BODY}\n{/LSF}\n", {"/il"});
  single("empty_body_include", head + "{/HEADER}\n{BODY}\n{/BODY}\n{/LSF}\n", {"/in"});
  single("no_program_id_include",
         "{LSF}\n{HEADER}\nOUTFILE = out.lng\n{/HEADER}\n{BODY}\nA = a\n{/BODY}\n",
         {"/in"});
  single("output_is_source", "{LSF}\n{HEADER}\nOUTFILE = app.ls\n{/HEADER}\n");
  single("output_in_slash_dir", "{LSF}\n{HEADER}\nOUTFILE = out/app.lng\n{/HEADER}\n")
      ->files["out/keep"] = "";
  single("output_replaces_longer_file", head + body)->files["out.lng"] =
      std::string(5000, 'z');
  single("icon_missing", head + "ICONFILE = none.ico\n" + body);
  single("icon_is_directory", head + "ICONFILE = icons\n" + body)
      ->files["icons/keep"] = "";
  single("icon_with_noicon", head + "ICONFILE = app.ico\n" + body, {"/ni"})
      ->files["app.ico"] = IconBytes();
  single("unsupported_codepage_setting", head + body, {}, {{"ZMLFC_CODEPAGE", "1234"}});

  // Parameters as the command line gives them.
  CorpusRun* blank = single("source_name_with_blank", head + body);
  blank->files.clear();
  blank->files["my lang.ls"] = head + body;
  blank->args = {"my lang.ls", "/nc", "/x"};
  single("empty_parameter_dropped", head + body)->args = {"", "app.ls", "", "/NI"};
  return runs;
}

std::vector<CorpusRun> AllRuns() {
  std::vector<CorpusRun> runs = CaseFolderRuns();
  std::vector<CorpusRun> generated = GeneratedRuns();
  runs.insert(runs.end(), generated.begin(), generated.end());
  return runs;
}

// Empty for the native program alone: there is nothing to compare it with.
const std::vector<CorpusRun>& Corpus() {
  static const std::vector<CorpusRun> runs =
      e2e::UnderLauncher() ? AllRuns() : std::vector<CorpusRun>();
  return runs;
}

struct Outcome {
  e2e::ProgramResult result;
  std::map<std::string, std::string> files;
};

std::vector<std::string> NativeCommand(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {fs::absolute(ZMLFC_DEFAULT_EXE).string()};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

// The failure report names the executable, which differs by its nature.
std::string WithoutModuleName(std::string err) {
  for (std::size_t at; (at = err.find("zmlfc.exe")) != std::string::npos;)
    err.replace(at, 9, "zmlfc");
  return err;
}

Outcome RunIn(const CorpusRun& run, bool windows) {
  e2e::TempDir work;
  if (!run.in_dir.empty())
    fs::copy(run.in_dir, work.path(), fs::copy_options::recursive);
  for (const auto& [name, bytes] : run.files) e2e::WriteFile(work / name, bytes);
  e2e::Environment env = {{"LC_ALL", "C"}};
  env.insert(env.end(), run.env.begin(), run.env.end());

  Outcome outcome;
  outcome.result = windows ? e2e::RunProgram(run.args, work.path(), env)
                           : e2e::RunCommand(NativeCommand(run.args), work.path(), env);
  outcome.result.out = e2e::MaskElapsed(outcome.result.out);
  outcome.result.err = WithoutModuleName(outcome.result.err);
  for (const std::string& name : e2e::ListFiles(work.path()))
    outcome.files[name] = e2e::ReadFile(work / name);
  return outcome;
}

// The offset of the first byte where a and b differ, for a short message.
std::size_t FirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

class Compare : public testing::TestWithParam<CorpusRun> {};

TEST_P(Compare, SameResultOnBothBuilds) {
  const CorpusRun& run = GetParam();
  const Outcome native = RunIn(run, false);
  const Outcome windows = RunIn(run, true);

  EXPECT_EQ(native.result.status, windows.result.status);
  EXPECT_EQ(native.result.out, windows.result.out);
  EXPECT_EQ(native.result.err, windows.result.err);
  std::vector<std::string> native_names, windows_names;
  for (const auto& file : native.files) native_names.push_back(file.first);
  for (const auto& file : windows.files) windows_names.push_back(file.first);
  ASSERT_EQ(native_names, windows_names);
  for (const auto& [name, bytes] : native.files) {
    const std::string& other = windows.files.at(name);
    EXPECT_TRUE(bytes == other)
        << name << ": " << bytes.size() << " bytes native, " << other.size()
        << " bytes Windows, first difference at offset "
        << FirstDifference(bytes, other);
  }
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Compare);
INSTANTIATE_TEST_SUITE_P(Windows, Compare, testing::ValuesIn(Corpus()),
                         [](const testing::TestParamInfo<CorpusRun>& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
