// The one door to the operating system. Everything that differs between the
// POSIX build and the Windows build lives behind these declarations; one
// implementation file per platform (platform_posix.cpp, platform_win32.cpp).
//
// 8-bit text ("ANSI" text) is in the code page in force: ZMLFC_CODEPAGE when
// set, else the thread's ANSI code page (Windows) or the Windows code page of
// the locale's language (POSIX).
#ifndef ZMLFC_PLATFORM_PLATFORM_H_
#define ZMLFC_PLATFORM_PLATFORM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"

namespace platform {

// Prepares the process: standard output in binary mode, a closed pipe as a
// write error instead of a signal, the code page in force. Returns false and
// fills *error when ZMLFC_CODEPAGE names a code page that is not supported.
bool Startup(std::string* error);

// The parameters after the program's own name, split by the command-line
// rule (POSIX: the shell has split them; empty ones are dropped).
std::vector<std::string> CommandLineParameters(int argc, char** argv);

// --- Code pages -------------------------------------------------------------

// The code page in force, fixed by Startup.
int CodePage();

bool IsSupportedCodePage(int codepage);

// ANSI -> UTF-16 with the platform's default handling of unmapped bytes.
std::u16string ToUtf16(int codepage, std::string_view text);
// UTF-16 -> ANSI: a character the page lacks becomes a close substitute or
// the page's default character.
std::string FromUtf16(int codepage, std::u16string_view text);
// ANSI -> OEM code page, for the failure report.
std::string AnsiToOem(std::string_view text);
// Whether b is the first byte of a double-byte character in codepage.
bool IsLeadByte(int codepage, unsigned char b);

inline std::u16string ToUtf16(std::string_view text) {
  return ToUtf16(CodePage(), text);
}
inline std::string FromUtf16(std::u16string_view text) {
  return FromUtf16(CodePage(), text);
}

// --- Locale and clock -------------------------------------------------------

// The decimal separator of the user's locale, "." when it gives none.
std::string DecimalSeparator();
// Local date and time in days (since 1899-12-30), millisecond resolution.
double LocalTimeDays();

// --- Standard streams -------------------------------------------------------

// Writes every byte to standard output at once (no buffering, so partial
// progress lines show immediately); a failed write raises EInOutError.
void WriteStdout(std::string_view bytes);
// Best effort: the failure report must not fail in turn.
void WriteStderr(std::string_view bytes);

// The executable's file name without its directory.
std::string ExecutableName();

// --- Files ------------------------------------------------------------------

// Identity of an open file: equal identities name the same file.
struct FileIdentity {
  bool valid = false;
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
};

// Whether path names an existing regular file (not a directory).
bool FileExists(const std::string& path);

// Whether path names an existing file whose identity is `identity`.
bool IsSameFile(const std::string& path, const FileIdentity& identity);

// A file opened for reading: read access, shared with other readers.
class InputFile {
 public:
  // Raises EInOutError with the system's error code when it cannot be opened.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Reads up to `size` bytes; 0 at the end of the file. Raises EInOutError.
  std::size_t Read(char* buffer, std::size_t size);
  void Close();
  const FileIdentity& Identity() const { return identity_; }

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
  FileIdentity identity_;
};

// The whole content of a file. Raises EFOpenError "Cannot open file "<full
// path>". <reason>" when the file cannot be opened or read, or is larger
// than `max_size` bytes.
std::string ReadWholeFile(const std::string& path, std::int64_t max_size);

// The output file: created or truncated, read/write, not shared.
class OutputFile {
 public:
  OutputFile();
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False when the file cannot be created (the caller reports it).
  bool Create(const std::string& path);
  // Writes every byte or raises EWriteError.
  void Write(const void* data, std::size_t size);
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  void SeekToStart();
  std::int64_t Size();

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace platform

#endif  // ZMLFC_PLATFORM_PLATFORM_H_
