// The end-to-end cases under cases/: each folder is one run of the program.
//
//   args           the parameters, one per line (no file: no parameters)
//   env            optional NAME=value lines for the program's environment
//   in/            files placed in the working directory before the run
//   expect/status  the exit status
//   expect/stdout  standard output, the elapsed seconds written as #.###
//   expect/stderr  optional: standard error
//   expect/files/  every file the run creates or changes, byte for byte;
//                  files of in/ not listed here must stay unchanged, and no
//                  other file may appear
//
// ZMLFC_UPDATE_GOLDEN=1 rewrites expect/ from what the program does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "program_runner.h"

namespace fs = std::filesystem;

namespace {

// The module name and the working directory vary from run to run.
std::string NormaliseStderr(std::string err, const std::string& dir) {
  for (std::size_t at; (at = err.find(dir)) != std::string::npos;)
    err.replace(at, dir.size(), "<dir>");
  for (std::size_t at; (at = err.find("zmlfc.exe")) != std::string::npos;)
    err.replace(at, 9, "zmlfc");
  return err;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(ZMLFC_CASES_DIR))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Case : public testing::TestWithParam<std::string> {};

TEST_P(Case, Runs) {
  const fs::path dir = fs::path(ZMLFC_CASES_DIR) / GetParam();
  const bool update = std::getenv("ZMLFC_UPDATE_GOLDEN") != nullptr;
  e2e::TempDir work;

  std::set<std::string> inputs;
  if (fs::exists(dir / "in")) {
    fs::copy(dir / "in", work.path(), fs::copy_options::recursive);
    for (const std::string& name : e2e::ListFiles((dir / "in").string()))
      inputs.insert(name);
  }
  std::vector<std::string> args;
  if (fs::exists(dir / "args")) args = e2e::SplitLines(e2e::ReadFile((dir / "args").string()));
  e2e::Environment env;
  if (fs::exists(dir / "env"))
    for (const std::string& line : e2e::SplitLines(e2e::ReadFile((dir / "env").string())))
      env.emplace_back(line.substr(0, line.find('=')),
                       line.substr(line.find('=') + 1));

  const e2e::ProgramResult result = e2e::RunProgram(args, work.path(), env);
  const std::string out = e2e::MaskElapsed(result.out);
  const std::string err = NormaliseStderr(result.err, work.path());

  const fs::path expect = dir / "expect";
  std::set<std::string> changed;
  for (const std::string& name : e2e::ListFiles(work.path())) {
    const std::string now = e2e::ReadFile(work / name);
    if (!inputs.count(name) ||
        now != e2e::ReadFile((dir / "in" / name).string()))
      changed.insert(name);
  }

  if (update) {
    fs::remove_all(expect);
    e2e::WriteFile((expect / "status").string(),
                   std::to_string(result.status) + "\n");
    e2e::WriteFile((expect / "stdout").string(), out);
    if (!err.empty()) e2e::WriteFile((expect / "stderr").string(), err);
    for (const std::string& name : changed)
      e2e::WriteFile((expect / "files" / name).string(), e2e::ReadFile(work / name));
    return;
  }

  EXPECT_EQ(std::to_string(result.status) + "\n",
            e2e::ReadFile((expect / "status").string()));
  EXPECT_EQ(out, e2e::ReadFile((expect / "stdout").string()));
  EXPECT_EQ(err, fs::exists(expect / "stderr")
                     ? e2e::ReadFile((expect / "stderr").string())
                     : std::string());
  std::set<std::string> expected_files;
  if (fs::exists(expect / "files"))
    for (const std::string& name : e2e::ListFiles((expect / "files").string()))
      expected_files.insert(name);
  EXPECT_EQ(changed, expected_files);
  for (const std::string& name : expected_files) {
    if (!changed.count(name)) continue;
    EXPECT_EQ(e2e::ReadFile(work / name),
              e2e::ReadFile((expect / "files" / name).string()))
        << name;
  }
}

INSTANTIATE_TEST_SUITE_P(E2E, Case, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
