#include "engine/WordFunctions.h"

#include "engine/CharClassTable.h"
#include "engine/HeadlessSynEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

// An editor holding one line.
struct OneLine {
  explicit OneLine(const std::u16string& text) { editor.SetLines({text}); }
  THeadlessSynEdit editor;
};

std::string Utf8(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// ---- Character classes -------------------------------------------------------

TEST(CharClassTable, RunBoundaries) {
  struct Case {
    char16_t ch;
    uint8_t value;
  };
  const Case cases[] = {
      {0x0000, 1}, {0x0020, 1}, {0x0021, 1}, {0x0022, 3}, {0x0026, 1}, {0x0027, 2}, {0x0028, 1}, {0x002A, 1},
      {0x002B, 3}, {0x002C, 3}, {0x002D, 3}, {0x002E, 3}, {0x002F, 3}, {0x0030, 0}, {0x0039, 0}, {0x003A, 3},
      {0x003B, 3}, {0x003C, 1}, {0x003F, 1}, {0x0040, 3}, {0x0041, 0}, {0x005A, 0}, {0x005B, 1}, {0x005E, 1},
      {0x005F, 3}, {0x0060, 1}, {0x0061, 0}, {0x007A, 0}, {0x007B, 1}, {0x00BF, 1}, {0x00C0, 0}, {0x00D6, 0},
      {0x00D7, 1}, {0x00D8, 0}, {0x00F6, 0}, {0x00F7, 1}, {0x00F8, 0}, {0x02C5, 0}, {0x02C6, 1}, {0x0385, 1},
      {0x0386, 0}, {0x05AF, 0}, {0x05B0, 1}, {0x05C3, 1}, {0x05C4, 0}, {0x2000, 0}, {0x200B, 0}, {0x200C, 1},
      {0x4E2D, 1}, {0xD800, 1}, {0xFB1F, 1}, {0xFB20, 0}, {0xFF21, 0}, {0xFFFF, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CharClass(c.ch), c.value) << std::hex << "U+" << int(c.ch);
}

// ---- WordBoundsAt ------------------------------------------------------------

TEST(WordBoundsAt, CutsWordsWithTheCharacterClasses) {
  struct Case {
    std::u16string line;
    int column;
    bool answer;
    int start, end;
  };
  const Case cases[] = {
      {u"call foo(bar)", 1, true, 1, 4},
      {u"call foo(bar)", 4, true, 1, 4},
      {u"call foo(bar)", 7, true, 6, 8},
      {u"call foo(bar)", 9, true, 9, 9},     // a separator is a one-character "word"
      {u"call foo(bar)", 13, true, 13, 13},
      {u"call foo(bar)", 5, true, 5, 5},     // so is the blank
      {u"don't", 4, true, 1, 5},             // the apostrophe stays inside
      {u"'quoted'", 3, true, 2, 7},          // and is stripped at both ends
      {u"'quoted'", 1, false, 2, 7},         // an edge character outside the trimmed word
      {u"''", 1, true, 1, 2},                // all edge: nothing is trimmed
      {u"well-known", 2, true, 1, 4},
      {u"well-known", 8, true, 6, 10},
      {u"well-known", 5, true, 5, 5},
      {u"snake_case", 3, true, 1, 5},
      {u"snake_case", 9, true, 7, 10},
      {u"camelCase", 6, true, 1, 9},
      {u"na\u00EFve caf\u00E9", 3, true, 1, 5},       // Latin-1 letters
      {u"\u03BB\u03CC\u03B3\u03BF\u03C2", 1, true, 1, 5},  // Greek
      {u"a\u00D7b", 1, true, 1, 1},                    // the multiplication sign separates
      {u"x\u200By\u200Cz", 1, true, 1, 3},             // U+200B joins, U+200C separates
      {u"a", 1, true, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.line) + " @" + std::to_string(c.column));
    OneLine doc(c.line);
    int start = -1, end = -1;
    EXPECT_EQ(WordBoundsAt(doc.editor, 1, c.column, start, end), c.answer);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(end, c.end);
  }
}

TEST(WordBoundsAt, OutsideTheDocumentAnswersFalseAndLeavesTheBounds) {
  THeadlessSynEdit editor;
  editor.SetLines({u"word", u""});
  const TBufferCoord outside[] = {{1, 0}, {1, 3}, {0, 1}, {5, 1}, {1, 2}};
  for (const TBufferCoord& p : outside) {
    int start = -1, end = -1;
    EXPECT_FALSE(WordBoundsAt(editor, p.Line, p.Char, start, end)) << p.Char << "," << p.Line;
    EXPECT_FALSE(IsLinkAt(editor, p.Line, p.Char, start, end));
    EXPECT_EQ(start, -1);
    EXPECT_EQ(end, -1);
  }
}

// ---- IsLinkAt ----------------------------------------------------------------

TEST(IsLinkAt, PathsUrlsAddressesAndFileNames) {
  struct Case {
    std::u16string line;
    int column;
    bool answer;
    int start, end;
  };
  const Case cases[] = {
      {u"at C:\\Users\\tset\\x now", 13, true, 4, 18},  // two backslashes
      {u"see http://tset.example.org/a/b", 10, true, 5, 31},
      {u"mail me@example.com now", 10, true, 6, 19},
      {u"index.html", 1, false, 1, 10},  // last dot 4 before the end
      {u"index.html", 8, false, 1, 10},
      {u"notes.txt", 2, true, 1, 9},
      {u"v1.2", 1, true, 1, 4},
      {u"std::vector.h", 1, false, 1, 13},  // two colons
      {u"and/or", 1, false, 1, 6},
      {u"and/or", 4, true, 1, 6},           // the slash at the column counts twice
      {u"well-known", 1, false, 1, 10},
      {u"na\u00EFve.txt", 5, true, 4, 9},   // a non-ASCII letter ends the token
      {u"a b", 2, false, 2, 2},
      // Full stops that end the token are sentence punctuation.
      {u"a tset.", 3, false, 3, 6},
      {u"a tset...", 4, false, 3, 6},
      {u"a tset, b", 3, false, 3, 6},
      {u"a tset.", 7, true, 3, 7},          // on the full stop itself
      {u"see notes.txt.", 6, true, 5, 13},  // a file name still is one
      {u"at example.com.", 4, true, 4, 14},
      {u"e.g. this", 1, true, 1, 3},
      {u"see index.html.", 6, false, 5, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.line) + " @" + std::to_string(c.column));
    OneLine doc(c.line);
    int start = -1, end = -1;
    EXPECT_EQ(IsLinkAt(doc.editor, 1, c.column, start, end), c.answer);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(end, c.end);
  }
}

// ---- WordAt and WordAtCaret --------------------------------------------------

TEST(WordAt, GivesTheCheckableWordAndItsBounds) {
  struct Case {
    std::u16string line;
    int column;
    int start, end;
    std::u16string word;
  };
  const Case cases[] = {
      {u"call foo(bar)", 2, 1, 4, u"call"},
      {u"call foo(bar)", 9, 9, 9, u"("},
      {u"call foo(bar)", 5, 5, 5, u" "},
      {u"'quoted'", 1, 2, 7, u""},            // bounds set although no word
      {u"'quoted'", 4, 2, 7, u"quoted"},
      {u"see notes.txt", 7, 5, 13, u""},      // a link has no word
      {u"a tset.", 4, 3, 6, u"tset"},
      {u"a tset, b", 4, 3, 6, u"tset"},
      {u"index.html", 8, 7, 10, u"html"},
      {u"don't", 1, 1, 5, u"don't"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.line) + " @" + std::to_string(c.column));
    OneLine doc(c.line);
    int start = -1, end = -1;
    std::u16string word = u"stale";
    WordAt(doc.editor, {c.column, 1}, start, end, word);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(end, c.end);
    EXPECT_EQ(word, c.word);
  }
}

TEST(WordAtCaret, MovesTheColumnToTheStartWithinTheLineOnly) {
  struct Case {
    TBufferCoord caret;
    TBufferCoord moved;
    std::u16string word;
  };
  THeadlessSynEdit editor;
  editor.SetLines({u"call foo(bar)", u"see notes.txt 'quoted'", u""});
  const Case cases[] = {
      {{7, 1}, {6, 1}, u"foo"},
      {{6, 1}, {6, 1}, u"foo"},
      {{13, 1}, {13, 1}, u")"},
      {{10, 2}, {5, 2}, u""},   // inside a link: its first column
      {{15, 2}, {16, 2}, u""},  // on an edge apostrophe: the word's first column
      {{14, 1}, {14, 1}, u""},  // after the line's end: unchanged
      {{1, 3}, {1, 3}, u""},    // empty line
      {{3, 9}, {3, 9}, u""},    // past the document
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.caret.Char) + "," + std::to_string(c.caret.Line));
    TBufferCoord position = c.caret;
    std::u16string word = u"stale";
    WordAtCaret(editor, position, word);
    EXPECT_EQ(position, c.moved);
    EXPECT_EQ(word, c.word);
  }
}

// ---- ReplaceWordAtCaret ------------------------------------------------------

TEST(ReplaceWordAtCaret, ReplacesTheWordAsOneUndoableEdit) {
  THeadlessSynEdit editor;
  editor.SetLines({u"call fooo(bar)", u"second"});
  editor.SetCaretXY({8, 1});
  ReplaceWordAtCaret(editor, u"food");
  EXPECT_EQ(editor.LineText(1), u"call food(bar)");
  EXPECT_TRUE(editor.Modified());
  ASSERT_TRUE(editor.CanUndo());
  editor.Undo();
  EXPECT_EQ(editor.LineText(1), u"call fooo(bar)");
  EXPECT_FALSE(editor.CanUndo());
}

TEST(ReplaceWordAtCaret, UsesTheWordBoundsWithoutTheLinkTest) {
  struct Case {
    std::u16string line;
    int caret;
    std::u16string after;
  };
  const Case cases[] = {
      {u"nots.txt", 2, u"notes.txt"},        // the word inside the file name
      {u"'qoted'", 3, u"'notes'"},           // quotes stay
      {u"'qoted'", 1, u"'qoted'"},           // caret on the edge quote: nothing
      {u"word", 5, u"word"},                 // caret after the line's end: nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.line) + " @" + std::to_string(c.caret));
    OneLine doc(c.line);
    doc.editor.SetCaretXY({c.caret, 1});
    ReplaceWordAtCaret(doc.editor, u"notes");
    EXPECT_EQ(doc.editor.LineText(1), c.after);
    EXPECT_EQ(doc.editor.CanUndo(), c.after != c.line);
  }
}

// ---- ScrollToLine ------------------------------------------------------------

class PaintCounter : public TSynEditPlugin {
public:
  using TSynEditPlugin::TSynEditPlugin;
  void AfterPaint(const TRect&, int firstRow, int) override {
    ++paints;
    lastFirstRow = firstRow;
  }
  int paints = 0;
  int lastFirstRow = 0;
};

TEST(ScrollToLine, ClampsTheTopRowAndRepaintsAtOnce) {
  THeadlessSynEdit editor;
  editor.SetLines(std::vector<std::u16string>(20, u"line"));
  PaintCounter counter(editor);
  const std::pair<int, int> cases[] = {{5, 5}, {0, 1}, {-3, 1}, {20, 20}, {100, 20}};
  for (const auto& [row, top] : cases) {
    const int paints = counter.paints;
    ScrollToLine(editor, row);
    EXPECT_EQ(editor.TopRow(), top) << row;
    EXPECT_EQ(counter.paints, paints + 1);
    EXPECT_EQ(counter.lastFirstRow, top);
  }
  editor.SetLines({});
  ScrollToLine(editor, 7);
  EXPECT_EQ(editor.TopRow(), 1);
}

} // namespace
} // namespace qm
