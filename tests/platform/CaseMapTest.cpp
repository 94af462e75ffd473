#include "platform/CaseMap.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct UnitCase {
  char16_t ch, lower, upper;
};

TEST(CaseMapTest, MapsSingleUnits) {
  const UnitCase cases[] = {
      {u'A', u'a', u'A'},
      {u'z', u'z', u'Z'},
      {u'1', u'1', u'1'},
      {u'\u00C9', u'\u00E9', u'\u00C9'},  // É é
      {u'\u00E9', u'\u00E9', u'\u00C9'},
      {u'\u0416', u'\u0436', u'\u0416'},  // Ж ж
      {u'\u0436', u'\u0436', u'\u0416'},
      {u'\u03A3', u'\u03C3', u'\u03A3'},  // Σ σ
      {u'\u03C2', u'\u03C2', u'\u03A3'},  // final ς upper-cases to Σ
      {u'\u00DF', u'\u00DF', u'\u00DF'},  // ß has no simple upper-case form
      {u'\u1E9E', u'\u00DF', u'\u1E9E'},  // capital sharp s
      {u'\uFF21', u'\uFF41', u'\uFF21'},  // full-width A
      {0xD83D, 0xD83D, 0xD83D},           // surrogates stay
      {0xDE00, 0xDE00, 0xDE00},
  };
  for (const UnitCase& c : cases) {
    EXPECT_EQ(WideLower(c.ch), c.lower) << std::hex << int(c.ch);
    EXPECT_EQ(WideUpper(c.ch), c.upper) << std::hex << int(c.ch);
  }
}

TEST(CaseMapTest, MapsWholeStrings) {
  EXPECT_EQ(WideLowerCase(u"\u00C9T\u00C9 \u0416\u03A3\U00010400"), u"\u00e9t\u00e9 \u0436\u03C3\U00010400");
  EXPECT_EQ(WideUpperCase(u"stra\u00DFe \u00e9"), u"STRA\u00DFE \u00C9");
  EXPECT_EQ(WideLowerCase(u""), u"");
}

struct FoldCase {
  std::string text, folded;
};

TEST(FoldCaseUtf8Test, LowersDecodableCodePointsAndKeepsInvalidBytes) {
  const FoldCase cases[] = {
      {"Hello", "hello"},
      {"\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},                  // Été
      {"\xD0\x96", "\xD0\xB6"},                                    // Ж
      {"\xCE\xA3\xCE\x91\xCE\xA3", "\xCF\x83\xCE\xB1\xCF\x83"},    // ΣΑΣ, no final-sigma rule
      {"\xC3\x9F", "\xC3\x9F"},                                    // ß
      {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8"},                    // Deseret, outside the BMP
      {"\xE2\x84\xAA", "k"},                                       // Kelvin sign shrinks to ASCII
      {"A\xE9" "B", "a\xE9" "b"},                                  // lone Latin-1 byte
      {"\xC3", "\xC3"},                                            // truncated sequence
      {"\xC0\x81Z", "\xC0\x81z"},                                  // overlong form
      {"\xED\xA0\xBD", "\xED\xA0\xBD"},                            // encoded surrogate
      {"\xC3\x89\x80", "\xC3\xA9\x80"},                            // stray continuation byte
  };
  for (const FoldCase& c : cases) EXPECT_EQ(FoldCaseUtf8(c.text), c.folded) << c.text;
}

struct CompareCase {
  std::string a, b;
  int sign;
};

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(CompareTextUtf8Test, IgnoresCaseAndAgreesWithFolding) {
  const CompareCase cases[] = {
      {"abc", "ABC", 0},
      {"abc", "abd", -1},
      {"ABD", "abc", 1},
      {"ab", "abc", -1},
      {"", "", 0},
      {"", "a", -1},
      {"[", "a", -1},  // "[" sorts below "a" once "A" is folded, not above "Z"
      {"_", "A", -1},
      {"\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", 0},
      {"\xD0\x96", "\xD0\xB6", 0},
      {"\xCE\xA3", "\xCF\x82", 1},          // σ above ς
      {"x\xE9", "X\xE9", 0},
      {"x\xE9", "x\xC3\xA9", 1},            // bytes compare unsigned
      {"K", "\xE2\x84\xAA", 0},             // Kelvin sign folds to k
      {"Ka", "\xE2\x84\xAA" "b", -1},
      {"z", "\xC3\xA9", -1},
  };
  for (const CompareCase& c : cases) {
    EXPECT_EQ(Sign(CompareTextUtf8(c.a, c.b)), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(CompareTextUtf8(c.b, c.a)), -c.sign) << c.b << " / " << c.a;
    EXPECT_EQ(Sign(FoldCaseUtf8(c.a).compare(FoldCaseUtf8(c.b))), c.sign) << c.a << " / " << c.b;
  }
}

} // namespace
} // namespace qm
