// Hostile surroundings: outputs that cannot be written, inputs that are not
// files, icons that cannot be read, and a source line of 200 MB. Every run
// must end in one of the program's own endings, never by a signal or a hang.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <string>
#include <thread>

#include "program_runner.h"

namespace {

const char kSource[] =
    "{LSF}\n{HEADER}\nOUTFILE = out.lng\n{/HEADER}\n{BODY}\nHELLO = Hi\n{/BODY}\n{/LSF}\n";

// The failure report's message for `kind`, or "<no report>".
std::string ReportMessage(const std::string& err, const std::string& kind) {
  const std::regex report("Exception " + kind +
                          " in module zmlfc(\\.exe)? at [0-9A-F]{8}\\.\r\n"
                          "(.*)\r\n\r\n");
  std::smatch match;
  return std::regex_match(err, match, report) ? match[2].str() : "<no report>";
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string SourceWithHeader(const std::string& header_lines) {
  return "{LSF}\n{HEADER}\n" + header_lines +
         "{/HEADER}\n{BODY}\nHELLO = Hi\n{/BODY}\n{/LSF}\n";
}

TEST(Faults, OutputFileOnAFullDeviceEndsWithWriteError) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "/dev/full is a Linux device";
  // The Pascal unit's name is fixed, so a link of that name leads it there.
  for (const std::string option : {"/nocrc", "/internal"}) {
    e2e::TempDir work;
    const bool pascal = option == "/internal";
    e2e::WriteFile(work / "app.ls", SourceWithHeader(pascal ? "OUTFILE = out.lng\n"
                                                             : "OUTFILE = /dev/full\n"));
    ASSERT_EQ(symlink("/dev/full", (work / "lib_language_internal.pas").c_str()), 0);
    const e2e::ProgramResult result =
        e2e::RunProgram({"app.ls", option}, work.path());
    EXPECT_EQ(result.status, 1) << option;
    EXPECT_EQ(ReportMessage(result.err, "EWriteError"), "Stream write error.")
        << option << "\n" << result.err;
  }
}

TEST(Faults, StandardOutputOnAFullDeviceEndsWithInOutError) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "/dev/full is a Linux device";
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls", kSource);
  // The banner is the first write: the usage run and a compile run alike.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, std::vector<std::string>{"app.ls"}}) {
    const e2e::ProgramResult result =
        e2e::RunProgram(args, work.path(), {}, "/dev/full");
    EXPECT_EQ(result.status, 1) << args.size();
    EXPECT_EQ(ReportMessage(result.err, "EInOutError"), "Disk full.") << result.err;
  }
  EXPECT_FALSE(e2e::Exists(work / "out.lng"));
}

TEST(Faults, StandardOutputIntoAPipeWithoutReaderIsReportedNotASignal) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "the pipe is made with POSIX calls";
  e2e::TempDir work;
  e2e::WriteFile(work / "app.ls", kSource);
  const e2e::ProgramResult result =
      e2e::RunProgramIntoClosedPipe({"app.ls"}, work.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(ReportMessage(result.err, "EInOutError"), "I/O error 32.") << result.err;
}

// An icon that exists but cannot be read ends the run before the header is
// written: the output file is created and stays empty.
TEST(Faults, IconThatCannotBeReadEndsWithOpenError) {
  struct Case {
    const char* name;
    const char* icon;
    const char* reason;
  };
  const Case cases[] = {
      {"without read permission", "app.ico", "Permission denied"},
      // Opens like a file, then fails every read: an I/O error even for root.
      {"failing every read", "/proc/self/mem", "Input/output error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::TempDir work;
    const std::string icon = c.icon[0] == '/' ? c.icon : work / c.icon;
    if (c.icon[0] == '/') {
      if (e2e::UnderLauncher()) continue;  // a Linux /proc file
    } else {
      if (e2e::RunningAsRoot()) continue;  // root reads every file
      e2e::WriteFile(icon, "icon bytes");
      chmod(icon.c_str(), 0);
    }
    e2e::WriteFile(work / "app.ls",
                   SourceWithHeader("OUTFILE = out.lng\nICONFILE = " +
                                    std::string(c.icon) + "\n"));
    const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(ReportMessage(result.err, "EFOpenError"),
              "Cannot open file \"" + icon + "\". " + c.reason + ".")
        << result.err;
    EXPECT_TRUE(EndsWith(result.out, " - Writing file..... out.lng\r\n")) << result.out;
    EXPECT_TRUE(e2e::Exists(work / "out.lng"));
    EXPECT_EQ(e2e::ReadFile(work / "out.lng"), "");
  }
}

// Only a file is embedded: a directory or a FIFO of that name is no icon.
TEST(Faults, IconThatIsNotAFileIsNoIcon) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "the FIFO is made with POSIX calls";
  for (bool fifo : {false, true}) {
    e2e::TempDir work;
    if (fifo) {
      ASSERT_EQ(mkfifo((work / "app.ico").c_str(), 0644), 0);
    } else {
      e2e::WriteFile(work / "app.ico/readme", "not an icon");
    }
    e2e::WriteFile(work / "app.ls",
                   SourceWithHeader("OUTFILE = out.lng\nICONFILE = app.ico\n"));
    const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
    EXPECT_EQ(result.status, 0) << fifo;
    EXPECT_NE(result.out.find("   Icon............. NO\r\n"), std::string::npos)
        << result.out;
    const std::string file = e2e::ReadFile(work / "out.lng");
    ASSERT_GE(file.size(), 51u);
    EXPECT_EQ(file.substr(47, 4), std::string(4, '\0'));  // IconSize
  }
}

// Each kind of output is refused in a directory that does not exist, and
// nothing is created.
TEST(Faults, OutputInAMissingDirectoryIsRefusedForEveryKind) {
  for (const char* option : {"/nocrc", "/internal", "/include"}) {
    e2e::TempDir work;
    e2e::WriteFile(work / "app.ls",
                   SourceWithHeader("OUTFILE = missing\\app.lng\nPROGRAMID = AP\n"));
    const e2e::ProgramResult result =
        e2e::RunProgram({"app.ls", option}, work.path());
    EXPECT_EQ(result.status, 2) << option;
    EXPECT_TRUE(EndsWith(result.out,
                         "   Error could not create/open the file.. Aborting!\r\n"))
        << option << "\n" << result.out;
    EXPECT_EQ(e2e::ListFiles(work.path()), std::vector<std::string>{"app.ls"});
  }
}

// A FIFO is not a source file: the program must not wait for a writer.
TEST(Faults, SourceThatIsAFifoIsNotFound) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "the FIFO is made with POSIX calls";
  e2e::TempDir work;
  const std::string fifo = work / "app.ls";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  // Should the program open the FIFO, this writer lets it go on (and the
  // test fail) instead of hanging; otherwise the test's own open frees it.
  std::thread writer([&fifo] {
    const int fd = open(fifo.c_str(), O_WRONLY);
    if (fd >= 0) close(fd);
  });
  const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  writer.join();
  if (reader >= 0) close(reader);
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(EndsWith(result.out, " Compiling from app.ls...\r\n"
                                   "  - File not found.. Aborting!\r\n"))
      << result.out;
}

// A FIFO that nobody reads cannot take the output: writing into it would
// wait forever once its buffer is full, so it is refused like any output
// that cannot be opened. (The outputs here are small: should the FIFO be
// taken, they fit its buffer and the run ends instead of hanging.)
TEST(Faults, OutputThatIsAFifoWithoutReaderIsRefused) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "the FIFO is made with POSIX calls";
  for (const std::string option : {"/nocrc", "/internal"}) {
    e2e::TempDir work;
    e2e::WriteFile(work / "app.ls", kSource);
    const std::string output =
        option == "/internal" ? "lib_language_internal.pas" : "out.lng";
    ASSERT_EQ(mkfifo((work / output).c_str(), 0644), 0);
    const e2e::ProgramResult result =
        e2e::RunProgram({"app.ls", option}, work.path());
    EXPECT_EQ(result.status, 2) << option;
    EXPECT_TRUE(EndsWith(result.out,
                         "   Error could not create/open the file.. Aborting!\r\n"))
        << option << "\n" << result.out;
  }
}

// A line of 200 MB is read while the program holds about that one line: a
// comment is passed over, a body text is refused as too long.
TEST(Faults, SourceLineOf200MBHoldsAboutOneLine) {
  if (e2e::UnderLauncher()) GTEST_SKIP() << "measures the program's own memory";
  constexpr std::size_t kLine = 200u << 20;
  struct Case {
    const char* name;
    const char* before;  // the text of the long line before its 200 MB
    int status;
    const char* tail;
  };
  const Case cases[] = {
      {"comment", "# ", 0, " - Compiled successfully! ["},
      {"body text", "LONG = ", 2, "    Info: Text too long (max 65535 chars)\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::TempDir work;
    {
      // Written piece by piece: the test itself stays small, since a child
      // starts out counting its parent's memory.
      std::ofstream out(work / "app.ls", std::ios::binary);
      out << "{LSF}\n{HEADER}\nOUTFILE = out.lng\n{/HEADER}\n{BODY}\n" << c.before;
      const std::string piece(1 << 20, 'x');
      for (std::size_t written = 0; written < kLine; written += piece.size())
        out << piece;
      out << "\nHELLO = Hi\n{/BODY}\n{/LSF}\n";
      ASSERT_TRUE(out.good());
    }
    const e2e::ProgramResult result = e2e::RunProgram({"app.ls"}, work.path());
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.out.find(c.tail), std::string::npos) << result.out;
    rusage usage;
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    const double peak_bytes = static_cast<double>(usage.ru_maxrss) * 1024.0;
    EXPECT_LT(peak_bytes, 3.0 * kLine) << "peak RSS " << usage.ru_maxrss << " KiB";
  }
}

}  // namespace
