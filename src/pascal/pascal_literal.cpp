#include "pascal/pascal_literal.h"

std::string PascalLiteral(std::string_view text) {
  std::string literal;
  literal.reserve(text.size() + 2);
  literal += '\'';
  for (char c : text) {
    if (c == '\'') literal += '\'';
    literal += c;
  }
  literal += '\'';
  return literal;
}
