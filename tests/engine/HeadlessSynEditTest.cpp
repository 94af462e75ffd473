#include "engine/HeadlessSynEdit.h"

#include "lexers/LexerHost.h"
#include "lexers/SynCppSyn.h"
#include "platform/FileStream.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

using Lines = std::vector<std::u16string>;
using namespace std::string_literals;

// Parentheses nest over lines: the state is the depth (at most 7). Every
// character is a token of its own; inside parentheses it is a comment.
class DepthLexer : public TSynCustomHighlighter {
public:
  DepthLexer() {
    comment_ = AddAttribute("Comment");
    identifier_ = AddAttribute("Identifier");
  }
  std::string LanguageName() const override { return "Depth"; }
  std::u16string FriendlyLanguageName() const override { return u"Depth"; }
  void NextToken() override {
    tokenPos_ = run_;
    if (run_ >= len_) return SetLineEnd();
    const char16_t ch = Cur();
    if (ch == u'(' && range_ < 7) ++range_;
    inside_ = range_ > 0;
    if (ch == u')' && range_ > 0) --range_;
    ++run_;
  }
  TSynHighlighterAttributes* TokenAttribute() const override { return inside_ ? comment_ : identifier_; }
  int TokenKind() const override { return inside_ ? 1 : 0; }
  TSynHighlighterAttributes* DefaultAttribute(int) const override { return identifier_; }

private:
  bool inside_ = false;
  TSynHighlighterAttributes *comment_, *identifier_;
};

std::string NameAt(THeadlessSynEdit& editor, int column, int line) {
  TSynHighlighterAttributes* attribute = reinterpret_cast<TSynHighlighterAttributes*>(1);
  const bool found = editor.GetHighlighterAttriAtRowCol({column, line}, attribute);
  EXPECT_EQ(found, attribute != nullptr);
  return found ? attribute->Name() : "none";
}

std::vector<uint32_t> StatesBefore(THeadlessSynEdit& editor) {
  std::vector<uint32_t> states;
  for (int line = 2; line <= editor.LineCount() + 1; ++line) states.push_back(editor.RangeStateBefore(line));
  return states;
}

// ---- Files ------------------------------------------------------------------

TEST(HeadlessSynEditFiles, SavingWritesTheFileBackAsItWasRead) {
  test::TempDir dir;
  const std::string files[] = {
      "caf\xE9\r\nsecond\r\n",                        // Windows-1252, CR LF
      "\xEF\xBB\xBF" "one\ntwo",                       // mark, no final break
      "\xFE\xFF\0a\0\r\0b\0\r"s,                       // UTF-16 BE, CR
      "\xFF\xFE" "a\0\n\0!"s,                          // UTF-16 LE with an odd byte
      "",
      "\n\n\n",
  };
  for (const std::string& bytes : files) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    test::WriteFile(dir.File("in.txt"), bytes);
    THeadlessSynEdit editor;
    editor.LoadFromFile(dir.File("in.txt"));
    editor.SaveToFile(dir.File("out.txt"));
    EXPECT_EQ(test::ReadFile(dir.File("out.txt")), bytes);
  }
}

TEST(HeadlessSynEditFiles, AnEditChangesOnlyItsLine) {
  test::TempDir dir;
  test::WriteFile(dir.File("doc.txt"), "caf\xE9\r\nb\r\n");
  THeadlessSynEdit editor;
  editor.LoadFromFile(dir.File("doc.txt"));
  EXPECT_FALSE(editor.Modified());
  editor.ReplaceRange({2, 2}, {2, 2}, u"x");
  EXPECT_TRUE(editor.Modified());
  editor.SaveToFile(dir.File("doc.txt"));
  EXPECT_EQ(test::ReadFile(dir.File("doc.txt")), "caf\xE9\r\nbx\r\n");
}

TEST(HeadlessSynEditFiles, LoadingFromAStreamReadsFromItsPosition) {
  test::TempDir dir;
  test::WriteFile(dir.File("doc.txt"), "skip|a\r\nb");
  TFileStream stream(dir.File("doc.txt"), FileMode::OpenRead);
  stream.SetPos(5);
  THeadlessSynEdit editor;
  editor.SetCaretXY({1, 1});
  editor.LoadFromStream(stream);
  EXPECT_EQ(editor.AllLines(), (Lines{u"a", u"b"}));
  EXPECT_EQ(editor.TextFormat().lineBreak, TLineBreak::CRLF);
}

TEST(HeadlessSynEditFiles, AFailedLoadLeavesTheEditorAlone) {
  test::TempDir dir;
  THeadlessSynEdit editor;
  editor.SetLines({u"kept"});
  editor.ReplaceRange({1, 1}, {1, 1}, u"still ");
  EXPECT_THROW(editor.LoadFromFile(dir.File("missing.txt")), EFileError);
  EXPECT_EQ(editor.AllLines(), Lines{u"still kept"});
  EXPECT_TRUE(editor.CanUndo());
  EXPECT_THROW(editor.SaveToFile(dir.File("no/such/folder.txt")), EFileError);
}

TEST(HeadlessSynEditFiles, ClearAllForgetsTextHistoryAndFormat) {
  test::TempDir dir;
  test::WriteFile(dir.File("doc.txt"), "\xFF\xFE" "a\0\r\0\n\0"s);
  THeadlessSynEdit editor;
  editor.LoadFromFile(dir.File("doc.txt"));
  editor.ReplaceRange({1, 1}, {2, 1}, u"b");
  editor.Undo();
  editor.ReplaceRange({1, 1}, {1, 1}, u"c");
  editor.SetCaretXY({2, 1});
  editor.SetTopRow(1);
  editor.ClearAll();
  EXPECT_EQ(editor.LineCount(), 0);
  EXPECT_FALSE(editor.Modified());
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(editor.CaretXY(), (TBufferCoord{1, 1}));
  EXPECT_EQ(editor.TextFormat(), TTextFormat{});
}

// ---- Editing ----------------------------------------------------------------

TEST(HeadlessSynEditEditing, ReplaceRangeUndoAndRedo) {
  struct Case {
    TBufferCoord start, end;
    std::u16string text;
    Lines after;
    TBufferCoord caret;
  };
  const Lines before = {u"alpha", u"beta", u"gamma"};
  const Case cases[] = {
      {{3, 1}, {5, 1}, u"XY", {u"alXYa", u"beta", u"gamma"}, {5, 1}},
      {{3, 1}, {3, 2}, u"", {u"alta", u"gamma"}, {3, 1}},                     // join lines
      {{6, 1}, {1, 2}, u"", {u"alphabeta", u"gamma"}, {6, 1}},                 // remove a break
      {{2, 2}, {2, 2}, u"1\r\n2\n3", {u"alpha", u"b1", u"2", u"3eta", u"gamma"}, {2, 4}},
      {{1, 1}, {6, 3}, u"all", {u"all"}, {4, 1}},                              // everything
      {{6, 3}, {1, 1}, u"", {u""}, {1, 1}},                                    // reversed ends
      {{9, 9}, {99, 9}, u"!", {u"alpha", u"beta", u"gamma!"}, {7, 3}},         // clamped to the end
      {{1, 2}, {1, 2}, u"\n", {u"alpha", u"", u"beta", u"gamma"}, {1, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.after));
    THeadlessSynEdit editor;
    editor.SetLines(before);
    editor.SetCaretXY({2, 3});
    editor.ReplaceRange(c.start, c.end, c.text);
    EXPECT_EQ(editor.AllLines(), c.after);
    EXPECT_EQ(editor.CaretXY(), c.caret);
    EXPECT_TRUE(editor.Modified());
    ASSERT_TRUE(editor.CanUndo());
    editor.Undo();
    EXPECT_EQ(editor.AllLines(), before);
    EXPECT_EQ(editor.CaretXY(), (TBufferCoord{2, 3}));
    EXPECT_FALSE(editor.CanUndo());
    ASSERT_TRUE(editor.CanRedo());
    editor.Redo();
    EXPECT_EQ(editor.AllLines(), c.after);
    EXPECT_EQ(editor.CaretXY(), c.caret);
    EXPECT_FALSE(editor.CanRedo());
  }
}

TEST(HeadlessSynEditEditing, ANewEditDropsTheRedoHistoryAndNoOpsAreNoEdits) {
  THeadlessSynEdit editor;
  editor.SetLines({u"abc"});
  editor.ReplaceRange({2, 1}, {2, 1}, u"");
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.Modified());
  editor.ReplaceRange({1, 1}, {1, 1}, u"x");
  editor.Undo();
  editor.ReplaceRange({1, 1}, {1, 1}, u"y");
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(editor.AllLines(), Lines{u"yabc"});
}

TEST(HeadlessSynEditEditing, AnEmptyDocumentGetsItsFirstLineOnTheFirstEdit) {
  THeadlessSynEdit editor;
  EXPECT_EQ(editor.LineCount(), 0);
  EXPECT_EQ(editor.LineText(1), u"");
  editor.ReplaceRange({5, 5}, {5, 5}, u"a\nb");
  EXPECT_EQ(editor.AllLines(), (Lines{u"a", u"b"}));
  editor.Undo();
  EXPECT_EQ(editor.AllLines(), Lines{u""});
}

TEST(HeadlessSynEditEditing, RandomEditsUndoToTheStartAndRedoToTheEnd) {
  std::mt19937 random(7);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const std::u16string pieces[] = {u"", u"a", u"bc", u"\n", u"x\r\ny", u"\r", u"\xD83D\xDE00"};
  for (int round = 0; round < 50; ++round) {
    THeadlessSynEdit editor;
    editor.SetLines({u"first", u"", u"third line"});
    const Lines start = editor.AllLines();
    for (int step = 0; step < 20; ++step) {
      const int lines = editor.LineCount();
      editor.ReplaceRange({pick(0, 12), pick(0, lines + 1)}, {pick(0, 12), pick(0, lines + 1)},
                          pieces[pick(0, 6)] + pieces[pick(0, 6)]);
    }
    const Lines end = editor.AllLines();
    while (editor.CanUndo()) editor.Undo();
    EXPECT_EQ(editor.AllLines(), start);
    while (editor.CanRedo()) editor.Redo();
    EXPECT_EQ(editor.AllLines(), end);
  }
}

TEST(HeadlessSynEditEditing, CaretIsClampedToTheText) {
  THeadlessSynEdit editor;
  editor.SetCaretXY({5, 5});
  EXPECT_EQ(editor.CaretXY(), (TBufferCoord{1, 1}));  // empty document
  editor.SetLines({u"abc", u"", u"long line"});
  const std::pair<TBufferCoord, TBufferCoord> cases[] = {
      {{2, 1}, {2, 1}}, {{4, 1}, {4, 1}}, {{5, 1}, {4, 1}}, {{0, 0}, {1, 1}},
      {{-3, 2}, {1, 2}}, {{3, 2}, {1, 2}}, {{20, 9}, {10, 3}},
  };
  for (const auto& [asked, expected] : cases) {
    editor.SetCaretXY(asked);
    EXPECT_EQ(editor.CaretXY(), expected) << asked.Char << "," << asked.Line;
  }
}

TEST(HeadlessSynEditEditing, TopRowAndCentringStayInTheDocument) {
  THeadlessSynEdit editor;
  editor.SetLines(Lines(100, u"x"));
  editor.SetCaretXY({1, 50});
  editor.EnsureCaretCentred();
  EXPECT_EQ(editor.TopRow(), 31);  // rows 31..70 show line 50 in the middle
  editor.SetCaretXY({1, 2});
  editor.EnsureCaretCentred();
  EXPECT_EQ(editor.TopRow(), 1);
  editor.SetTopRow(500);
  EXPECT_EQ(editor.TopRow(), 100);
  editor.SetFocus();
  EXPECT_TRUE(editor.Focused());
}

// ---- Lexer states -----------------------------------------------------------

TEST(HeadlessSynEditLexing, OpeningABlockCommentChangesTheStatesBelow) {
  TSynCppSyn cpp;
  THeadlessSynEdit editor;
  editor.SetLines({u"int a; // note", u"int b;", u"int c;", u"", u"int d; */ int e;"});
  editor.SetHighlighter(&cpp);
  EXPECT_EQ(StatesBefore(editor), (std::vector<uint32_t>{0, 0, 0, 0, 0}));
  EXPECT_EQ(NameAt(editor, 1, 3), "ReservedWord");

  editor.ReplaceRange({7, 2}, {7, 2}, u" /* open");
  const uint32_t c = TSynCppSyn::rsAnsiC;
  EXPECT_EQ(StatesBefore(editor), (std::vector<uint32_t>{0, c, c, c, 0}));
  EXPECT_EQ(NameAt(editor, 1, 3), "Comment");
  EXPECT_EQ(NameAt(editor, 1, 5), "Comment");
  EXPECT_EQ(NameAt(editor, 11, 5), "ReservedWord");  // after the closer

  editor.Undo();
  EXPECT_EQ(StatesBefore(editor), (std::vector<uint32_t>{0, 0, 0, 0, 0}));
  EXPECT_EQ(NameAt(editor, 1, 3), "ReservedWord");
}

TEST(HeadlessSynEditLexing, AnotherLexerStartsAfresh) {
  TSynCppSyn cpp;
  DepthLexer depth;
  THeadlessSynEdit editor;
  editor.SetLines({u"/* (", u"x"});
  editor.SetHighlighter(&cpp);
  EXPECT_EQ(editor.RangeStateBefore(2), uint32_t{TSynCppSyn::rsAnsiC});
  editor.SetHighlighter(&depth);
  EXPECT_EQ(editor.RangeStateBefore(2), 1u);
  editor.SetHighlighter(nullptr);
  EXPECT_EQ(editor.RangeStateBefore(2), 0u);
  TSynHighlighterAttributes* attribute = nullptr;
  EXPECT_FALSE(editor.GetHighlighterAttriAtRowCol({1, 1}, attribute));
}

TEST(HeadlessSynEditLexing, ReLexingStopsWhereTheOldStatesResume) {
  DepthLexer lexer;
  THeadlessSynEdit editor;
  Lines lines(1000, u"a (b) c");
  lines[500] = u"(";
  lines[900] = u")";
  editor.SetLines(lines);
  editor.SetHighlighter(&lexer);
  editor.RangeStateBefore(1001);
  EXPECT_EQ(editor.RangeStates().LexedLines(), 1000);

  // An edit that keeps the line's end state costs that line only.
  editor.ReplaceRange({1, 200}, {1, 200}, u"text ");
  editor.RangeStateBefore(1001);
  EXPECT_EQ(editor.RangeStates().LexedLines(), 1001);

  // Closing the open parenthesis early re-lexes down to the line that
  // closed it before (lines 600..901), and no further.
  editor.ReplaceRange({1, 600}, {1, 600}, u")");
  EXPECT_EQ(editor.RangeStateBefore(1001), 0u);
  EXPECT_EQ(editor.RangeStates().LexedLines(), 1001 + 302);
  EXPECT_EQ(editor.RangeStateBefore(700), 0u);
  EXPECT_EQ(editor.RangeStateBefore(550), 1u);

  // Only what is asked for is lexed.
  editor.ReplaceRange({1, 10}, {1, 10}, u"(");
  EXPECT_EQ(editor.RangeStateBefore(20), 1u);
  EXPECT_EQ(editor.RangeStates().LexedLines(), 1001 + 302 + 10);
}

TEST(HeadlessSynEditLexing, IncrementalStatesEqualLexingTheWholeDocument) {
  std::mt19937 random(11);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const std::u16string pieces[] = {u"(", u")", u"a", u"\n", u"(\n", u")\n)", u"", u"\n\n"};
  DepthLexer lexer, reference;
  for (int round = 0; round < 40; ++round) {
    THeadlessSynEdit editor;
    Lines lines;
    for (int i = pick(0, 30); i > 0; --i) lines.push_back(pieces[pick(0, 2)] + pieces[pick(0, 2)]);
    editor.SetLines(lines);
    editor.SetHighlighter(&lexer);
    for (int step = 0; step < 60; ++step) {
      const int count = editor.LineCount();
      const int action = pick(0, 9);
      if (action == 0) {
        editor.Undo();
      } else if (action == 1) {
        editor.Redo();
      } else {
        editor.ReplaceRange({pick(1, 4), pick(1, count + 1)}, {pick(1, 4), pick(1, count + 1)},
                            pieces[pick(0, 7)] + pieces[pick(0, 7)]);
      }
      // Ask for a few states only, so that unknown stretches and stale tails
      // pile up between the full comparisons.
      const int line = pick(1, editor.LineCount() + 1);
      const std::vector<uint32_t> whole = LexDocument(reference, editor.AllLines());
      EXPECT_EQ(editor.RangeStateBefore(line), line == 1 ? 0u : whole[static_cast<size_t>(line - 2)]);
      if (step % 7 == 6) {
        ASSERT_EQ(StatesBefore(editor), whole) << "round " << round << " step " << step;
      }
    }
  }
}

TEST(HeadlessSynEditLexing, AttributeAtTheEdgesOfTheText) {
  DepthLexer lexer;
  THeadlessSynEdit editor;
  editor.SetLines({u"(ab", u"c)d"});
  editor.SetHighlighter(&lexer);
  EXPECT_EQ(NameAt(editor, 1, 1), "Comment");
  EXPECT_EQ(NameAt(editor, 3, 1), "Comment");   // last column
  EXPECT_EQ(NameAt(editor, 1, 2), "Comment");   // lexed from the state before the line
  EXPECT_EQ(NameAt(editor, 3, 2), "Identifier");
  EXPECT_EQ(NameAt(editor, 0, 1), "none");      // column 0
  EXPECT_EQ(NameAt(editor, 4, 1), "none");      // past the end of the line
  EXPECT_EQ(NameAt(editor, 1, 0), "none");
  EXPECT_EQ(NameAt(editor, 1, 3), "none");      // a line past the document
  // A line past the document starts in the state after the last line.
  editor.ReplaceRange({4, 2}, {4, 2}, u"(");
  EXPECT_EQ(editor.RangeStateBefore(3), 1u);
  EXPECT_EQ(editor.RangeStateBefore(10), 1u);
  EXPECT_EQ(editor.RangeStateBefore(1), 0u);
}

// ---- Painting ---------------------------------------------------------------

class PaintRecorder : public TSynEditPlugin {
public:
  using TSynEditPlugin::TSynEditPlugin;
  void AfterPaint(const TRect& clip, int firstRow, int lastRow) override {
    calls.push_back({firstRow, lastRow});
    lastClip = clip;
    // Mark the top-left pixel of the first character of the first row.
    const TPoint at = Owner().BufferToPixel({1, Owner().RowToLine(firstRow)});
    Owner().SetPixel(at.X, at.Y, 0xFF);
  }
  void LinesInserted(int firstLine, int count) override { changes.push_back({firstLine, count}); }
  void LinesDeleted(int firstLine, int count) override { changes.push_back({firstLine, -count}); }

  std::vector<std::pair<int, int>> calls;
  std::vector<std::pair<int, int>> changes;
  TRect lastClip;
};

TEST(HeadlessSynEditPainting, RepaintCallsThePluginsForTheVisibleRows) {
  THeadlessSynEdit editor;
  editor.SetLines(Lines(10, u"text"));
  PaintRecorder plugin(editor);
  editor.SetVisibleRows(5);
  editor.SetClipWidth(300);
  editor.SetTopRow(3);
  editor.Repaint();
  ASSERT_EQ(plugin.calls, (std::vector<std::pair<int, int>>{{3, 7}}));
  EXPECT_EQ(plugin.lastClip.Right, 300);
  EXPECT_EQ(plugin.lastClip.Bottom, 80);
  EXPECT_EQ(editor.PixelAt(40, 0), 0xFFu);
  EXPECT_EQ(editor.PixelCount(), 1u);

  // Each paint starts from a clean canvas; rows below the text are painted too.
  editor.SetTopRow(8);
  editor.Repaint();
  EXPECT_EQ(plugin.calls.back(), (std::pair<int, int>{8, 12}));
  EXPECT_EQ(editor.PixelCount(), 1u);
}

TEST(HeadlessSynEditPainting, MetricsAreFixed) {
  THeadlessSynEdit editor;
  editor.SetLines(Lines(10, u"text"));
  editor.SetTopRow(3);
  EXPECT_EQ(editor.BufferToPixel({1, 3}).X, 40);
  EXPECT_EQ(editor.BufferToPixel({1, 3}).Y, 0);
  EXPECT_EQ(editor.BufferToPixel({5, 4}).X, 40 + 4 * 8);
  EXPECT_EQ(editor.BufferToPixel({5, 4}).Y, 16);
  EXPECT_EQ(editor.BufferToPixel({1, 1}).Y, -32);  // above the top row
  EXPECT_EQ(editor.TextWidth(u"\xD83D\xDE00" u"ab"), 32);
  EXPECT_EQ(editor.LineHeight(), 16);
  EXPECT_EQ(editor.GutterWidth(), 40);
  editor.SetWordWrap(true);
  EXPECT_TRUE(editor.WordWrap());
  EXPECT_EQ(editor.RowCount(), 10);
  EXPECT_EQ(editor.RowToLine(12), 12);
}

TEST(HeadlessSynEditPainting, PluginsHearOfLinesComingAndGoing) {
  THeadlessSynEdit editor;
  editor.SetLines({u"a", u"b", u"c"});
  {
    PaintRecorder plugin(editor);
    editor.ReplaceRange({2, 1}, {2, 1}, u"\n\n");
    editor.ReplaceRange({1, 2}, {1, 5}, u"");
    editor.ReplaceRange({1, 1}, {1, 1}, u"no change in count");
    EXPECT_EQ(plugin.changes, (std::vector<std::pair<int, int>>{{2, 2}, {3, -3}}));
  }
  EXPECT_TRUE(editor.Plugins().empty());
  editor.Repaint();  // no plugin left to call
}

} // namespace
} // namespace qm
