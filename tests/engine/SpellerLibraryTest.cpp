#include "engine/SpellerLibrary.h"

#include "platform/CodePageConverter.h"

#include "TempDir.h"
#include "TinyDictionaries.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qm {
namespace {

bool Contains(const std::vector<std::u16string>& list, const std::u16string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

class SpellerLibraryTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(LoadSpellerLibrary()); }
  void TearDown() override { LoadSpellerLibrary(); }

  test::TempDir dir_;
};

TEST_F(SpellerLibraryTest, MissingLibraryOrEntryPointsLeaveTheSpellerUnavailable) {
  for (const char* name : {"libqm-no-such-speller.so", "libc.so.6"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(LoadSpellerLibrary(std::string(name)));
    EXPECT_FALSE(SpellerAvailable());
    test::WriteDictionary(dir_.Path(), "en", test::kUtf8Affix, {"hello"});
    EXPECT_EQ(SpellerCreate(dir_.File("en.aff"), dir_.File("en.dic")), nullptr);
  }
  EXPECT_TRUE(LoadSpellerLibrary());
  EXPECT_TRUE(SpellerAvailable());
  UnloadSpellerLibrary();
  EXPECT_FALSE(SpellerAvailable());
}

TEST_F(SpellerLibraryTest, ChecksSuggestsAndAddsInUtf8) {
  test::WriteDictionary(dir_.Path(), "en", test::kUtf8Affix, {"hello", "world", "naïve"});
  SpellerHandle speller = SpellerCreate(dir_.File("en.aff"), dir_.File("en.dic"));
  ASSERT_NE(speller, nullptr);
  const std::string encoding = SpellerEncoding(speller);
  EXPECT_EQ(encoding, "UTF-8");

  EXPECT_TRUE(SpellerCheckWord(speller, encoding, u"hello"));
  EXPECT_TRUE(SpellerCheckWord(speller, encoding, u"naïve"));
  EXPECT_FALSE(SpellerCheckWord(speller, encoding, u"helo"));

  std::vector<std::u16string> suggestions{u"kept"};
  SpellerSuggest(speller, encoding, u"helo", suggestions);
  EXPECT_EQ(suggestions.front(), u"kept");  // appended, not replaced
  EXPECT_TRUE(Contains(suggestions, u"hello"));
  suggestions.clear();
  SpellerSuggest(speller, encoding, u"naive", suggestions);
  EXPECT_TRUE(Contains(suggestions, u"naïve"));

  SpellerAddWord(speller, "quillon");
  EXPECT_TRUE(SpellerCheckWord(speller, encoding, u"quillon"));
  SpellerDestroy(speller);
}

TEST_F(SpellerLibraryTest, WordsTravelInTheDictionarysOwnCodePage) {
  // The word file is ISO-8859-1: "café" is stored as 63 61 66 E9.
  test::WriteDictionary(dir_.Path(), "fr", "SET ISO8859-1\nTRY esianrtolcdugmfphbyvkwzqjx\xE9\n", {"caf\xE9", "the"});
  SpellerHandle speller = SpellerCreate(dir_.File("fr.aff"), dir_.File("fr.dic"));
  ASSERT_NE(speller, nullptr);
  const std::string encoding = SpellerEncoding(speller);
  EXPECT_EQ(encoding, "ISO8859-1");
  EXPECT_TRUE(SpellerCheckWord(speller, encoding, u"café"));
  EXPECT_FALSE(SpellerCheckWord(speller, "UTF-8", u"café"));  // wrong bytes for this dictionary
  std::vector<std::u16string> suggestions;
  SpellerSuggest(speller, encoding, u"cafe", suggestions);
  EXPECT_TRUE(Contains(suggestions, u"café"));
  // A word with a character Latin-1 lacks is sent with "?" and rejected.
  EXPECT_FALSE(SpellerCheckWord(speller, encoding, u"caf€"));
  SpellerDestroy(speller);
}

TEST_F(SpellerLibraryTest, CodePagesWithoutConverterRaiseBeforeTheLibraryIsCalled) {
  test::WriteDictionary(dir_.Path(), "en", test::kUtf8Affix, {"hello"});
  SpellerHandle speller = SpellerCreate(dir_.File("en.aff"), dir_.File("en.dic"));
  ASSERT_NE(speller, nullptr);
  EXPECT_THROW(SpellerCheckWord(speller, "UTF-16", u"hello"), ECodePageError);
  std::vector<std::u16string> suggestions;
  EXPECT_THROW(SpellerSuggest(speller, "UTF-32", u"helo", suggestions), ECodePageError);
  EXPECT_TRUE(suggestions.empty());
  SpellerDestroy(speller);
}

} // namespace
} // namespace qm
