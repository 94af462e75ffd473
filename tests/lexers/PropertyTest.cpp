// Every lexer of the set keeps the token contract over files written by
// others (found on this machine) and over random lines rich in the characters
// that open and close comments, strings, tags and markers.
#include "lexers/LexerSet.h"

#include "LexerChecks.h"
#include "RealFiles.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <random>

namespace qm {
namespace {

std::vector<std::u16string> RandomDocument(std::mt19937& random) {
  static const std::u16string alphabet =
      u"  \t\tabcXYZ_09.,;:/*\"\"''##<<>>&&;{}()[]=-+!?$@\\`~%^|\x00E9\x0416\x00A0\x3000\uFFFF\x0000"
      u"Ee8xXlLuUfF";
  std::uniform_int_distribution<int> lineCount(1, 12), length(0, 60), pick(0, static_cast<int>(alphabet.size()) - 1);
  std::vector<std::u16string> lines(static_cast<size_t>(lineCount(random)));
  for (auto& line : lines) {
    const int n = length(random);
    for (int i = 0; i < n; ++i) line += alphabet[static_cast<size_t>(pick(random))];
  }
  return lines;
}

class LexerProperties : public testing::Test {
protected:
  TLexerSet set;
};

TEST_F(LexerProperties, RealFilesKeepTheTokenContract) {
  for (int i = 0; i < set.Count(); ++i) {
    TSynCustomHighlighter& lexer = *set.At(i);
    const auto files = test::FindRealFiles(test::RealFileSourcesFor(lexer.LanguageName()), 6, 200 * 1024, 300 * 1024);
    for (const auto& path : files) {
      const auto lines = test::DocumentLines(test::Utf16(test::ReadWholeFile(path)));
      EXPECT_EQ(test::CheckLexerInvariants(lexer, lines), "") << lexer.LanguageName() << " on " << path;
    }
    RecordProperty(lexer.LanguageName(), static_cast<int>(files.size()));
  }
}

TEST_F(LexerProperties, RandomLinesKeepTheTokenContract) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 300; ++round) {
    const auto lines = RandomDocument(random);
    for (int i = 0; i < set.Count(); ++i) {
      TSynCustomHighlighter& lexer = *set.At(i);
      const std::string fault = test::CheckLexerInvariants(lexer, lines);
      ASSERT_EQ(fault, "") << lexer.LanguageName() << " in round " << round;
    }
  }
}

TEST_F(LexerProperties, TheSetHoldsEveryLanguageOnceInOrder) {
  const std::vector<std::string> expected = {
      "General_Multi-Highlighter", "HTML",   "XML",         "CascadingStyleSheet", "JavaScript", "PHP",
      "Perl",                      "Python", "Ruby",        "x86Assembly",         "CandCPlusPlus", "CSharp",
      "ObjectPascal",              "BorlandForms", "Fortran", "COBOL",            "Eiffel",     "Foxpro",
      "Java",                      "VisualBasic",  "MS-DOS_Batch", "InnoSetupScript"};
  std::vector<std::string> names;
  for (int i = 0; i < set.Count(); ++i) names.push_back(set.At(i)->LanguageName());
  EXPECT_EQ(names, expected);
  EXPECT_EQ(set.Find("MS-VBScript"), nullptr);
  EXPECT_EQ(set.Find("UNIXShellScript"), nullptr);
  EXPECT_EQ(set.Find("candcplusplus"), nullptr);
  EXPECT_EQ(set.Fallback(), set.Find("General_Multi-Highlighter"));
  for (int i = 0; i < set.Count(); ++i)
    EXPECT_NE(set.At(i)->DefaultAttribute(SYN_ATTR_WHITESPACE), nullptr) << names[static_cast<size_t>(i)];
}

} // namespace
} // namespace qm

namespace qm {
namespace {

// The multi-lexer with the real scheme lexers, as the checker sets it up.
TEST(MultiLexerGolden, PagesWithStylesScriptsAndPhp) {
  TLexerSet set;
  test::RunGoldenFolder(*set.Fallback(), "General_Multi-Highlighter");
}

} // namespace
} // namespace qm
