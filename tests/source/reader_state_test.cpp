#include "source/reader_state.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr ReaderState kOutside{false, false, false};
constexpr ReaderState kInside{true, false, false};
constexpr ReaderState kHeader{true, true, false};
constexpr ReaderState kBody{true, false, true};

// The flags as "LSF/Header/Body" bits, such as "110" for a header.
std::string Bits(const ReaderState& s) {
  return {s.IsLSF ? '1' : '0', s.IsHeader ? '1' : '0', s.IsBody ? '1' : '0'};
}

// Every tag in every state that can arise: accepted, and the state after.
TEST(ApplyTag, AcceptanceTable) {
  const struct {
    ReaderState before;
    const char* tag;
    bool accepted;
    ReaderState after;
  } cases[] = {
      {kOutside, "{LSF}", true, kInside},
      {kOutside, "{HEADER}", false, kOutside},
      {kOutside, "{BODY}", false, kOutside},
      {kOutside, "{/HEADER}", false, kOutside},
      {kOutside, "{/BODY}", false, kOutside},
      {kOutside, "{/LSF}", false, kOutside},

      {kInside, "{LSF}", true, kInside},
      {kInside, "{HEADER}", true, kHeader},
      {kInside, "{BODY}", true, kBody},
      {kInside, "{/HEADER}", false, kInside},
      {kInside, "{/BODY}", false, kInside},
      {kInside, "{/LSF}", true, kOutside},

      {kHeader, "{LSF}", true, kHeader},
      {kHeader, "{HEADER}", true, kHeader},
      {kHeader, "{BODY}", false, kHeader},
      {kHeader, "{/HEADER}", true, kInside},
      {kHeader, "{/BODY}", false, kHeader},
      {kHeader, "{/LSF}", false, kHeader},

      {kBody, "{LSF}", true, kBody},
      {kBody, "{HEADER}", false, kBody},
      {kBody, "{BODY}", true, kBody},
      {kBody, "{/HEADER}", false, kBody},
      {kBody, "{/BODY}", true, kInside},
      {kBody, "{/LSF}", false, kBody},
  };
  for (const auto& c : cases) {
    ReaderState state = c.before;
    EXPECT_EQ(ApplyTag(c.tag, state), c.accepted) << Bits(c.before) << c.tag;
    EXPECT_EQ(Bits(state), Bits(c.after)) << Bits(c.before) << c.tag;
  }
}

// The caller trims and folds; anything else is no tag in any state.
TEST(ApplyTag, OnlyTheExactTagsAreTags) {
  for (const char* tag : {"{lsf}", "{LSF} X", "{ LSF }", "{LSF}}", "{X}",
                          "{", "{}", "{/}", "LSF", "{HEADER }", "{/ BODY}"}) {
    for (ReaderState before : {kOutside, kInside, kHeader, kBody}) {
      ReaderState state = before;
      EXPECT_FALSE(ApplyTag(tag, state)) << tag;
      EXPECT_EQ(Bits(state), Bits(before)) << tag;
    }
  }
}

}  // namespace
