// Splits a byte stream into the lines of an LSF source, holding only the
// current line: LF ends a line, every CR is dropped (the one before LF and
// a lone one alike), and Ctrl-Z ends the text.
#ifndef ZMLFC_SOURCE_LINE_READER_H_
#define ZMLFC_SOURCE_LINE_READER_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class LineReader {
 public:
  // `read` fills up to n bytes of its buffer and returns how many; 0 at the
  // end of the stream.
  using ReadFunction = std::function<std::size_t(char* buffer, std::size_t n)>;

  explicit LineReader(ReadFunction read);

  // The next line into *line; false when the text has ended.
  bool Next(std::string* line);

 private:
  bool Fill();

  ReadFunction read_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t size_ = 0;
  bool ended_ = false;
};

#endif  // ZMLFC_SOURCE_LINE_READER_H_
