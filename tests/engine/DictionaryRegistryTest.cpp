#include "engine/DictionaryRegistry.h"

#include "persistence/OptionsStore.h"

#include "TempDir.h"
#include "TinyDictionaries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <utime.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

class DictionaryRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(LoadSpellerLibrary());
    folder_ = dir_.Path().string() + "/";
    registryFile_ = dir_.File("dictionaries.dat");
    test::WriteDictionary(dir_.Path(), "user", test::kUtf8Affix, {"wibble"});
    test::WriteDictionary(dir_.Path(), "en_US", test::kUtf8Affix, {"hello", "world", "wobble"});
  }

  void TearDown() override {
    ReleaseDictionaries();
    IgnoredWords().Clear();
    UserWords().Clear();
    SetRegistryReadOnly(false);
    LoadSpellerLibrary();
  }

  void Load() { LoadDictionaries(registryFile_, folder_); }

  static std::vector<std::string> SectionNames() {
    std::vector<std::string> names;
    for (int i = 0; i < DictionaryRegistry()->Count(); ++i) names.push_back(DictionaryRegistry()->SectionAt(i)->SectionName);
    return names;
  }

  static TOptionsList& Section(const std::string& name) {
    TOptionsList* section = DictionaryRegistry()->FindSection(name);
    if (!section) throw std::runtime_error("no section " + name);
    return *section;
  }

  static bool IsOpen(const std::string& name) { return SectionSpeller(Section(name)) != nullptr; }

  static std::vector<std::string> Words(const TStringList& list) { return list.Lines(); }

  test::TempDir dir_;
  std::string folder_;
  std::string registryFile_;
};

using Names = std::vector<std::string>;

TEST_F(DictionaryRegistryTest, FirstRunEnablesAndOpensUserThenEnUs) {
  EXPECT_EQ(DictionaryRegistry(), nullptr);
  Load();
  ASSERT_NE(DictionaryRegistry(), nullptr);
  EXPECT_EQ(SectionNames(), (Names{"user", "en_us"}));
  for (const char* name : {"user", "en_us"}) {
    SCOPED_TRACE(name);
    const TOptionsList& section = Section(name);
    EXPECT_TRUE(ReadOptionBool(section, dictkeys::Enabled));
    EXPECT_TRUE(ReadOptionBool(section, dictkeys::Available));
    EXPECT_EQ(ReadOptionString(section, dictkeys::Path), folder_);  // real case, not lowered
    EXPECT_EQ(ReadOptionString(section, dictkeys::Encoding), "UTF-8");
    EXPECT_TRUE(IsOpen(name));  // en_US.aff found for the section "en_us"
  }
  EXPECT_EQ(UserDictionaryFile(), dir_.File("user.dic"));
  EXPECT_EQ(Words(UserWords()), (Names{"wibble"}));

  const std::string saved = test::ReadFile(registryFile_);
  EXPECT_LT(saved.find("[user]\r\n"), saved.find("[en_us]\r\n"));
  EXPECT_NE(saved.find("Spell="), std::string::npos);
}

TEST_F(DictionaryRegistryTest, RefreshFollowsTheFilesInTheFolder) {
  Load();
  test::WriteDictionary(dir_.Path(), "de_DE", test::kUtf8Affix, {"hallo"});
  test::WriteFile(dir_.File("fr.aff"), test::kUtf8Affix);  // no word file: no dictionary
  fs::create_directory(dir_.Path() / "folder.aff");
  Load();
  EXPECT_EQ(SectionNames(), (Names{"user", "en_us", "de_de"}));
  const TOptionsList& german = Section("de_de");
  EXPECT_TRUE(ReadOptionBool(german, dictkeys::Available));
  EXPECT_FALSE(ReadOptionBool(german, dictkeys::Enabled));
  EXPECT_FALSE(IsOpen("de_de"));

  WriteOptionBool(Section("de_de"), dictkeys::Enabled, true);
  Load();
  EXPECT_TRUE(IsOpen("de_de"));

  fs::remove(dir_.Path() / "en_US.dic");
  Load();  // the en_us speller is closed and its section dropped
  EXPECT_EQ(SectionNames(), (Names{"user", "de_de"}));
}

TEST_F(DictionaryRegistryTest, StoredOrderIsKeptAndStaleValuesCleared) {
  test::WriteFile(registryFile_,
                  "[en_us]\r\nEnabled=TRUE\r\nAvailable=TRUE\r\nSpell=12345\r\n\r\n"
                  "[gone]\r\nEnabled=TRUE\r\n\r\n"
                  "[user]\r\nEnabled=FALSE\r\nSpell=678\r\n\r\n");
  Load();
  EXPECT_EQ(SectionNames(), (Names{"en_us", "user"}));
  EXPECT_TRUE(IsOpen("en_us"));
  EXPECT_NE(ReadOptionString(Section("en_us"), dictkeys::Spell), "12345");
  EXPECT_FALSE(IsOpen("user"));
  EXPECT_TRUE(ReadOptionString(Section("user"), dictkeys::Spell).empty());
}

TEST_F(DictionaryRegistryTest, UserWordsAreWrittenSortedOnceWithTheirCount) {
  Load();
  for (const char* word : {"zeta", "alpha", "alpha", "Zulu", "", "two\nlines"}) AddUserWord(word);
  EXPECT_TRUE(SpellerCheckWord(SectionSpeller(Section("user")), "UTF-8", u"zeta"));  // at once
  ReleaseDictionaries();
  EXPECT_EQ(test::ReadFile(dir_.File("user.dic")), "4\r\nZulu\r\nalpha\r\nwibble\r\nzeta\r\n");

  UserWords().Clear();
  Load();  // the next run reads them back, without the count line
  EXPECT_EQ(Words(UserWords()), (Names{"Zulu", "alpha", "wibble", "zeta"}));
  EXPECT_TRUE(SpellerCheckWord(SectionSpeller(Section("user")), "UTF-8", u"alpha"));
}

TEST_F(DictionaryRegistryTest, DisablingTheUserDictionaryWritesAndClosesIt) {
  Load();
  AddUserWord("zeta");
  WriteOptionBool(Section("user"), dictkeys::Enabled, false);
  Load();
  EXPECT_EQ(test::ReadFile(dir_.File("user.dic")), "2\r\nwibble\r\nzeta\r\n");
  EXPECT_FALSE(IsOpen("user"));

  AddUserWord("more");  // closed: nothing happens
  EXPECT_EQ(Words(UserWords()), (Names{"wibble", "zeta"}));
  ReleaseDictionaries();
  EXPECT_EQ(test::ReadFile(dir_.File("user.dic")), "2\r\nwibble\r\nzeta\r\n");
}

TEST_F(DictionaryRegistryTest, AnEmptyUserWordFileGivesNoWords) {
  test::WriteFile(dir_.File("user.dic"), "");
  UserWords().Add("stale");
  Load();
  EXPECT_TRUE(UserWords().Empty());
}

TEST_F(DictionaryRegistryTest, IgnoredWordsMatchAsciiInEitherCase) {
  Load();
  std::vector<TSuggestion> suggestions;
  GetSuggestions(u"wrold", &suggestions);
  EXPECT_FALSE(suggestions.empty());

  AddIgnoredWord("Wrold");
  AddIgnoredWord("wrold");
  EXPECT_EQ(IgnoredWords().Count(), 1);
  EXPECT_GE(IgnoredWords().IndexOf("WROLD"), 0);
  suggestions.clear();
  GetSuggestions(u"wROLD", &suggestions);
  EXPECT_TRUE(suggestions.empty());
}

TEST_F(DictionaryRegistryTest, SuggestionsComeOnlyFromRejectingDictionariesTaggedWithTheirPlace) {
  Load();
  auto suggest = [](const std::u16string& word) {
    std::vector<TSuggestion> list;
    GetSuggestions(word, &list);
    return list;
  };
  auto has = [](const std::vector<TSuggestion>& list, const std::u16string& text, int position) {
    return std::any_of(list.begin(), list.end(),
                       [&](const TSuggestion& s) { return s.Text == text && s.Position == position; });
  };

  // "wibble" is a user word: only en_us (place 1) suggests.
  const auto onlySecond = suggest(u"wibble");
  ASSERT_FALSE(onlySecond.empty());
  EXPECT_TRUE(std::all_of(onlySecond.begin(), onlySecond.end(), [](const TSuggestion& s) { return s.Position == 1; }));
  EXPECT_TRUE(has(onlySecond, u"wobble", 1));

  // Rejected by both: the user group first, then en_us.
  const auto both = suggest(u"wubble");
  EXPECT_TRUE(has(both, u"wibble", 0));
  EXPECT_TRUE(has(both, u"wobble", 1));
  EXPECT_TRUE(std::is_sorted(both.begin(), both.end(),
                             [](const TSuggestion& a, const TSuggestion& b) { return a.Position < b.Position; }));

  EXPECT_TRUE(suggest(u"hello").empty());
  GetSuggestions(u"wubble", nullptr);  // no list: nothing to do
}

TEST_F(DictionaryRegistryTest, ADictionaryWhoseEncodingCannotBeConvertedOffersNothing) {
  Load();
  WriteOptionString(Section("user"), dictkeys::Encoding, "UTF-16");
  std::vector<TSuggestion> list;
  GetSuggestions(u"wubble", &list);
  ASSERT_FALSE(list.empty());
  EXPECT_TRUE(std::all_of(list.begin(), list.end(), [](const TSuggestion& s) { return s.Position == 1; }));
}

TEST_F(DictionaryRegistryTest, DictionariesInAnotherEncodingAreUsedInIt) {
  test::WriteDictionary(dir_.Path(), "fr", "SET ISO8859-1\nTRY esianrtolcdugmfphbyvkwzqjx\xE9\n", {"caf\xE9"});
  test::WriteFile(registryFile_, "[fr]\r\nEnabled=TRUE\r\n\r\n");
  Load();
  EXPECT_EQ(ReadOptionString(Section("fr"), dictkeys::Encoding), "ISO8859-1");
  std::vector<TSuggestion> list;
  GetSuggestions(u"café", &list);
  EXPECT_TRUE(list.empty());
  GetSuggestions(u"cafe", &list);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front().Text, u"café");
  EXPECT_EQ(list.front().Position, 0);
}

TEST_F(DictionaryRegistryTest, WithoutTheLibraryNoSpellerOpens) {
  EXPECT_FALSE(LoadSpellerLibrary(std::string("libqm-no-such-speller.so")));
  Load();
  EXPECT_EQ(SectionNames(), (Names{"user", "en_us"}));
  EXPECT_FALSE(IsOpen("user"));
  EXPECT_FALSE(IsOpen("en_us"));
  EXPECT_EQ(Words(UserWords()), (Names{"wibble"}));  // still read

  std::vector<TSuggestion> list;
  GetSuggestions(u"helo", &list);
  EXPECT_TRUE(list.empty());
  AddUserWord("zeta");
  EXPECT_EQ(UserWords().Count(), 1);
  ReleaseDictionaries();
  EXPECT_EQ(test::ReadFile(dir_.File("user.dic")), "1\nwibble\n");
}

// Content and modification time, after pushing the time into the past so
// that any rewrite shows.
struct FileMark {
  std::string content;
  time_t mtime = 0;
};

FileMark MarkFile(const std::string& path) {
  utimbuf old{1000000, 1000000};
  ::utime(path.c_str(), &old);
  struct stat st {};
  ::stat(path.c_str(), &st);
  return {test::ReadFile(path), st.st_mtime};
}

void ExpectUnchanged(const std::string& path, const FileMark& mark) {
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
  EXPECT_EQ(st.st_mtime, mark.mtime) << path;
  EXPECT_EQ(test::ReadFile(path), mark.content) << path;
}

TEST_F(DictionaryRegistryTest, ReadOnlyModeWritesNothing) {
  SetRegistryReadOnly(true);
  const FileMark userFile = MarkFile(dir_.File("user.dic"));
  Load();
  EXPECT_TRUE(IsOpen("user"));
  AddUserWord("zeta");
  WriteOptionBool(Section("user"), dictkeys::Enabled, false);
  Load();
  ReleaseDictionaries();
  EXPECT_FALSE(fs::exists(registryFile_));
  ExpectUnchanged(dir_.File("user.dic"), userFile);

  // With a registry file from an earlier writing run.
  SetRegistryReadOnly(false);
  Load();
  ReleaseDictionaries();
  SetRegistryReadOnly(true);
  const FileMark registry = MarkFile(registryFile_);
  const FileMark words = MarkFile(dir_.File("user.dic"));
  Load();
  AddUserWord("omega");
  Load();
  ReleaseDictionaries();
  ExpectUnchanged(registryFile_, registry);
  ExpectUnchanged(dir_.File("user.dic"), words);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), {}), 5);  // no temporary files
}

TEST_F(DictionaryRegistryTest, GenerationGrowsWheneverAVerdictMayChange) {
  uint64_t seen = DictionaryGeneration();
  auto grew = [&seen] {
    const uint64_t now = DictionaryGeneration();
    const bool result = now > seen;
    seen = now;
    return result;
  };
  Load();
  EXPECT_TRUE(grew());
  AddUserWord("zeta");
  EXPECT_TRUE(grew());
  AddIgnoredWord("Foo");
  EXPECT_TRUE(grew());
  WriteOptionBool(Section("en_us"), dictkeys::Enabled, false);
  Load();
  EXPECT_TRUE(grew());
  ReleaseDictionaries();
  EXPECT_TRUE(grew());
}

// The system's en_US dictionary, end to end.
TEST_F(DictionaryRegistryTest, RealEnglishDictionary) {
  for (const char* ext : {".aff", ".dic"}) {
    const std::string source = test::kSystemDictionaries + "en_US" + ext;
    ASSERT_TRUE(fs::exists(source)) << source << " is missing: run scripts/setup";
    fs::copy_file(source, dir_.Path() / (std::string("en_US") + ext), fs::copy_options::overwrite_existing);
  }
  Load();
  ASSERT_TRUE(IsOpen("en_us"));
  SpellerHandle english = SectionSpeller(Section("en_us"));
  const std::string encoding = ReadOptionString(Section("en_us"), dictkeys::Encoding);
  EXPECT_EQ(encoding, "UTF-8");
  EXPECT_TRUE(SpellerCheckWord(english, encoding, u"color"));
  EXPECT_FALSE(SpellerCheckWord(english, encoding, u"colour"));
  EXPECT_TRUE(SpellerCheckWord(english, encoding, u"don’t"));  // typographic apostrophe
  EXPECT_FALSE(SpellerCheckWord(english, encoding, u"helo"));

  auto suggests = [](const std::u16string& word, const std::u16string& expected) {
    std::vector<TSuggestion> list;
    GetSuggestions(word, &list);
    return std::any_of(list.begin(), list.end(),
                       [&](const TSuggestion& s) { return s.Text == expected && s.Position == 1; });
  };
  EXPECT_TRUE(suggests(u"helo", u"hello"));
  EXPECT_TRUE(suggests(u"colour", u"color"));
  EXPECT_TRUE(suggests(u"café", u"cafe"));
}

} // namespace
} // namespace qm
