#include "diagnostics/StringHelpers.h"

#include "streams/MemoryStream.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct FieldCase {
  std::string s;
  int index;
  std::string field;
};

TEST(GetFieldTest, PicksFieldsByIndex) {
  const FieldCase cases[] = {
      {"Save|Discard|Continue", 0, "Save"},
      {"Save|Discard|Continue", 2, "Continue"},
      {"Save|Discard|Continue", 3, ""},
      {"Save|Discard|Continue", -1, ""},
      {"a||c", 1, ""},
      {"a||c", 2, "c"},
      {"|x", 0, ""},
      {"x|", 1, ""},
      {"", 0, ""},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(GetField(c.s, c.index, '|'), c.field) << c.s << " #" << c.index;
}

TEST(CountFieldsTest, EmptyIsZeroElseSeparatorsPlusOne) {
  EXPECT_EQ(CountFields("", '|'), 0);
  EXPECT_EQ(CountFields("a", '|'), 1);
  EXPECT_EQ(CountFields("Save|Discard|Continue", '|'), 3);
  EXPECT_EQ(CountFields("|", '|'), 2);
}

TEST(ReplaceAllTest, LeftToRightWithoutOverlap) {
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("Abc abc", "abc", "x"), "Abc x");
  // The replacement is not scanned again.
  EXPECT_EQ(ReplaceAll("ab", "a", "aa"), "aab");
  EXPECT_EQ(ReplaceAll("x\xA0y\xA0", "\xA0", " "), "x y ");
}

TEST(CollapseSpacesTest, RunsBecomeOneSpaceAndTheEndIsTrimmed) {
  EXPECT_EQ(CollapseSpaces(" a  b "), " a b");
  EXPECT_EQ(CollapseSpaces("\t\r\n x\x01y\x7Fz"), " x y\x7Fz");
  EXPECT_EQ(CollapseSpaces("   "), "");
  EXPECT_EQ(CollapseSpaces("\xE9  \xE8"), "\xE9 \xE8");
}

struct BetweenCase {
  std::string s, start, end, result;
};

TEST(ExtractBetweenTest, SearchesLowerCaseReturnsOriginalCase) {
  const BetweenCase cases[] = {
      {"<TITLE>Hello World</TITLE>", "<title>", "</title>", "Hello World"},
      {"<TITLE>Hello", "<title>", "</title>", "Hello"},
      {"Hello", "", "l", "He"},
      {"Hello", "", "", "Hello"},
      {"Hello", "x", "", ""},
      // The end marker is searched after the start marker.
      {"b.a.b", "a", "b", "."},
  };
  for (const BetweenCase& c : cases) EXPECT_EQ(ExtractBetween(c.s, c.start, c.end), c.result) << c.s;
}

TEST(IncludeTrailingBackslashTest, AppendsOnlyWhenMissing) {
  EXPECT_EQ(IncludeTrailingBackslash(""), "");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\data"), "C:\\data\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(IncludeTrailingBackslash("/tmp/"), "/tmp/\\");
}

TEST(FourCharCodeTest, PaddedLittleEndian) {
  EXPECT_EQ(FourCharCode("RIFF"), 0x46464952u);
  EXPECT_EQ(FourCharCode("ab"), 0x20206261u);
  EXPECT_EQ(FourCharCode(""), 0x20202020u);
  EXPECT_EQ(FourCharCode("abcdef"), 0x64636261u);
  EXPECT_EQ(FourCharCode("\xFF"), 0x202020FFu);
}

TEST(WideCopyTest, ClipsToTheString) {
  const std::u16string s = u"h\u00e9llo";
  EXPECT_EQ(WideCopy(s, 2, 3), u"\u00e9ll");
  EXPECT_EQ(WideCopy(s, 4, 100), u"lo");
  EXPECT_EQ(WideCopy(s, 1, 0), u"");
  EXPECT_EQ(WideCopy(s, 1, -5), u"");
  EXPECT_EQ(WideCopy(s, 6, 1), u"");
  EXPECT_EQ(WideCopy(s, 0, 2), u"h\u00e9");
}

TEST(StreamToStringTest, ReadsFromTheStartWhateverThePosition) {
  TMemoryStream stream;
  const std::string content("ab\0cd", 5);
  stream.WriteString(content);
  EXPECT_EQ(stream.Position(), 5);
  EXPECT_EQ(StreamToString(stream), content);
  TMemoryStream empty;
  EXPECT_EQ(StreamToString(empty), "");
}

struct Base64Case {
  std::string bytes, text;
};

// RFC 4648 section 10, plus bytes that use "+" and "/".
const Base64Case kBase64Vectors[] = {
    {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFB\xEF\xFF", "++//"},
    {std::string("\0\0", 2), "AAA="},
};

TEST(Base64Test, EncodesAndDecodesTestVectors) {
  for (const Base64Case& c : kBase64Vectors) {
    EXPECT_EQ(Base64Encode(c.bytes), c.text);
    EXPECT_EQ(Base64Decode(c.text), c.bytes) << c.text;
  }
}

TEST(Base64Test, RoundTripsEveryByteValue) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  for (size_t cut = 0; cut < 4; ++cut) {
    const std::string part = bytes.substr(cut);
    EXPECT_EQ(Base64Decode(Base64Encode(part)), part);
  }
}

TEST(Base64Test, DecodingIsTolerant) {
  // Form decoding turned every "+" into a blank.
  EXPECT_EQ(Base64Decode("  //"), "\xFB\xEF\xFF");
  // Line breaks and other strangers are skipped.
  EXPECT_EQ(Base64Decode("Zm9v\r\nYm\tFy"), "foobar");
  // The first "=" ends the text.
  EXPECT_EQ(Base64Decode("Zg==Zm9v"), "f");
  // A final partial group without padding still gives its whole bytes;
  // a lone final symbol gives nothing.
  EXPECT_EQ(Base64Decode("Zm9vYmE"), "fooba");
  EXPECT_EQ(Base64Decode("Zm9vY"), "foo");
  EXPECT_EQ(Base64Decode("!!!"), "");
}

TEST(UrlEncodeTest, KeepsTheFormSafeSetAndEscapesTheRest) {
  EXPECT_EQ(UrlEncode("+/="), "%2B%2F=");
  EXPECT_EQ(UrlEncode("a b"), "a+b");
  EXPECT_EQ(UrlEncode("AZaz09!$'()*,-._"), "AZaz09!$'()*,-._");
  EXPECT_EQ(UrlEncode("&"), "%26");
  EXPECT_EQ(UrlEncode("%\r\n~\xE9"), "%25%0D%0A%7E%E9");
  EXPECT_EQ(UrlEncode(std::string(1, '\0')), "%00");
}

} // namespace
} // namespace qm
