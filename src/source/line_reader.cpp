#include "source/line_reader.h"

#include <cstring>

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

}  // namespace

LineReader::LineReader(ReadFunction read)
    : read_(std::move(read)), buffer_(kChunkSize) {}

bool LineReader::Fill() {
  if (position_ < size_) return true;
  if (ended_) return false;
  size_ = read_(buffer_.data(), buffer_.size());
  position_ = 0;
  if (size_ == 0) ended_ = true;
  return size_ > 0;
}

bool LineReader::Next(std::string* line) {
  line->clear();
  // Whether the line has begun. A dropped CR does not begin one, so a CR
  // at the very end or just before Ctrl-Z adds no empty line.
  bool started = false;
  while (Fill()) {
    const char* begin = buffer_.data() + position_;
    const std::size_t available = size_ - position_;
    // Copy the run of ordinary bytes at once; stop at the next special one.
    std::size_t n = 0;
    while (n < available && begin[n] != '\n' && begin[n] != '\r' &&
           begin[n] != kCtrlZ)
      ++n;
    line->append(begin, n);
    position_ += n;
    started = started || n > 0;
    if (n == available) continue;

    const char special = begin[n];
    ++position_;
    if (special == '\r') continue;
    if (special == '\n') return true;
    // Ctrl-Z: the text ends here, inside a line or before one.
    ended_ = true;
    position_ = size_;
    return started;
  }
  return started;
}
