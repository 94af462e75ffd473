#include "lexers/CFamilyScan.h"

#include <array>

namespace qm::cfamily {

namespace {

constexpr std::array<uint8_t, 128> MakeClasses() {
  std::array<uint8_t, 128> table{};
  for (int c = '0'; c <= '9'; ++c) table[c] = ccDigit;
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = ccLetter;
  for (int c = 'a'; c <= 'z'; ++c) table[c] = ccLetter;
  for (int c = 'A'; c <= 'F'; ++c) table[c] |= ccHexLetter;
  for (int c = 'a'; c <= 'f'; ++c) table[c] |= ccHexLetter;
  table['_'] = ccUnderscore;
  return table;
}

constexpr std::array<uint8_t, 128> kClasses = MakeClasses();

} // namespace

uint8_t CharClass(char16_t ch) { return ch < 128 ? kClasses[ch] : 0; }

int LineEnd(std::u16string_view s, int from) {
  while (!IsLineEnd(At(s, from))) ++from;
  return from;
}

int SpaceEnd(std::u16string_view s, int from) {
  do {
    ++from;
  } while (static_cast<size_t>(from) < s.size() && s[static_cast<size_t>(from)] <= 32);
  return from;
}

int CommentCloseEnd(std::u16string_view s, int from) {
  for (char16_t ch = At(s, from); !IsLineEnd(ch); ch = At(s, ++from))
    if (ch == u'*' && At(s, from + 1) == u'/') return from + 2;
  return -1;
}

int OperatorLength(std::u16string_view s, int i) {
  const char16_t c = At(s, i);
  const char16_t next = At(s, i + 1);
  switch (c) {
    case u'!': case u'%': case u'*': case u'/': case u'=': case u'^':
      return next == u'=' ? 2 : 1;
    case u'&': case u'|':
      return next == c || next == u'=' ? 2 : 1;
    case u'+':
      return next == u'+' || next == u'=' ? 2 : 1;
    case u'-':
      return next == u'-' || next == u'=' || next == u'>' ? 2 : 1;
    case u':':
      return next == u':' ? 2 : 1;
    case u'.':
      return next == u'.' && At(s, i + 2) == u'.' ? 3 : 1;
    case u'<': case u'>':
      if (next == c) return At(s, i + 2) == u'=' ? 3 : 2;
      return next == u'=' ? 2 : 1;
    default:
      return 1;
  }
}

int QuotedEnd(std::u16string_view s, int from, char16_t quote, bool allowContinuation, bool& continued) {
  continued = false;
  for (;;) {
    const char16_t ch = At(s, from);
    if (IsLineEnd(ch)) return from;
    if (ch == u'\\') {
      const char16_t next = At(s, from + 1);
      if (allowContinuation && IsLineEnd(next)) {
        continued = true;
        return from + 1;
      }
      from += next == quote || next == u'\\' ? 2 : 1;
      continue;
    }
    ++from;
    if (ch == quote) return from;
  }
}

int DirectiveEnd(std::u16string_view s, int from, TDirectiveStop& stop) {
  for (;; ++from) {
    const char16_t ch = At(s, from);
    const char16_t next = At(s, from + 1);
    if (IsLineEnd(ch)) {
      stop = TDirectiveStop::LineEnd;
      return from;
    }
    if (ch == u'/' && (next == u'/' || next == u'*')) {
      stop = next == u'/' ? TDirectiveStop::LineComment : TDirectiveStop::BlockComment;
      return from;
    }
    if (ch == u'\\' && IsLineEnd(next)) {
      stop = TDirectiveStop::Continued;
      return from + 1;
    }
  }
}

} // namespace qm::cfamily
