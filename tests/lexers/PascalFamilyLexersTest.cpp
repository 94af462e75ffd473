// The Object Pascal, form-file and Inno Setup lexers: golden samples,
// line-by-line cases for the rules that decide which words are checked,
// every start state a host can hand over, and the attribute lists.
#include "lexers/LexerHost.h"
#include "lexers/SynDfmSyn.h"
#include "lexers/SynInnoSyn.h"
#include "lexers/SynPasSyn.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
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

// Lines with every opener and closer of the three languages, cut off in
// awkward places.
const char* const kMixedLines[] = {
    "",
    "{ a (* b } c *) d {$e} f",
    "(*) '' '''' 'x''",
    "asm mov eax, 'q' {x} (*y*) // z",
    "end; property p read q; exports e name 'n';",
    "#$0D#13'a'#  $ $fF 1..2 1.5e+ 2E- (. .) @@ <> := |",
    "[S] x=y; \"q\"\"\" {{ {a{b}c} ; } #",
    "}*)\t}\r{\n(*",
    "\xC3\x89t\xC3\xA9 \xE2\x82\xAC \xE2\x84\xAA",
};

// Every line from every start state: tokens are non-empty, contiguous, cover
// the line, and lexing never stalls.
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

// ---------------------------------------------------------------- Pascal

TEST(PascalLexer, GoldenSamples) {
  TSynPasSyn lexer;
  test::RunGoldenFolder(lexer, "ObjectPascal");
}

TEST(PascalLexer, CommentsAndDirectives) {
  TSynPasSyn lexer;
  CheckCases(lexer, {
      {"{ Helo }", 10, {{"Comment", "{ Helo }"}}, 10},
      {"(* Helo *)", 10, {{"Comment", "(* Helo *)"}}, 10},
      {"x // Helo", 10, {{"Identifier", "x"}, {"Space", " "}, {"Comment", "// Helo"}}, 10},
      {"{$IFDEF Helo}", 10, {{"Preprocessor", "{$IFDEF Helo}"}}, 10},
      {"(*$R+ helo*)", 10, {{"Comment", "(*$R+ helo*)"}}, 10},
      {"{ $R helo}", 10, {{"Comment", "{ $R helo}"}}, 10},
      // Braces do not nest.
      {"{ a { b } c }", 10,
       {{"Comment", "{ a { b }"}, {"Space", " "}, {"Identifier", "c"}, {"Space", " "}, {"Symbol", "}"}}, 10},
      {"{ (* a *) } (* { b *) }", 10,
       {{"Comment", "{ (* a *) }"}, {"Space", " "}, {"Comment", "(* { b *)"}, {"Space", " "}, {"Symbol", "}"}},
       10},
      // The opener's characters never count for the closer.
      {"(*)", 10, {{"Comment", "(*)"}}, 1},
      {"(**)x", 10, {{"Comment", "(**)"}, {"Identifier", "x"}}, 10},
      {"{}", 10, {{"Comment", "{}"}}, 10},
      // Opened at the line end, continued on the next lines.
      {"x { open", 10, {{"Identifier", "x"}, {"Space", " "}, {"Comment", "{ open"}}, 4},
      {"{", 10, {{"Comment", "{"}}, 4},
      {"", 4, {}, 4},
      {"still } y", 4, {{"Comment", "still }"}, {"Space", " "}, {"Identifier", "y"}}, 10},
      {"}", 4, {{"Comment", "}"}}, 10},
      {"(* open", 10, {{"Comment", "(* open"}}, 1},
      {"(*", 10, {{"Comment", "(*"}}, 1},
      {"", 1, {}, 1},
      {"a } *) b", 1, {{"Comment", "a } *)"}, {"Space", " "}, {"Identifier", "b"}}, 10},
      {"*", 1, {{"Comment", "*"}}, 1},
      {"{$ifdef x", 10, {{"Preprocessor", "{$ifdef x"}}, 8},
      {"", 8, {}, 8},
      {"x} y", 8, {{"Preprocessor", "x}"}, {"Space", " "}, {"Identifier", "y"}}, 10},
      // A line break inside a line ends a comment's run but not the comment.
      {"a\rb}", 4, {{"Comment", "a"}, {"Space", "\r"}, {"Comment", "b}"}}, 10},
      {"a/b", 10, {{"Identifier", "a"}, {"Symbol", "/"}, {"Identifier", "b"}}, 10},
  });
}

TEST(PascalLexer, StringsAndCharacterCodes) {
  TSynPasSyn lexer;
  CheckCases(lexer, {
      {"'It''s helo'", 10, {{"String", "'It''s helo'"}}, 10},
      {"''''x", 10, {{"String", "''''"}, {"Identifier", "x"}}, 10},
      {"'''", 10, {{"String", "'''"}}, 10},
      {"'a''", 10, {{"String", "'a''"}}, 10},
      {"'a'#13#10'b'", 10,
       {{"String", "'a'"}, {"Character", "#13"}, {"Character", "#10"}, {"String", "'b'"}}, 10},
      {"#$0D#$0a#", 10, {{"Character", "#$0D"}, {"Character", "#$0a"}, {"Character", "#"}}, 10},
      // Strings never continue on the next line.
      {"s := 'open", 10,
       {{"Identifier", "s"}, {"Space", " "}, {"Symbol", ":="}, {"Space", " "}, {"String", "'open"}}, 10},
      {"\"helo\"", 10, {{"Symbol", "\""}, {"Identifier", "helo"}, {"Symbol", "\""}}, 10},
  });
}

TEST(PascalLexer, NumbersAndSymbols) {
  TSynPasSyn lexer;
  CheckCases(lexer, {
      {"1..2", 10, {{"Number", "1"}, {"Symbol", ".."}, {"Number", "2"}}, 10},
      {"1.5e+3 2E-4 7.", 10,
       {{"Float", "1.5e+3"}, {"Space", " "}, {"Float", "2E-4"}, {"Space", " "}, {"Float", "7."}}, 10},
      {"1e5-2 12ab", 10,
       {{"Float", "1e5"}, {"Symbol", "-"}, {"Number", "2"}, {"Space", " "}, {"Number", "12"},
        {"Identifier", "ab"}},
       10},
      {"$FFg $", 10, {{"Hexadecimal", "$FF"}, {"Identifier", "g"}, {"Space", " "}, {"Hexadecimal", "$"}}, 10},
      {":=<><=>=<(.", 10,
       {{"Symbol", ":="}, {"Symbol", "<>"}, {"Symbol", "<="}, {"Symbol", ">="}, {"Symbol", "<"},
        {"Symbol", "(."}},
       10},
      {"@@l @x", 10, {{"Symbol", "@@"}, {"Identifier", "l"}, {"Space", " "}, {"Symbol", "@"}, {"Identifier", "x"}},
       10},
      // Letters outside ASCII and "|" are unknown characters, shown as symbols.
      {"\xC3\xA9t|", 10, {{"Symbol", "\xC3\xA9"}, {"Identifier", "t"}, {"Symbol", "|"}}, 10},
  });
  BeginLine(lexer, u"|", 1, 10);
  EXPECT_EQ(lexer.TokenKind(), TSynPasSyn::tkUnknown);
  BeginLine(lexer, u"+", 1, 10);
  EXPECT_EQ(lexer.TokenKind(), TSynPasSyn::tkSymbol);
}

TEST(PascalLexer, AssemblerBlocks) {
  TSynPasSyn lexer;
  CheckCases(lexer, {
      {"asm mov eax, 'Helo' end", 10,
       {{"ReservedWord", "asm"}, {"Space", " "}, {"Assembler", "mov"}, {"Space", " "}, {"Assembler", "eax"},
        {"Assembler", ","}, {"Space", " "}, {"Assembler", "'Helo'"}, {"Space", " "}, {"ReservedWord", "end"}},
       10},
      {"ASM nop END;", 10,
       {{"ReservedWord", "ASM"}, {"Space", " "}, {"Assembler", "nop"}, {"Space", " "}, {"ReservedWord", "END"},
        {"Symbol", ";"}},
       10},
      {"asm", 10, {{"ReservedWord", "asm"}}, 3},
      {"", 3, {}, 3},
      {"mov eax, 1 // helo", 3,
       {{"Assembler", "mov"}, {"Space", " "}, {"Assembler", "eax"}, {"Assembler", ","}, {"Space", " "},
        {"Assembler", "1"}, {"Space", " "}, {"Comment", "// helo"}},
       3},
      {"@@l: db #13, $FF, 1.5", 3,
       {{"Assembler", "@@"}, {"Assembler", "l"}, {"Assembler", ":"}, {"Space", " "}, {"Assembler", "db"},
        {"Space", " "}, {"Assembler", "#13"}, {"Assembler", ","}, {"Space", " "}, {"Assembler", "$FF"},
        {"Assembler", ","}, {"Space", " "}, {"Assembler", "1.5"}},
       3},
      // Comments and directives opened in the block return to it.
      {"{ helo } nop", 3, {{"Comment", "{ helo }"}, {"Space", " "}, {"Assembler", "nop"}}, 3},
      {"nop { helo", 3, {{"Assembler", "nop"}, {"Space", " "}, {"Comment", "{ helo"}}, 5},
      {"", 5, {}, 5},
      {"x } nop", 5, {{"Comment", "x }"}, {"Space", " "}, {"Assembler", "nop"}}, 3},
      {"(* helo", 3, {{"Comment", "(* helo"}}, 2},
      {"*) nop", 2, {{"Comment", "*)"}, {"Space", " "}, {"Assembler", "nop"}}, 3},
      {"{$IFDEF X} nop", 3, {{"Preprocessor", "{$IFDEF X}"}, {"Space", " "}, {"Assembler", "nop"}}, 3},
      {"{$IF", 3, {{"Preprocessor", "{$IF"}}, 9},
      {"} x", 9, {{"Preprocessor", "}"}, {"Space", " "}, {"Assembler", "x"}}, 3},
      {"end; s := 'helo';", 3,
       {{"ReservedWord", "end"}, {"Symbol", ";"}, {"Space", " "}, {"Identifier", "s"}, {"Space", " "},
        {"Symbol", ":="}, {"Space", " "}, {"String", "'helo'"}, {"Symbol", ";"}},
       10},
  });
  BeginLine(lexer, u"asm nop", 1, 10);
  EXPECT_EQ(lexer.TokenKind(), TSynPasSyn::tkKey) << "the token that opens the block";
  lexer.NextToken();
  lexer.NextToken();
  EXPECT_EQ(lexer.TokenKind(), TSynPasSyn::tkAsm);
}

TEST(PascalLexer, PropertyAndExportsWords) {
  TSynPasSyn lexer;
  CheckCases(lexer, {
      {"property Name: string read FName write FName default 0;", 10,
       {{"ReservedWord", "property"}, {"Space", " "}, {"Identifier", "Name"}, {"Symbol", ":"}, {"Space", " "},
        {"ReservedWord", "string"}, {"Space", " "}, {"ReservedWord", "read"}, {"Space", " "},
        {"Identifier", "FName"}, {"Space", " "}, {"ReservedWord", "write"}, {"Space", " "},
        {"Identifier", "FName"}, {"Space", " "}, {"ReservedWord", "default"}, {"Space", " "}, {"Number", "0"},
        {"Symbol", ";"}},
       10},
      {"property P", 10, {{"ReservedWord", "property"}, {"Space", " "}, {"Identifier", "P"}}, 6},
      {"read index name resident", 6,
       {{"ReservedWord", "read"}, {"Space", " "}, {"ReservedWord", "index"}, {"Space", " "},
        {"Identifier", "name"}, {"Space", " "}, {"Identifier", "resident"}},
       6},
      {"exports", 10, {{"ReservedWord", "exports"}}, 7},
      {"NAME index resident read", 7,
       {{"ReservedWord", "NAME"}, {"Space", " "}, {"ReservedWord", "index"}, {"Space", " "},
        {"ReservedWord", "resident"}, {"Space", " "}, {"Identifier", "read"}},
       7},
      {"F name 'Helo';", 7,
       {{"Identifier", "F"}, {"Space", " "}, {"ReservedWord", "name"}, {"Space", " "}, {"String", "'Helo'"},
        {"Symbol", ";"}},
       10},
      {"read write index name", 10,
       {{"Identifier", "read"}, {"Space", " "}, {"Identifier", "write"}, {"Space", " "}, {"Identifier", "index"},
        {"Space", " "}, {"Identifier", "name"}},
       10},
      // A comment inside the declaration closes into normal code.
      {"{ c } read", 6, {{"Comment", "{ c }"}, {"Space", " "}, {"Identifier", "read"}}, 10},
      {"end", 6, {{"ReservedWord", "end"}}, 10},
  });
}

TEST(PascalLexer, EveryStartStateCoversTheLine) {
  TSynPasSyn lexer;
  CheckAllStartStates(lexer, 10);
}

// ---------------------------------------------------------------- Form files

TEST(DfmLexer, GoldenSamples) {
  TSynDfmSyn lexer;
  test::RunGoldenFolder(lexer, "BorlandForms");
}

TEST(DfmLexer, CommentsStringsAndWords) {
  TSynDfmSyn lexer;
  CheckCases(lexer, {
      {"{ Helo } x", 2, {{"Comment", "{ Helo }"}, {"Space", " "}, {"Identifier", "x"}}, 2},
      {"{}", 2, {{"Comment", "{}"}}, 2},
      {"{ open", 2, {{"Comment", "{ open"}}, 1},
      {"", 1, {}, 1},
      // The first character of a continuation line never closes the comment.
      {"} still open", 1, {{"Comment", "} still open"}}, 1},
      {"}}", 1, {{"Comment", "}}"}}, 2},
      {"x } y", 1, {{"Comment", "x }"}, {"Space", " "}, {"Identifier", "y"}}, 2},
      {"}", 2, {{"Identifier", "}"}}, 2},
      {"'It''s helo'", 2, {{"String", "'It''s helo'"}}, 2},
      {"'open", 2, {{"String", "'open"}}, 2},
      {"'a'#13#10'b'", 2, {{"String", "'a'"}, {"String", "#13"}, {"String", "#10"}, {"String", "'b'"}}, 2},
      {"#$0D", 2, {{"String", "#"}, {"Number", "$0D"}}, 2},
      {"Left = -192", 2,
       {{"Identifier", "Left"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Identifier", "-"},
        {"Number", "192"}},
       2},
      {"1.5 1..2 1e5", 2,
       {{"Number", "1."}, {"Number", "5"}, {"Space", " "}, {"Number", "1"}, {"Symbol", "."}, {"Symbol", "."},
        {"Number", "2"}, {"Space", " "}, {"Number", "1e5"}},
       2},
      {"object End INHERITED inline objects", 2,
       {{"Key", "object"}, {"Space", " "}, {"Key", "End"}, {"Space", " "}, {"Key", "INHERITED"}, {"Space", " "},
        {"Key", "inline"}, {"Space", " "}, {"Identifier", "objects"}},
       2},
      {"F.Name: TA", 2,
       {{"Identifier", "F"}, {"Symbol", "."}, {"Identifier", "Name"}, {"Identifier", ":"}, {"Space", " "},
        {"Identifier", "TA"}},
       2},
      {"\"helo\"", 2, {{"Identifier", "\""}, {"Identifier", "helo"}, {"Identifier", "\""}}, 2},
  });
}

TEST(DfmLexer, EveryStartStateCoversTheLine) {
  TSynDfmSyn lexer;
  CheckAllStartStates(lexer, 2);
}

// ---------------------------------------------------------------- Inno Setup

TEST(InnoLexer, GoldenSamples) {
  TSynInnoSyn lexer;
  test::RunGoldenFolder(lexer, "InnoSetupScript");
}

TEST(InnoLexer, CommentsStringsAndSections) {
  TSynInnoSyn lexer;
  CheckCases(lexer, {
      {"; Helo", 0, {{"Comment", "; Helo"}}, 0},
      {" \t; Helo", 0, {{"Space", " \t"}, {"Comment", "; Helo"}}, 0},
      {"AppName=Helo Wrold", 0, {{"Identifier", "AppName"}, {"String", "=Helo Wrold"}}, 0},
      {"A = b; c", 0, {{"Identifier", "A"}, {"Space", " "}, {"String", "= b;"}, {"Space", " "}, {"Identifier", "c"}},
       0},
      // Only "=" and double quotes open strings; a later ";" is no comment.
      {"Name: foo; Description: Helo", 0,
       {{"ReservedWord", "Name"}, {"Symbol", ":"}, {"Space", " "}, {"Identifier", "foo"}, {"Identifier", ";"},
        {"Space", " "}, {"ReservedWord", "Description"}, {"Symbol", ":"}, {"Space", " "}, {"Identifier", "Helo"}},
       0},
      {"Source: \"It\"\"s\"; Flags \t: x", 0,
       {{"ReservedWord", "Source"}, {"Symbol", ":"}, {"Space", " "}, {"String", "\"It\"\"s\""}, {"Identifier", ";"},
        {"Space", " "}, {"ReservedWord", "Flags"}, {"Space", " \t"}, {"Symbol", ":"}, {"Space", " "},
        {"Identifier", "x"}},
       0},
      {"\"open", 0, {{"String", "\"open"}}, 0},
      {"name x", 0, {{"Preprocessor", "name"}, {"Space", " "}, {"Identifier", "x"}}, 0},
      {"[Setup] x", 0, {{"Section", "[Setup]"}, {"Space", " "}, {"Identifier", "x"}}, 0},
      {"[Open", 0, {{"Section", "[Open"}}, 0},
      {" [S]", 0, {{"Space", " "}, {"Identifier", "["}, {"Identifier", "S"}, {"Identifier", "]"}}, 0},
      {"{app}\\x {{y} {code:F|{tmp}}z", 0,
       {{"Directive", "{app}"}, {"Identifier", "\\"}, {"Identifier", "x"}, {"Space", " "}, {"Identifier", "{{"},
        {"Identifier", "y"}, {"Identifier", "}"}, {"Space", " "}, {"Directive", "{code:F|{tmp}}"},
        {"Identifier", "z"}},
       0},
      {"{open {x}", 0, {{"Directive", "{open {x}"}}, 0},
      {"#define X 12,(a)", 0,
       {{"Symbol", "#"}, {"Identifier", "define"}, {"Space", " "}, {"Identifier", "X"}, {"Space", " "},
        {"Number", "12"}, {"Symbol", ","}, {"Symbol", "("}, {"Identifier", "a"}, {"Symbol", ")"}},
       0},
  });
}

TEST(InnoLexer, KeepsNoStateAcrossLines) {
  TSynInnoSyn lexer;
  lexer.SetRangeState(7);
  EXPECT_EQ(lexer.RangeState(), 0u);
  EXPECT_EQ(Lex(lexer, "{open", 5), Lex(lexer, "{open", 0));
  EXPECT_EQ(lexer.RangeState(), 0u);
  CheckAllStartStates(lexer, 0);
}

// ---------------------------------------------------------------- All three

struct LexerFacts {
  std::function<std::unique_ptr<TSynCustomHighlighter>()> make;
  std::string languageName;
  std::u16string friendlyName;
  std::string filter;
  std::vector<std::string> attributes;  // in Name order
  std::string keywordRole;
  uint32_t firstLineState;
};

TEST(PascalFamilyLexers, NamesFiltersAndAttributes) {
  const LexerFacts lexers[] = {
      {[] { return std::make_unique<TSynPasSyn>(); }, "ObjectPascal", u"Object Pascal",
       "Pascal Files (*.pas;*.pp;*.dpr;*.dpk;*.inc)|*.pas;*.pp;*.dpr;*.dpk;*.inc",
       {"Assembler", "Character", "Comment", "Float", "Hexadecimal", "Identifier", "Number", "Preprocessor",
        "ReservedWord", "Space", "String", "Symbol"},
       "ReservedWord", 10},
      {[] { return std::make_unique<TSynDfmSyn>(); }, "BorlandForms", u"Borland Forms",
       "Borland Form Files (*.dfm;*.xfm)|*.dfm;*.xfm",
       {"Comment", "Identifier", "Key", "Number", "Space", "String", "Symbol"}, "Key", 2},
      {[] { return std::make_unique<TSynInnoSyn>(); }, "InnoSetupScript", u"Inno Setup Script",
       "Inno Setup Scripts (*.iss)|*.iss",
       {"Comment", "Directive", "Identifier", "IllegalChar", "Number", "Preprocessor", "ReservedWord", "Section",
        "Space", "String", "Symbol"},
       "ReservedWord", 0},
  };
  for (const auto& facts : lexers) {
    SCOPED_TRACE(facts.languageName);
    auto lexer = facts.make();
    EXPECT_EQ(lexer->LanguageName(), facts.languageName);
    EXPECT_EQ(lexer->FriendlyLanguageName(), facts.friendlyName);
    EXPECT_EQ(lexer->DefaultFilter(), facts.filter);
    EXPECT_FALSE(lexer->ScanCaseSensitive());
    std::vector<std::string> names;
    for (int i = 0; i < lexer->AttributeCount(); ++i) names.push_back(lexer->AttributeAt(i)->Name());
    EXPECT_EQ(names, facts.attributes);
    EXPECT_EQ(lexer->DefaultAttribute(SYN_ATTR_COMMENT)->Name(), "Comment");
    EXPECT_EQ(lexer->DefaultAttribute(SYN_ATTR_IDENTIFIER)->Name(), "Identifier");
    EXPECT_EQ(lexer->DefaultAttribute(SYN_ATTR_KEYWORD)->Name(), facts.keywordRole);
    EXPECT_EQ(lexer->DefaultAttribute(SYN_ATTR_STRING)->Name(), "String");
    EXPECT_EQ(lexer->DefaultAttribute(SYN_ATTR_WHITESPACE)->Name(), "Space");
    EXPECT_EQ(lexer->DefaultAttribute(SYN_ATTR_SYMBOL)->Name(), "Symbol");
    EXPECT_EQ(lexer->DefaultAttribute(6), nullptr);
    EXPECT_EQ(lexer->AttributeByName("Comment")->DisplayName(), u"Comment");
    EXPECT_EQ(lexer->AttributeByName("String")->DisplayName(), u"String");
    lexer->SetRangeState(1);
    lexer->ResetRangeState();
    EXPECT_EQ(lexer->RangeState(), facts.firstLineState);
  }
}

} // namespace
} // namespace qm
