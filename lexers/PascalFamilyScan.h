// Character classes and small scanning steps shared by the Object Pascal,
// form-file and Inno Setup lexers. The steps read the scan copy of a line
// (lower-cased for these case-insensitive lexers) through At(), which answers
// 0 for any index outside the line, so no step reads past its end. A step
// that runs "to the end of the line" also stops at CR or LF.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qm::pascalfamily {

enum TCharClass : uint8_t {
  ccSpace = 1,       // codes 1 to 32
  ccLetter = 2,      // "A".."Z", "a".."z"
  ccUnderscore = 4,  // "_"
  ccDigit = 8,       // "0".."9"
  ccHexLetter = 16,  // "A".."F", "a".."f"
};

inline constexpr std::array<uint8_t, 128> kCharClasses = [] {
  std::array<uint8_t, 128> table{};
  for (int c = 1; c <= 32; ++c) table[c] = ccSpace;
  for (int c = 'a'; c <= 'z'; ++c) table[c] = table[c - 32] = ccLetter;
  for (int c = 'a'; c <= 'f'; ++c) table[c] = table[c - 32] = ccLetter | ccHexLetter;
  for (int c = '0'; c <= '9'; ++c) table[c] = ccDigit;
  table['_'] = ccUnderscore;
  return table;
}();

// The class bits of a character; 0 for code 0 and every code above 127.
inline uint8_t CharClass(char16_t ch) { return ch < 128 ? kCharClasses[ch] : 0; }

inline bool IsSpace(char16_t ch) { return (CharClass(ch) & ccSpace) != 0; }
inline bool IsDigit(char16_t ch) { return (CharClass(ch) & ccDigit) != 0; }
inline bool IsHexDigit(char16_t ch) { return (CharClass(ch) & (ccDigit | ccHexLetter)) != 0; }
inline bool IsIdentStart(char16_t ch) { return (CharClass(ch) & (ccLetter | ccUnderscore)) != 0; }
inline bool IsIdentChar(char16_t ch) { return (CharClass(ch) & (ccLetter | ccUnderscore | ccDigit)) != 0; }
// The end of the line (0), or a line-break character.
inline bool IsLineEnd(char16_t ch) { return ch == u'\0' || ch == u'\n' || ch == u'\r'; }

// The character at index i, or 0 outside the line.
inline char16_t At(std::u16string_view s, int i) {
  return i >= 0 && static_cast<size_t>(i) < s.size() ? s[static_cast<size_t>(i)] : u'\0';
}

// The first index at or after from that is the line's end or a CR/LF.
inline int LineEnd(std::u16string_view s, int from) {
  while (!IsLineEnd(At(s, from))) ++from;
  return from;
}

// The index after the run of characters of class mask starting at from.
inline int RunEnd(std::u16string_view s, int from, uint8_t mask) {
  while ((CharClass(At(s, from)) & mask) != 0) ++from;
  return from;
}

// The index after the run of blanks (codes 1 to 32) starting at from.
inline int SpaceEnd(std::u16string_view s, int from) { return RunEnd(s, from, ccSpace); }

// The index after the run of identifier characters starting at from.
inline int IdentEnd(std::u16string_view s, int from) {
  return RunEnd(s, from, ccLetter | ccUnderscore | ccDigit);
}

// The index just past the first closer (one or two characters) at or after
// from, or -1 when the line ends first.
inline int CloseEnd(std::u16string_view s, int from, std::u16string_view closer) {
  for (; !IsLineEnd(At(s, from)); ++from)
    if (At(s, from) == closer[0] && (closer.size() == 1 || At(s, from + 1) == closer[1]))
      return from + static_cast<int>(closer.size());
  return -1;
}

// A quoted text whose quote is escaped by doubling it, scanned from just
// after the opening quote: the index after the closing quote, or the line's
// end when it is not closed.
inline int DoubledQuoteEnd(std::u16string_view s, int from, char16_t quote) {
  for (char16_t ch = At(s, from); !IsLineEnd(ch); ch = At(s, from)) {
    ++from;
    if (ch == quote) {
      if (At(s, from) != quote) return from;
      ++from;
    }
  }
  return from;
}

} // namespace qm::pascalfamily
