#include "persistence/Utf8Text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string text;
};

TEST(DecodeUtf8TextTest, DecodesSequencesOrFallsBackToWindows1252) {
  const DecodeCase cases[] = {
      {"empty", "", u""},
      {"ascii", "abc", u"abc"},
      {"two bytes", "\xC3\xA9", u"\u00E9"},
      {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
      {"pair as two sequences", "\xED\xA0\xBD\xED\xB8\x80", u"\U0001F600"},
      // Lenient lead bytes: overlong forms and continuation bytes as leads.
      {"overlong NUL", "\xC0\x80", std::u16string(1, u'\0')},
      {"continuation lead", "\x80\x80", std::u16string(1, u'\0')},
      // A four-byte lead reads as a three-byte one; the value keeps 16 bits.
      {"four-byte lead", "\xF0\x9F\x98" "a", u"\u07D8a"},
      // Any broken sequence reads the whole input as Windows-1252.
      {"lone E9", "\xE9", u"\u00E9"},
      {"truncated at end", "\xC3\xA9\xC3", u"\u00C3\u00A9\u00C3"},
      {"bad continuation", "\xC3" "A\xC3\xA9", u"\u00C3A\u00C3\u00A9"},
      {"valid start, broken end", "\x80\x9F\x9F", u"\u20AC\u0178\u0178"},
      {"four-byte character", "\xF0\x9F\x98\x80", u"\u00F0\u0178\u02DC\u20AC"},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(DecodeUtf8Text(c.bytes), c.text) << c.name;
}

struct EncodeCase {
  std::u16string text;
  std::string bytes;
};

TEST(EncodeUtf8TextTest, EncodesEachUnitOnItsOwn) {
  const EncodeCase cases[] = {
      {u"", ""},
      {u"a", "a"},
      {std::u16string(1, u'\0'), std::string(1, '\0')},
      {u"\u007F\u0080", "\x7F\xC2\x80"},
      {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"\u00E9", "\xC3\xA9"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80"},
      {std::u16string(1, char16_t(0xDC00)), "\xED\xB0\x80"},  // lone low surrogate
  };
  for (const EncodeCase& c : cases) EXPECT_EQ(EncodeUtf8Text(c.text), c.bytes);
}

TEST(Utf8TextTest, EveryCodeUnitRoundTrips) {
  // Surrogates included: the encoding is per unit, so a lone half survives.
  std::u16string all;
  for (uint32_t u = 0; u <= 0xFFFF; ++u) all += static_cast<char16_t>(u);
  const std::string bytes = EncodeUtf8Text(all);
  EXPECT_EQ(DecodeUtf8Text(bytes), all);
  for (uint32_t u = 0; u <= 0xFFFF; ++u) {
    const std::u16string one(1, static_cast<char16_t>(u));
    ASSERT_EQ(DecodeUtf8Text(EncodeUtf8Text(one)), one) << std::hex << u;
  }
}

} // namespace
} // namespace qm
