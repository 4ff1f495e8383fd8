// Which block of an LSF source the reader is in, and the tags that move it.
#ifndef ZMLFC_SOURCE_READER_STATE_H_
#define ZMLFC_SOURCE_READER_STATE_H_

#include <string_view>

struct ReaderState {
  bool IsLSF = false;     // inside {LSF} ... {/LSF}
  bool IsHeader = false;  // inside {HEADER} ... {/HEADER}
  bool IsBody = false;    // inside {BODY} ... {/BODY}
};

// Applies a tag line, already trimmed and folded to upper case, to `state`.
// False, with `state` unchanged, when the line is no tag or the tag is not
// accepted in this state.
bool ApplyTag(std::string_view tag, ReaderState& state);

#endif  // ZMLFC_SOURCE_READER_STATE_H_
