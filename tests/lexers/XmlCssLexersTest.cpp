// The XML and CSS lexers: golden samples, line-by-line cases for the rules
// that decide which words are checked, every start state a host can hand
// over, and the attribute lists.
#include "lexers/LexerHost.h"
#include "lexers/SynCssSyn.h"
#include "lexers/SynXMLSyn.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace qm {
namespace {

using Tokens = std::vector<std::pair<std::string, std::string>>;

// The tokens of one line lexed from the given start state, as (attribute
// name, text) pairs.
Tokens Lex(TSynCustomHighlighter& lexer, const std::string& line, uint32_t state) {
  const std::u16string text = test::Utf16(line);
  Tokens out;
  for (const auto& token : LexLine(lexer, text, 1, state))
    out.emplace_back(token.attribute ? token.attribute->Name() : "None",
                     test::Utf8(std::u16string_view(text).substr(token.start, token.length)));
  return out;
}

struct LineCase {
  const char* line;
  uint32_t state;
  Tokens tokens;
  uint32_t endState;
};

void CheckCases(TSynCustomHighlighter& lexer, const std::vector<LineCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("line \"") + c.line + "\" from state " + std::to_string(c.state));
    EXPECT_EQ(Lex(lexer, c.line, c.state), c.tokens);
    EXPECT_EQ(lexer.RangeState(), c.endState);
  }
}

std::vector<std::string> AttributeNames(const TSynCustomHighlighter& lexer) {
  std::vector<std::string> names;
  for (int i = 0; i < lexer.AttributeCount(); ++i) names.push_back(lexer.AttributeAt(i)->Name());
  return names;
}

// Lines that exercise every construct of both languages.
const char* const kMixedLines[] = {
    "",
    "<a href='x' xmlns:b=\"y&amp;z\">Helo &amp; wrold</a>",
    "<!-- c --> <![CDATA[ d ]]> <?pi e?> <!DOCTYPE f [ g ]>",
    "\t \t&;\"'<>/=[]?!-",
    "p, a[href=\"x\"] { color: #fff; margin: -1.5em 0 .5px; content: 'q' } /* c */ // x",
    "\xC3\x89\xC3\x80 \xE2\x82\xAC x\xC2\xA0y",
    "-->]]>?>]>*/",
};

// Every line from every start state: tokens are non-empty, contiguous and
// cover the line, and lexing never stalls.
void CheckAllStartStates(TSynCustomHighlighter& lexer, uint32_t lastState) {
  for (uint32_t state = 0; state <= lastState; ++state) {
    for (const char* line : kMixedLines) {
      const std::u16string text = test::Utf16(line);
      BeginLine(lexer, text, 1, state);
      int expected = 0;
      int count = 0;
      while (!lexer.AtLineEnd() && count++ <= static_cast<int>(text.size())) {
        ASSERT_EQ(lexer.TokenStart(), expected) << "state " << state << " line " << line;
        ASSERT_FALSE(lexer.TokenText().empty()) << "state " << state << " line " << line;
        expected += static_cast<int>(lexer.TokenText().size());
        lexer.NextToken();
      }
      ASSERT_TRUE(lexer.AtLineEnd()) << "state " << state << " line " << line;
      ASSERT_EQ(expected, static_cast<int>(text.size())) << "state " << state << " line " << line;
    }
  }
}

// ---------------------------------------------------------------- XML

TEST(XmlLexer, GoldenSamples) {
  TSynXMLSyn lexer;
  test::RunGoldenFolder(lexer, "XML");
}

TEST(XmlLexer, TextAndCommentsAreSeparatedFromMarkup) {
  TSynXMLSyn lexer;
  CheckCases(lexer, {
      {"<a href='x'>Helo</a>", 11,
       {{"Symbol", "<"}, {"ElementName", "a"}, {"Whitespace", " "}, {"AttributeName", "href"},
        {"Symbol", "='"}, {"AttributeValue", "x"}, {"Symbol", "'"}, {"Symbol", ">"}, {"Text", "Helo"},
        {"Symbol", "</"}, {"ElementName", "a"}, {"Symbol", ">"}},
       11},
      {"<!-- Helo -->", 11, {{"Symbol", "<!--"}, {"Comment", " Helo "}, {"Symbol", "-->"}}, 11},
      {"<!---->x", 11, {{"Symbol", "<!--"}, {"Symbol", "-->"}, {"Text", "x"}}, 11},
      {"<!-- Helo", 11, {{"Symbol", "<!--"}, {"Comment", " Helo"}}, 4},
      {"wrold --> text", 4, {{"Comment", "wrold "}, {"Symbol", "-->"}, {"Text", " text"}}, 11},
      {"", 4, {}, 4},
      {"<![CDATA[ Helo ]]>x", 11, {{"CDATA-Section", "<![CDATA"}, {"CDATA-Section", "[ Helo ]]>"}, {"Text", "x"}}, 11},
      {"<![CDATA[ a ] > b", 11, {{"CDATA-Section", "<![CDATA"}, {"CDATA-Section", "[ a ] > b"}}, 3},
      {"b ]]> Helo", 3, {{"CDATA-Section", "b ]]>"}, {"Text", " Helo"}}, 11},
      {"<?xml version=\"1.0\"?>x", 11,
       {{"ProcessingInstruction", "<?"}, {"ProcessingInstruction", "xml version=\"1.0\"?>"}, {"Text", "x"}}, 11},
      {"<?pi a > b", 11, {{"ProcessingInstruction", "<?"}, {"ProcessingInstruction", "pi a > b"}}, 8},
      // The "?" of the opener counts for the closing "?>".
      {"<?>x", 11, {{"ProcessingInstruction", "<?"}, {"ProcessingInstruction", ">"}, {"Text", "x"}}, 11},
  });
}

TEST(XmlLexer, TextReferencesAndBlanks) {
  TSynXMLSyn lexer;
  CheckCases(lexer, {
      {"a &amp; b", 11, {{"Text", "a "}, {"EntityReference", "&amp;"}, {"Text", " b"}}, 11},
      {"&#169;x", 11, {{"EntityReference", "&#169;"}, {"Text", "x"}}, 11},
      // A reference without ";" runs to the next blank.
      {"&nope wrold", 11, {{"EntityReference", "&nope"}, {"Text", " wrold"}}, 11},
      {"x &", 11, {{"Text", "x "}, {"EntityReference", "&"}}, 11},
      {"  > ; \"q\"", 11, {{"Text", "  > ; \"q\""}}, 11},
      // A tab starts its own blank token; blanks after it join it.
      {"\t \tHelo", 11, {{"Whitespace", "\t "}, {"Whitespace", "\t"}, {"Text", "Helo"}}, 11},
      {"amp; x", 6, {{"EntityReference", "amp;"}, {"Text", " x"}}, 11},
  });
}

TEST(XmlLexer, TagsAttributesAndValues) {
  TSynXMLSyn lexer;
  CheckCases(lexer, {
      {"<a/>", 11, {{"Symbol", "<"}, {"ElementName", "a"}, {"Symbol", "/"}, {"Symbol", ">"}}, 11},
      {"</a >", 11, {{"Symbol", "</"}, {"ElementName", "a"}, {"Whitespace", " "}, {"Symbol", ">"}}, 11},
      {"<multi", 11, {{"Symbol", "<"}, {"ElementName", "multi"}}, 2},
      {"  line=\"tag\"", 2,
       {{"Whitespace", "  "}, {"AttributeName", "line"}, {"Symbol", "=\""}, {"AttributeValue", "tag"},
        {"Symbol", "\""}},
       2},
      {"<a b", 11, {{"Symbol", "<"}, {"ElementName", "a"}, {"Whitespace", " "}, {"AttributeName", "b"}}, 7},
      {"= \"x\">", 7, {{"Symbol", "= \""}, {"AttributeValue", "x"}, {"Symbol", "\""}, {"Symbol", ">"}}, 11},
      {"<i v=\"a&amp;b\" w=''>", 11,
       {{"Symbol", "<"}, {"ElementName", "i"}, {"Whitespace", " "}, {"AttributeName", "v"}, {"Symbol", "=\""},
        {"AttributeValue", "a"}, {"EntityReference", "&amp;"}, {"AttributeValue", "b"}, {"Symbol", "\""},
        {"Whitespace", " "}, {"AttributeName", "w"}, {"Symbol", "='"}, {"Symbol", "'"}, {"Symbol", ">"}},
       11},
      {"a &lt; b' c", 0,
       {{"AttributeValue", "a "}, {"EntityReference", "&lt;"}, {"Whitespace", " "}, {"AttributeValue", "b"},
        {"Symbol", "'"}, {"Whitespace", " "}, {"AttributeName", "c"}},
       7},
      // A reference in a value runs past the closing quote to the next blank.
      {"<i v=\"a&b\">Helo wrold</i>", 11,
       {{"Symbol", "<"}, {"ElementName", "i"}, {"Whitespace", " "}, {"AttributeName", "v"}, {"Symbol", "=\""},
        {"AttributeValue", "a"}, {"EntityReference", "&b\">Helo"}, {"Whitespace", " "},
        {"AttributeValue", "wrold</i>"}},
       9},
      // A value over lines; blanks and ">" at the start of a value are not value.
      {"  rest of value\" b='c'>", 9,
       {{"Whitespace", "  "}, {"AttributeValue", "rest of value"}, {"Symbol", "\""}, {"Whitespace", " "},
        {"AttributeName", "b"}, {"Symbol", "='"}, {"AttributeValue", "c"}, {"Symbol", "'"}, {"Symbol", ">"}},
       11},
      {">\">x", 9, {{"Symbol", ">"}, {"Text", "\">x"}}, 11},
      // A quote where an attribute name belongs is a symbol of its own.
      {"<a \"q\">", 11,
       {{"Symbol", "<"}, {"ElementName", "a"}, {"Whitespace", " "}, {"Symbol", "\""}, {"AttributeName", "q"},
        {"Symbol", "\""}, {"Symbol", ">"}},
       11},
      {"<\xC3\x89 x=''>", 11,
       {{"Symbol", "<"}, {"ElementName", "\xC3\x89"}, {"Whitespace", " "}, {"AttributeName", "x"},
        {"Symbol", "='"}, {"Symbol", "'"}, {"Symbol", ">"}},
       11},
      // Names take letters above code 192 only: "À" (192) is no name.
      {"<\xC3\x80>", 11, {{"Symbol", "<"}, {"Symbol", "\xC3\x80>"}}, 7},
      {"<!foo>", 11, {{"Symbol", "<!"}, {"ElementName", "foo"}, {"Symbol", ">"}}, 11},
  });
}

TEST(XmlLexer, NamespaceAttributes) {
  TSynXMLSyn lexer;
  CheckCases(lexer, {
      {"<r xmlns:a=\"urn:x\" a:b='y'>", 11,
       {{"Symbol", "<"}, {"ElementName", "r"}, {"Whitespace", " "}, {"NamespaceAttributeName", "xmlns:a"},
        {"Symbol", "=\""}, {"NamespaceAttributeValue", "urn:x"}, {"Symbol", "\""}, {"Whitespace", " "},
        {"AttributeName", "a:b"}, {"Symbol", "='"}, {"AttributeValue", "y"}, {"Symbol", "'"}, {"Symbol", ">"}},
       11},
      {"my-xmlns-x='a&amp;b'", 2,
       {{"NamespaceAttributeName", "my-xmlns-x"}, {"Symbol", "='"}, {"NamespaceAttributeValue", "a"},
        {"EntityReference", "&amp;"}, {"NamespaceAttributeValue", "b"}, {"Symbol", "'"}},
       2},
      {"XMLNS=\"v\"", 2,
       {{"AttributeName", "XMLNS"}, {"Symbol", "=\""}, {"AttributeValue", "v"}, {"Symbol", "\""}}, 2},
      {"xmlns", 2, {{"NamespaceAttributeName", "xmlns"}}, 14},
      {"=\"open", 14, {{"Symbol", "=\""}, {"NamespaceAttributeValue", "open"}}, 15},
      {"v&amp;", 15, {{"NamespaceAttributeValue", "v"}, {"EntityReference", "&amp;"}}, 15},
      {"amp; x", 16, {{"EntityReference", "amp;"}, {"Whitespace", " "}, {"NamespaceAttributeValue", "x"}}, 15},
      {"lt; x", 13, {{"EntityReference", "lt;"}, {"Whitespace", " "}, {"NamespaceAttributeValue", "x"}}, 12},
  });
}

TEST(XmlLexer, DocumentTypeDeclarations) {
  TSynXMLSyn lexer;
  CheckCases(lexer, {
      {"<!DOCTYPE html>", 11, {{"DOCTYPE-Section", "<!DOCTYP"}, {"DOCTYPE-Section", "E html>"}}, 2},
      {"<!DOCTYPE a [ <!ENTITY b \"c\"> ]>", 11,
       {{"DOCTYPE-Section", "<!DOCTYP"}, {"DOCTYPE-Section", "E a [ <!ENTITY b \"c\"> ]"}, {"DOCTYPE-Section", ">"}},
       2},
      {"<!DOCTYPE a [", 11, {{"DOCTYPE-Section", "<!DOCTYP"}, {"DOCTYPE-Section", "E a ["}}, 18},
      {"  <!ENTITY x \"Helo\">", 18, {{"DOCTYPE-Section", "  <!ENTITY x \"Helo\">"}}, 18},
      {"]> <r>", 18,
       {{"DOCTYPE-Section", "]"}, {"DOCTYPE-Section", ">"}, {"Whitespace", " "}, {"Symbol", "<"},
        {"ElementName", "r"}, {"Symbol", ">"}},
       11},
      {"<!DOCTYPE a SYSTEM", 11, {{"DOCTYPE-Section", "<!DOCTYP"}, {"DOCTYPE-Section", "E a SYSTEM"}}, 17},
      {"\"a.dtd\"> x", 17, {{"DOCTYPE-Section", "\"a.dtd\">"}, {"Whitespace", " "}, {"AttributeName", "x"}}, 7},
      // Only the exact upper-case keyword opens a declaration.
      {"<!doctype x>", 11,
       {{"Symbol", "<!"}, {"ElementName", "doctype"}, {"Whitespace", " "}, {"AttributeName", "x"},
        {"Symbol", ">"}},
       11},
  });
}

// States 16 to 18 reach a multi-lexer host cut to their low 4 bits; every
// start state must still lex every line completely.
TEST(XmlLexer, EveryStartStateLexesEveryLine) {
  TSynXMLSyn lexer;
  CheckAllStartStates(lexer, 31);
}

TEST(XmlLexer, LanguageAttributesAndFilter) {
  TSynXMLSyn lexer;
  EXPECT_EQ(lexer.LanguageName(), "XML");
  EXPECT_EQ(lexer.FriendlyLanguageName(), u"XML");
  EXPECT_EQ(lexer.DefaultFilter(), "XML Files (*.xml;*.xsd;*.xsl;*.xslt;*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd");
  EXPECT_TRUE(lexer.ScanCaseSensitive());
  std::vector<std::string> expected = {"Text", "Comment", "ElementName", "Whitespace", "EntityReference",
                                       "ProcessingInstruction", "CDATA-Section", "DOCTYPE-Section",
                                       "AttributeName", "NamespaceAttributeName", "AttributeValue",
                                       "NamespaceAttributeValue", "Symbol"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(AttributeNames(lexer), expected);
  EXPECT_EQ(lexer.AttributeByName("Text")->DisplayName(), u"Text");
  EXPECT_EQ(lexer.AttributeByName("Comment")->DisplayName(), u"Comment");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_WHITESPACE)->Name(), "Whitespace");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_COMMENT)->Name(), "Comment");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_SYMBOL)->Name(), "Symbol");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_STRING), nullptr);
  EXPECT_EQ(lexer.RangeState(), 11u);
  lexer.SetRangeState(4);
  lexer.ResetRangeState();
  EXPECT_EQ(lexer.RangeState(), 11u);
}

// ---------------------------------------------------------------- CSS

TEST(CssLexer, GoldenSamples) {
  TSynCssSyn lexer;
  test::RunGoldenFolder(lexer, "CascadingStyleSheet");
}

TEST(CssLexer, CommentsAndStringsAreTheCheckedParts) {
  TSynCssSyn lexer;
  CheckCases(lexer, {
      {"p { color: red }", 3,
       {{"ReservedWord", "p "}, {"Symbol", "{"}, {"Space", " "}, {"Property", "color"}, {"Symbol", ":"},
        {"Space", " "}, {"Value", "red "}, {"Symbol", "}"}},
       3},
      {"content: 'Helo'", 2, {{"Property", "content"}, {"Symbol", ":"}, {"Space", " "}, {"Value", "'Helo'"}}, 2},
      {"font-family: \"Helo Wrold\", serif;", 2,
       {{"Property", "font-family"}, {"Symbol", ":"}, {"Space", " "}, {"String", "\"Helo Wrold\""},
        {"Symbol", ","}, {"Space", " "}, {"Value", "serif"}, {"Symbol", ";"}},
       4},
      {"\"Helo wrold", 5, {{"String", "\"Helo wrold"}}, 5},
      {"/* Helo */", 3, {{"Comment", "/* Helo */"}}, 3},
      {"/* Helo */", 4, {{"Comment", "/* Helo */"}}, 4},
      {"/* Helo */ red", 5, {{"Comment", "/* Helo */"}, {"Space", " "}, {"Value", "red"}}, 2},
      {"/*/ still */x", 3, {{"Comment", "/*/ still */"}, {"ReservedWord", "x"}}, 3},
      {"p /*", 3, {{"ReservedWord", "p "}, {"Comment", "/*"}}, 0},
      {"", 0, {}, 0},
      // "//" is no comment.
      {"// color", 2, {{"Symbol", "/"}, {"Symbol", "/"}, {"Space", " "}, {"Property", "color"}}, 2},
      // Quotes outside braces belong to the selector.
      {"a[title=\"Helo wrold\"] > b:hover, c {", 3,
       {{"ReservedWord", "a[title=\"Helo wrold\"] > b:hover, c "}, {"Symbol", "{"}}, 2},
  });
}

TEST(CssLexer, SelectorsPropertiesAndValues) {
  TSynCssSyn lexer;
  CheckCases(lexer, {
      {"@media screen and (max-width: 600px) {", 3,
       {{"ReservedWord", "@media screen and (max-width: 600px) "}, {"Symbol", "{"}}, 2},
      {"@import url(\"a/b.css\");", 3,
       {{"ReservedWord", "@import url(\"a"}, {"Symbol", "/"}, {"ReservedWord", "b.css\");"}}, 3},
      {"\tp", 3, {{"Space", "\t"}, {"ReservedWord", "p"}}, 3},
      // Braces do not nest: "}" always returns to selectors.
      {"p { color: red } }", 2,
       {{"UndefinedProperty", "p"}, {"Space", " "}, {"Symbol", "{"}, {"Space", " "}, {"Property", "color"},
        {"Symbol", ":"}, {"Space", " "}, {"Value", "red "}, {"Symbol", "}"}, {"ReservedWord", " }"}},
       3},
      {"COLOR:Red", 2, {{"Property", "COLOR"}, {"Symbol", ":"}, {"Value", "Red"}}, 2},
      {"colour: red", 4, {{"UndefinedProperty", "colour"}, {"Symbol", ":"}, {"Space", " "}, {"Value", "red"}}, 2},
      {"*zoom:1", 2, {{"UndefinedProperty", "*zoom"}, {"Symbol", ":"}, {"Number", "1"}}, 5},
      {"-webkit-box-shadow", 2, {{"UndefinedProperty", "-webkit-box-shadow"}}, 2},
      {"color!x\"y", 2, {{"Property", "color!x"}, {"String", "\"y"}}, 2},
      {"'Helo'", 2, {{"UndefinedProperty", "'Helo'"}}, 2},
      {"red !important;", 5, {{"Value", "red !important"}, {"Symbol", ";"}}, 4},
      {"#FF00aa;", 5, {{"ColorValue", "#FF00aa"}, {"Symbol", ";"}}, 4},
      {"#abcxyz", 5, {{"ColorValue", "#abc"}, {"Value", "xyz"}}, 2},
      {"10px 5px", 5, {{"Number", "10"}, {"Value", "px 5px"}}, 2},
      {"-1.5em", 5, {{"Number", "-1.5"}, {"Value", "em"}}, 2},
      {".5 1..2", 5, {{"Number", ".5"}, {"Space", " "}, {"Number", "1"}, {"Number", "..2"}}, 5},
      {"a, b", 5, {{"Value", "a"}, {"Symbol", ","}, {"Space", " "}, {"Value", "b"}}, 2},
      {"x", 1, {{"UndefinedProperty", "x"}}, 1},
  });
}

// A comment over lines carries the state it returns to in the line state, so
// each line lexes the same from its stored state whatever was lexed before.
TEST(CssLexer, CommentReturnsToTheStateSavedAtItsOpener) {
  TSynCssSyn lexer;
  CheckCases(lexer, {
      {"a { /* Helo", 3, {{"ReservedWord", "a "}, {"Symbol", "{"}, {"Space", " "}, {"Comment", "/* Helo"}}, 10},
      {"wrold */ color: red;", 10,
       {{"Comment", "wrold */"}, {"Space", " "}, {"Property", "color"}, {"Symbol", ":"}, {"Space", " "},
        {"Value", "red"}, {"Symbol", ";"}},
       4},
      {"x /* y", 3, {{"ReservedWord", "x "}, {"Comment", "/* y"}}, 0},
      {"*/ color", 0, {{"Comment", "*/"}, {"ReservedWord", " color"}}, 3},
      {"p { color: /* c", 3,
       {{"ReservedWord", "p "}, {"Symbol", "{"}, {"Space", " "}, {"Property", "color"}, {"Symbol", ":"},
        {"Space", " "}, {"Comment", "/* c"}}, 13},
  });
  // The line after a comment opened inside a value: a string there is checked
  // even when the lexer last saw a comment open outside braces.
  lexer.ResetRangeState();
  lexer.StartLine(u"x /* y", 0);
  while (!lexer.AtLineEnd()) lexer.NextToken();
  CheckCases(lexer, {{"*/ \"Helo\"", 13, {{"Comment", "*/"}, {"Space", " "}, {"String", "\"Helo\""}}, 5}});
}

TEST(CssLexer, EveryStartStateLexesEveryLine) {
  TSynCssSyn lexer;
  CheckAllStartStates(lexer, 31);
}

TEST(CssLexer, LanguageAttributesAndFilter) {
  TSynCssSyn lexer;
  EXPECT_EQ(lexer.LanguageName(), "CascadingStyleSheet");
  EXPECT_EQ(lexer.FriendlyLanguageName(), u"Cascading Style Sheet");
  EXPECT_EQ(lexer.DefaultFilter(), "Cascading Stylesheets (*.css)|*.css");
  EXPECT_FALSE(lexer.ScanCaseSensitive());
  std::vector<std::string> expected = {"Comment", "String", "Property", "ReservedWord", "UndefinedProperty",
                                       "Space", "ColorValue", "Number", "Symbol", "Text", "Value"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(AttributeNames(lexer), expected);
  EXPECT_EQ(lexer.AttributeByName("String")->DisplayName(), u"String");
  EXPECT_EQ(lexer.AttributeByName("Comment")->DisplayName(), u"Comment");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_WHITESPACE)->Name(), "Space");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_COMMENT)->Name(), "Comment");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_STRING)->Name(), "String");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_KEYWORD)->Name(), "ReservedWord");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_IDENTIFIER), nullptr);
  EXPECT_EQ(lexer.RangeState(), 3u);
  lexer.SetRangeState(0);
  lexer.ResetRangeState();
  EXPECT_EQ(lexer.RangeState(), 3u);
}

} // namespace
} // namespace qm
