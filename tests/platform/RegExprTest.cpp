#include "platform/RegExpr.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct SearchCase {
  const char16_t* expression;
  bool caseInsensitive;
  std::u16string text;
  int pos;  // 0: no match
  int len;
};

TEST(RegExprTest, FindsTheLeftmostMatch) {
  const SearchCase cases[] = {
      {u"</xml>", false, u"a </xml> b </xml>", 3, 6},
      // ".*" is greedy: it runs to the last ">" of the text.
      {u"<style.*>", true, u"x<style>p { color: red }</style> Helo", 2, 31},
      {u"<\\?php", true, u"a <?php echo", 3, 5},
      {u"\\?>", false, u"a?b ?> c ?>", 5, 2},
      {u"<script.*>", true, u"<SCRIPT type='text/javascript'>", 1, 31},
      {u"<script.*>", false, u"<SCRIPT type='text/javascript'>", 0, 0},
      {u"</script>", true, u"x</Script> y", 2, 9},
      {u"\u00E9t\u00E9", true, u"\u00C9T\u00C9", 1, 3},  // non-ASCII letters fold too
      {u"a.b", false, u"a\rb", 1, 3},                     // "." is any character
      {u"x*", false, u"abc", 1, 0},                       // an empty match is a match
      {u"b", false, u"", 0, 0},
  };
  for (const auto& c : cases) {
    TRegExpr expression(c.expression, c.caseInsensitive);
    const bool found = expression.Exec(c.text);
    EXPECT_EQ(found, c.pos > 0) << std::u16string(c.expression).size();
    EXPECT_EQ(expression.MatchPos(), c.pos);
    EXPECT_EQ(expression.MatchLen(), c.len);
  }
}

TEST(RegExprTest, MatchesCodeUnitsSoLoneSurrogatesAreCharacters) {
  std::u16string text = u"<a";
  text += static_cast<char16_t>(0xD800);  // lone high surrogate
  text += u"b>";
  TRegExpr expression(u"a.b", true);
  ASSERT_TRUE(expression.Exec(text));
  EXPECT_EQ(expression.MatchPos(), 2);
  EXPECT_EQ(expression.MatchLen(), 3);
}

TEST(RegExprTest, SearchesAgainAndAgainWithOneCompiledExpression) {
  TRegExpr expression(u"b+", false);
  EXPECT_TRUE(expression.Exec(u"abbbc"));
  EXPECT_EQ(expression.MatchPos(), 2);
  EXPECT_EQ(expression.MatchLen(), 3);
  EXPECT_FALSE(expression.Exec(u"xyz"));
  EXPECT_EQ(expression.MatchPos(), 0);
  EXPECT_EQ(expression.MatchLen(), 0);
  EXPECT_TRUE(expression.Exec(std::u16string_view(u"--b--").substr(2)));
  EXPECT_EQ(expression.MatchPos(), 1);

  TRegExpr moved(std::move(expression));
  EXPECT_TRUE(moved.Exec(u"ab"));
  EXPECT_EQ(moved.Expression(), u"b+");
  EXPECT_FALSE(expression.Exec(u"ab"));  // NOLINT: a moved-from expression matches nothing
}

TEST(RegExprTest, CompileErrorNamesTheExpressionPositionAndReason) {
  try {
    TRegExpr expression(u"a(", false);
    FAIL() << "compiled";
  } catch (const ERegExpr& e) {
    EXPECT_STREQ(e.what(), "\"a(\" is not a valid Regular Expression.\rError (pos 2): missing closing parenthesis");
  }
  EXPECT_THROW(TRegExpr(u"*x", true), ERegExpr);
}

} // namespace
} // namespace qm
