#include "persistence/OptionEscaping.h"

#include "diagnostics/StringHelpers.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(EscapeOptionValueTest, EscapesControlsHighBytesAndPercent) {
  EXPECT_EQ(EscapeOptionValue("50% off"), "50%25 off");
  EXPECT_EQ(EscapeOptionValue("a\r\nb"), "a%0D%0Ab");
  EXPECT_EQ(EscapeOptionValue("\xE9\x7F\x1F "), "%E9\x7F%1F ");
  EXPECT_EQ(EscapeOptionValue(std::string(1, '\0')), "%00");
  EXPECT_EQ(EscapeOptionValue("--\r\nDocumentation\r\nComment\r\nString\r\nText"),
            "--%0D%0ADocumentation%0D%0AComment%0D%0AString%0D%0AText");
}

struct UnescapeCase {
  std::string text, bytes;
};

TEST(UnescapeOptionValueTest, PlainForm) {
  const UnescapeCase cases[] = {
      {"50%25 off", "50% off"},
      {"100%", "100%"},
      {"%4", "%4"},
      {"%4G", "%4G"},
      {"%41", "A"},
      {"%e9", "%e9"},        // lower-case digits are not recognised
      {"%E9", "\xE9"},
      {"%4%41", "%4A"},      // the text after a lone digit is read again
      {"%%41", "%A"},
      {"a%0D%0Ab", "a\r\nb"},
      {"%00x", std::string("\0x", 2)},
      {"%", ""},             // one "%" is the quoted form, see below
      {"", ""},
  };
  for (const UnescapeCase& c : cases) EXPECT_EQ(UnescapeOptionValue(c.text), c.bytes) << c.text;
}

TEST(UnescapeOptionValueTest, QuotedForm) {
  const UnescapeCase cases[] = {
      {"%abc%%def%", "abc%def"},
      {"%", ""},
      {"%%", ""},
      {"%ab%%", "ab%"},             // the closing quote pairs with the last "%"
      {"%%41%", "A"},
      {"%x%e9y%", "x\xE9y"},        // either case of hex digits
      {"%x%G1%", "x%G1"},           // a "%" without digits stands for itself
      {"%x%4%", "x%4"},
      {"%x%25y%", "x%y"},           // a decoded "%" is text, not the closing quote
      {"%a=>%01NULL%01<=b%", std::string("a\0b", 3)},
      {"%=>%01NULL%01<==>%01NULL%01<=%", std::string(2, '\0')},
  };
  for (const UnescapeCase& c : cases) EXPECT_EQ(UnescapeOptionValue(c.text), c.bytes) << c.text;
}

TEST(UnescapeOptionValueTest, PlainFormKeepsTheNulMarker) {
  const std::string marked = "a" + kOptionNulMarker + "b";
  EXPECT_EQ(kOptionNulMarker.size(), 10u);
  EXPECT_EQ(UnescapeOptionValue(EscapeOptionValue(marked)), marked);
}

TEST(OptionEscapingTest, EveryByteValueRoundTrips) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  const std::string escaped = EscapeOptionValue(all);
  for (char c : escaped) {
    const unsigned char byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte >= 0x20 && byte <= 0x7F) << int(byte);
  }
  EXPECT_EQ(UnescapeOptionValue(escaped), all);
  for (int i = 0; i < 256; ++i) {
    const std::string one(1, static_cast<char>(i));
    EXPECT_EQ(UnescapeOptionValue(EscapeOptionValue(one)), one) << i;
    // Percent signs at both ends must not be taken for the quoted form.
    const std::string framed = "%" + one + "%";
    EXPECT_EQ(UnescapeOptionValue(EscapeOptionValue(framed)), framed) << i;
  }
}

TEST(ScrambleTextTest, ProducesBase64AndRoundTrips) {
  const std::string texts[] = {"", "x", "secret", "a password longer than the seventeen-byte key \xE9\x01%"};
  for (const std::string& text : texts) {
    const std::string scrambled = ScrambleText(text);
    EXPECT_EQ(scrambled.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    EXPECT_EQ(EscapeOptionValue(scrambled), scrambled);
    EXPECT_EQ(UnscrambleText(scrambled), text);
  }
  EXPECT_EQ(ScrambleText(""), "");
  EXPECT_NE(ScrambleText("secret"), "c2VjcmV0");  // not plain Base64
}

TEST(ScrambleTextTest, KeyRepeatsAfterSeventeenBytes) {
  // Zero bytes reveal the key: two full turns of 17 ASCII bytes.
  const std::string key = Base64Decode(ScrambleText(std::string(34, '\0')));
  ASSERT_EQ(key.size(), 34u);
  EXPECT_EQ(key.substr(0, 17), key.substr(17));
  for (char c : key) EXPECT_TRUE(c > '\0' && static_cast<unsigned char>(c) < 0x80) << int(c);
}

TEST(UnscrambleTextTest, ToleratesBlanksForPlusAndStrayCharacters) {
  // A text whose scrambled bytes are FB EF FF scrambles to "++//".
  const std::string key = Base64Decode(ScrambleText(std::string(3, '\0')));
  const std::string wanted = "\xFB\xEF\xFF";
  std::string text;
  for (size_t i = 0; i < 3; ++i) text += static_cast<char>(key[i] ^ wanted[i]);
  ASSERT_EQ(ScrambleText(text), "++//");
  EXPECT_EQ(UnscrambleText("  //"), text);
  EXPECT_EQ(UnscrambleText("+\r\n+/*/"), text);
}

} // namespace
} // namespace qm
