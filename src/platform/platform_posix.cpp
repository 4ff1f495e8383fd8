// The platform layer on POSIX: iconv for code pages, file descriptors for
// files. Two rules keep its results equal to the Windows program's: in a
// single-byte page a byte the page does not define maps to U+00xx and back,
// and the OEM code page is the ANSI code page.
#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <limits.h>
#include <locale.h>
#include <malloc.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/codepage.h"
#include "platform/platform.h"

namespace platform {

namespace {

int g_codepage = kDefaultCodePage;  // fixed once by Startup

// Raises EInOutError for errno `error`: the errors that have a message of
// their own by that message's code, every other one as "I/O error <errno>".
[[noreturn]] void RaiseSystemError(int error) {
  switch (error) {
    case ENOENT: RaiseInOutError(2);
    case ENAMETOOLONG: RaiseInOutError(3);
    case EMFILE: RaiseInOutError(4);
    case EACCES:
    case EPERM: RaiseInOutError(5);
    case ENOSPC: RaiseInOutError(101);
    default: throw Failure("EInOutError", "I/O error " + std::to_string(error));
  }
}

// Windows separates directories with "\" too; a path that holds a NUL byte
// cannot reach the file system whole, so it names nothing.
bool NativePath(const std::string& path, std::string* native) {
  if (path.find('\0') != std::string::npos) return false;
  *native = path;
  for (char& c : *native)
    if (c == '\\') c = '/';
  return true;
}

std::string IconvName(int codepage) {
  if (codepage == kUtf8CodePage) return "UTF-8";
  return "CP" + std::to_string(codepage);
}

class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of [*in, *in + *in_left) as it can into `out`; returns
  // false at an invalid or incomplete sequence, with *in pointing at it.
  bool Convert(const char** in, std::size_t* in_left, std::string* out) {
    char buffer[4096];
    while (*in_left > 0) {
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      char* in_ptr = const_cast<char*>(*in);
      const std::size_t r = iconv(cd_, &in_ptr, in_left, &out_ptr, &out_left);
      *in = in_ptr;
      out->append(buffer, out_ptr - buffer);
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

// A single-byte page as two tables, built once from iconv.
struct SingleBytePage {
  std::array<char16_t, 256> to_unicode;
  // The way back, looked up once per character of every text written as
  // Pascal source: the units below 256 directly (the byte, or -1), the few
  // others sorted for a binary search. Small, so a run that needs no way
  // back pays next to nothing for it.
  std::array<std::int16_t, 256> from_low_unit;
  std::vector<std::pair<char16_t, unsigned char>> from_other_unit;

  // The byte of `unit`, or -1 when the page has none.
  int ByteOf(char16_t unit) const {
    if (unit < 256) return from_low_unit[unit];
    const auto found = std::lower_bound(
        from_other_unit.begin(), from_other_unit.end(), std::make_pair(unit, static_cast<unsigned char>(0)));
    return found != from_other_unit.end() && found->first == unit ? found->second : -1;
  }
};

const SingleBytePage* SingleBytePageOf(int codepage) {
  static std::mutex mutex;
  static std::map<int, SingleBytePage> pages;
  std::lock_guard<std::mutex> lock(mutex);
  auto found = pages.find(codepage);
  if (found != pages.end()) return &found->second;

  Iconv decoder("UTF-16LE", IconvName(codepage));
  if (!decoder.ok()) return nullptr;
  SingleBytePage page;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const char* in = &byte;
    std::size_t left = 1;
    std::string out;
    char16_t unit = static_cast<char16_t>(b);
    if (decoder.Convert(&in, &left, &out) && out.size() == 2)
      unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                   static_cast<unsigned char>(out[1]) << 8);
    page.to_unicode[b] = unit;
  }
  // The first byte of a unit wins when two bytes give the same unit.
  page.from_low_unit.fill(-1);
  for (int b = 0; b < 256; ++b) {
    const char16_t unit = page.to_unicode[b];
    if (unit >= 256) {
      page.from_other_unit.emplace_back(unit, static_cast<unsigned char>(b));
    } else if (page.from_low_unit[unit] < 0) {
      page.from_low_unit[unit] = static_cast<std::int16_t>(b);
    }
  }
  std::stable_sort(page.from_other_unit.begin(), page.from_other_unit.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return &pages.emplace(codepage, std::move(page)).first->second;
}

std::u16string FromUtf16LeBytes(const std::string& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return text;
}

std::string ToUtf16LeBytes(std::u16string_view text) {
  std::string bytes(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return bytes;
}

// Multi-byte pages (double-byte pages and UTF-8) through iconv in one
// piece; a sequence the page does not define becomes U+FFFD.
std::u16string MultiByteToUtf16(int codepage, std::string_view text) {
  Iconv decoder("UTF-16LE", IconvName(codepage));
  std::string out;
  const char* in = text.data();
  std::size_t left = text.size();
  while (!decoder.Convert(&in, &left, &out)) {
    // What Windows gives for bytes the page does not define, so that both
    // programs read such a source alike.
    std::size_t length = 1;
    const char16_t unit =
        codepage == 932
            ? Undefined932Unit(static_cast<unsigned char>(*in), left, &length)
            : 0xFFFD;
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
    in += length;
    left -= length;
  }
  return FromUtf16LeBytes(out);
}

std::string Utf16ToMultiByte(int codepage, std::u16string_view text) {
  Iconv encoder(IconvName(codepage), "UTF-16LE");
  const std::string bytes = ToUtf16LeBytes(text);
  std::string out;
  const char* in = bytes.data();
  std::size_t left = bytes.size();
  while (!encoder.Convert(&in, &left, &out)) {
    // Skip the whole character: a surrogate pair is two units.
    std::size_t skip = 2;
    const unsigned unit = static_cast<unsigned char>(in[0]) |
                          static_cast<unsigned char>(in[1]) << 8;
    const unsigned char undefined =
        codepage == 932 ? Undefined932Byte(static_cast<char16_t>(unit)) : 0;
    out += undefined != 0 ? static_cast<char>(undefined) : '?';
    if (unit >= 0xD800 && unit <= 0xDBFF && left >= 4) skip = 4;
    if (left < skip) skip = left;
    in += skip;
    left -= skip;
  }
  return out;
}

}  // namespace

bool Startup(std::string* error) {
  // A reader that goes away must turn into a write error, not a signal.
  signal(SIGPIPE, SIG_IGN);
  // Texts of up to 128 KiB each would otherwise get a mapping of their own,
  // and unmapping 2000 of them costs more than reading them.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  bool set = false;
  if (!CodePageFromEnvironment(&set, &g_codepage, error)) return false;
  if (set) return true;
  const char* locale = nullptr;
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    locale = std::getenv(name);
    if (locale != nullptr && *locale != '\0') break;
    locale = nullptr;
  }
  g_codepage = locale ? CodePageOfLocale(locale) : kDefaultCodePage;
  return true;
}

std::vector<std::string> CommandLineParameters(int argc, char** argv) {
  std::vector<std::string> parameters;
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] != '\0') parameters.emplace_back(argv[i]);
  return parameters;
}

int CodePage() { return g_codepage; }

bool IsSupportedCodePage(int codepage) {
  if (!IsKnownCodePage(codepage)) return false;
  Iconv probe("UTF-16LE", IconvName(codepage));
  return probe.ok();
}

std::u16string ToUtf16(int codepage, std::string_view text) {
  if (IsDoubleByteCodePage(codepage) || codepage == kUtf8CodePage)
    return MultiByteToUtf16(codepage, text);
  const SingleBytePage* page = SingleBytePageOf(codepage);
  std::u16string result(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    result[i] = page ? page->to_unicode[b] : static_cast<char16_t>(b);
  }
  return result;
}

std::string FromUtf16(int codepage, std::u16string_view text) {
  if (IsDoubleByteCodePage(codepage) || codepage == kUtf8CodePage)
    return Utf16ToMultiByte(codepage, text);
  const SingleBytePage* page = SingleBytePageOf(codepage);
  std::string result(text.size(), '?');
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (page == nullptr) {
      if (text[i] < 0x100) result[i] = static_cast<char>(text[i]);
      continue;
    }
    const int byte = page->ByteOf(text[i]);
    if (byte >= 0) result[i] = static_cast<char>(byte);
  }
  return result;
}

std::string AnsiToOem(std::string_view text) { return std::string(text); }

bool IsLeadByte(int codepage, unsigned char b) {
  return IsLeadByteOfPage(codepage, b);
}

std::string DecimalSeparator() {
  std::string separator = ".";
  if (setlocale(LC_NUMERIC, "") != nullptr) {
    const char* point = localeconv()->decimal_point;
    if (point != nullptr && *point != '\0') separator = point;
    setlocale(LC_NUMERIC, "C");
  }
  return separator;
}

double LocalTimeDays() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  tm local;
  localtime_r(&now.tv_sec, &local);
  // Days from 1899-12-30 to the civil date (proleptic Gregorian).
  long y = local.tm_year + 1900;
  const long m = local.tm_mon + 1;
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + local.tm_mday - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days_since_1970 = era * 146097 + doe - 719468;
  const long days = days_since_1970 + 25569;
  const long ms = ((local.tm_hour * 60L + local.tm_min) * 60L + local.tm_sec) * 1000L +
                  now.tv_nsec / 1000000L;
  return static_cast<double>(days) + static_cast<double>(ms) / 86400000.0;
}

void WriteStdout(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseSystemError(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void WriteStderr(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(STDERR_FILENO, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string ExecutableName() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "zmlfc";
  const std::string path(buffer, static_cast<std::size_t>(n));
  return path.substr(path.find_last_of('/') + 1);
}

bool FileExists(const std::string& path) {
  std::string native;
  struct stat info;
  return NativePath(path, &native) && !native.empty() &&
         stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsSameFile(const std::string& path, const FileIdentity& identity) {
  std::string native;
  struct stat info;
  return identity.valid && NativePath(path, &native) && !native.empty() &&
         stat(native.c_str(), &info) == 0 &&
         static_cast<std::uint64_t>(info.st_dev) == identity.volume &&
         static_cast<std::uint64_t>(info.st_ino) == identity.index;
}

// --- InputFile ---------------------------------------------------------------

struct InputFile::Handle {
  int fd = -1;
};

InputFile::InputFile(const std::string& path) : handle_(new Handle) {
  std::string native;
  if (!NativePath(path, &native)) RaiseSystemError(ENOENT);
  handle_->fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle_->fd < 0) RaiseSystemError(errno);
  struct stat info;
  if (fstat(handle_->fd, &info) == 0) {
    identity_.valid = true;
    identity_.volume = static_cast<std::uint64_t>(info.st_dev);
    identity_.index = static_cast<std::uint64_t>(info.st_ino);
  }
}

InputFile::~InputFile() { Close(); }

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(handle_->fd, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) RaiseSystemError(errno);
  }
}

void InputFile::Close() {
  if (handle_ && handle_->fd >= 0) {
    close(handle_->fd);
    handle_->fd = -1;
  }
}

std::string ReadWholeFile(const std::string& path, std::int64_t max_size) {
  std::string native;
  NativePath(path, &native);
  std::string full = native;
  if (full.empty() || full[0] != '/') {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) != nullptr) full = std::string(cwd) + "/" + full;
  }
  auto fail = [&full](int error) {
    throw Failure("EFOpenError", "Cannot open file \"" + full + "\". " +
                                     std::strerror(error));
  };
  const int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail(errno);
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  std::string content;
  struct stat info;
  if (fstat(fd, &info) == 0 && info.st_size > 0) {
    if (info.st_size > max_size) fail(EFBIG);
    content.reserve(static_cast<std::size_t>(info.st_size));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    content.append(buffer, static_cast<std::size_t>(n));
    if (static_cast<std::int64_t>(content.size()) > max_size) fail(EFBIG);
  }
  return content;
}

// --- OutputFile --------------------------------------------------------------

struct OutputFile::Handle {
  int fd = -1;
};

OutputFile::OutputFile() : handle_(new Handle) {}

OutputFile::~OutputFile() {
  if (handle_->fd >= 0) close(handle_->fd);
}

bool OutputFile::Create(const std::string& path) {
  std::string native;
  if (!NativePath(path, &native) || native.empty()) return false;
  int fd = open(native.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK,
                0666);
  // A FIFO opened for reading and writing is its own reader: with nobody
  // else reading, a write past the pipe's buffer would wait forever. So a
  // FIFO is opened for writing only, which fails unless someone reads it.
  struct stat info;
  if (fd >= 0 && fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode)) {
    close(fd);
    fd = open(native.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  }
  if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  handle_->fd = fd;
  return fd >= 0;
}

void OutputFile::Write(const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(handle_->fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) RaiseWriteError();
    p += n;
    size -= static_cast<std::size_t>(n);
  }
}

void OutputFile::SeekToStart() {
  if (lseek(handle_->fd, 0, SEEK_SET) != 0) RaiseSystemError(errno);
}

std::int64_t OutputFile::Size() {
  struct stat info;
  if (fstat(handle_->fd, &info) != 0) RaiseSystemError(errno);
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace platform
