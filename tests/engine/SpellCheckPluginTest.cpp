#include "engine/SpellCheckPlugin.h"

#include "engine/CheckSettings.h"
#include "engine/CodePages.h"
#include "engine/DictionaryRegistry.h"
#include "engine/HeadlessSynEdit.h"
#include "engine/MisprintRecord.h"
#include "lexers/LexerSet.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"

#include "TempDir.h"
#include "TinyDictionaries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qm {
namespace {

namespace fs = std::filesystem;
using Found = std::vector<std::string>;

std::string Utf8(const std::u16string& text) { return WideToUtf8(text); }

// The recorded misprints as "line:column word", in store order; each record's
// length must be that of the word it covers.
Found Recorded(const TSpellCheckPlugin& plugin) {
  Found found;
  for (int32_t i = 0; i < plugin.Misprints.Count(); ++i) {
    const auto& r = *static_cast<const MisprintRecord*>(plugin.Misprints.ItemAt(i));
    const std::u16string& line = plugin.Editor().LineText(r.line);
    found.push_back(std::to_string(r.line) + ":" + std::to_string(r.column) + " " +
                    Utf8(line.substr(static_cast<size_t>(r.column - 1), static_cast<size_t>(r.length))));
  }
  return found;
}

// ---- The word test without dictionaries --------------------------------------

class IsCorrectWordRules : public ::testing::Test {
protected:
  void SetUp() override { ReleaseDictionaries(); }
  THeadlessSynEdit editor_;
  TSpellCheckPlugin plugin_{editor_};
};

TEST_F(IsCorrectWordRules, IgnoreRules) {
  // With no dictionary open, "false" means the word passed every rule.
  struct Case {
    std::u16string word;
    bool numbers, upper, mixed;
    int32_t maxLength;
    bool correct;
  };
  const std::u16string w32(32, u'x'), w33(33, u'x');
  const Case cases[] = {
      {w33, false, false, false, 32, true},  // too long
      {w32, false, false, false, 32, false},
      {w33, false, false, false, 0, false},  // no limit
      {u"abc1", true, false, false, 32, true},
      {u"abc1", false, true, false, 32, false},
      {u"abc1", false, false, true, 32, true},   // the digit counts as upper case
      {u"1abc", false, false, true, 32, false},  // but not in first place
      {u"NASA", true, true, false, 32, true},
      {u"NASA", true, false, false, 32, false},
      {u"\u00C9COLE", true, true, false, 32, true},
      {u"\u00E9cole", true, true, true, 32, false},
      {u"(", true, true, false, 32, true},  // no letters: unchanged by upper-casing
      {u"(", true, false, false, 32, false},
      {u"iPhone", true, true, true, 32, true},
      {u"iPhone", true, true, false, 32, false},
      {u"McDonald", true, true, true, 32, true},
      {u"camelCase", true, true, true, 32, true},
      {u"Hello", true, true, true, 32, false},  // the first letter never counts
      {u"it's", true, true, true, 32, false},   // the apostrophe is an edge character
      {u"tset", true, true, true, 32, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.word) + " n" + std::to_string(c.numbers) + " u" + std::to_string(c.upper) + " m" +
                 std::to_string(c.mixed) + " max" + std::to_string(c.maxLength));
    const TCheckOptions options{c.numbers, c.upper, c.mixed, c.maxLength};
    EXPECT_EQ(plugin_.IsCorrectWord(c.word, options), c.correct);
  }
}

TEST_F(IsCorrectWordRules, InitialValues) {
  EXPECT_TRUE(plugin_.CheckOptions.IgnoreNumbers);
  EXPECT_TRUE(plugin_.CheckOptions.IgnoreUppercase);
  EXPECT_FALSE(plugin_.CheckOptions.IgnoreMixedcase);
  EXPECT_EQ(plugin_.CheckOptions.MaxWordLength, 32);
  EXPECT_EQ(plugin_.Scope.Lines(), (std::vector<std::string>{"Documentation", "Comment", "String", "Text"}));
  EXPECT_EQ(plugin_.Misprints.ItemSize(), 12);
  EXPECT_EQ(plugin_.MisprintColor, 0x0000FFu);
}

// ---- The word test with tiny dictionaries ----------------------------------------

class IsCorrectWordDictionaries : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(LoadSpellerLibrary());
    test::WriteDictionary(dir_.Path(), "user", test::kUtf8Affix, {"wibble"});
    test::WriteDictionary(dir_.Path(), "en_US", test::kUtf8Affix, {"hello", "world"});
    LoadDictionaries(dir_.File("dictionaries.dat"), dir_.Path().string());
  }
  void TearDown() override {
    ReleaseDictionaries();
    IgnoredWords().Clear();
    UserWords().Clear();
    TouchDictionaryGeneration();
  }
  static void SetEncoding(const std::string& section, const std::string& encoding) {
    WriteOptionString(*DictionaryRegistry()->FindSection(section), dictkeys::Encoding, encoding);
    TouchDictionaryGeneration();
  }
  bool Correct(const std::u16string& word) { return plugin_.IsCorrectWord(word, TCheckOptions{}); }

  test::TempDir dir_;
  THeadlessSynEdit editor_;
  TSpellCheckPlugin plugin_{editor_};
};

TEST_F(IsCorrectWordDictionaries, EveryOpenDictionaryIsAsked) {
  EXPECT_TRUE(Correct(u"wibble"));  // the user dictionary, first
  EXPECT_TRUE(Correct(u"hello"));   // en_us, second
  EXPECT_FALSE(Correct(u"wobble"));

  WriteOptionBool(*DictionaryRegistry()->FindSection("en_us"), dictkeys::Enabled, false);
  LoadDictionaries(dir_.File("dictionaries.dat"), dir_.Path().string());  // closes it
  EXPECT_FALSE(Correct(u"hello"));
  EXPECT_TRUE(Correct(u"wibble"));
}

TEST_F(IsCorrectWordDictionaries, IgnoredWordsComeFirstAndIgnoreCase) {
  EXPECT_FALSE(Correct(u"wobble"));
  AddIgnoredWord("Wobble");
  EXPECT_TRUE(Correct(u"wobble"));
  EXPECT_TRUE(Correct(u"WObble"));
  SetEncoding("user", "UTF-16");  // would raise, but is never reached
  EXPECT_TRUE(Correct(u"wobble"));
}

TEST_F(IsCorrectWordDictionaries, AConversionErrorEndsTheTestWithFalse) {
  // The first dictionary cannot take the word: en_us is never asked.
  SetEncoding("user", "UTF-16");
  EXPECT_FALSE(Correct(u"hello"));
  // The first dictionary accepts before the faulty second is reached.
  SetEncoding("user", "UTF-8");
  SetEncoding("en_us", "UTF-16");
  EXPECT_TRUE(Correct(u"wibble"));
  EXPECT_FALSE(Correct(u"hello"));
  // Rules decide before the dictionaries.
  EXPECT_TRUE(Correct(u"HELLO"));
}

// ---- Full checks and painting with the real en_US dictionary ------------------------

// A data folder with the system's en_US dictionary and an empty user
// dictionary, loaded once for the suite.
class SpellCheckPluginTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    data_ = new test::TempDir;
    for (const char* name : {"en_US.aff", "en_US.dic"})
      fs::copy_file(test::kSystemDictionaries + name, data_->Path() / name);
    test::WriteFile(data_->File("user.aff"), "SET UTF-8\n");
    test::WriteFile(data_->File("user.dic"), "0\n");
    SetRegistryReadOnly(true);
    LoadSpellerLibrary();
    Load();
  }
  static void TearDownTestSuite() {
    ReleaseDictionaries();
    UserWords().Clear();
    SetRegistryReadOnly(false);
    delete data_;
    data_ = nullptr;
  }
  static void Load() { LoadDictionaries(data_->File("dictionaries.dat"), data_->Path().string()); }

  void SetUp() override {
    ASSERT_NE(DictionaryRegistry(), nullptr);
    ASSERT_NE(DictionaryRegistry()->FindSection("en_us"), nullptr);
  }

  void LoadC(const std::string& text) {
    test::WriteFile(dir_.File("fixture.c"), text);
    editor_.LoadFromFile(dir_.File("fixture.c"));
    editor_.SetHighlighter(lexers_.Find("CandCPlusPlus"));
  }
  void LoadText(const std::string& text) {
    test::WriteFile(dir_.File("fixture.txt"), text);
    editor_.LoadFromFile(dir_.File("fixture.txt"));
    editor_.SetHighlighter(lexers_.Fallback());
  }
  Found Check() {
    plugin_.CheckAll();
    return Recorded(plugin_);
  }

  static test::TempDir* data_;
  test::TempDir dir_;
  TLexerSet lexers_;
  THeadlessSynEdit editor_;
  TSpellCheckPlugin plugin_{editor_};
};

test::TempDir* SpellCheckPluginTest::data_ = nullptr;

const std::string kCFixture =
    "/* A tset of the chekcer, see notes.txt and index.html. */\n"
    "// call foo(bar) is fine; snaek_case and welll-known and camelCase\n"
    "int mispelt_identifer = 1; /* C:\\Users\\tset\\x and http://tset.example.org/a */\n"
    "const char* s = \"helo wrold\";\n"
    "// Tihs word has thirty-three letters: abcdefghijklmnopqrstuvwxyzabcdefg\n"
    "// a line ending in \xC3\xB6\n";

const Found kCFixtureMisprints = {
    "1:6 tset", "1:18 chekcer", "1:51 html",                          // comment
    "2:27 snaek", "2:42 welll", "2:58 camelCase",                     // comment
    "4:18 helo", "4:23 wrold",                                        // string
    "5:4 Tihs",                                                       // comment
    "6:21 \xC3\xB6",                                                  // last word of a line
};

TEST_F(SpellCheckPluginTest, CFileReportsWordsInCommentsAndStringsOnly) {
  LoadC(kCFixture);
  EXPECT_EQ(Check(), kCFixtureMisprints);
}

TEST_F(SpellCheckPluginTest, PlainTextThroughTheFallbackLexer) {
  LoadText(
      "tset at the start of a line.\n"
      "A sentence that ends in tset. Another with tset, and more.\n"
      "Files notes.txt and index.html, paths /usr/share/tset and http://tset.org/x\n");
  EXPECT_EQ(Check(), (Found{"1:1 tset", "2:25 tset", "2:44 tset", "3:27 html"}));

  const auto* first = static_cast<const MisprintRecord*>(plugin_.Misprints.Find(TMemoryCache::fmExact, 0x100000001));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->column, 1);
  EXPECT_EQ(first->line, 1);
  EXPECT_EQ(first->length, 4);
}

TEST_F(SpellCheckPluginTest, WithoutALexerEveryWordIsTested) {
  editor_.SetLines({u"int mispelt_identifer = 1;"});
  EXPECT_EQ(Check(), (Found{"1:5 mispelt", "1:13 identifer"}));
}

TEST_F(SpellCheckPluginTest, ScopeDecidesWhichTokensAreChecked) {
  LoadC(kCFixture);
  plugin_.Scope.SetText("--\ncomment\n");  // case-insensitive
  Found comments = kCFixtureMisprints;
  std::erase_if(comments, [](const std::string& s) { return s[0] == '4'; });
  EXPECT_EQ(Check(), comments);

  plugin_.Scope.SetText("--\n");
  EXPECT_EQ(Check(), Found{});

  plugin_.Scope.SetText("Identifier\n");
  EXPECT_EQ(Check(), (Found{"3:5 mispelt", "3:13 identifer"}));
}

TEST_F(SpellCheckPluginTest, SettingsAreCopiedFromTheOptions) {
  LoadC(kCFixture);
  TOptionsList options;
  LoadOptions(options, dir_.File("no-config.dat"));  // the defaults
  ApplyCheckOptions(plugin_, options);
  ASSERT_GT(plugin_.Scope.Count(), 1);
  EXPECT_EQ(plugin_.Scope[0], "--");
  EXPECT_EQ(Check(), kCFixtureMisprints);

  WriteOptionLines(options, keys::CheckScope, {"--", "String"});
  WriteOptionBool(options, keys::IgnoreMixedcase, true);
  WriteOptionBool(options, keys::IgnoreNumbers, false);
  WriteOptionBool(options, keys::IgnoreUppercase, false);
  ApplyCheckOptions(plugin_, options);
  EXPECT_TRUE(plugin_.CheckOptions.IgnoreMixedcase);
  EXPECT_FALSE(plugin_.CheckOptions.IgnoreNumbers);
  EXPECT_FALSE(plugin_.CheckOptions.IgnoreUppercase);
  EXPECT_EQ(plugin_.CheckOptions.MaxWordLength, 32);
  EXPECT_EQ(Check(), (Found{"4:18 helo", "4:23 wrold"}));
}

TEST_F(SpellCheckPluginTest, PunctuationAloneIsNeverAMisprint) {
  // The cutter hands lone separators to the scan as one-character words;
  // without the upper-case rule the dictionary would reject them.
  LoadC("// call foo(bar), see \"x\" - it; {y} '' \xE4\xB8\xAD\xE6\x96\x87 tset\n");
  plugin_.CheckOptions.IgnoreUppercase = false;
  EXPECT_EQ(Check(), (Found{"1:43 tset"}));
}

TEST_F(SpellCheckPluginTest, AnEmptyDocumentClearsTheRecords) {
  LoadC(kCFixture);
  ASSERT_FALSE(Check().empty());
  editor_.SetLines({});
  EXPECT_EQ(Check(), Found{});
  EXPECT_EQ(plugin_.Misprints.Count(), 0);
}

TEST_F(SpellCheckPluginTest, AddedWordsChangeTheNextCheck) {
  LoadText("tset and chekcer\nand tset again\n");
  EXPECT_EQ(Check(), (Found{"1:1 tset", "1:10 chekcer", "2:5 tset"}));
  AddIgnoredWord("TSET");
  editor_.Repaint();  // painting tests anew: only chekcer keeps its wave
  EXPECT_FALSE(editor_.PixelAt(41, 14).has_value());
  EXPECT_TRUE(editor_.PixelAt(40 + 9 * 8 + 1, 14).has_value());
  EXPECT_EQ(plugin_.Misprints.Count(), 3);  // until the next full check
  EXPECT_EQ(Check(), (Found{"1:10 chekcer"}));
  AddUserWord("chekcer");
  EXPECT_EQ(Check(), Found{});

  IgnoredWords().Clear();
  ReleaseDictionaries();  // read-only: the user word is not kept
  Load();
  EXPECT_EQ(Check(), (Found{"1:1 tset", "1:10 chekcer", "2:5 tset"}));
}

// ---- Painting ------------------------------------------------------------------

constexpr int kWave[4] = {0, 1, 2, 1};
constexpr uint32_t kRed = 0x0000FF;

TEST_F(SpellCheckPluginTest, PaintingDrawsAZigzagUnderTheWord) {
  editor_.SetLines({u"the tset"});
  editor_.Repaint();
  const int x = THeadlessSynEdit::kGutterWidth + 4 * THeadlessSynEdit::kCharWidth;
  const int base = THeadlessSynEdit::kLineHeight - 3;
  const int width = 4 * THeadlessSynEdit::kCharWidth;
  EXPECT_EQ(editor_.PixelCount(), static_cast<size_t>(width + 1));
  for (int k = 0; k <= width; ++k) EXPECT_EQ(editor_.PixelAt(x + k, base + kWave[k % 4]), kRed) << k;
  EXPECT_EQ(plugin_.Misprints.Count(), 0);  // painting records nothing
}

TEST_F(SpellCheckPluginTest, PaintingStartsRightOfTheGutterAndFollowsTheTopRow) {
  editor_.SetLines({u"tset", u"fine", u"tset"});
  editor_.SetTopRow(2);
  editor_.Repaint();
  const int gutter = THeadlessSynEdit::kGutterWidth;
  const int base = THeadlessSynEdit::kLineHeight + THeadlessSynEdit::kLineHeight - 3;  // line 3 on row 2
  EXPECT_EQ(editor_.PixelCount(), 32u);
  EXPECT_FALSE(editor_.PixelAt(gutter, base).has_value());
  EXPECT_EQ(editor_.PixelAt(gutter + 1, base + 1), kRed);
  EXPECT_EQ(editor_.PixelAt(gutter + 4, base), kRed);
  EXPECT_EQ(editor_.PixelAt(gutter + 32, base), kRed);
}

TEST_F(SpellCheckPluginTest, TheRightEdgeOfTheClipEndsALine) {
  editor_.SetLines({u"tset tset tset tset", u"tset"});
  editor_.SetClipWidth(100);
  editor_.Repaint();
  // Line 1: words at x 40 and 80; the one at 120 lies beyond the clip.
  EXPECT_EQ(editor_.PixelAt(41, 14), kRed);
  EXPECT_EQ(editor_.PixelAt(80, 13), kRed);
  for (int x = 120; x < 200; ++x)
    for (int y = 0; y < 16; ++y) EXPECT_FALSE(editor_.PixelAt(x, y).has_value()) << x << "," << y;
  // Line 2 is still painted.
  EXPECT_EQ(editor_.PixelAt(41, 16 + 14), kRed);
  EXPECT_EQ(editor_.PixelCount(), 32u + 33u + 32u);
}

TEST_F(SpellCheckPluginTest, WordsOutsideTheScopeAreNotPainted) {
  editor_.SetLines({u"int tset; // tset"});
  editor_.SetHighlighter(lexers_.Find("CandCPlusPlus"));
  editor_.Repaint();
  const int x = THeadlessSynEdit::kGutterWidth + 13 * THeadlessSynEdit::kCharWidth;
  EXPECT_EQ(editor_.PixelCount(), 33u);
  EXPECT_EQ(editor_.PixelAt(x, 13), kRed);
}

} // namespace
} // namespace qm
