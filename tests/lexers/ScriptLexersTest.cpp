// The Python, Perl, Ruby and Eiffel lexers: golden samples, line-by-line
// cases for the rules that decide which words are checked, the states carried
// between lines, and the attribute lists.
#include "lexers/LexerHost.h"
#include "lexers/SynEiffelSyn.h"
#include "lexers/SynPerlSyn.h"
#include "lexers/SynPythonSyn.h"
#include "lexers/SynRubySyn.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <utility>

namespace qm {
namespace {

using Tokens = std::vector<std::pair<std::string, std::string>>;

// The tokens of one line (not the first of its document) lexed from the
// given start state, as (attribute name, text) pairs.
Tokens Lex(TSynCustomHighlighter& lexer, const std::string& line, uint32_t state, int lineIndex = 1) {
  const std::u16string text = test::Utf16(line);
  Tokens out;
  for (const auto& token : LexLine(lexer, text, lineIndex, state))
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

// A document as RenderTokens shows it, lines given as UTF-8.
std::string Render(TSynCustomHighlighter& lexer, const std::vector<std::string>& lines) {
  std::vector<std::u16string> wide;
  for (const auto& line : lines) wide.push_back(test::Utf16(line));
  return test::RenderTokens(lexer, wide);
}

std::vector<std::string> AttributeNames(const TSynCustomHighlighter& lexer) {
  std::vector<std::string> names;
  for (int i = 0; i < lexer.AttributeCount(); ++i) names.push_back(lexer.AttributeAt(i)->Name());
  return names;
}

// The attribute name the lexer answers for each role, comment to symbol.
std::vector<std::string> RoleNames(const TSynCustomHighlighter& lexer) {
  std::vector<std::string> names;
  for (int role = SYN_ATTR_COMMENT; role <= SYN_ATTR_SYMBOL; ++role) {
    const auto* attribute = lexer.DefaultAttribute(role);
    names.push_back(attribute ? attribute->Name() : "None");
  }
  return names;
}

// Lines with every construct of the four languages, in awkward places.
const char* const kMixedLines[] = {
    "",
    "\"\"\"", "'''", "\\", "'\\", "\"a\\", "x = '''a''' + \"\"\"b\"\"\" # c",
    "'x\\' + \"y\\\" \\\\\\", "r'''u\"\"\"ur'", "-- \"a %\" 'b' $#x $' $\" `c` @d %= x= $^W",
    "0x 0o8 0b2 09 1.e 1..2 .5j 1_ 0777L", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \t\x7F",
};

// Every mixed line from every state value that fits in 4 bits: tokens are
// non-empty, contiguous and cover the line, and lexing never stalls.
void CheckAllStartStates(TSynCustomHighlighter& lexer) {
  for (uint32_t state = 0; state < 16; ++state) {
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
      ASSERT_LT(lexer.RangeState(), 16u) << "state " << state << " line " << line;
    }
  }
}

// ---------------------------------------------------------------- Python

TEST(PythonLexer, GoldenSamples) {
  TSynPythonSyn lexer;
  test::RunGoldenFolder(lexer, "Python");
}

TEST(PythonLexer, CommentsAndOneQuoteStrings) {
  TSynPythonSyn lexer;
  CheckCases(lexer, {
      {"# Helo", 2, {{"Comment", "# Helo"}}, 2},
      {"x = \"a # b\" # c", 2,
       {{"Identifier", "x"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"String", "\"a # b\""},
        {"Space", " "}, {"Comment", "# c"}},
       2},
      {"'it\\'s' x", 2, {{"String", "'it\\'s'"}, {"Space", " "}, {"Identifier", "x"}}, 2},
      {"'a\\\\' x", 2, {{"String", "'a\\\\'"}, {"Space", " "}, {"Identifier", "x"}}, 2},
      {"\"say 'a'\"", 2, {{"String", "\"say 'a'\""}}, 2},
      {"\"\"+''", 2, {{"String", "\"\""}, {"Symbol", "+"}, {"String", "''"}}, 2},
      {"'open # helo", 2, {{"String", "'open # helo"}}, 2},
      // Only a string left open by a backslash as the line's last character
      // goes on; a backslash after a closed string is a symbol.
      {"'open \\", 2, {{"String", "'open \\"}}, 5},
      {"'open \\\\", 2, {{"String", "'open \\\\"}}, 5},
      {"'a' \\", 2, {{"String", "'a'"}, {"Space", " "}, {"Symbol", "\\"}}, 2},
  });
}

TEST(PythonLexer, StringPrefixesBelongToTheString) {
  TSynPythonSyn lexer;
  CheckCases(lexer, {
      {"r'\\d'", 2, {{"String", "r'\\d'"}}, 2},
      {"R\"x\" u'y' U\"z\"", 2,
       {{"String", "R\"x\""}, {"Space", " "}, {"String", "u'y'"}, {"Space", " "}, {"String", "U\"z\""}}, 2},
      {"ur'a' UR'b' uR'c' Ur'd'", 2,
       {{"String", "ur'a'"}, {"Space", " "}, {"String", "UR'b'"}, {"Space", " "}, {"String", "uR'c'"},
        {"Space", " "}, {"String", "Ur'd'"}},
       2},
      {"r\"\"\"doc", 2, {{"Documentation", "r\"\"\"doc"}}, 4},
      // Other letters, and longer words ending in a prefix letter, are words.
      {"f'a' b'c' ru'd' bar'e'", 2,
       {{"Identifier", "f"}, {"String", "'a'"}, {"Space", " "}, {"Identifier", "b"}, {"String", "'c'"},
        {"Space", " "}, {"Identifier", "ru"}, {"String", "'d'"}, {"Space", " "}, {"Identifier", "bar"},
        {"String", "'e'"}},
       2},
      {"r = u", 2, {{"Identifier", "r"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Identifier", "u"}}, 2},
  });
}

TEST(PythonLexer, TripleQuotedStringsRunOverLines) {
  TSynPythonSyn lexer;
  CheckCases(lexer, {
      {"\"\"\"Helo", 2, {{"Documentation", "\"\"\"Helo"}}, 4},
      {"x = '''Helo", 2,
       {{"Identifier", "x"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Documentation", "'''Helo"}}, 3},
      {"wrold # not a comment", 4, {{"Documentation", "wrold # not a comment"}}, 4},
      {"", 4, {}, 4},
      {"", 3, {}, 3},
      {"end\"\"\" + x", 4,
       {{"Documentation", "end\"\"\""}, {"Space", " "}, {"Symbol", "+"}, {"Space", " "}, {"Identifier", "x"}}, 2},
      {"end''' # c", 3, {{"Documentation", "end'''"}, {"Space", " "}, {"Comment", "# c"}}, 2},
      // The other kind of quote does not close.
      {"a\"\"\" b", 3, {{"Documentation", "a\"\"\" b"}}, 3},
      {"a''' b", 4, {{"Documentation", "a''' b"}}, 4},
      // A backslash hides the quote after it, unless it is escaped itself.
      {"\\\"\"\" still", 4, {{"Documentation", "\\\"\"\" still"}}, 4},
      {"\\\\\"\"\" x", 4, {{"Documentation", "\\\\\"\"\""}, {"Space", " "}, {"Identifier", "x"}}, 2},
      {"'''a''' \"\"\"b\"\"\"", 2,
       {{"Documentation", "'''a'''"}, {"Space", " "}, {"Documentation", "\"\"\"b\"\"\""}}, 2},
      {"''''''x", 2, {{"Documentation", "''''''"}, {"Identifier", "x"}}, 2},
      // Four quotes: the first three close, the fourth opens a string.
      {"a'''' b", 3, {{"Documentation", "a'''"}, {"String", "' b"}}, 2},
      {"\"\"\"\"a\"\"\"", 2, {{"Documentation", "\"\"\"\"a\"\"\""}}, 2},
  });
}

TEST(PythonLexer, BackslashContinuedStrings) {
  TSynPythonSyn lexer;
  // The continuation takes the quote of the string left open, up to that
  // quote unless a backslash stands right before it.
  EXPECT_EQ(Render(lexer, {"s = 'Helo \\", "wrold \" \\' still \\", "\\\\' end' + \"x\"", "t"}),
            "{Identifier}s{Space} {Symbol}={Space} {String}'Helo \\\n"
            "{String}wrold \" \\' still \\\n"
            "{String}\\\\' end'{Space} {Symbol}+{Space} {String}\"x\"\n"
            "{Identifier}t\n");
  EXPECT_EQ(Render(lexer, {"s = \"a \\", "", "b ' \" # c", "x = \"\\", "y"}),
            "{Identifier}s{Space} {Symbol}={Space} {String}\"a \\\n"
            "\n"
            "{String}b ' \"{Space} {Comment}# c\n"
            "{Identifier}x{Space} {Symbol}={Space} {String}\"\\\n"
            "{String}y\n");
  EXPECT_EQ(LexDocument(lexer, {u"'a\\", u"", u"b\\", u"c", u"d"}),
            (std::vector<uint32_t>{5, 5, 5, 2, 2}));
}

TEST(PythonLexer, ContinuedStringKeepsItsQuoteWhenLinesAreLexedAgain) {
  TSynPythonSyn lexer;
  // Line 2 closes a single-quoted string and opens a double-quoted one: the
  // state tells the two apart, so lexing a line again from its stored state,
  // in any order, gives the same tokens.
  const std::vector<std::u16string> lines = {u"x", u"a = 'Helo \\", u"wrold' + \"b \\", u"c\" + 'd'"};
  const auto states = LexDocument(lexer, lines);
  ASSERT_EQ(states, (std::vector<uint32_t>{2, 5, 6, 2}));
  const Tokens line2 = {{"String", "wrold'"}, {"Space", " "}, {"Symbol", "+"}, {"Space", " "},
                        {"String", "\"b \\"}};
  const Tokens line3 = {{"String", "c\""}, {"Space", " "}, {"Symbol", "+"}, {"Space", " "}, {"String", "'d'"}};
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Lex(lexer, "c\" + 'd'", 6, 3), line3);
    EXPECT_EQ(Lex(lexer, "wrold' + \"b \\", 5, 2), line2);
    EXPECT_EQ(lexer.RangeState(), 6u);
  }
  EXPECT_EQ(test::CheckLexerInvariants(lexer, lines), "");
}

TEST(PythonLexer, NumbersWordsAndSyntaxErrors) {
  TSynPythonSyn lexer;
  CheckCases(lexer, {
      {"0x1F 0o17 0777 0b101 1_000 42L", 2,
       {{"Hexadecimal", "0x1F"}, {"Space", " "}, {"Octal", "0o17"}, {"Space", " "}, {"Octal", "0777"},
        {"Space", " "}, {"Number", "0b101"}, {"Space", " "}, {"Number", "1_000"}, {"Space", " "},
        {"Number", "42L"}},
       2},
      {"3.14 .5 1e10 2.5E-3 7j 09", 2,
       {{"Float", "3.14"}, {"Space", " "}, {"Float", ".5"}, {"Space", " "}, {"Float", "1e10"}, {"Space", " "},
        {"Float", "2.5E-3"}, {"Space", " "}, {"Float", "7j"}, {"Space", " "}, {"Number", "09"}},
       2},
      {"0x", 2, {{"Number", "0"}, {"Identifier", "x"}}, 2},
      {"def f(self): return len", 2,
       {{"ReservedWord", "def"}, {"Space", " "}, {"Identifier", "f"}, {"Symbol", "("},
        {"NonreservedKeyword", "self"}, {"Symbol", ")"}, {"Symbol", ":"}, {"Space", " "},
        {"ReservedWord", "return"}, {"Space", " "}, {"SystemFunctionsAndVariables", "len"}},
       2},
      {"DEF None", 2, {{"Identifier", "DEF"}, {"Space", " "}, {"ReservedWord", "None"}}, 2},
      {"@d $?`\xC3\xA9", 2,
       {{"SyntaxError", "@"}, {"Identifier", "d"}, {"Space", " "}, {"SyntaxError", "$"}, {"SyntaxError", "?"},
        {"Symbol", "`"}, {"SyntaxError", "\xC3\xA9"}},
       2},
  });
}

TEST(PythonLexer, StatesAndAttributes) {
  TSynPythonSyn lexer;
  lexer.SetRangeState(4);
  lexer.ResetRangeState();
  EXPECT_EQ(lexer.RangeState(), 2u);
  EXPECT_EQ(lexer.LanguageName(), "Python");
  EXPECT_EQ(lexer.FriendlyLanguageName(), u"Python");
  EXPECT_TRUE(lexer.ScanCaseSensitive());
  EXPECT_EQ(lexer.DefaultFilter(), "Python Files (*.py)|*.py");
  EXPECT_EQ(AttributeNames(lexer),
            (std::vector<std::string>{"Comment", "Documentation", "Float", "Hexadecimal", "Identifier",
                                      "NonreservedKeyword", "Number", "Octal", "ReservedWord", "Space", "String",
                                      "Symbol", "SyntaxError", "SystemFunctionsAndVariables"}));
  EXPECT_EQ(RoleNames(lexer),
            (std::vector<std::string>{"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}));
  CheckAllStartStates(lexer);
}

// ---------------------------------------------------------------- Perl

TEST(PerlLexer, GoldenSamples) {
  TSynPerlSyn lexer;
  test::RunGoldenFolder(lexer, "Perl");
}

TEST(PerlLexer, CommentsAndStrings) {
  TSynPerlSyn lexer;
  CheckCases(lexer, {
      {"# Helo", 0, {{"Comment", "# Helo"}}, 0},
      {"\"a\\\"b\" # c", 0, {{"String", "\"a\\\"b\""}, {"Space", " "}, {"Comment", "# c"}}, 0},
      {"\"a\\\\\" b", 0, {{"String", "\"a\\\\\""}, {"Space", " "}, {"Identifier", "b"}}, 0},
      {"'a\\' b'", 0, {{"String", "'a\\'"}, {"Space", " "}, {"Identifier", "b"}, {"String", "'"}}, 0},
      {"\"\"\"x\" z", 0, {{"String", "\"\"\"x\""}, {"Space", " "}, {"Identifier", "z"}}, 0},
      {"\"\"z", 0, {{"String", "\"\""}, {"Identifier", "z"}}, 0},
      {"\"open # helo", 0, {{"String", "\"open # helo"}}, 0},
      {"'it''s'", 0, {{"String", "'it'"}, {"String", "'s'"}}, 0},
      // No pattern literals and no POD: their text is code.
      {"m/#x/", 0, {{"ReservedWord", "m"}, {"Symbol", "/"}, {"Comment", "#x/"}}, 0},
      {"=pod Helo", 0, {{"Symbol", "="}, {"Identifier", "pod"}, {"Space", " "}, {"Identifier", "Helo"}}, 0},
  });
}

TEST(PerlLexer, PunctuationVariablesOpenNothing) {
  TSynPerlSyn lexer;
  CheckCases(lexer, {
      {"$#list # c", 0, {{"Variable", "$#"}, {"Identifier", "list"}, {"Space", " "}, {"Comment", "# c"}}, 0},
      {"$' . \"x\"", 0,
       {{"Variable", "$'"}, {"Space", " "}, {"Symbol", "."}, {"Space", " "}, {"String", "\"x\""}}, 0},
      {"$\" $$ $^W $^", 0,
       {{"Variable", "$\""}, {"Space", " "}, {"Variable", "$$"}, {"Space", " "}, {"Variable", "$^W"},
        {"Space", " "}, {"Variable", "$^"}},
       0},
      {"$_ @_ $x9 @$r %h{a}", 0,
       {{"Variable", "$_"}, {"Space", " "}, {"Variable", "@_"}, {"Space", " "}, {"Variable", "$x9"},
        {"Space", " "}, {"Variable", "@$r"}, {"Space", " "}, {"Variable", "%h"}, {"Symbol", "{"},
        {"Identifier", "a"}, {"Symbol", "}"}},
       0},
      {"$a %= 2 x= 3 x 4 % 5", 0,
       {{"Variable", "$a"}, {"Space", " "}, {"Operator", "%="}, {"Space", " "}, {"Number", "2"}, {"Space", " "},
        {"Operator", "x="}, {"Space", " "}, {"Number", "3"}, {"Space", " "}, {"Operator", "x"}, {"Space", " "},
        {"Number", "4"}, {"Space", " "}, {"Symbol", "%"}, {"Space", " "}, {"Number", "5"}},
       0},
      {"use strict; print eq", 0,
       {{"ReservedWord", "use"}, {"Space", " "}, {"Pragma", "strict"}, {"Symbol", ";"}, {"Space", " "},
        {"ReservedWord", "print"}, {"Space", " "}, {"Operator", "eq"}},
       0},
      {"0x1F 1_000 3.14 1e5 1..2", 0,
       {{"Number", "0x1F"}, {"Space", " "}, {"Number", "1_000"}, {"Space", " "}, {"Number", "3.14"},
        {"Space", " "}, {"Number", "1e5"}, {"Space", " "}, {"Number", "1"}, {"Symbol", "."}, {"Symbol", "."},
        {"Number", "2"}},
       0},
      {"`ls` \xC3\xA9", 0,
       {{"IllegalChar", "`"}, {"Identifier", "ls"}, {"IllegalChar", "`"}, {"Space", " "},
        {"IllegalChar", "\xC3\xA9"}},
       0},
  });
}

TEST(PerlLexer, StatesAndAttributes) {
  TSynPerlSyn lexer;
  lexer.SetRangeState(7);
  EXPECT_EQ(lexer.RangeState(), 0u);
  EXPECT_EQ(LexDocument(lexer, {u"\"open", u"x"}), (std::vector<uint32_t>{0, 0}));
  EXPECT_EQ(lexer.LanguageName(), "Perl");
  EXPECT_EQ(lexer.FriendlyLanguageName(), u"Perl");
  EXPECT_TRUE(lexer.ScanCaseSensitive());
  EXPECT_EQ(lexer.DefaultFilter(), "Perl Files (*.pl;*.pm;*.cgi)|*.pl;*.pm;*.cgi");
  EXPECT_EQ(AttributeNames(lexer),
            (std::vector<std::string>{"Comment", "Identifier", "IllegalChar", "Number", "Operator", "Pragma",
                                      "ReservedWord", "Space", "String", "Symbol", "Variable"}));
  EXPECT_EQ(RoleNames(lexer),
            (std::vector<std::string>{"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}));
  CheckAllStartStates(lexer);
}

// ---------------------------------------------------------------- Ruby

TEST(RubyLexer, GoldenSamples) {
  TSynRubySyn lexer;
  test::RunGoldenFolder(lexer, "Ruby");
}

TEST(RubyLexer, CommentsStringsAndWords) {
  TSynRubySyn lexer;
  CheckCases(lexer, {
      {"# Helo", 0, {{"Comment", "# Helo"}}, 0},
      {"x = \"a # b\" # c", 0,
       {{"Identifier", "x"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"String", "\"a # b\""},
        {"Space", " "}, {"Comment", "# c"}},
       0},
      // No escapes: the backslash does not hide the quote.
      {"\"a\\\" b\" c", 0, {{"String", "\"a\\\""}, {"Space", " "}, {"Identifier", "b"}, {"String", "\" c"}}, 0},
      {"'''x''' y", 0, {{"String", "'''x'"}, {"String", "''"}, {"Space", " "}, {"Identifier", "y"}}, 0},
      {"\"\"\"a\"", 0, {{"String", "\"\"\"a\""}}, 0},
      {"'open # helo", 0, {{"String", "'open # helo"}}, 0},
      {"=begin Helo", 0, {{"Symbol", "="}, {"ReservedWord", "begin"}, {"Space", " "}, {"Identifier", "Helo"}}, 0},
      {"BEGIN End Puts foo", 0,
       {{"ReservedWord", "BEGIN"}, {"Space", " "}, {"ReservedWord", "End"}, {"Space", " "},
        {"SecondReservedWord", "Puts"}, {"Space", " "}, {"Identifier", "foo"}},
       0},
      {"1..5 1.5E3 2.e", 0,
       {{"Number", "1"}, {"Symbol", "."}, {"Symbol", "."}, {"Number", "5"}, {"Space", " "}, {"Number", "1.5E3"},
        {"Space", " "}, {"Number", "2.e"}},
       0},
      {"@x :y \xC3\xA9", 0,
       {{"Symbol", "@"}, {"Identifier", "x"}, {"Space", " "}, {"Symbol", ":"}, {"Identifier", "y"}, {"Space", " "},
        {"Symbol", "\xC3\xA9"}},
       0},
  });
}

TEST(RubyLexer, SecondKeyWordsCanBeReplaced) {
  TSynRubySyn lexer;
  lexer.SetSecondKeyWords({"Helo", "wrold"});
  EXPECT_EQ(lexer.SecondKeyWords(), (std::vector<std::string>{"Helo", "wrold"}));
  EXPECT_EQ(Lex(lexer, "HELO puts WROLD", 0),
            (Tokens{{"SecondReservedWord", "HELO"}, {"Space", " "}, {"Identifier", "puts"}, {"Space", " "},
                    {"SecondReservedWord", "WROLD"}}));
}

TEST(RubyLexer, StatesAndAttributes) {
  TSynRubySyn lexer;
  lexer.SetRangeState(3);
  EXPECT_EQ(lexer.RangeState(), 0u);
  EXPECT_EQ(LexDocument(lexer, {u"\"open", u"# c", u"x"}), (std::vector<uint32_t>{0, 0, 0}));
  EXPECT_EQ(lexer.LanguageName(), "Ruby");
  EXPECT_EQ(lexer.FriendlyLanguageName(), u"Ruby");
  EXPECT_FALSE(lexer.ScanCaseSensitive());
  EXPECT_EQ(lexer.DefaultFilter(), "Ruby Files (*.rb;*.rbw)|*.rb;*.rbw");
  EXPECT_EQ(AttributeNames(lexer), (std::vector<std::string>{"Comment", "Identifier", "Number", "ReservedWord",
                                                             "SecondReservedWord", "Space", "String", "Symbol"}));
  EXPECT_EQ(RoleNames(lexer),
            (std::vector<std::string>{"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}));
  CheckAllStartStates(lexer);
}

// ---------------------------------------------------------------- Eiffel

TEST(EiffelLexer, GoldenSamples) {
  TSynEiffelSyn lexer;
  test::RunGoldenFolder(lexer, "Eiffel");
}

TEST(EiffelLexer, CommentsStringsAndTheStateValue) {
  TSynEiffelSyn lexer;
  CheckCases(lexer, {
      {"-- Helo", 0, {{"Comment", "-- Helo"}}, 1},
      {"x - y -- c", 0,
       {{"Identifier", "x"}, {"Space", " "}, {"OperatorAndSymbols", "-"}, {"Space", " "}, {"Identifier", "y"},
        {"Space", " "}, {"Comment", "-- c"}},
       1},
      // The state handed in is not consulted: every line starts afresh.
      {"Helo wrold", 1, {{"Identifier", "Helo"}, {"Space", " "}, {"Identifier", "wrold"}}, 0},
      {"Helo wrold\"", 2, {{"Identifier", "Helo"}, {"Space", " "}, {"Identifier", "wrold"}, {"String", "\""}}, 2},
      {"", 1, {}, 0},
      // "%" is no escape: it ends nothing, the next quote closes.
      {"\"a %\" b\"", 0, {{"String", "\"a %\""}, {"Space", " "}, {"Identifier", "b"}, {"String", "\""}}, 2},
      {"\"a\" -- c", 0, {{"String", "\"a\""}, {"Space", " "}, {"Comment", "-- c"}}, 1},
      {"\"a\" x", 0, {{"String", "\"a\""}, {"Space", " "}, {"Identifier", "x"}}, 0},
      {"'q' '\"'", 0,
       {{"OperatorAndSymbols", "'"}, {"Identifier", "q"}, {"OperatorAndSymbols", "'"}, {"Space", " "},
        {"OperatorAndSymbols", "'"}, {"String", "\"'"}},
       2},
      {"Result Current STRING Class system 12 \xC3\xA9", 0,
       {{"ResultValue", "Result"}, {"Space", " "}, {"Predefined", "Current"}, {"Space", " "},
        {"BasicTypes", "STRING"}, {"Space", " "}, {"ReservedWord", "Class"}, {"Space", " "}, {"Lace", "system"},
        {"Space", " "}, {"Identifier", "12"}, {"Space", " "}, {"Identifier", "\xC3\xA9"}},
       0},
  });
}

TEST(EiffelLexer, StatesAndAttributes) {
  TSynEiffelSyn lexer;
  EXPECT_EQ(LexDocument(lexer, {u"-- a", u"", u"\"b", u"c"}), (std::vector<uint32_t>{1, 0, 2, 0}));
  EXPECT_EQ(lexer.LanguageName(), "Eiffel");
  EXPECT_EQ(lexer.FriendlyLanguageName(), u"Eiffel");
  EXPECT_FALSE(lexer.ScanCaseSensitive());
  EXPECT_EQ(lexer.DefaultFilter(), "Eiffel (*.e;*.ace)|*.e;*.ace");
  EXPECT_EQ(AttributeNames(lexer),
            (std::vector<std::string>{"BasicTypes", "Comment", "Identifier", "Lace", "OperatorAndSymbols",
                                      "Predefined", "ReservedWord", "ResultValue", "Space", "String"}));
  EXPECT_EQ(RoleNames(lexer), (std::vector<std::string>{"Comment", "Identifier", "ReservedWord", "String", "Space",
                                                        "OperatorAndSymbols"}));
  CheckAllStartStates(lexer);
}

} // namespace
} // namespace qm
