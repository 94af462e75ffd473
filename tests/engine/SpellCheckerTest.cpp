#include "engine/SpellChecker.h"

#include "engine/HeadlessSynEdit.h"
#include "engine/MisprintRecord.h"
#include "platform/Stream.h"
#include "streams/MemoryStream.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace qm {
namespace {

// The code of an extension written out: its four characters, blank-padded,
// little-endian.
int32_t Code(const char* four) {
  char bytes[4] = {' ', ' ', ' ', ' '};
  std::memcpy(bytes, four, std::min<size_t>(std::strlen(four), 4));
  uint32_t code = 0;
  for (int i = 3; i >= 0; --i) code = (code << 8) | static_cast<uint8_t>(bytes[i]);
  return static_cast<int32_t>(code);
}

TEST(ExtensionCode, LowerCasedFirstFourCharactersOfTheLastExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"main.CPP", "cpp"},     {"x.phtml", "phtm"},      {"A.class", "clas"},   {"a.javascript", "java"},
      {"a.tar.GZ", "gz"},      {"dir/x.h", "h"},         {"dir.d/README", ""},  {"README", ""},
      {"name.", ""},           {"/a.b/c.Php4", "php4"},  {".profile", "prof"},
  };
  for (const auto& [name, extension] : cases) EXPECT_EQ(ExtensionCode(name), Code(extension)) << name;
  EXPECT_EQ(Code(""), 0x20202020);
}

TEST(ExtensionCode, TheTableNamesFiftyCodes) {
  const std::pair<const char*, const char*> table[] = {
      {"CandCPlusPlus", "c h cc hs c++ cpp hpp cxx hxx"}, {"Eiffel", "e"}, {"Fortran", "f f90 f77 ftn for"},
      {"ObjectPascal", "p pp inc dpr lpr pas"}, {"Ruby", "rb"}, {"VisualBasic", "vb frm bas vbpr"},
      {"Perl", "pl pm"}, {"CSharp", "cs cspr"}, {"JavaScript", "js"}, {"Python", "py"}, {"COBOL", "cob"},
      {"UNIXShellScript", "bsh"}, {"XML", "xml"}, {"BorlandForms", "dfm lfm"}, {"x86Assembly", "asm"},
      {"PHP", "php php3 php4 php5 phtm phps"}, {"MS-VBScript", "vbs"}, {"CascadingStyleSheet", "css"},
      {"InnoSetupScript", "iss"}, {"MS-DOS_Batch", "bat"}, {"Java", "java clas"},
  };
  int codes = 0;
  for (const auto& [language, extensions] : table) {
    std::string list = extensions;
    for (size_t at = 0; at < list.size();) {
      const size_t blank = std::min(list.find(' ', at), list.size());
      const std::string extension = list.substr(at, blank - at);
      EXPECT_EQ(LanguageForExtensionCode(Code(extension.c_str())), language) << extension;
      ++codes;
      at = blank + 1;
    }
  }
  EXPECT_EQ(codes, 50);
  for (const char* none : {"", "htm", "html", "txt", "sh", "hs2"})
    EXPECT_EQ(LanguageForExtensionCode(Code(none)), "") << none;
}

// ---- Choosing the lexer ----------------------------------------------------------

class SpellCheckerTest : public ::testing::Test {
protected:
  // The language name of the installed lexer; "(fallback)" for the multi-lexer.
  std::string Installed() const {
    TSynCustomHighlighter* lexer = editor_.Highlighter();
    if (!lexer) return "(none)";
    if (lexer == checker_.Lexers().Fallback()) return "(fallback)";
    return lexer->LanguageName();
  }
  std::string LoadAndName(const std::string& name, const std::string& content) {
    test::WriteFile(dir_.File(name), content);
    checker_.LoadFile(dir_.File(name));
    return Installed();
  }

  test::TempDir dir_;
  THeadlessSynEdit editor_;
  TSpellChecker checker_{editor_};
};

TEST_F(SpellCheckerTest, LanguageByExtensionElseByTheFirstLine) {
  const std::string xml = "<?xml version=\"1.0\"?>\n<a/>\n";
  struct Case {
    const char* name;
    std::string content;
    const char* language;
  };
  const Case cases[] = {
      {"main.CPP", "int x;\n", "CandCPlusPlus"},
      {"lib.hs", "x\n", "CandCPlusPlus"},
      {"page.phtml", "x\n", "PHP"},
      {"page.php4", "x\n", "PHP"},
      {"A.class", "x\n", "Java"},
      {"a.javascript", "x\n", "Java"},
      {"a.py", "x\n", "Python"},
      {"a.dfm", "x\n", "BorlandForms"},
      {"a.css", "x\n", "CascadingStyleSheet"},
      {"a.vbs", xml, "(fallback)"},  // in the table without a lexer: no sniff
      {"a.bsh", xml, "(fallback)"},
      {"a.txt", "   <?XML VERSION=\"1.0\"?>\r\n<a/>", "XML"},
      {"a.txt", "\t<root xmlns=\"urn:x\">\n", "XML"},
      {"a.txt", "<root XMLNS=\"urn:x\">\n", "XML"},
      {"a.txt", "<root xmlns='urn:x'>\n", "(fallback)"},
      {"a.txt", "<root xmlns =\"urn:x\">\n", "(fallback)"},
      {"a.txt", "text\n<?xml version=\"1.0\"?>\n", "(fallback)"},  // line 1 only
      {"a.txt", "see <?xml\n", "(fallback)"},                       // at the start only
      {"a.xml", "plain words\n", "XML"},
      {"README", "ordinary text\n", "(fallback)"},
      {"empty.txt", "", "(fallback)"},
      {"empty", "", "(fallback)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.content);
    EXPECT_EQ(LoadAndName(c.name, c.content), c.language);
    if (c.content == "int x;\n") {
      EXPECT_EQ(editor_.LineText(1), u"int x;");
    }
  }
}

TEST_F(SpellCheckerTest, SelectLanguageComparesNamesExactly) {
  checker_.SelectLanguage("Foxpro");
  EXPECT_EQ(Installed(), "Foxpro");
  checker_.SelectLanguage("candcplusplus");
  EXPECT_EQ(Installed(), "(fallback)");
  checker_.SelectLanguage("CandCPlusPlus");
  checker_.SelectLanguage("");
  EXPECT_EQ(Installed(), "(fallback)");
}

TEST_F(SpellCheckerTest, LoadFileFromAStreamUsesTheNameOnlyForTheExtension) {
  TMemoryStream stream;
  const std::string text = "<a>text</a>\n";
  stream.Write(text.data(), static_cast<int64_t>(text.size()));
  stream.SetPos(0);
  checker_.LoadFile("/nowhere/virtual.xml", &stream);
  EXPECT_EQ(Installed(), "XML");
  EXPECT_EQ(editor_.LineText(1), u"<a>text</a>");
}

TEST_F(SpellCheckerTest, LoadFileStartsAFreshDocument) {
  LoadAndName("a.c", "one\n");
  editor_.ReplaceRange({1, 1}, {1, 1}, u"x");
  ASSERT_TRUE(editor_.Modified());
  LoadAndName("b.c", "two\n");
  EXPECT_FALSE(editor_.Modified());
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_EQ(editor_.AllLines(), std::vector<std::u16string>{u"two"});
}

TEST_F(SpellCheckerTest, ReadErrorsReachTheCaller) {
  EXPECT_THROW(checker_.LoadFile(dir_.File("missing.c")), EFileError);
  std::filesystem::create_directory(dir_.Path() / "folder.txt");
  EXPECT_THROW(checker_.LoadFile(dir_.File("folder.txt")), EFileError);
}

// ---- Misprint navigation ------------------------------------------------------

class MisprintNavigation : public SpellCheckerTest {
protected:
  void SetUp() override {
    editor_.SetLines({u"first line", u"second", u"abc tset more", u"", u"an ordinary word", u"", u"tset at start",
                      u"", u"", u"last"});
    editor_.SetVisibleRows(3);
  }
  void Record(int line, int column, int length) {
    const MisprintRecord record{column, line, length};
    std::memcpy(checker_.Plugin().Misprints.Add(MisprintKey(line, column)), &record, sizeof record);
  }
  // Caret at (line, column); where Next and Prev move it ("-" when they
  // stay), and what the queries answer.
  std::string Navigate(int line, int column) {
    auto moved = [&](void (TSpellChecker::*move)()) {
      editor_.SetCaretXY({column, line});
      (checker_.*move)();
      const TBufferCoord caret = editor_.CaretXY();
      return caret == TBufferCoord{column, line} ? std::string("-")
                                                  : std::to_string(caret.Line) + "," + std::to_string(caret.Char);
    };
    editor_.SetCaretXY({column, line});
    const std::string queries = std::string(checker_.HasNextMisprint() ? "N" : "n") +
                                (checker_.HasPrevMisprint() ? "P" : "p");
    return "next " + moved(&TSpellChecker::NextMisprint) + " prev " + moved(&TSpellChecker::PrevMisprint) + " " +
           queries;
  }
};

TEST_F(MisprintNavigation, StepsOverTheMisprintAtTheCaret) {
  Record(3, 5, 4);
  Record(7, 1, 4);
  struct Case {
    int line, column;
    const char* expected;
  };
  const Case cases[] = {
      {3, 5, "next 7,1 prev - Np"},     // at a misprint: skipped both ways
      {3, 7, "next 7,1 prev - Np"},     // inside one: as at its start
      {5, 2, "next 7,1 prev 3,5 NP"},   // on an ordinary word
      {7, 1, "next - prev 3,5 nP"},
      {7, 3, "next - prev 3,5 nP"},
      {1, 1, "next 3,5 prev - Np"},
      {10, 5, "next - prev 7,1 nP"},    // after the last line's end
  };
  for (const Case& c : cases) EXPECT_EQ(Navigate(c.line, c.column), c.expected) << c.line << "," << c.column;
  EXPECT_EQ(checker_.Plugin().Misprints.Count(), 2);
}

TEST_F(MisprintNavigation, AMoveCentresTheCaretLineAndFocuses) {
  Record(7, 1, 4);
  editor_.SetCaretXY({1, 1});
  ASSERT_FALSE(editor_.Focused());
  checker_.NextMisprint();
  EXPECT_EQ(editor_.CaretXY(), (TBufferCoord{1, 7}));
  EXPECT_EQ(editor_.TopRow(), 6);
  EXPECT_TRUE(editor_.Focused());
}

TEST_F(MisprintNavigation, NothingRecordedNothingHappens) {
  for (const TBufferCoord caret : {TBufferCoord{5, 3}, TBufferCoord{1, 1}, TBufferCoord{4, 10}})
    EXPECT_EQ(Navigate(caret.Line, caret.Char), "next - prev - np");
  EXPECT_FALSE(editor_.Focused());
  EXPECT_EQ(editor_.TopRow(), 1);
}

} // namespace
} // namespace qm
