#include "platform/CodePageConverter.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(CodePageConverter, EveryMappedCodePageConvertsBothWays) {
  int mapped = 0;
  for (int cp = 0; cp <= 65535; ++cp) {
    if (!CodePageCharset(cp)) continue;
    ++mapped;
    SCOPED_TRACE(std::to_string(cp) + " " + CodePageCharset(cp));
    // Upper case: the Katakana EBCDIC page has no small Latin letters.
    const std::string bytes = WideToMultiByte(u"WORD 42", cp);
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(MultiByteToWide(bytes, cp), u"WORD 42");
  }
  EXPECT_GT(mapped, 100);
}

TEST(CodePageConverter, CodePagesWithoutConverterRaise) {
  for (int cp : {1200, 1201, 12000, 12001, 720, 57002, 99999, -1}) {
    SCOPED_TRACE(cp);
    EXPECT_EQ(CodePageCharset(cp), nullptr);
    EXPECT_THROW(WideToMultiByte(u"a", cp), ECodePageError);
    EXPECT_THROW(MultiByteToWide("a", cp), ECodePageError);
  }
}

TEST(CodePageConverter, KnownEncodings) {
  struct Case {
    int codePage;
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {20866, u"Привет", "\xF0\xD2\xC9\xD7\xC5\xD4"},     // KOI8-R
      {28591, u"café", "caf\xE9"},                         // ISO-8859-1
      {1252, u"€‰", "\x80\x89"},                           // Windows-1252
      {0, u"é€", "\xC3\xA9\xE2\x82\xAC"},                  // system default: UTF-8
      {65001, u"\U0001F600", "\xF0\x9F\x98\x80"},          // a surrogate pair is one character
      {37, u"A1", "\xC1\xF1"},                             // EBCDIC
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    EXPECT_EQ(WideToMultiByte(c.text, c.codePage), c.bytes);
    EXPECT_EQ(MultiByteToWide(c.bytes, c.codePage), c.text);
  }
}

TEST(CodePageConverter, MissingCharactersBecomeTheCodePagesQuestionMark) {
  EXPECT_EQ(WideToMultiByte(u"a€b", 28591), "a?b");
  EXPECT_EQ(WideToMultiByte(u"a\U0001F600b", 28591), "a?b");  // one "?" for the pair
  EXPECT_EQ(WideToMultiByte(u"Ωx", 20866), "?x");
  EXPECT_EQ(WideToMultiByte(u"€", 37), "\x6F");                // EBCDIC "?"
  // Unpaired surrogates cannot be encoded anywhere, not even in UTF-8.
  EXPECT_EQ(WideToMultiByte(std::u16string(u"a") + char16_t(0xD800) + u"b", 65001), "a?b");
  EXPECT_EQ(WideToMultiByte(std::u16string(u"a") + char16_t(0xDC00), 65001), "a?");
  EXPECT_EQ(WideToMultiByte(std::u16string(u"a") + char16_t(0xD800), 65001), "a?");
}

TEST(CodePageConverter, StatefulEncodingsStayInStepAroundReplacements) {
  // ISO-2022-JP shifts into JIS X 0208 for the kanji; the "?" must be written
  // after shifting back, and the text must end in the ASCII state.
  const std::string bytes = WideToMultiByte(u"日€x", 50220);
  EXPECT_EQ(bytes, "\x1B$BF|\x1B(B?x");
  EXPECT_EQ(MultiByteToWide(bytes, 50220), u"日?x");
  EXPECT_EQ(WideToMultiByte(u"x日", 50220), "x\x1B$BF|\x1B(B");
}

TEST(CodePageConverter, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(MultiByteToWide("a\xFF" "b", 65001), u"a\uFFFDb");
  EXPECT_EQ(MultiByteToWide("a\xC3", 65001), u"a\uFFFD");  // cut-off sequence
  EXPECT_EQ(MultiByteToWide("a\x80", 20127), u"a\uFFFD");  // beyond 7-bit ASCII
}

TEST(CodePageConverter, LongTextGrowsTheOutput) {
  const std::u16string text(10000, u'€');
  const std::string bytes = WideToMultiByte(text, 65001);
  EXPECT_EQ(bytes.size(), 30000u);
  EXPECT_EQ(MultiByteToWide(bytes, 65001), text);
}

} // namespace
} // namespace qm
