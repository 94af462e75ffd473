#include "platform/CaseMap.h"

#include <algorithm>
#include <locale.h>
#include <wctype.h>

namespace qm {

namespace {

// The full Unicode character tables, without touching the process locale.
// Null when the locale is missing; mapping then covers ASCII only.
locale_t UnicodeLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

bool IsAscii(char32_t cp) { return cp < 0x80; }
bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

char32_t AsciiLower(char32_t cp) { return (cp >= 'A' && cp <= 'Z') ? cp + ('a' - 'A') : cp; }
char32_t AsciiUpper(char32_t cp) { return (cp >= 'a' && cp <= 'z') ? cp - ('a' - 'A') : cp; }

char32_t LowerCodePoint(char32_t cp) {
  const locale_t locale = UnicodeLocale();
  if (IsAscii(cp) || locale == nullptr) return AsciiLower(cp);
  return static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), locale));
}

char32_t UpperCodePoint(char32_t cp) {
  const locale_t locale = UnicodeLocale();
  if (IsAscii(cp) || locale == nullptr) return AsciiUpper(cp);
  return static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), locale));
}

char16_t MapUnit(char16_t ch, char32_t (*map)(char32_t)) {
  if (IsSurrogate(ch)) return ch;
  const char32_t mapped = map(ch);
  return (mapped > 0xFFFF || IsSurrogate(mapped)) ? ch : static_cast<char16_t>(mapped);
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at text[at] (no overlong forms,
// no surrogates, nothing above U+10FFFF) with its code point; 0 when the
// byte there does not start one.
size_t DecodeCodePoint(const std::string& text, size_t at, char32_t& cp) {
  struct LeadRule {
    unsigned char first, last;  // lead byte range
    size_t length;
    unsigned char secondMin, secondMax;  // allowed range of the second byte
  };
  static constexpr LeadRule kRules[] = {
      {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
      {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
      {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
  };
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  for (const LeadRule& rule : kRules) {
    if (lead < rule.first || lead > rule.last) continue;
    if (text.size() - at < rule.length) return 0;
    const unsigned char second = static_cast<unsigned char>(text[at + 1]);
    if (second < rule.secondMin || second > rule.secondMax) return 0;
    cp = lead & (0x7F >> rule.length);
    for (size_t i = 1; i < rule.length; ++i) {
      const unsigned char byte = static_cast<unsigned char>(text[at + i]);
      if (!IsContinuation(byte)) return 0;
      cp = (cp << 6) | (byte & 0x3F);
    }
    return rule.length;
  }
  return 0;
}

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int Sign(int value) { return (value > 0) - (value < 0); }

int CompareBytes(const std::string& a, const std::string& b) {
  // std::string compares char_traits<char>, which orders bytes unsigned.
  return Sign(a.compare(b));
}

} // namespace

char16_t WideLower(char16_t ch) { return MapUnit(ch, LowerCodePoint); }
char16_t WideUpper(char16_t ch) { return MapUnit(ch, UpperCodePoint); }

std::u16string WideLowerCase(std::u16string text) {
  for (char16_t& ch : text) ch = WideLower(ch);
  return text;
}

std::u16string WideUpperCase(std::u16string text) {
  for (char16_t& ch : text) ch = WideUpper(ch);
  return text;
}

std::string FoldCaseUtf8(const std::string& text) {
  std::string folded;
  folded.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    if (IsAscii(byte)) {
      folded += static_cast<char>(AsciiLower(byte));
      ++at;
      continue;
    }
    char32_t cp = 0;
    const size_t length = DecodeCodePoint(text, at, cp);
    if (length == 0) {
      folded += text[at++];
      continue;
    }
    AppendCodePoint(folded, LowerCodePoint(cp));
    at += length;
  }
  return folded;
}

int CompareTextUtf8(const std::string& a, const std::string& b) {
  // ASCII folds to ASCII one byte for one byte, so an ASCII prefix is
  // compared in place; only the rest from the first non-ASCII byte is folded.
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]);
    const unsigned char y = static_cast<unsigned char>(b[i]);
    if (!IsAscii(x) || !IsAscii(y)) return CompareBytes(FoldCaseUtf8(a.substr(i)), FoldCaseUtf8(b.substr(i)));
    const int diff = static_cast<int>(AsciiLower(x)) - static_cast<int>(AsciiLower(y));
    if (diff != 0) return Sign(diff);
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

} // namespace qm
