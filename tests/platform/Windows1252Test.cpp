#include "platform/Windows1252.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct CodeCase {
  unsigned char byte;
  char16_t ch;
};

TEST(Windows1252Test, DecodesTheHighControlRangeAndLatin1) {
  const CodeCase cases[] = {
      {0x41, u'A'},     {0x00, 0x0000},   {0x7F, 0x007F},   {0x80, 0x20AC},   {0x82, 0x201A},
      {0x8A, 0x0160},   {0x99, 0x2122},   {0x9F, 0x0178},   {0xA0, 0x00A0},   {0xE9, 0x00E9},
      {0xFF, 0x00FF},
      // The five undefined bytes keep their own value.
      {0x81, 0x0081},   {0x8D, 0x008D},   {0x8F, 0x008F},   {0x90, 0x0090},   {0x9D, 0x009D},
  };
  for (const CodeCase& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Windows1252ToWide(byte), std::u16string(1, c.ch)) << int(c.byte);
    EXPECT_EQ(WideToWindows1252(std::u16string(1, c.ch)), byte) << int(c.byte);
  }
}

TEST(Windows1252Test, EveryByteSurvivesTheRoundTrip) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  const std::u16string text = Windows1252ToWide(bytes);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(WideToWindows1252(text), bytes);
}

TEST(Windows1252Test, CharactersOutsideBecomeQuestionMarks) {
  // U+0080 and U+009F have no byte: 0x80 and 0x9F are the euro and Y diaeresis.
  EXPECT_EQ(WideToWindows1252(u"\u0080\u009F\u0100\u0416\U0001F600x"), "??????x");
  EXPECT_EQ(WideToWindows1252(u""), "");
}

} // namespace
} // namespace qm
