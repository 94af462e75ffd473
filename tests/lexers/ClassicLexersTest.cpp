// The Visual Basic, batch, Fortran, COBOL, FoxPro and x86 assembly lexers:
// golden samples, line-by-line cases for the rules that decide which words
// are checked, the attribute lists, and the COBOL column settings.
#include "lexers/LexerHost.h"
#include "lexers/SynAsmSyn.h"
#include "lexers/SynBatSyn.h"
#include "lexers/SynCobolSyn.h"
#include "lexers/SynFortranSyn.h"
#include "lexers/SynFoxproSyn.h"
#include "lexers/SynVBSyn.h"

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
  std::string line;
  uint32_t state;
  Tokens tokens;
  uint32_t endState;
};

void CheckCases(TSynCustomHighlighter& lexer, const std::vector<LineCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE("line \"" + c.line + "\" from state " + std::to_string(c.state));
    EXPECT_EQ(Lex(lexer, c.line, c.state), c.tokens);
    EXPECT_EQ(lexer.RangeState(), c.endState);
  }
}

std::vector<std::string> AttributeNames(const TSynCustomHighlighter& lexer) {
  std::vector<std::string> names;
  for (int i = 0; i < lexer.AttributeCount(); ++i) names.push_back(lexer.AttributeAt(i)->Name());
  return names;
}

// ---------------------------------------------------------------- golden samples

TEST(ClassicLexers, GoldenSamples) {
  TSynVBSyn vb;
  TSynBatSyn bat;
  TSynFortranSyn fortran;
  TSynCobolSyn cobol;
  TSynFoxproSyn foxpro;
  TSynAsmSyn assembly;
  for (TSynCustomHighlighter* lexer : std::initializer_list<TSynCustomHighlighter*>{
           &vb, &bat, &fortran, &cobol, &foxpro, &assembly}) {
    SCOPED_TRACE(lexer->LanguageName());
    test::RunGoldenFolder(*lexer, lexer->LanguageName());
  }
}

// ---------------------------------------------------------------- attribute lists

struct LanguageRow {
  std::function<std::unique_ptr<TSynCustomHighlighter>()> make;
  std::string languageName;
  std::u16string friendlyName;
  std::string filter;
  std::vector<std::string> names;  // sorted
  // The attribute names of the roles comment, identifier, keyword, string,
  // whitespace, symbol ("" for none).
  std::vector<std::string> roles;
};

template <class T>
std::unique_ptr<TSynCustomHighlighter> Make() {
  return std::make_unique<T>();
}

const std::vector<LanguageRow>& LanguageRows() {
  static const std::vector<LanguageRow> rows = {
      {Make<TSynVBSyn>, "VisualBasic", u"Visual Basic", "Visual Basic Files (*.bas)|*.bas",
       {"Comment", "Identifier", "Number", "ReservedWord", "Space", "String", "Symbol"},
       {"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}},
      {Make<TSynBatSyn>, "MS-DOS_Batch", u"MS-DOS Batch", "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd",
       {"Comment", "Identifier", "Key", "Number", "Space", "Variable"},
       {"Comment", "Identifier", "Key", "", "Space", ""}},
      {Make<TSynFortranSyn>, "Fortran", u"Fortran", "Fortran Files (*.for)|*.for",
       {"Comment", "Identifier", "Number", "ReservedWord", "Space", "String", "Symbol"},
       {"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}},
      {Make<TSynCobolSyn>, "COBOL", u"COBOL", "COBOL Files (*.cbl;*.cob)|*.cbl;*.cob",
       {"Area_A_Identifier", "Booleanvalue", "Comment", "DebuggingLines", "Identifier", "IndicatorArea",
        "Number", "Preprocessor", "ReservedWord", "SequenceNumberArea", "Space", "String", "TagArea"},
       {"Comment", "Identifier", "ReservedWord", "String", "Space", ""}},
      {Make<TSynFoxproSyn>, "Foxpro", u"Foxpro", "Foxpro Files (*.prg)|*.prg",
       {"Comment", "Identifier", "Number", "ReservedWord", "Space", "String", "Symbol"},
       {"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}},
      {Make<TSynAsmSyn>, "x86Assembly", u"x86 Assembly", "x86 Assembly Files (*.asm)|*.asm",
       {"Comment", "Identifier", "Number", "ReservedWord", "Space", "String", "Symbol"},
       {"Comment", "Identifier", "ReservedWord", "String", "Space", "Symbol"}},
  };
  return rows;
}

TEST(ClassicLexers, NamesFiltersAndAttributeLists) {
  for (const auto& row : LanguageRows()) {
    SCOPED_TRACE(row.languageName);
    const auto lexer = row.make();
    EXPECT_EQ(lexer->LanguageName(), row.languageName);
    EXPECT_EQ(lexer->FriendlyLanguageName(), row.friendlyName);
    EXPECT_EQ(lexer->DefaultFilter(), row.filter);
    EXPECT_FALSE(lexer->ScanCaseSensitive());
    EXPECT_EQ(AttributeNames(*lexer), row.names);
    for (int role = 0; role < 6; ++role) {
      const auto* attribute = lexer->DefaultAttribute(role);
      EXPECT_EQ(attribute ? attribute->Name() : "", row.roles[static_cast<size_t>(role)]) << "role " << role;
    }
    EXPECT_EQ(lexer->DefaultAttribute(6), nullptr);
  }
}

// The stateless lexers answer 0 whatever state they are handed, and lines
// that look like openers of multi-line constructs change nothing.
TEST(ClassicLexers, StatelessLexersKeepNoState) {
  for (const auto& row : LanguageRows()) {
    if (row.languageName == "COBOL") continue;
    SCOPED_TRACE(row.languageName);
    const auto lexer = row.make();
    lexer->SetRangeState(5);
    EXPECT_EQ(lexer->RangeState(), 0u);
    for (const char* line : {"\"open", "'open", "{open", "#open", "/* open", ""}) {
      LexLine(*lexer, test::Utf16(line), 1, 7);
      EXPECT_EQ(lexer->RangeState(), 0u) << line;
    }
  }
}

// Every line from every start state keeps the token invariants. The lines
// mix every construct of the six languages, with a long line for the COBOL
// columns and control characters.
TEST(ClassicLexers, InvariantsFromEveryStartState) {
  const std::vector<std::string> lines = {
      "",
      "' a ''b'' \"c\"\"d\" \"\"\"e #f# rem g",
      "C *! 'x' \"y\" && ** { } [ ] .T. .x. 1..2 1.5e+3 0FFh // ; # ::rem %a% %%",
      "000100*comment",
      "000200-    \"\"x\" '' == y == \" ' +1.5 -.5 100-MAIN A- 12",
      "000300 " + std::string(70, 'x') + " \"tail",
      "000400 \"" + std::string(64, ' ') + "\"\"",
      "\t\r \x01 \xC3\xA9\xE2\x82\xAC \xEF\xBF\xBD=",
      "==",
  };
  std::vector<std::u16string> text;
  for (const auto& line : lines) text.push_back(test::Utf16(line));
  for (const auto& row : LanguageRows()) {
    SCOPED_TRACE(row.languageName);
    const auto lexer = row.make();
    for (uint32_t state = 0; state <= 5; ++state) {
      for (const auto& line : text) {
        const auto tokens = LexLine(*lexer, line, 1, state);
        int expected = 0;
        for (const auto& token : tokens) {
          ASSERT_EQ(token.start, expected) << "state " << state << " line " << test::Utf8(line);
          ASSERT_GT(token.length, 0) << "state " << state << " line " << test::Utf8(line);
          expected += token.length;
        }
        ASSERT_EQ(expected, static_cast<int>(line.size())) << "state " << state << " line " << test::Utf8(line);
      }
    }
    EXPECT_EQ(test::CheckLexerInvariants(*lexer, text), "");
  }
}

// ---------------------------------------------------------------- Visual Basic

TEST(VBLexer, CommentsAndRem) {
  TSynVBSyn lexer;
  CheckCases(lexer, {
      {"' Helo", 0, {{"Comment", "' Helo"}}, 0},
      {"Rem Helo", 0, {{"Comment", "Rem Helo"}}, 0},
      {"rem", 0, {{"Comment", "rem"}}, 0},
      {"x = 1 ' Helo", 0,
       {{"Identifier", "x"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Number", "1"}, {"Space", " "},
        {"Comment", "' Helo"}},
       0},
      {"a:REM b", 0, {{"Identifier", "a"}, {"Symbol", ":"}, {"Comment", "REM b"}}, 0},
      // Only the whole word opens a comment.
      {"remark = 1", 0, {{"Identifier", "remark"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Number", "1"}}, 0},
      {"Rem1 x", 0, {{"Identifier", "Rem1"}, {"Space", " "}, {"Identifier", "x"}}, 0},
      {"_rem x", 0, {{"Identifier", "_rem"}, {"Space", " "}, {"Identifier", "x"}}, 0},
      {"rem(x)", 0, {{"Comment", "rem(x)"}}, 0},
  });
}

TEST(VBLexer, StringsAndHashLiterals) {
  TSynVBSyn lexer;
  CheckCases(lexer, {
      {"\"Helo\"", 0, {{"String", "\"Helo\""}}, 0},
      // A doubled quote ends one string and opens another.
      {"\"a\"\"b\"", 0, {{"String", "\"a\""}, {"String", "\"b\""}}, 0},
      {"\"\"", 0, {{"String", "\"\""}}, 0},
      // Three opening quotes are taken together.
      {"\"\"\"a\" b", 0, {{"String", "\"\"\"a\""}, {"Space", " "}, {"Identifier", "b"}}, 0},
      {"\"\"\"", 0, {{"String", "\"\"\""}}, 0},
      {"\"open ' x", 0, {{"String", "\"open ' x"}}, 0},
      {"#1/2/03#x", 0, {{"String", "#1/2/03#"}, {"Identifier", "x"}}, 0},
      {"#If Helo Then", 0, {{"String", "#If Helo Then"}}, 0},
      {"' \"Helo\"", 0, {{"Comment", "' \"Helo\""}}, 0},
  });
}

TEST(VBLexer, CodeOutsideTheScope) {
  TSynVBSyn lexer;
  CheckCases(lexer, {
      {"If a <> b Then", 0,
       {{"ReservedWord", "If"}, {"Space", " "}, {"Identifier", "a"}, {"Space", " "}, {"Symbol", "<>"},
        {"Space", " "}, {"Identifier", "b"}, {"Space", " "}, {"ReservedWord", "Then"}},
       0},
      {"<=>=1.5E3", 0, {{"Symbol", "<="}, {"Symbol", ">="}, {"Number", "1.5E3"}}, 0},
      {"@\xC3\xA9`", 0, {{"Identifier", "@"}, {"Identifier", "\xC3\xA9"}, {"Identifier", "`"}}, 0},
  });
}

// ---------------------------------------------------------------- batch files

TEST(BatLexer, CommentsNeedABlankAfterRem) {
  TSynBatSyn lexer;
  CheckCases(lexer, {
      {"REM Helo", 0, {{"Comment", "REM Helo"}}, 0},
      {"@rem Helo", 0, {{"Identifier", "@"}, {"Comment", "rem Helo"}}, 0},
      {"rem\tHelo", 0, {{"Comment", "rem\tHelo"}}, 0},
      {"rem", 0, {{"Comment", "rem"}}, 0},
      {"rem.Helo", 0, {{"Key", "rem"}, {"Identifier", "."}, {"Identifier", "Helo"}}, 0},
      {"remark x", 0, {{"Identifier", "remark"}, {"Space", " "}, {"Identifier", "x"}}, 0},
      {":: Helo", 0, {{"Comment", ":: Helo"}}, 0},
      {"  ::Helo", 0, {{"Space", "  "}, {"Comment", "::Helo"}}, 0},
      {":label", 0, {{"Identifier", ":"}, {"Identifier", "label"}}, 0},
  });
}

TEST(BatLexer, QuotesAreNeverStringsAndVariables) {
  TSynBatSyn lexer;
  CheckCases(lexer, {
      {"echo \"Helo\"", 0,
       {{"Key", "echo"}, {"Space", " "}, {"Identifier", "\""}, {"Identifier", "Helo"}, {"Identifier", "\""}},
       0},
      {"'x'", 0, {{"Identifier", "'"}, {"Identifier", "x"}, {"Identifier", "'"}}, 0},
      {"%PATH%;%1 %%i", 0,
       {{"Variable", "%PATH%"}, {"Identifier", ";"}, {"Variable", "%1"}, {"Space", " "}, {"Variable", "%%"},
        {"Identifier", "i"}},
       0},
      {"%a_1 %", 0, {{"Variable", "%a_1"}, {"Space", " "}, {"Variable", "%"}}, 0},
      {"2>nul", 0, {{"Number", "2"}, {"Identifier", ">"}, {"Key", "nul"}}, 0},
  });
}

// ---------------------------------------------------------------- Fortran

TEST(FortranLexer, FirstColumnAndBangComments) {
  TSynFortranSyn lexer;
  CheckCases(lexer, {
      {"C Helo", 0, {{"Comment", "C Helo"}}, 0},
      {"Call x", 0, {{"Comment", "Call x"}}, 0},
      {"*Helo", 0, {{"Comment", "*Helo"}}, 0},
      {"c", 0, {{"Comment", "c"}}, 0},
      {"! Helo", 0, {{"Comment", "! Helo"}}, 0},
      {"  x = 1 ! Helo", 0,
       {{"Space", "  "}, {"Identifier", "x"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Number", "1"},
        {"Space", " "}, {"Comment", "! Helo"}},
       0},
      // Only the first column counts.
      {" C = 2*3", 0,
       {{"Space", " "}, {"Identifier", "C"}, {"Space", " "}, {"Symbol", "="}, {"Space", " "}, {"Number", "2"},
        {"Symbol", "*"}, {"Number", "3"}},
       0},
      {" * x", 0, {{"Space", " "}, {"Symbol", "*"}, {"Space", " "}, {"Identifier", "x"}}, 0},
  });
}

TEST(FortranLexer, Strings) {
  TSynFortranSyn lexer;
  CheckCases(lexer, {
      {"'Helo ! x'", 0, {{"String", "'Helo ! x'"}}, 0},
      {"'It''s'", 0, {{"String", "'It'"}, {"String", "'s'"}}, 0},
      {"\"\"\"a\"", 0, {{"String", "\"\"\"a\""}}, 0},
      {"'''a'", 0, {{"String", "''"}, {"String", "'a'"}}, 0},
      {"\"open", 0, {{"String", "\"open"}}, 0},
      {"1..2 3.d0", 0,
       {{"Number", "1"}, {"Symbol", "."}, {"Symbol", "."}, {"Number", "2"}, {"Space", " "}, {"Number", "3.d0"}},
       0},
  });
}

// ---------------------------------------------------------------- FoxPro

TEST(FoxproLexer, Comments) {
  TSynFoxproSyn lexer;
  CheckCases(lexer, {
      {"* Helo", 0, {{"Comment", "* Helo"}}, 0},
      {"\t * Helo", 0, {{"Space", "\t "}, {"Comment", "* Helo"}}, 0},
      {"x * y", 0, {{"Identifier", "x"}, {"Space", " "}, {"Symbol", "*"}, {"Space", " "}, {"Identifier", "y"}}, 0},
      {"x && Helo", 0, {{"Identifier", "x"}, {"Space", " "}, {"Comment", "&& Helo"}}, 0},
      {"&x", 0, {{"Symbol", "&"}, {"Identifier", "x"}}, 0},
      // "NOTE" is a command word here, not a comment.
      {"NOTE Helo", 0, {{"ReservedWord", "NOTE"}, {"Space", " "}, {"Identifier", "Helo"}}, 0},
  });
}

TEST(FoxproLexer, StringsAndLogicals) {
  TSynFoxproSyn lexer;
  CheckCases(lexer, {
      {"'Helo && x'", 0, {{"String", "'Helo && x'"}}, 0},
      {"\"a'b\"", 0, {{"String", "\"a'b\""}}, 0},
      {"\"\"\"a\"", 0, {{"String", "\"\"\"a\""}}, 0},
      {"{^2003-01-02}x", 0, {{"String", "{^2003-01-02}"}, {"Identifier", "x"}}, 0},
      {"{open", 0, {{"String", "{open"}}, 0},
      {".T..AND..x.", 0, {{"Symbol", ".T."}, {"Symbol", ".AND."}, {"Symbol", "."}, {"Identifier", "x"}, {"Symbol", "."}}, 0},
      {"[Helo]", 0, {{"Symbol", "["}, {"Identifier", "Helo"}, {"Symbol", "]"}}, 0},
  });
}

// ---------------------------------------------------------------- x86 assembly

TEST(AsmLexer, CommentsAndStrings) {
  TSynAsmSyn lexer;
  CheckCases(lexer, {
      {"; Helo", 0, {{"Comment", "; Helo"}}, 0},
      {"mov ax, 1 ; Helo", 0,
       {{"ReservedWord", "mov"}, {"Space", " "}, {"ReservedWord", "ax"}, {"Symbol", ","}, {"Space", " "},
        {"Number", "1"}, {"Space", " "}, {"Comment", "; Helo"}},
       0},
      {"# Helo", 0, {{"Comment", "# Helo"}}, 0},
      {"x // Helo", 0, {{"Identifier", "x"}, {"Space", " "}, {"Comment", "// Helo"}}, 0},
      {"a/b", 0, {{"Identifier", "a"}, {"Symbol", "/"}, {"Identifier", "b"}}, 0},
      {"'a;b'", 0, {{"String", "'a;b'"}}, 0},
      {"\"a\\\"b\"", 0, {{"String", "\"a\\\""}, {"Identifier", "b"}, {"String", "\""}}, 0},
      {"'''a'", 0, {{"String", "'''a'"}}, 0},
      {"\"open ; x", 0, {{"String", "\"open ; x"}}, 0},
      {"0FFh,0x1F", 0, {{"Number", "0FFh"}, {"Symbol", ","}, {"Number", "0x1F"}}, 0},
  });
}

// ---------------------------------------------------------------- COBOL

// A line of the fixed form: sequence area, indicator, code area. With a
// tag, the code area is padded to column 72 and the tag follows.
std::string Cobol(const std::string& sequence, char indicator, const std::string& code, const std::string& tag = "") {
  std::string line = sequence + indicator + code;
  if (!tag.empty()) line = sequence + indicator + code + std::string(65 - code.size(), ' ') + tag;
  return line;
}

// The code area filled to column 72.
std::string Filled(const std::string& code) { return code + std::string(65 - code.size(), ' '); }

TEST(CobolLexer, ColumnsAndIndicator) {
  TSynCobolSyn lexer;
  CheckCases(lexer, {
      {Cobol("000100", '*', "Helo wrold", "HELOTAG"), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", "*"}, {"Comment", Filled("Helo wrold")},
        {"TagArea", "HELOTAG"}},
       0},
      {Cobol("000100", '/', "Helo"), 0, {{"SequenceNumberArea", "000100"}, {"IndicatorArea", "/"}, {"Comment", "Helo"}}, 0},
      {Cobol("HELO01", 'D', " DISPLAY \"x\"."), 0,
       {{"SequenceNumberArea", "HELO01"}, {"IndicatorArea", "D"}, {"DebuggingLines", " DISPLAY \"x\"."}},
       0},
      {Cobol("000100", 'd', "x"), 0, {{"SequenceNumberArea", "000100"}, {"IndicatorArea", "d"}, {"DebuggingLines", "x"}}, 0},
      // Text in the tag area is never checked, quotes or not.
      {Cobol("000100", ' ', "    DISPLAY X", "\"HELO\""), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"ReservedWord", "DISPLAY"},
        {"Space", " "}, {"Identifier", "X"}, {"Space", std::string(52, ' ')}, {"TagArea", "\"HELO\""}},
       0},
      // Words starting before area B are area A identifiers; keywords stay keywords.
      {Cobol("000100", ' ', "AB X Y MAIN-PARA."), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Area_A_Identifier", "AB"}, {"Space", " "},
        {"Area_A_Identifier", "X"}, {"Space", " "}, {"Identifier", "Y"}, {"Space", " "}, {"Identifier", "MAIN-PARA"},
        {"Identifier", "."}},
       0},
      {Cobol("000100", ' ', "MAIN-PARA."), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Area_A_Identifier", "MAIN-PARA"}, {"Identifier", "."}},
       0},
      {"000100 PROCEDURE DIVISION.", 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"ReservedWord", "PROCEDURE"}, {"Space", " "},
        {"ReservedWord", "DIVISION"}, {"Identifier", "."}},
       0},
      {"0001", 0, {{"SequenceNumberArea", "0001"}}, 0},
      {"000100*", 0, {{"SequenceNumberArea", "000100"}, {"IndicatorArea", "*"}}, 0},
  });
}

TEST(CobolLexer, NothingCrossesIntoTheTagArea) {
  TSynCobolSyn lexer;
  const std::string code = std::string(60, ' ') + "ABCDEFGH";  // the word spans columns 68 to 75
  EXPECT_EQ(Lex(lexer, "000100 " + code, 0),
            (Tokens{{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", std::string(60, ' ')},
                    {"Identifier", "ABCDE"}, {"TagArea", "FGH"}}));
  const std::string literal = std::string(61, ' ') + "\"abc\"";  // closing quote in column 73
  EXPECT_EQ(Lex(lexer, "000100 " + literal, 0),
            (Tokens{{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", std::string(61, ' ')},
                    {"String", "\"abc"}, {"TagArea", "\""}}));
  EXPECT_EQ(lexer.RangeState(), TSynCobolSyn::rsQuoteStringMayBe);
}

TEST(CobolLexer, LiteralsAndPseudoText) {
  TSynCobolSyn lexer;
  CheckCases(lexer, {
      {Cobol("000100", ' ', "    'It''s'"), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"String", "'It'"},
        {"String", "'s'"}},
       0},
      // Unclosed on a short line: the next line's code area continues it.
      {Cobol("000100", ' ', "    \"Helo"), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"String", "\"Helo"}},
       1},
      {Cobol("000200", ' ', "wrold\" X"), 1,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", " "}, {"String", "wrold\""}, {"Space", " "},
        {"Identifier", "X"}},
       0},
      {Cobol("000200", ' ', "a ' b"), 2,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", " "}, {"String", "a '"}, {"Space", " "},
        {"Identifier", "b"}},
       0},
      {Cobol("000200", ' ', "still open"), 2,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", " "}, {"String", "still open"}},
       2},
      // Comment lines, debugging lines, short and empty lines keep the state.
      {Cobol("000200", '*', "\" x"), 1, {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "*"}, {"Comment", "\" x"}}, 1},
      {Cobol("000200", 'D', "' x"), 5, {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "D"}, {"DebuggingLines", "' x"}}, 5},
      {"000300", 4, {{"SequenceNumberArea", "000300"}}, 4},
      {"", 3, {}, 3},
      // Pseudo-text is a "String" token and runs over lines to the next "==".
      {Cobol("000100", ' ', "  ==Helo== BY ===="), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "  "}, {"String", "==Helo=="}, {"Space", " "},
        {"ReservedWord", "BY"}, {"Space", " "}, {"String", "===="}},
       0},
      {Cobol("000100", ' ', "    ==a \"b"), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"String", "==a \"b"}}, 3},
      {Cobol("000100", ' ', "c\" ==. = x"), 3,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"String", "c\" =="}, {"Identifier", "."},
        {"Space", " "}, {"Identifier", "="}, {"Space", " "}, {"Identifier", "x"}},
       0},
  });
}

TEST(CobolLexer, LiteralFillingTheCodeAreaWaitsForAContinuation) {
  TSynCobolSyn lexer;
  const std::string open = Filled("    \"Helo");
  CheckCases(lexer, {
      {"000100 " + open, 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"String", open.substr(4)}},
       4},
      {"000100 " + Filled("    'x") + "TAG", 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "},
        {"String", Filled("    'x").substr(4)}, {"TagArea", "TAG"}},
       5},
      // "-", blanks, two quotes of the literal's kind: the literal resumes.
      {Cobol("000200", '-', "    \"\"wrold\" X"), 4,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}, {"Space", "    "}, {"String", "\"\"wrold\""},
        {"Space", " "}, {"Identifier", "X"}},
       0},
      {Cobol("000200", '-', "''wrold"), 5,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}, {"String", "''wrold"}}, 2},
      // Quotes of the other kind, a single quote or none: the wait ends.
      {Cobol("000200", '-', "    ''x"), 4,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}, {"Space", "    "}, {"String", "''"},
        {"Identifier", "x"}},
       0},
      {Cobol("000200", '-', "    \"x\""), 4,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}, {"Space", "    "}, {"String", "\"x\""}},
       0},
      {Cobol("000200", '-', "x"), 4, {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}, {"Area_A_Identifier", "x"}}, 0},
      {Cobol("000200", '-', "   "), 4, {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}, {"Space", "   "}}, 0},
      {Cobol("000200", '-', ""), 4, {{"SequenceNumberArea", "000200"}, {"IndicatorArea", "-"}}, 4},
      // A line that is no continuation line ends the wait.
      {Cobol("000200", ' ', "    \"\"x"), 4,
       {{"SequenceNumberArea", "000200"}, {"IndicatorArea", " "}, {"Space", "    "}, {"String", "\"\""},
        {"Identifier", "x"}},
       0},
      {Cobol("000200", ' ', ""), 5, {{"SequenceNumberArea", "000200"}, {"IndicatorArea", " "}}, 0},
      // A continued literal that fills the code area again waits again.
      {"000300-" + Filled("\"\"more"), 4,
       {{"SequenceNumberArea", "000300"}, {"IndicatorArea", "-"}, {"String", Filled("\"\"more")}}, 4},
  });
}

TEST(CobolLexer, WordsAndNumbers) {
  TSynCobolSyn lexer;
  CheckCases(lexer, {
      {Cobol("000100", ' ', "    MOVE -1.5 TO WS-A."), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"ReservedWord", "MOVE"},
        {"Space", " "}, {"Number", "-1.5"}, {"Space", " "}, {"ReservedWord", "TO"}, {"Space", " "},
        {"Identifier", "WS-A"}, {"Identifier", "."}},
       0},
      {Cobol("000100", ' ', "    PERFORM 100-MAIN 1.5E+3 +.5 A- B"), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"ReservedWord", "PERFORM"},
        {"Space", " "}, {"Identifier", "100-MAIN"}, {"Space", " "}, {"Number", "1.5E+3"}, {"Space", " "},
        {"Number", "+.5"}, {"Space", " "}, {"Identifier", "A"}, {"Identifier", "-"}, {"Space", " "},
        {"Identifier", "B"}},
       0},
      {Cobol("000100", ' ', "    SET X TO TRUE. COPY Y."), 0,
       {{"SequenceNumberArea", "000100"}, {"IndicatorArea", " "}, {"Space", "    "}, {"ReservedWord", "SET"},
        {"Space", " "}, {"Identifier", "X"}, {"Space", " "}, {"ReservedWord", "TO"}, {"Space", " "},
        {"Booleanvalue", "TRUE"}, {"Identifier", "."}, {"Space", " "}, {"Preprocessor", "COPY"}, {"Space", " "},
        {"Identifier", "Y"}, {"Identifier", "."}},
       0},
  });
}

TEST(CobolLexer, ColumnSettersKeepTheirOrder) {
  TSynCobolSyn lexer;
  EXPECT_EQ(lexer.AreaAStartPos(), 7);
  EXPECT_EQ(lexer.AreaBStartPos(), 11);
  EXPECT_EQ(lexer.CodeEndPos(), 71);

  lexer.SetAreaAStartPos(20);  // past area B: limited to it
  EXPECT_EQ(lexer.AreaAStartPos(), 11);
  lexer.SetAreaAStartPos(-3);
  EXPECT_EQ(lexer.AreaAStartPos(), 0);
  lexer.SetAreaAStartPos(7);
  lexer.SetAreaBStartPos(3);  // before area A
  EXPECT_EQ(lexer.AreaBStartPos(), 7);
  lexer.SetAreaBStartPos(90);  // past the code end
  EXPECT_EQ(lexer.AreaBStartPos(), 71);
  lexer.SetCodeEndPos(10);  // before area B
  EXPECT_EQ(lexer.CodeEndPos(), 71);
  lexer.SetCodeEndPos(79);
  lexer.SetAreaBStartPos(11);
  EXPECT_EQ(lexer.CodeEndPos(), 79);
  EXPECT_EQ(lexer.AreaBStartPos(), 11);
}

TEST(CobolLexer, OtherColumnSettingsMoveTheAreas) {
  TSynCobolSyn lexer;
  lexer.SetAreaAStartPos(1);
  lexer.SetAreaBStartPos(3);
  lexer.SetCodeEndPos(9);
  CheckCases(lexer, {
      {"*Helo wrold", 0, {{"IndicatorArea", "*"}, {"Comment", "Helo wrol"}, {"TagArea", "d"}}, 0},
      {" AB XY \"abc", 0,
       {{"IndicatorArea", " "}, {"Area_A_Identifier", "AB"}, {"Space", " "}, {"Identifier", "XY"}, {"Space", " "},
        {"String", "\"ab"}, {"TagArea", "c"}},
       4},
  });
  // No indicator column: every line is code from its first character.
  lexer.SetAreaAStartPos(0);
  CheckCases(lexer, {
      {"*x \"y", 0, {{"Identifier", "*"}, {"Area_A_Identifier", "x"}, {"Space", " "}, {"String", "\"y"}}, 1},
      {"\"\"x", 4, {{"String", "\"\""}, {"Area_A_Identifier", "x"}}, 0},
  });
}

} // namespace
} // namespace qm
