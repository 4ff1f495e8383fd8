// Pascal string literals for the generated source.
#ifndef ZMLFC_PASCAL_PASCAL_LITERAL_H_
#define ZMLFC_PASCAL_PASCAL_LITERAL_H_

#include <string>
#include <string_view>

// `text` in single quotes, each single quote in it doubled. Every other
// byte, control characters and bytes above 127 included, is copied as it is:
// the literal stands for exactly the bytes of `text`.
std::string PascalLiteral(std::string_view text);

#endif  // ZMLFC_PASCAL_PASCAL_LITERAL_H_
