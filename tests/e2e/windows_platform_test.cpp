// Behaviours in which the two builds differ by the nature of their platform,
// each tested on its own side: the executable's name in the failure report,
// the OEM code page of the report, and sharing a file with another program
// (the Windows build runs tests/windows/hold_file.cpp as that program).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "program_runner.h"

namespace fs = std::filesystem;

namespace {

const char kSource[] =
    "{LSF}\n{HEADER}\nOUTFILE = out.lng\n{/HEADER}\n{BODY}\nA = a\n{/BODY}\n";

// A source whose PROGRAMVER is no number: the failure report quotes it.
std::string BadNumberSource(const std::string& value) {
  return "{LSF}\n{HEADER}\nPROGRAMVER = " + value + "\n{/HEADER}\n";
}

std::string ProgramPath() {
  const char* exe = std::getenv("ZMLFC_EXE");
  return fs::absolute(exe && *exe ? exe : ZMLFC_DEFAULT_EXE).string();
}

// The launcher's words followed by `argv`.
std::vector<std::string> Launched(const std::vector<std::string>& argv) {
  std::vector<std::string> words;
  if (e2e::UnderLauncher()) {
    std::istringstream in(std::getenv("ZMLFC_LAUNCHER"));
    for (std::string word; in >> word;) words.push_back(word);
  }
  words.insert(words.end(), argv.begin(), argv.end());
  return words;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Copied under a name with a blank, the program names its copy in the
// report, and its own quoted name is not taken for a parameter.
TEST(PlatformSide, FailureReportNamesTheExecutableItRunsAs) {
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls", BadNumberSource("12x"));
  const std::string name = e2e::UnderLauncher() ? "my zmlfc.exe" : "my zmlfc";
  fs::copy_file(ProgramPath(), work / name);

  const e2e::ProgramResult result =
      e2e::RunCommand(Launched({work / name, "app.ls"}), work.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.rfind("Exception EConvertError in module " + name + " at ", 0), 0u)
      << result.err;
  EXPECT_NE(result.out.find(" Compiling from app.ls...\r\n"), std::string::npos)
      << result.out;
}

// The report is written in the OEM code page: on Windows the OEM page of the
// locale, converted from the code page in force; on POSIX the terminal has
// one code page, so the bytes stay as they are.
TEST(PlatformSide, FailureReportIsInTheOemCodePage) {
  struct Case {
    e2e::Environment env;
    char windows;  // what 0xE9 of the code page in force becomes
  };
  const Case cases[] = {
      {{{"LC_ALL", "C"}}, '\x82'},                 // 1252 e-acute -> 437
      {{{"LC_ALL", "ru_RU.UTF-8"}}, '\xA9'},       // 1251 short i -> 866
      {{{"LC_ALL", "C"}, {"ZMLFC_CODEPAGE", "1251"}}, '?'},  // 437 lacks it
  };
  for (const Case& c : cases) {
    e2e::TempDir work;
    e2e::WriteFile(work / "app.ls", BadNumberSource("1\xE9"));
    const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path(), c.env);
    const char expected = e2e::UnderLauncher() ? c.windows : '\xE9';
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(EndsWith(result.err, std::string("\r\n'1") + expected +
                                         "' is not a valid integer value.\r\n\r\n"))
        << c.env.back().second << ": " << result.err;
  }
}

// Windows: the source is shared with readers only, and the output file with
// nobody. hold_file.exe keeps a file open while it runs zmlfc.exe.
TEST(PlatformSide, WindowsSharesTheSourceWithReadersAndTheOutputWithNobody) {
  if (!e2e::UnderLauncher()) GTEST_SKIP() << "share modes are a Windows matter";
  const std::string holder =
      (fs::path(ProgramPath()).parent_path() / "hold_file.exe").string();
  ASSERT_TRUE(e2e::Exists(holder)) << holder << " is built by tests/windows/run";
  struct Case {
    const char* mode;
    const char* held;
    int status;
    const char* out_tail;
    const char* err_head;
    const char* err_tail;
  };
  const Case cases[] = {
      {"write", "app.ls", 1, " Compiling from app.ls...\r\n",
       "Exception EInOutError in module zmlfc.exe at ", "\r\nI/O error 32.\r\n\r\n"},
      {"read", "app.ls", 0, " secs]\r\n", "", ""},
      {"read", "out.lng", 2,
       " - Writing file..... out.lng\r\n"
       "   Error could not create/open the file.. Aborting!\r\n",
       "", ""},
  };
  for (const Case& c : cases) {
    e2e::TempDir work;
    e2e::WriteFile(work / "app.ls", kSource);
    e2e::WriteFile(work / "out.lng", "kept");
    const e2e::ProgramResult result = e2e::RunCommand(
        Launched({holder, c.mode, c.held, "app.ls"}), work.path());
    const std::string what = std::string(c.held) + " held for " + c.mode;
    EXPECT_EQ(result.status, c.status) << what;
    EXPECT_TRUE(EndsWith(result.out, c.out_tail)) << what << ": " << result.out;
    EXPECT_EQ(result.err.rfind(c.err_head, 0), 0u) << what << ": " << result.err;
    EXPECT_TRUE(EndsWith(result.err, c.err_tail)) << what << ": " << result.err;
    EXPECT_EQ(e2e::ReadFile(work / "out.lng") == "kept", c.status != 0) << what;
  }
}

// POSIX has no share modes: a source that another program holds open for
// writing is read all the same.
TEST(PlatformSide, PosixReadsASourceThatIsOpenForWriting) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "the Windows build refuses it";
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls", kSource);
  const int writer = open((work / "app.ls").c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(writer, 0);
  const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
  close(writer);
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_TRUE(e2e::Exists(work / "out.lng"));
}

}  // namespace
