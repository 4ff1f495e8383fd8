#include "western_text.h"

#include <cstddef>

namespace {

// Code page 1252 bytes; every byte is one the page defines, so iconv and
// the compiler agree on the conversion.
const char* const kWords[] = {
    "the", "of", "and", "to", "in", "is", "that", "for", "it", "as", "with",
    "was", "on", "be", "by", "this", "are", "or", "from", "at", "which",
    "but", "not", "have", "file", "open", "save", "close", "print", "edit",
    "view", "help", "window", "settings", "options", "language",
    "translation", "error", "warning", "cancel", "retry", "ignore", "abort",
    "continue", "the", "value", "cannot", "be", "empty", "please", "try",
    "again", "later", "caf\xe9", "na\xef" "ve", "\xfc" "ber", "Stra\xdf" "e",
    "gar\xe7" "on", "d\xe9" "j\xe0", "vu", "se\xf1" "or", "ma\xf1" "ana",
    "\xc5" "ngstr\xf6" "m", "\xd8" "resund", "\x9c" "uvre", "fa\xe7" "ade",
    "cr\xe8" "me", "br\xfb" "l\xe9" "e", "Gr\xf6" "\xdf" "e",
    "\xc4" "nderung", "\xdc" "bersicht", "Schlie\xdf" "en", "\xd6" "ffnen",
    "Datei", "Fenster", "Einstellungen", "\xdc" "berpr\xfc" "fen",
    "\xe9" "l\xe8" "ve", "pr\xe9" "f\xe9" "rences", "param\xe8" "tres",
    "fen\xea" "tre", "fermer", "enregistrer", "aper\xe7" "u", "\xe0",
    "o\xf9", "\xe9" "t\xe9", "\x80", "12,50", "\x97", "\xab", "\xbb",
    "\x93" "quoted\x94", "\x91" "single\x92", "\x85", "\xbd", "\xbe", "\xa9",
    "\xae", "\x99", "\xb1", "\xd7", "\xf7", "\xb0", "\xb5", "\xbf", "\xa1",
    "\x89", "\x95", "\x86", "\x87", "\x8a", "\x9a", "\x8e", "\x9e", "\x9f",
    "\x83", "\x88", "\x98", "L'eau", "l'\xe9" "cran", "d'abord",
    "\"double\"", "100%", "<tag>", "[x]", "{y}", "a\\b", "tab\there",
    "C:\\Temp\\file.txt", "a\xe7" "\xe3" "o", "informa\xe7" "\xe3" "o",
    "configura\xe7" "\xe3" "o", "arquivo", "n\xe3" "o", "sim",
    "portugu\xea" "s",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

}  // namespace

std::string MakeWesternText(Random& random, int length) {
  std::string text;
  text.reserve(static_cast<std::size_t>(length) + 32);
  while (text.size() < static_cast<std::size_t>(length)) {
    if (!text.empty()) text += ' ';
    text += kWords[random.Next() % kWordCount];
  }
  text.resize(static_cast<std::size_t>(length));
  return text;
}
