// Character classes and scanning steps shared by the C-family lexers (C/C++,
// C#, Java, JavaScript, PHP). Every step reads the line through At(), which
// answers 0 for any index outside the line, so no step reads past its end.
// A step that runs "to the end of the line" also stops at CR or LF.
#pragma once

#include <cstdint>
#include <string_view>

namespace qm::cfamily {

enum TCharClass : uint8_t {
  ccLetter = 1,     // "A".."Z", "a".."z"
  ccUnderscore = 2, // "_"
  ccDigit = 4,      // "0".."9"
  ccHexLetter = 8,  // "A".."F", "a".."f"
};

// The class bits of an ASCII character; 0 for every code above 127.
uint8_t CharClass(char16_t ch);

inline bool IsDigit(char16_t ch) { return (CharClass(ch) & ccDigit) != 0; }
inline bool IsLetter(char16_t ch) { return (CharClass(ch) & ccLetter) != 0; }
inline bool IsHexDigit(char16_t ch) { return (CharClass(ch) & (ccDigit | ccHexLetter)) != 0; }
// "A".."Z", "a".."z", "_": what starts a C identifier.
inline bool IsIdentStart(char16_t ch) { return (CharClass(ch) & (ccLetter | ccUnderscore)) != 0; }
// The identifier start characters and the digits.
inline bool IsIdentChar(char16_t ch) { return (CharClass(ch) & (ccLetter | ccUnderscore | ccDigit)) != 0; }

// The character at index i, or 0 outside the line.
inline char16_t At(std::u16string_view s, int i) {
  return i >= 0 && static_cast<size_t>(i) < s.size() ? s[static_cast<size_t>(i)] : u'\0';
}
// The end of the line (0), or a line-break character.
inline bool IsLineEnd(char16_t ch) { return ch == u'\0' || ch == u'\n' || ch == u'\r'; }

// The first index at or after from that is the line's end or a CR/LF.
int LineEnd(std::u16string_view s, int from);
// The index after the first character of code 32 or less at from and the
// following ones.
int SpaceEnd(std::u16string_view s, int from);
// The index just past the first "*/" at or after from, or -1 when the line
// ends first.
int CommentCloseEnd(std::u16string_view s, int from);
// Length (1 to 3) of the C operator starting at i: "<<=", ">>=", "...",
// two-character operators ("==", "->", "::", "&&" ...), else 1.
int OperatorLength(std::u16string_view s, int i);

// A quoted literal in the C manner, scanned from just after its opening
// quote: a backslash before the quote or another backslash takes both, any
// other character is taken alone; it ends after the first unescaped quote or
// at the line's end. When allowContinuation is set, a backslash that is the
// last character of the line is taken and continued is set. Answers the
// index after the literal.
int QuotedEnd(std::u16string_view s, int from, char16_t quote, bool allowContinuation, bool& continued);

// How a preprocessor line scanned by DirectiveEnd stopped.
enum class TDirectiveStop { LineEnd, LineComment, BlockComment, Continued };

// A preprocessor line from index from: runs to the line's end but stops
// before "//" or "/*", or after a backslash that is the line's last
// character. Answers the index where it stopped.
int DirectiveEnd(std::u16string_view s, int from, TDirectiveStop& stop);

} // namespace qm::cfamily
