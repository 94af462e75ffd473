// The HTML lexer: golden samples, the token rules as a table of lines, the
// reference and tag tables, and a sweep showing that no state and character
// mix yields an empty token or a stuck line.
#include "lexers/SynHTMLSyn.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace qm {
namespace {

using Html = TSynHTMLSyn;

// Every token as "{Attribute}text", not merged.
std::string Tokens(TSynCustomHighlighter& lexer, const std::u16string& line, uint32_t state, uint32_t* after = nullptr) {
  std::string out;
  for (const auto& token : LexLine(lexer, line, 1, state)) {
    out += "{" + (token.attribute ? token.attribute->Name() : std::string("None")) + "}";
    out += test::Utf8(line.substr(static_cast<size_t>(token.start), static_cast<size_t>(token.length)));
  }
  if (after) *after = lexer.RangeState();
  return out;
}

TEST(HtmlLexerGolden, Samples) {
  Html lexer;
  test::RunGoldenFolder(lexer, "HTML");
}

struct LineCase {
  uint32_t before;
  std::u16string line;
  std::string tokens;
  uint32_t after;
};

void CheckLines(const std::vector<LineCase>& cases) {
  Html lexer;
  for (const auto& c : cases) {
    uint32_t after = 0;
    EXPECT_EQ(Tokens(lexer, c.line, c.before, &after), c.tokens) << test::Utf8(c.line);
    EXPECT_EQ(after, c.after) << test::Utf8(c.line);
  }
}

TEST(HtmlLexer, CharacterReferencesInText) {
  CheckLines({
      {4, u"Fish &amp; chips", "{Text}Fish {EscapeAmpersand}&amp;{Text} chips", 4},
      {4, u"Fish &AMP; chips", "{Text}Fish {EscapeAmpersand}&AMP;{Text} chips", 4},
      {4, u"Fish &foo; chips", "{Text}Fish &foo; chips", 4},
      {4, u"a &#169; b", "{Text}a {EscapeAmpersand}&#169;{Text} b", 4},
      {4, u"a &#169 b", "{Text}a &#169{Text} b", 4},
      {4, u"&#x1F;&#X1f;x", "{EscapeAmpersand}&#x1F;{EscapeAmpersand}&#X1f;{Text}x", 4},
      {4, u"&#xg;", "{Text}&#x{Text}g;", 4},
      // Entries with capitals never match the lower-cased line; their
      // lower-case forms match whatever the case.
      {4, u"&Alpha;&ALPHA;", "{EscapeAmpersand}&Alpha;{EscapeAmpersand}&ALPHA;", 4},
      {4, u"&Agrave;", "{EscapeAmpersand}&Agrave;", 4},
      {4, u"&OElig;", "{EscapeAmpersand}&OElig;", 4},
      {4, u"&ETH;&THORN;", "{EscapeAmpersand}&ETH;{EscapeAmpersand}&THORN;", 4},
      {4, u"x &amp", "{Text}x &amp", 4},
      {4, u"&sup2;&sup;", "{EscapeAmpersand}&sup2;{EscapeAmpersand}&sup;", 4},
      // A state 0 from elsewhere with no reference found ahead: plain text.
      {0, u"&x &lt;", "{Text}&x {EscapeAmpersand}&lt;", 4},
      {0, u"&#65;", "{EscapeAmpersand}&#65;", 4},
  });
}

TEST(HtmlLexer, TagsAttributesAndValues) {
  CheckLines({
      {4, u"<p title='Helo'>Wrold</p>",
       "{Symbol}<{ReservedWord}p{Space} {Identifier}title{Symbol}={Value}'Helo'{Symbol}>{Text}Wrold{Symbol}<"
       "{ReservedWord}/p{Symbol}>",
       4},
      {4, u"<DIV Class=Main>", "{Symbol}<{ReservedWord}DIV{Space} {Identifier}Class{Symbol}={Value}Main{Symbol}>", 4},
      {4, u"<!DOCTYPE html>", "{Symbol}<{ReservedWord}!DOCTYPE{Space} {Identifier}html{Symbol}>", 4},
      {4, u"<blink x=\"a b\">", "{Symbol}<{UnknownWord}blink{Space} {Identifier}x{Symbol}={Value}\"a b\"{Symbol}>", 4},
      {4, u"<a b=c=d>", "{Symbol}<{ReservedWord}a{Space} {Identifier}b{Symbol}={Value}c=d{Symbol}>", 4},
      {4, u"<a b=>c", "{Symbol}<{ReservedWord}a{Space} {Identifier}b{Symbol}={Symbol}>{Text}c", 4},
      {4, u"<a b='x", "{Symbol}<{ReservedWord}a{Space} {Identifier}b{Symbol}={Value}'x", 7},
      {7, u"y' c>", "{Value}y'{Space} {Identifier}c{Symbol}>", 4},
      {8, u"it's\" c>", "{Value}it's\"{Space} {Identifier}c{Symbol}>", 4},
      {8, u"", "", 8},
      {6, u"'v'>", "{Value}'v'{Symbol}>", 4},
      // Quotes outside a value start an attribute name.
      {4, u"<x \"q\">", "{Symbol}<{UnknownWord}x{Space} {Identifier}\"q{Identifier}\"{Symbol}>", 4},
      // A blank after "<" keeps the tag name coming.
      {4, u"< p>", "{Symbol}<{Space} {ReservedWord}p{Symbol}>", 4},
      // An empty tag name only moves on to the attributes.
      {4, u"<.x>", "{Symbol}<{Identifier}.x{Symbol}>", 4},
      {4, u"<\"a\">", "{Symbol}<{Identifier}\"a{Identifier}\"{Symbol}>", 4},
      {4, u"<>", "{Symbol}<{Symbol}>", 4},
      {4, u"<p", "{Symbol}<{ReservedWord}p", 3},
      {4, u"<", "{Symbol}<", 2},
      {4, u"<&amp; x", "{Symbol}<{Text}&{Text}amp; x", 4},
      {3, u"&x=&y", "{Identifier}&x{Symbol}={Value}&y", 3},
  });
}

TEST(HtmlLexer, Comments) {
  CheckLines({
      {4, u"<!-- Helo -->", "{Comment}<!--{Comment} Helo -->", 4},
      {4, u"<!-->x", "{Comment}<!--{Comment}>{Text}x", 4},
      {4, u"<!--->x", "{Comment}<!--{Comment}->{Text}x", 4},
      {4, u"<!-- a -- b", "{Comment}<!--{Comment} a -- b", 1},
      {1, u"still <b> -->after", "{Comment}still <b> -->{Text}after", 4},
      // "--" at the end of one line and ">" on the next do not close it.
      {4, u"<!-- a --", "{Comment}<!--{Comment} a --", 1},
      {1, u"> b", "{Comment}> b", 1},
      {1, u"", "", 1},
      {4, u"<!- x", "{Symbol}<{UnknownWord}!{Identifier}-{Space} {Identifier}x", 3},
  });
}

TEST(HtmlLexer, WhitespaceAndBreaks) {
  std::u16string withCr = u"ab";
  withCr += u'\r';
  withCr += u"cd";
  CheckLines({
      {4, u"a\t\t  b", "{Text}a{Space}\t{Space}\t  {Text}b", 4},
      {4, u"  a b", "{Text}  a b", 4},  // blanks are text inside text
      {3, u"\x01\x02 x", "{Space}\x01\x02 {Identifier}x", 3},
      // A line break inside a line is one blank and does not end a comment.
      {1, withCr, "{Comment}ab{Space}\r{Comment}cd", 1},
      {4, withCr, "{Text}ab{Space}\r{Text}cd", 4},
  });
}

TEST(HtmlLexer, EntityIndexPointsIntoTheReferenceTable) {
  Html lexer;
  lexer.ResetRangeState();
  EXPECT_EQ(lexer.RangeState(), 4u);
  lexer.StartLine(u"a &Copy; b", 0);
  EXPECT_EQ(test::Utf8(lexer.TokenText()), "a ");
  const auto& references = Html::References();
  const auto copy = std::find(references.begin(), references.end(), u"&copy;") - references.begin();
  EXPECT_EQ(lexer.EntityIndex(), copy);
  EXPECT_EQ(lexer.RangeState(), 0u);
  lexer.NextToken();
  EXPECT_EQ(test::Utf8(lexer.TokenText()), "&Copy;");
  EXPECT_EQ(lexer.TokenKind(), Html::tkAmpersand);
  EXPECT_EQ(lexer.EntityIndex(), -1);
  EXPECT_EQ(lexer.RangeState(), 4u);
}

TEST(HtmlLexer, Tables) {
  const auto& references = Html::References();
  EXPECT_EQ(references.front(), u"&Alpha;");
  EXPECT_EQ(references[41], u"&sigmaf;");
  EXPECT_EQ(references[42], u"&sigma;");
  EXPECT_EQ(references.back(), u"&circ;");
  EXPECT_EQ(std::set<std::u16string_view>(references.begin(), references.end()).size(), references.size());
  for (auto entry : references) EXPECT_TRUE(entry.size() > 2 && entry.front() == u'&' && entry.back() == u';');

  const auto& tags = Html::TagNames();
  const std::set<std::string_view> names(tags.begin(), tags.end());
  EXPECT_EQ(names.size(), 202u);
  EXPECT_TRUE(names.count("!doctype"));
  for (auto tag : tags) {
    EXPECT_TRUE(std::none_of(tag.begin(), tag.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << tag;
    if (tag.front() == '/') {
      EXPECT_TRUE(names.count(tag.substr(1))) << tag;
    }
  }
}

TEST(HtmlLexer, Attributes) {
  Html lexer;
  std::vector<std::string> names;
  for (int i = 0; i < lexer.AttributeCount(); ++i) names.push_back(lexer.AttributeAt(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Comment", "EscapeAmpersand", "Identifier", "ReservedWord", "Space",
                                             "Symbol", "Text", "UnknownWord", "Value"}));
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_STRING), nullptr);
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_WHITESPACE)->Name(), "Space");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_COMMENT)->Name(), "Comment");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_KEYWORD)->Name(), "ReservedWord");
  EXPECT_EQ(lexer.LanguageName(), "HTML");
  EXPECT_EQ(lexer.DefaultFilter(), "HTML Documents (*.htm;*.html)|*.htm;*.html");
  EXPECT_FALSE(lexer.ScanCaseSensitive());
}

// Lines glued from pieces that exercise every step, lexed from every state:
// tokens must be non-empty, contiguous and reach the line end.
TEST(HtmlLexer, NoStateAndCharacterMixYieldsAnEmptyOrStuckToken) {
  const std::u16string pieces[] = {u"<",  u">",    u"=",   u"&",  u"&amp;", u"&#1;", u"&#x", u"#",
                                   u"\"", u"'",    u"-",   u"!",  u"<!--",  u"-->",  u"a",   u"P",
                                   u" ",  u"\t",   u"\r",  u"/",  u";",     u"\u00E9", u"1"};
  Html lexer;
  std::mt19937 random(12345);
  auto check = [&](const std::u16string& line, uint32_t state) {
    lexer.SetRangeState(state);
    lexer.StartLine(line, 0);
    int expected = 0;
    for (size_t n = 0; !lexer.AtLineEnd(); ++n) {
      ASSERT_LE(n, line.size()) << test::Utf8(line) << " state " << state;
      ASSERT_EQ(lexer.TokenStart(), expected) << test::Utf8(line) << " state " << state;
      ASSERT_FALSE(lexer.TokenText().empty()) << test::Utf8(line) << " state " << state;
      expected += static_cast<int>(lexer.TokenText().size());
      lexer.NextToken();
    }
    ASSERT_EQ(expected, static_cast<int>(line.size())) << test::Utf8(line) << " state " << state;
  };
  const size_t count = std::size(pieces);
  for (uint32_t state = 0; state <= 9; ++state) {
    for (size_t a = 0; a < count; ++a)
      for (size_t b = 0; b < count; ++b) check(pieces[a] + pieces[b], state);
    for (int i = 0; i < 2000; ++i) {
      std::u16string line;
      const int length = 1 + static_cast<int>(random() % 8);
      for (int k = 0; k < length; ++k) line += pieces[random() % count];
      check(line, state);
    }
  }
}

} // namespace
} // namespace qm
