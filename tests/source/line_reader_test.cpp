#include "source/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The lines of `bytes`, handed to the reader `step` bytes per read so that
// line ends, CRs and Ctrl-Z fall on every side of a read boundary.
std::vector<std::string> LinesOf(const std::string& bytes, std::size_t step) {
  std::size_t at = 0;
  LineReader reader([&](char* buffer, std::size_t n) {
    const std::size_t count = std::min({n, step, bytes.size() - at});
    std::copy_n(bytes.data() + at, count, buffer);
    at += count;
    return count;
  });
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(&line)) lines.push_back(line);
  EXPECT_FALSE(reader.Next(&line)) << "the end stays the end";
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, SplitsLines) {
  const struct {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"empty file", "", {}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"last line without end", "a\r\nb", {"a", "b"}},
      {"final line end starts no line", "a\n", {"a"}},
      {"empty lines count", "\n\r\n\n", {"", "", ""}},
      {"lone CR dropped", std::string("AB\rCD\r\n"), {"ABCD"}},
      {"CRs only", "\r\r", {}},
      {"CR after the last line end", "a\n\r", {"a"}},
      {"CR CR LF", "a\r\r\nb", {"a", "b"}},
      {"Ctrl-Z at a line start", "a\n\x1A" "b\nc\n", {"a"}},
      {"Ctrl-Z first", "\x1A" "a\n", {}},
      {"Ctrl-Z inside a line", "a\nb\x1A" "c\nd\n", {"a", "b"}},
      {"Ctrl-Z after a dropped CR", "a\n\r\x1A" "b", {"a"}},
      {"NUL and high bytes kept", std::string("\0\x80\xFF\n", 4),
       {std::string("\0\x80\xFF", 3)}},
      {"byte order mark is text", "\xEF\xBB\xBF{LSF}\n", {"\xEF\xBB\xBF{LSF}"}},
  };
  for (const auto& c : cases)
    for (std::size_t step : {std::size_t{1}, std::size_t{2}, std::size_t{1} << 20})
      EXPECT_EQ(LinesOf(c.bytes, step), c.lines) << c.name << ", step " << step;
}

TEST(LineReader, LineLongerThanManyReads) {
  const std::string long_line(300 * 1024 + 7, 'x');
  const Lines lines = LinesOf(long_line + "\r\nend", 4096);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], long_line);
  EXPECT_EQ(lines[1], "end");
}

}  // namespace
