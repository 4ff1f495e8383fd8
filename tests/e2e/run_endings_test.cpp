// Endings of a compile run that a case folder cannot set up: files the
// program cannot read, and sources that are their own output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>

#include "program_runner.h"

namespace {

const std::regex kFailureReport(
    "Exception EInOutError in module zmlfc(\\.exe)? at [0-9A-F]{8}\\.\r\n"
    "(.*)\r\n\r\n");

TEST(RunEndings, SourceThatCannotBeReadEndsWithTheFailureReport) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "reads a Linux /proc file";
  e2e::TempDir work;
  // Opens like a file, then fails every read: an I/O error even for root.
  const e2e::ProgramResult result = e2e::RunProgram({"/proc/self/mem"}, work.path());
  EXPECT_EQ(result.status, 1);
  std::smatch match;
  ASSERT_TRUE(std::regex_match(result.err, match, kFailureReport)) << result.err;
  EXPECT_EQ(match[2], "I/O error 5.");
  // Standard output stops at the unfinished reading label.
  const std::string out = result.out;
  EXPECT_EQ(out.substr(out.size() - 21), " - Reading file..... ");
}

TEST(RunEndings, SourceWithoutReadPermissionIsAccessDenied) {
  if (e2e::RunningAsRoot()) GTEST_SKIP() << "root reads every file";
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls", "{LSF}\n");
  chmod((work / "app.ls").c_str(), 0);
  const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
  EXPECT_EQ(result.status, 1);
  std::smatch match;
  ASSERT_TRUE(std::regex_match(result.err, match, kFailureReport)) << result.err;
  EXPECT_EQ(match[2], "File access denied.");
  const std::string tail = " Compiling from app.ls...\r\n";
  EXPECT_EQ(result.out.substr(result.out.size() - tail.size()), tail);
}

}  // namespace

namespace {

// A second name of the source, a hard or a symbolic link, is still the
// source: writing it would destroy the text just read.
TEST(RunEndings, OutputThatIsALinkToTheSourceIsRefused) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "links are made with POSIX calls";
  const std::string source =
      "{LSF}\n{HEADER}\nOUTFILE = out.lng\n{/HEADER}\n{BODY}\nA = a\n{/BODY}\n";
  for (bool symbolic : {false, true}) {
    e2e::TempDir work;
    e2e::WriteFile(work / "app.ls", source);
    const int made = symbolic ? symlink("app.ls", (work / "out.lng").c_str())
                              : link((work / "app.ls").c_str(), (work / "out.lng").c_str());
    ASSERT_EQ(made, 0);
    const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
    EXPECT_EQ(result.status, 2) << symbolic;
    const std::string tail =
        " - Writing file..... out.lng\r\n"
        "   Error the output file is the source file.. Aborting!\r\n";
    ASSERT_GE(result.out.size(), tail.size());
    EXPECT_EQ(result.out.substr(result.out.size() - tail.size()), tail);
    EXPECT_EQ(e2e::ReadFile(work / "app.ls"), source);
  }
}

}  // namespace
