#include "source/reader_state.h"

bool ApplyTag(std::string_view tag, ReaderState& s) {
  if (tag == "{LSF}") {
    s.IsLSF = true;
  } else if (tag == "{HEADER}" && s.IsLSF && !s.IsBody) {
    s.IsHeader = true;
  } else if (tag == "{BODY}" && s.IsLSF && !s.IsHeader) {
    s.IsBody = true;
  } else if (tag == "{/HEADER}" && s.IsLSF && s.IsHeader) {
    s.IsHeader = false;
  } else if (tag == "{/BODY}" && s.IsLSF && s.IsBody) {
    s.IsBody = false;
  } else if (tag == "{/LSF}" && s.IsLSF && !s.IsHeader && !s.IsBody) {
    s.IsLSF = false;
  } else {
    return false;
  }
  return true;
}
