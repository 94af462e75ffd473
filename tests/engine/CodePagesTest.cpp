#include "engine/CodePages.h"

#include "platform/CodePageConverter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

using namespace std::string_literals;

namespace qm {
namespace {

TEST(CodePages, CodePageOfEncodingNames) {
  const std::pair<const char*, int> cases[] = {
      {"UTF-8", 65001},         {"ISO8859-1", 28591},     {"iso-8859-15", 28605},
      {"KOI8-U", 21866},        {"KOI8-R", 20866},        {"EUC-JP", 20932},  // not 51932
      {"ISO-2022-JP", 50220},   /* not 50222 */           {"IBM037", 37},     // stored as "037"
      {"windows-1251", 1251},   {"x-mac-ukrainian", 10017}, {"UTF16", 1200},
      {"TIS620", 0},            {"", 0},                  {"ISO-8859-8-I", 0},  // the hyphen row is unreachable
      {"microsoft-cp1251", 0},  {"ISO8859-8", 28598},     {"X-IA5", 20105},
  };
  for (const auto& [name, codePage] : cases) EXPECT_EQ(CodePageOf(name), codePage) << name;
}

TEST(CodePages, TableKeepsEveryRowSortedWithoutCase) {
  TStringList& table = CodePageTable();
  EXPECT_EQ(table.Count(), 140);
  EXPECT_TRUE(table.Sorted());
  EXPECT_FALSE(table.CaseSensitive());
  EXPECT_EQ(table.Value("koi8r"), "20866|Russian (KOI8-R); Cyrillic (KOI8-R)");
  EXPECT_EQ(table.Value("utf16"), "1200|available only to managed applications");
  // A table found empty is filled again.
  table.Clear();
  EXPECT_EQ(CodePageOf("utf-8"), 65001);
  EXPECT_EQ(CodePageTable().Count(), 140);
}

TEST(CodePages, NormalizeEncodingNameKeepsAsciiLettersAndDigits) {
  EXPECT_EQ(NormalizeEncodingName("ISO8859-1"), "iso88591");
  EXPECT_EQ(NormalizeEncodingName("microsoft-cp1251"), "microsoftcp1251");
  EXPECT_EQ(NormalizeEncodingName(" UTF_8\xC3\xA9!"), "utf8");
}

TEST(CodePages, EncodeUtf8SizesAndBuffers) {
  const char16_t text[] = u"aé€";
  EXPECT_EQ(EncodeUtf8(nullptr, 0, text, 3), 7);
  EXPECT_EQ(EncodeUtf8(nullptr, 0, nullptr, 3), 0);

  char buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), '#');
  EXPECT_EQ(EncodeUtf8(buffer, 7, text, 3), 7);
  EXPECT_EQ(std::string(buffer, 7), "a\xC3\xA9\xE2\x82\xAC\0"s);

  std::fill(std::begin(buffer), std::end(buffer), '#');
  EXPECT_EQ(EncodeUtf8(buffer, 5, text, 3), 4);  // the euro sign does not fit
  EXPECT_EQ(std::string(buffer, 5), "a\xC3\xA9\0#"s);

  // A character that would be cut by the zero byte is left out whole.
  std::fill(std::begin(buffer), std::end(buffer), '#');
  EXPECT_EQ(EncodeUtf8(buffer, 2, u"é", 1), 1);
  EXPECT_EQ(std::string(buffer, 2), "\0#"s);
  // No room at all: nothing is written.
  EXPECT_EQ(EncodeUtf8(buffer, 0, text, 3), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#');
}

TEST(CodePages, WideToUtf8EncodesSurrogateHalvesOneByOne) {
  EXPECT_EQ(WideToUtf8(u""), "");
  EXPECT_EQ(WideToUtf8(u"aé€"), "a\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xED\xA0\xBD\xED\xB8\x80");
  EXPECT_EQ(WideToUtf8(std::u16string(100, u'\uFFFF')).size(), 300u);
}

TEST(CodePages, ConversionThroughTheDictionaryCodePage) {
  const int koi8r = CodePageOf("KOI8-R");
  EXPECT_EQ(WideToCodePage(u"мир", koi8r), "\xCD\xC9\xD2");
  EXPECT_EQ(CodePageToWide("\xCD\xC9\xD2", koi8r), u"мир");
  const int latin1 = CodePageOf("ISO8859-1");
  EXPECT_EQ(WideToCodePage(u"naïve€", latin1), "na\xEFve?");
  EXPECT_EQ(CodePageToWide("na\xEFve", latin1), u"naïve");
  EXPECT_EQ(WideToCodePage(u"über", 0), "\xC3\xBC" "ber");  // the system default is UTF-8
}

TEST(CodePages, ManagedOnlyCodePagesRaiseButEmptyTextNeverConverts) {
  const int utf16 = CodePageOf("UTF-16");
  ASSERT_EQ(utf16, 1200);
  EXPECT_THROW(WideToCodePage(u"word", utf16), ECodePageError);
  EXPECT_THROW(CodePageToWide("word", utf16), ECodePageError);
  EXPECT_EQ(WideToCodePage(u"", utf16), "");
  EXPECT_EQ(CodePageToWide("", utf16), u"");
}

} // namespace
} // namespace qm
