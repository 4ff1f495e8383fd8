// The records of the compiled language file, ZMLF version 4, and their
// byte layouts. Every record is serialised field by field, little-endian,
// whatever the host's byte order and the compiler's structure layout.
#ifndef ZMLFC_COMPILED_SPEC_ZMLF_H_
#define ZMLFC_COMPILED_SPEC_ZMLF_H_

#include <array>
#include <cstdint>
#include <string>

// The five descriptive strings, in the order the file stores them.
struct ZMLF_ExtendedHeader {
  std::u16string Name;
  std::u16string Author;
  std::u16string URL;
  std::u16string Email;
  std::u16string FontName;
};

#endif  // ZMLFC_COMPILED_SPEC_ZMLF_H_
