// The C-family lexers: C/C++, C#, Java, JavaScript and PHP. The golden samples
// show which words of whole files are checked; the tables below pin the rules
// that decide it, one line at a time from a given start state.
#include "lexers/SynCSharpSyn.h"
#include "lexers/SynCppSyn.h"
#include "lexers/SynJScriptSyn.h"
#include "lexers/SynJavaSyn.h"
#include "lexers/SynPHPSyn.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace qm {
namespace {

// "Attribute(text)" for every token of the line, lexed from state.
std::string Tokens(TSynCustomHighlighter& lexer, const std::string& line, uint32_t state) {
  const std::u16string text = test::Utf16(line);
  std::string out;
  for (const auto& token : LexLine(lexer, text, 1, state)) {
    if (!out.empty()) out += ' ';
    out += token.attribute ? token.attribute->Name() : std::string("None");
    out += '(' + test::Utf8(std::u16string_view(text).substr(token.start, token.length)) + ')';
  }
  return out;
}

struct LineCase {
  uint32_t start;      // state before the line
  const char* line;
  const char* tokens;  // as rendered by Tokens
  uint32_t end;        // state after the line
};

void CheckLines(TSynCustomHighlighter& lexer, std::initializer_list<LineCase> cases) {
  for (const LineCase& c : cases) {
    SCOPED_TRACE(std::string("state ") + std::to_string(c.start) + ": " + c.line);
    EXPECT_EQ(Tokens(lexer, c.line, c.start), c.tokens);
    EXPECT_EQ(lexer.RangeState(), c.end);
  }
}

std::set<std::string> AttributeNames(const TSynCustomHighlighter& lexer) {
  std::set<std::string> names;
  for (int i = 0; i < lexer.AttributeCount(); ++i) names.insert(lexer.AttributeAt(i)->Name());
  return names;
}

TEST(CFamilyLexers, GoldenCandCPlusPlus) {
  TSynCppSyn lexer;
  test::RunGoldenFolder(lexer, "CandCPlusPlus");
}

TEST(CFamilyLexers, GoldenCSharp) {
  TSynCSSyn lexer;
  test::RunGoldenFolder(lexer, "CSharp");
}

TEST(CFamilyLexers, GoldenJava) {
  TSynJavaSyn lexer;
  test::RunGoldenFolder(lexer, "Java");
}

TEST(CFamilyLexers, GoldenJavaScript) {
  TSynJScriptSyn lexer;
  test::RunGoldenFolder(lexer, "JavaScript");
}

TEST(CFamilyLexers, GoldenPHP) {
  TSynPHPSyn lexer;
  test::RunGoldenFolder(lexer, "PHP");
}

TEST(CFamilyLexers, CppCommentsStringsAndCharacters) {
  TSynCppSyn lexer;
  CheckLines(lexer, {
      {0, "// Helo \\", "Comment(// Helo \\)", 0},
      {0, "/* Helo */ x", "Comment(/* Helo */) Space( ) Identifier(x)", 0},
      {0, "/*/ Helo", "Comment(/*/ Helo)", 1},
      {1, "", "", 1},
      {1, "wrold */ x", "Comment(wrold */) Space( ) Identifier(x)", 0},
      {0, R"("Helo" 'Helo')", R"(String("Helo") Space( ) Character('Helo'))", 0},
      {0, R"("say \"Helo\"" x)", R"(String("say \"Helo\"") Space( ) Identifier(x))", 0},
      {0, R"('it\'s' '\\' x)", R"(Character('it\'s') Space( ) Character('\\') Space( ) Identifier(x))", 0},
      {0, R"(s = "Helo \)", R"(Identifier(s) Space( ) Symbol(=) Space( ) String("Helo \))", 10},
      {10, "", "", 10},
      {10, R"(wrold" x)", R"(String(wrold") Space( ) Identifier(x))", 0},
      {10, R"("x)", R"(String(") Identifier(x))", 0},
      {0, R"("Helo \\)", R"(String("Helo \\))", 0},
      {0, R"("Helo)", R"(String("Helo))", 0},
      {0, R"('Helo \)", R"(Character('Helo \))", 0},
  });
}

TEST(CFamilyLexers, CppPreprocessorLines) {
  TSynCppSyn lexer;
  CheckLines(lexer, {
      {0, "#error Helo wrold", "Preprocessor(#error Helo wrold)", 0},
      {0, "#endif // Helo", "Preprocessor(#endif ) Comment(// Helo)", 0},
      {0, "#define X 1 /* Helo */ + 2", "Preprocessor(#define X 1 ) Comment(/* Helo */) Preprocessor( + 2)", 0},
      {0, "#define X /* Helo */", "Preprocessor(#define X ) Comment(/* Helo */)", 0},
      {0, "#define X 1 /* Helo", "Preprocessor(#define X 1 ) Comment(/* Helo)", 7},
      {0, "#define X /*/ Helo */ + 2", "Preprocessor(#define X ) Comment(/*/ Helo */) Preprocessor( + 2)", 0},
      {7, "", "", 7},
      {7, "wrold */ + 2", "Comment(wrold */) Preprocessor( + 2)", 0},
      {7, "wrold */", "Comment(wrold */)", 0},
      {0, "#define LONG \\", "Preprocessor(#define LONG \\)", 11},
      {11, "", "", 11},
      {11, "  \"value\" \\", "Preprocessor(  \"value\" \\)", 11},
      {11, "  value", "Preprocessor(  value)", 0},
      {11, "// Helo", "Comment(// Helo)", 0},
      {11, "/* Helo */ x", "Comment(/* Helo */) Preprocessor( x)", 0},
      {11, "/*/ Helo", "Comment(/*/ Helo)", 7},
      {7, "/*/ x", "Comment(/*/) Preprocessor( x)", 0},
      {0, "  #  include <a>", "Space(  ) Preprocessor(#  include <a>)", 0},
      {0, "a # b", "Identifier(a) Space( ) IllegalChar(#) Space( ) Identifier(b)", 0},
      // The test is on the line: its first non-blank character is "#".
      {1, "# */ #x", "Comment(# */) Space( ) Preprocessor(#x)", 0},
  });
}

TEST(CFamilyLexers, CppAssemblerRegions) {
  TSynCppSyn lexer;
  CheckLines(lexer, {
      {0, "asm { mov ax, 1 /* Helo */ }",
       "ReservedWord(asm) Space( ) Symbol({) Space( ) Assembler(mov) Space( ) Assembler(ax) Assembler(,) Space( ) "
       "Assembler(1) Space( ) Comment(/* Helo */) Space( ) Symbol(})",
       0},
      {0, "__asm mov \"Helo\"; x", "ReservedWord(__asm) Space( ) Assembler(mov) Space( ) Assembler(\"Helo\") "
                                   "Symbol(;) Space( ) Identifier(x)", 0},
      {0, "_asm", "ReservedWord(_asm)", 4},
      {4, "{ // Helo", "Symbol({) Space( ) Comment(// Helo)", 5},
      {5, "mov /* Helo", "Assembler(mov) Space( ) Comment(/* Helo)", 3},
      {3, "wrold */ x }", "Comment(wrold */) Space( ) Assembler(x) Space( ) Symbol(})", 0},
      {4, "x /* Helo", "Assembler(x) Space( ) Comment(/* Helo)", 2},
      {2, "*/ x;", "Comment(*/) Space( ) Assembler(x) Symbol(;)", 0},
      {5, "; }", "Assembler(;) Space( ) Symbol(})", 0},
  });
}

TEST(CFamilyLexers, CppNumbers) {
  TSynCppSyn lexer;
  CheckLines(lexer, {
      {0, "0x1Fu", "Hexadecimal(0x1Fu)", 0},
      {0, "0xFFull", "Hexadecimal(0xFFull)", 0},
      {0, "017", "Octal(017)", 0},
      {0, "09", "IllegalChar(09)", 0},
      {0, "1..2", "Number(1) Symbol(.) Number(.2)", 0},
      {0, "10UL 1LL", "Number(10UL) Space( ) Number(1LL)", 0},
      {0, "1.5f 1e10 1.5e-3 2E+4", "Float(1.5f) Space( ) Float(1e10) Space( ) Float(1.5e-3) Space( ) Float(2E+4)", 0},
      {0, "1e", "IllegalChar(1) Identifier(e)", 0},
      {0, "0x", "IllegalChar(0x)", 0},
      {0, "0xg", "IllegalChar(0) Identifier(xg)", 0},
      {0, "12ab", "IllegalChar(12) Identifier(ab)", 0},
      {0, "0x1.5", "IllegalChar(0x1) Number(.5)", 0},
      {0, "1.5u", "IllegalChar(1.5) Identifier(u)", 0},
      {0, "1e+x", "IllegalChar(1e+) Identifier(x)", 0},
      {0, "1e5e3", "IllegalChar(1e5) Identifier(e3)", 0},
      {0, "1LLL 1ff", "IllegalChar(1LL) Identifier(L) Space( ) IllegalChar(1f) Identifier(f)", 0},
      {0, "a...b", "Identifier(a) Symbol(...) Identifier(b)", 0},
  });
}

TEST(CFamilyLexers, CppSymbolsAndUnknownCharacters) {
  TSynCppSyn lexer;
  CheckLines(lexer, {
      {0, "a->b<<=c", "Identifier(a) Symbol(->) Identifier(b) Symbol(<<=) Identifier(c)", 0},
      {0, "@$`\\é", "IllegalChar(@) IllegalChar($) IllegalChar(`) IllegalChar(\\) IllegalChar(é)", 0},
      {0, "Asm", "Identifier(Asm)", 0},
  });
}

TEST(CFamilyLexers, CSharpDifferences) {
  TSynCSSyn lexer;
  CheckLines(lexer, {
      {0, "'Helo'", "String('Helo')", 0},
      {0, "x #region Helo wrold", "Identifier(x) Space( ) Preprocessor(#region Helo wrold)", 0},
      {0, "#if X // Helo", "Preprocessor(#if X ) Comment(// Helo)", 0},
      // A comment opened in a preprocessor line hands back to it, even at the line end.
      {0, "#if X /* Helo */", "Preprocessor(#if X ) Comment(/* Helo */)", 6},
      {6, "int x;", "Preprocessor(int x;)", 0},
      {6, "", "", 0},
      {0, "#define A \\", "Preprocessor(#define A \\)", 6},
      {0, "#if C /* Helo", "Preprocessor(#if C ) Comment(/* Helo)", 7},
      {7, "", "", 7},
      {7, "wrold */ x", "Comment(wrold */) Preprocessor( x)", 0},
      {0, "#if X /*/ Helo */", "Preprocessor(#if X ) Comment(/*/ Helo */)", 6},
      {6, "// Helo", "Comment(// Helo)", 0},
      {0, R"(@"C:\path")", R"(IllegalChar(@) String("C:\path"))", 0},
      {0, R"("Helo \)", R"(String("Helo \))", 10},
      {10, R"(wrold")", R"(String(wrold"))", 0},
      {0, "/// <summary>Helo", "Comment(/// <summary>Helo)", 0},
      {0, "asm { x }", "Identifier(asm) Space( ) Symbol({) Space( ) Identifier(x) Space( ) Symbol(})", 0},
      {0, "0x1FUL 1..2 1e5", "Number(0x1FUL) Space( ) Number(1) Symbol(.) Number(.2) Space( ) Number(1e5)", 0},
  });
}

TEST(CFamilyLexers, JavaDifferences) {
  TSynJavaSyn lexer;
  lexer.ResetRangeState();
  EXPECT_EQ(lexer.RangeState(), 3u);
  CheckLines(lexer, {
      {3, "/** Helo */", "Documentation(/** Helo */)", 3},
      {3, "/**/ x", "Comment(/**/) Space( ) Identifier(x)", 3},
      {3, "/*** Helo */", "Documentation(/*** Helo */)", 3},
      {3, "/** Helo", "Documentation(/** Helo)", 2},
      {2, "", "", 2},
      {2, "wrold */ x", "Documentation(wrold */) Space( ) Identifier(x)", 3},
      {3, "/* Helo", "Comment(/* Helo)", 1},
      {1, "wrold */", "Comment(wrold */)", 3},
      {3, "@Override #", "InvalidSymbol(@) Identifier(Override) Space( ) InvalidSymbol(#)", 3},
      {3, R"("a\"b" 'c\'d')", R"(String("a\"b") Space( ) String('c\'d'))", 3},
      {3, R"("Helo \)", R"(String("Helo \))", 3},
      {3, R"("""Helo" x)", R"(String("""Helo") Space( ) Identifier(x))", 3},
      {3, R"("" x)", R"(String("") Space( ) Identifier(x))", 3},
      {3, "$naïve × x", "Identifier($naïve) Space( ) InvalidSymbol(×) Space( ) Identifier(x)", 3},
      {3, "1-2 0x1FL 1..2 1e+5",
       "Number(1-2) Space( ) Number(0x1FL) Space( ) Number(1) Symbol(.) Number(.2) Space( ) Number(1e) Symbol(+) "
       "Number(5)",
       3},
  });
  EXPECT_TRUE(lexer.IsIdentifierChar(u'$'));
  EXPECT_TRUE(lexer.IsIdentifierChar(u'\u00C0'));
  EXPECT_FALSE(lexer.IsIdentifierChar(u'\u00D7'));
  EXPECT_FALSE(lexer.IsIdentifierChar(u'\u00F7'));
  EXPECT_FALSE(lexer.IsIdentifierChar(u'\u0100'));
}

TEST(CFamilyLexers, JavaScriptDifferences) {
  TSynJScriptSyn lexer;
  CheckLines(lexer, {
      // The closing quote follows a backslash, so the string runs on.
      {0, R"("C:\\" + x)", R"(String("C:\\" + x))", 0},
      {0, R"('it\'s' x)", R"(String('it\'s') Space( ) Identifier(x))", 0},
      {0, R"("Helo \)", R"(String("Helo \))", 0},
      {0, R"('''a' x)", R"(String('''a') Space( ) Identifier(x))", 0},
      {0, "/* Helo", "Comment(/* Helo)", 1},
      {1, "wrold */ x", "Comment(wrold */) Space( ) Identifier(x)", 0},
      {0, "/a\\/b/g", "Symbol(/) Identifier(a) Identifier(\\) Symbol(/) Identifier(b) Symbol(/) Identifier(g)", 0},
      {0, "onclick window var foo",
       "Event(onclick) Space( ) NonreservedKeyword(window) Space( ) ReservedWord(var) Space( ) Identifier(foo)", 0},
      {0, "$#@`", "Identifier($) Identifier(#) Identifier(@) Identifier(`)", 0},
      {0, "0x1F 1.5 1e5 1..2",
       "Number(0x1F) Space( ) Number(1.5) Space( ) Number(1) Identifier(e5) Space( ) Number(1) Symbol(.) Number(.2)",
       0},
  });
}

TEST(CFamilyLexers, PhpStringsAndVariables) {
  TSynPHPSyn lexer;
  CheckLines(lexer, {
      {0, R"("Helo $name wrold")", R"(String("Helo ) Variable($name) String( wrold"))", 0},
      {0, R"('it\'s' x)", R"(String('it\'s') Space( ) Identifier(x))", 0},
      {0, R"("a {$o->b} ${v} {$a['k']} c")",
       R"(String("a ) Variable({$o->b}) String( ) Variable(${v}) String( ) Variable({$a['k']}) String( c"))", 0},
      {0, R"("{$a[${b}]}")", R"(String(") Variable({$a[${b}]}) String("))", 0},
      {0, R"("$a[0]->b[c]['d'] $e[ $f->")",
       R"(String(") Variable($a[0]->b[c]['d']) String( ) Variable($e) String([ ) Variable($f) String(->"))", 0},
      {0, R"("\$x \\$y \{$z}")", R"(String("\$x \\) Variable($y) String( \{$z}"))", 0},
      {0, R"("$x$y")", R"(String(") Variable($x) Variable($y) String("))", 0},
      {0, R"("\\" x)", R"(String("\\") Space( ) Identifier(x))", 0},
      {0, R"("\\\" x)", R"(String("\\\" x))", 2},
      {0, R"("Helo)", R"(String("Helo))", 2},
      {2, "", "", 2},
      {2, R"($x wrold" y)", R"(Variable($x) String( wrold") Space( ) Identifier(y))", 0},
      {0, "'Helo $x", "String('Helo $x)", 1},
      {1, "wrold' y", "String(wrold') Space( ) Identifier(y)", 0},
      {0, R"("{$a)", R"(String(") Variable({$a))", 2},
  });
}

TEST(CFamilyLexers, PhpCode) {
  TSynPHPSyn lexer;
  CheckLines(lexer, {
      {0, "# Helo", "Comment(# Helo)", 0},
      {0, "// Helo", "Comment(// Helo)", 0},
      {0, "/* Helo", "Comment(/* Helo)", 3},
      {3, "wrold */ x", "Comment(wrold */) Space( ) Identifier(x)", 0},
      {0, "ECHO $Name;", "ReservedWord(ECHO) Space( ) Variable($Name) Symbol(;)", 0},
      {0, "@f $$v \\é", "Symbol(@) Identifier(f) Space( ) Symbol($) Variable($v) Space( ) Symbol(\\) Identifier(é)", 0},
      {0, "1.5 .5 1..2", "Number(1.5) Space( ) Number(.5) Space( ) Number(1..2)", 0},
      {0, "<p>Helo</p>", "Symbol(<) Identifier(p) Symbol(>) Identifier(Helo) Symbol(<) Symbol(/) Identifier(p) Symbol(>)",
       0},
  });
}

TEST(CFamilyLexers, NamesFiltersAndAttributes) {
  TSynCppSyn cpp;
  TSynCSSyn cs;
  TSynJavaSyn java;
  TSynJScriptSyn js;
  TSynPHPSyn php;
  struct Expected {
    TSynCustomHighlighter* lexer;
    const char* language;
    const char16_t* friendly;
    const char* filter;
    bool caseSensitive;
    std::set<std::string> attributes;
  } expected[] = {
      {&cpp, "CandCPlusPlus", u"C/C++",
       "C/C++ Files (*.c;*.cpp;*.cc;*.h;*.hpp;*.hh;*.cxx;*.hxx;*.cu)|*.c;*.cpp;*.cc;*.h;*.hpp;*.hh;*.cxx;*.hxx;*.cu",
       true,
       {"Comment", "String", "Assembler", "Identifier", "IllegalChar", "ReservedWord", "Number", "Character", "Float",
        "Hexadecimal", "Octal", "Space", "Symbol", "Preprocessor"}},
      {&cs, "CSharp", u"C#", "C# Files (*.cs)|*.cs", true,
       {"Comment", "String", "Assembler", "Identifier", "IllegalChar", "ReservedWord", "Number", "Space", "Symbol",
        "Preprocessor"}},
      {&java, "Java", u"Java", "Java Files (*.java)|*.java", true,
       {"Comment", "Documentation", "String", "Identifier", "InvalidSymbol", "ReservedWord", "Number", "Space",
        "Symbol"}},
      {&js, "JavaScript", u"JavaScript", "Javascript Files (*.js)|*.js", true,
       {"Comment", "String", "Identifier", "ReservedWord", "NonreservedKeyword", "Event", "Number", "Space",
        "Symbol"}},
      {&php, "PHP", u"PHP", "PHP Files (*.php;*.php3;*.phtml;*.inc)|*.php;*.php3;*.phtml;*.inc", false,
       {"Comment", "String", "Identifier", "ReservedWord", "Number", "Space", "Symbol", "Variable"}},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.language);
    EXPECT_EQ(e.lexer->LanguageName(), e.language);
    EXPECT_EQ(e.lexer->FriendlyLanguageName(), e.friendly);
    EXPECT_EQ(e.lexer->DefaultFilter(), e.filter);
    EXPECT_EQ(e.lexer->ScanCaseSensitive(), e.caseSensitive);
    EXPECT_EQ(AttributeNames(*e.lexer), e.attributes);
    EXPECT_EQ(e.lexer->AttributeCount(), static_cast<int>(e.attributes.size()));
    const std::pair<int, const char*> roles[] = {
        {SYN_ATTR_COMMENT, "Comment"}, {SYN_ATTR_IDENTIFIER, "Identifier"}, {SYN_ATTR_KEYWORD, "ReservedWord"},
        {SYN_ATTR_STRING, "String"},   {SYN_ATTR_WHITESPACE, "Space"},      {SYN_ATTR_SYMBOL, "Symbol"},
    };
    for (const auto& [role, name] : roles) {
      ASSERT_NE(e.lexer->DefaultAttribute(role), nullptr) << role;
      EXPECT_EQ(e.lexer->DefaultAttribute(role)->Name(), name);
    }
  }
  EXPECT_EQ(cpp.AttributeAt(0)->Name(), "Assembler");
  EXPECT_EQ(cpp.AttributeByName("IllegalChar")->DisplayName(), u"Illegal Char");
}

TEST(CFamilyLexers, KeywordLists) {
  EXPECT_EQ(TSynCppSyn::Keywords().size(), 95u);
  EXPECT_EQ(TSynCSSyn::Keywords().size(), 75u);
  EXPECT_EQ(TSynJavaSyn::Keywords().size(), 52u);
  EXPECT_EQ(TSynPHPSyn::Keywords().size(), 56u);
  EXPECT_EQ(TSynJScriptSyn::ReservedWords().size() + TSynJScriptSyn::NonReservedKeywords().size() +
                TSynJScriptSyn::Events().size(),
            399u);
  // No word twice in a list, nor in two JavaScript classes.
  auto distinct = [](std::initializer_list<std::span<const std::string_view>> lists) {
    std::set<std::string_view> words;
    size_t total = 0;
    for (auto list : lists) {
      words.insert(list.begin(), list.end());
      total += list.size();
    }
    return words.size() == total;
  };
  EXPECT_TRUE(distinct({TSynCppSyn::Keywords()}));
  EXPECT_TRUE(distinct({TSynCSSyn::Keywords()}));
  EXPECT_TRUE(distinct({TSynJavaSyn::Keywords()}));
  EXPECT_TRUE(distinct({TSynPHPSyn::Keywords()}));
  EXPECT_TRUE(distinct({TSynJScriptSyn::ReservedWords(), TSynJScriptSyn::NonReservedKeywords(),
                        TSynJScriptSyn::Events()}));
  for (std::string_view word : TSynPHPSyn::Keywords())
    EXPECT_TRUE(std::none_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << word;
  // Every listed word lexes as a keyword of its class.
  TSynCppSyn cpp;
  for (std::string_view word : TSynCppSyn::Keywords()) {
    const std::string text(word);
    EXPECT_EQ(Tokens(cpp, text, 0), "ReservedWord(" + text + ")");
  }
  TSynJScriptSyn js;
  for (std::string_view word : TSynJScriptSyn::Events()) {
    const std::string text(word);
    EXPECT_EQ(Tokens(js, text, 0), "Event(" + text + ")");
  }
}

} // namespace
} // namespace qm
