// A Windows helper for the tests: holds a file open the way another program
// would, runs zmlfc.exe from its own directory with the remaining
// parameters, and ends with zmlfc's exit status.
//
//   hold_file read|write <file> [parameters for zmlfc...]
//
// "read" opens the file for reading, shared with readers and writers;
// "write" opens it for writing, shared with readers only.
#include <windows.h>

#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 125;
  const bool write = std::strcmp(argv[1], "write") == 0;
  HANDLE held = CreateFileA(argv[2], write ? GENERIC_WRITE : GENERIC_READ,
                            write ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 124;

  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 123;
  std::string program(self, length);
  program = program.substr(0, program.find_last_of('\\') + 1) + "zmlfc.exe";

  std::string command_line = "\"" + program + "\"";
  for (int i = 3; i < argc; ++i) command_line += std::string(" \"") + argv[i] + "\"";

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process;
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr,
                      TRUE, 0, nullptr, nullptr, &startup, &process))
    return 122;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 121;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(held);
  return static_cast<int>(status);
}
