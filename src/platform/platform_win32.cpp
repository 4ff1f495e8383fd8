// The platform layer on Windows: the Win32 API throughout. File names are
// turned into UTF-16 with the code page in force and opened with the wide
// calls, so that ZMLFC_CODEPAGE governs paths as it governs every other
// 8-bit text; without it this is exactly what the ANSI calls do.
#include <windows.h>
// <windows.h> defines AnsiToOem as a macro for CharToOemA.
#undef AnsiToOem

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "front/command_line.h"
#include "platform/codepage.h"
#include "platform/platform.h"

namespace platform {

namespace {

int g_codepage = kDefaultCodePage;  // fixed once by Startup

// Windows error codes are the codes of the failure report's message table.
[[noreturn]] void RaiseSystemError(DWORD error) {
  RaiseInOutError(static_cast<int>(error));
}

// The wide form of a path. A NUL byte would cut the path short, so such a
// path names nothing; the empty path names nothing either.
bool WidePath(const std::string& path, std::wstring* wide) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  const std::u16string text = ToUtf16(CodePage(), path);
  wide->assign(text.begin(), text.end());
  return true;
}

// Closes a handle at the end of its scope.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

FileIdentity IdentityOf(HANDLE handle) {
  FileIdentity identity;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(handle, &info)) {
    identity.valid = true;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 |
                     info.nFileIndexLow;
  }
  return identity;
}

// The system's text for an error code, without the line end and the final
// stop (the failure report adds its own).
std::string SystemErrorText(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length > 0 ? std::string(buffer, length)
                                : "System error " + std::to_string(error);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() &&
         (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

// The full path of a file name, for messages; the name itself when the
// system cannot complete it.
std::string FullPath(const std::string& path) {
  std::wstring wide;
  if (!WidePath(path, &wide)) return path;
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  return FromUtf16(CodePage(), std::u16string(full.begin(), full.begin() + length));
}

// Days from 1899-12-30 to a civil date (proleptic Gregorian).
long DaysSince1899(long year, long month, long day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yoe = year - era * 400;
  const long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

void WriteAll(HANDLE handle, std::string_view bytes, bool raise) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(
        bytes.size() < 0x40000000u ? bytes.size() : 0x40000000u);
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) ||
        written == 0) {
      if (!raise) return;
      RaiseSystemError(GetLastError());
    }
    bytes.remove_prefix(written);
  }
}

}  // namespace

bool Startup(std::string* error) {
  // No dialog box for a missing drive or disk: the error comes back as a code.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // Output goes to the handles directly; the C runtime must not translate
  // "\n" should anything still pass through it.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  bool set = false;
  if (!CodePageFromEnvironment(&set, &g_codepage, error)) return false;
  if (set) return true;
  // The thread's ANSI code page: the one of the thread's locale.
  DWORD thread_codepage = 0;
  if (GetLocaleInfoA(GetThreadLocale(),
                     LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<char*>(&thread_codepage),
                     sizeof thread_codepage) == 0 ||
      thread_codepage == 0)
    thread_codepage = GetACP();
  g_codepage = static_cast<int>(thread_codepage);
  return true;
}

std::vector<std::string> CommandLineParameters(int, char**) {
  std::vector<std::string> parameters =
      SplitCommandLine(GetCommandLineA(), CodePage());
  if (!parameters.empty()) parameters.erase(parameters.begin());
  return parameters;
}

int CodePage() { return g_codepage; }

bool IsSupportedCodePage(int codepage) {
  return IsKnownCodePage(codepage) && IsValidCodePage(codepage);
}

std::u16string ToUtf16(int codepage, std::string_view text) {
  if (text.empty()) return std::u16string();
  const int length = MultiByteToWideChar(codepage, 0, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) RaiseSystemError(GetLastError());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codepage, 0, text.data(), static_cast<int>(text.size()),
                      wide.data(), length);
  return std::u16string(wide.begin(), wide.end());
}

std::string FromUtf16(int codepage, std::u16string_view text) {
  if (text.empty()) return std::string();
  const std::wstring wide(text.begin(), text.end());
  const int length =
      WideCharToMultiByte(codepage, 0, wide.data(), static_cast<int>(wide.size()),
                          nullptr, 0, nullptr, nullptr);
  if (length <= 0) RaiseSystemError(GetLastError());
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codepage, 0, wide.data(), static_cast<int>(wide.size()),
                      result.data(), length, nullptr, nullptr);
  return result;
}

std::string AnsiToOem(std::string_view text) {
  std::string oem(text);
  if (oem.empty()) return oem;
  // CharToOemBuffA knows only the process's ANSI page; text in another page
  // in force goes through UTF-16 the same way.
  if (CodePage() == static_cast<int>(GetACP())) {
    CharToOemBuffA(oem.c_str(), oem.data(), static_cast<DWORD>(oem.size()));
    return oem;
  }
  const std::u16string wide = ToUtf16(CodePage(), text);
  return FromUtf16(static_cast<int>(GetOEMCP()), wide);
}

bool IsLeadByte(int codepage, unsigned char b) {
  return IsDBCSLeadByteEx(static_cast<UINT>(codepage), b) != 0;
}

std::string DecimalSeparator() {
  char buffer[8];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL,
                                    buffer, sizeof buffer);
  if (length <= 1) return ".";
  return std::string(buffer, static_cast<std::size_t>(length - 1));
}

double LocalTimeDays() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const long days = DaysSince1899(now.wYear, now.wMonth, now.wDay);
  const long ms =
      ((now.wHour * 60L + now.wMinute) * 60L + now.wSecond) * 1000L +
      now.wMilliseconds;
  return static_cast<double>(days) + static_cast<double>(ms) / 86400000.0;
}

void WriteStdout(std::string_view bytes) {
  WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes, true);
}

void WriteStderr(std::string_view bytes) {
  WriteAll(GetStdHandle(STD_ERROR_HANDLE), bytes, false);
}

std::string ExecutableName() {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return "zmlfc.exe";
  const std::string path(buffer, length);
  return path.substr(path.find_last_of("\\/:") + 1);
}

bool FileExists(const std::string& path) {
  std::wstring wide;
  if (!WidePath(path, &wide)) return false;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsSameFile(const std::string& path, const FileIdentity& identity) {
  std::wstring wide;
  if (!identity.valid || !WidePath(path, &wide)) return false;
  // No access asked for: the identity is readable even while another
  // program holds the file without sharing it.
  ScopedHandle file(CreateFileW(
      wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return false;
  const FileIdentity other = IdentityOf(file.get());
  return other.valid && other.volume == identity.volume &&
         other.index == identity.index;
}

// --- InputFile ---------------------------------------------------------------

struct InputFile::Handle {
  ScopedHandle file;
};

InputFile::InputFile(const std::string& path) : handle_(new Handle) {
  std::wstring wide;
  if (!WidePath(path, &wide)) RaiseSystemError(ERROR_FILE_NOT_FOUND);
  // Shared with readers only: a program that writes the source meanwhile
  // makes this fail with a sharing violation.
  handle_->file.Reset(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle_->file.valid()) RaiseSystemError(GetLastError());
  identity_ = IdentityOf(handle_->file.get());
}

InputFile::~InputFile() { Close(); }

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  const DWORD chunk = static_cast<DWORD>(size < 0x40000000u ? size : 0x40000000u);
  DWORD read = 0;
  if (!ReadFile(handle_->file.get(), buffer, chunk, &read, nullptr)) {
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
    RaiseSystemError(error);
  }
  return read;
}

void InputFile::Close() {
  if (handle_) handle_->file.Reset();
}

std::string ReadWholeFile(const std::string& path, std::int64_t max_size) {
  auto fail = [&path](DWORD error) {
    throw Failure("EFOpenError", "Cannot open file \"" + FullPath(path) +
                                     "\". " + SystemErrorText(error));
  };
  std::wstring wide;
  if (!WidePath(path, &wide)) fail(ERROR_FILE_NOT_FOUND);
  ScopedHandle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.valid()) fail(GetLastError());
  std::string content;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    if (size.QuadPart > max_size) fail(ERROR_FILE_TOO_LARGE);
    content.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      const DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      fail(error);
    }
    if (read == 0) break;
    content.append(buffer, read);
    if (static_cast<std::int64_t>(content.size()) > max_size)
      fail(ERROR_FILE_TOO_LARGE);
  }
  return content;
}

// --- OutputFile --------------------------------------------------------------

struct OutputFile::Handle {
  ScopedHandle file;
};

OutputFile::OutputFile() : handle_(new Handle) {}

OutputFile::~OutputFile() = default;

bool OutputFile::Create(const std::string& path) {
  std::wstring wide;
  if (!WidePath(path, &wide)) return false;
  handle_->file.Reset(CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
  return handle_->file.valid();
}

void OutputFile::Write(const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(size < 0x40000000u ? size : 0x40000000u);
    DWORD written = 0;
    if (!WriteFile(handle_->file.get(), p, chunk, &written, nullptr) ||
        written == 0)
      RaiseWriteError();
    p += written;
    size -= written;
  }
}

void OutputFile::SeekToStart() {
  LARGE_INTEGER start;
  start.QuadPart = 0;
  if (!SetFilePointerEx(handle_->file.get(), start, nullptr, FILE_BEGIN))
    RaiseSystemError(GetLastError());
}

std::int64_t OutputFile::Size() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle_->file.get(), &size)) RaiseSystemError(GetLastError());
  return size.QuadPart;
}

}  // namespace platform
