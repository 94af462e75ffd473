// Character tests and scans shared by the line-oriented lexers (Visual Basic,
// batch files, Fortran, COBOL, FoxPro, x86 assembly). They all scan the
// lower-cased copy of the line, so letters are tested in lower case only.
#pragma once

#include <string_view>

namespace qm::classic {

inline bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
inline bool IsLetter(char16_t ch) { return ch >= u'a' && ch <= u'z'; }
inline bool IsWordStart(char16_t ch) { return IsLetter(ch) || ch == u'_'; }
inline bool IsWordChar(char16_t ch) { return IsWordStart(ch) || IsDigit(ch); }

// The index after the run of characters of code 1 to 32 that starts at from.
inline int SpaceEnd(std::u16string_view text, int from) {
  const int len = static_cast<int>(text.size());
  while (from < len && text[static_cast<size_t>(from)] <= 32) ++from;
  return from;
}

// Where a construct that runs to the end of the line stops: the line's length
// or the first CR or LF at or after from.
inline int LineEnd(std::u16string_view text, int from) {
  const int len = static_cast<int>(text.size());
  while (from < len && text[static_cast<size_t>(from)] != u'\n' && text[static_cast<size_t>(from)] != u'\r') ++from;
  return from;
}

// The index after the run of word characters that starts at from.
inline int WordEnd(std::u16string_view text, int from) {
  const int len = static_cast<int>(text.size());
  while (from < len && IsWordChar(text[static_cast<size_t>(from)])) ++from;
  return from;
}

// A quoted run: from just after the opening quote to and including the next
// quote, or to the end of the line when there is none.
inline int QuotedEnd(std::u16string_view text, int from, char16_t quote) {
  const int len = static_cast<int>(text.size());
  for (; from < len; ++from) {
    const char16_t ch = text[static_cast<size_t>(from)];
    if (ch == quote) return from + 1;
    if (ch == u'\n' || ch == u'\r') return from;
  }
  return from;
}

} // namespace qm::classic
