#include "ui/SynEditWidget.h"

#include "engine/SpellCheckPlugin.h"
#include "lexers/LexerHost.h"
#include "lexers/SynCppSyn.h"
#include "streams/MemoryStream.h"
#include "TempDir.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace qm {
namespace {

using Lines = std::vector<std::u16string>;

class SynEditWidgetTest : public testing::Test {
protected:
  SynEditWidgetTest() {
    editor.resize(500, 300);
    editor.SetWordWrap(false);
    editor.setEnabled(true);
    editor.show();
    QApplication::processEvents();
  }

  void Load(const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteString(bytes);
    stream.SetPosition(0, soBeginning);
    editor.LoadFromStream(stream);
    QApplication::processEvents();
  }

  // The document's blocks, which the lines the engine reads must mirror.
  Lines Blocks() const {
    Lines blocks;
    for (QTextBlock block = editor.document()->firstBlock(); block.isValid(); block = block.next())
      blocks.push_back(block.text().toStdU16String());
    return blocks;
  }

  // The characters a block cannot hold are shown as stand-ins: both sides
  // read them as "?".
  static Lines Masked(Lines lines) {
    for (std::u16string& line : lines)
      for (char16_t& ch : line)
        if (ch == u'\u2029' || (ch >= u'\uFDD0' && ch <= u'\uFDEF')) ch = u'?';
    return lines;
  }

  void ExpectMirrored() {
    if (editor.LineCount() == 0)
      EXPECT_EQ(Blocks(), Lines{u""});
    else
      EXPECT_EQ(Masked(editor.AllLines()), Masked(Blocks()));
  }

  // Where a buffer position is drawn inside the viewport.
  QPoint ViewportPoint(TBufferCoord position) const {
    const TPoint pixel = editor.BufferToPixel(position);
    return {pixel.X - editor.GutterWidth(), pixel.Y};
  }

  TSynEditWidget editor;
};

// ---- Lines, caret, rows -----------------------------------------------------

TEST_F(SynEditWidgetTest, StartsDisabledWithTheFixedPitchFonts) {
  TSynEditWidget fresh;
  EXPECT_FALSE(fresh.isEnabled());
  EXPECT_EQ(fresh.font().pixelSize(), TSynEditWidget::kTextPixelSize);
  EXPECT_TRUE(QFontInfo(fresh.font()).fixedPitch());
  EXPECT_EQ(fresh.LineCount(), 0);
  EXPECT_EQ(fresh.CaretXY(), (TBufferCoord{1, 1}));
}

TEST_F(SynEditWidgetTest, LinesFollowEveryKindOfEdit) {
  Load("alpha\nbeta\ngamma\n");
  QSignalSpy changed(&editor, &TSynEditWidget::Changed);
  ASSERT_EQ(editor.LineCount(), 3);
  EXPECT_EQ(changed.count(), 0);

  const std::vector<std::function<void()>> edits = {
      [&] { editor.SetCaretXY({3, 2}); QTest::keyClicks(&editor, "x"); },
      [&] { QTest::keyClick(&editor, Qt::Key_Return); },
      [&] { QTest::keyClick(&editor, Qt::Key_Backspace); },
      [&] { editor.SetCaretXY({1, 3}); QTest::keyClick(&editor, Qt::Key_Backspace); },
      [&] { editor.ReplaceRange({2, 1}, {3, 2}, u"one\r\ntwo\nthree\rfour"); },
      [&] { editor.ReplaceRange({1, 1}, {1, 99}, u""); },
      [&] { editor.Undo(); },
      [&] { editor.Undo(); },
      [&] { editor.Redo(); },
      [&] { editor.SelectAll(); editor.DeleteSelection(); },
      [&] { editor.Undo(); },
  };
  int step = 0;
  for (const auto& edit : edits) {
    SCOPED_TRACE(step++);
    const int before = changed.count();
    edit();
    ExpectMirrored();
    EXPECT_EQ(changed.count(), before + 1);
  }
  EXPECT_EQ(editor.LineText(0), u"");
  EXPECT_EQ(editor.LineText(editor.LineCount() + 1), u"");
}

TEST_F(SynEditWidgetTest, CaretIsClampedToTheText) {
  Load("abc\n\nlonger line");
  const struct {
    TBufferCoord asked, expected;
  } cases[] = {
      {{2, 1}, {2, 1}}, {{0, 0}, {1, 1}}, {{99, 1}, {4, 1}}, {{5, 2}, {1, 2}}, {{3, 99}, {3, 3}}, {{99, 99}, {12, 3}},
  };
  for (const auto& c : cases) {
    editor.SetCaretXY(c.asked);
    EXPECT_EQ(editor.CaretXY(), c.expected) << c.asked.Char << "," << c.asked.Line;
  }
}

TEST_F(SynEditWidgetTest, RowsAreLinesWithoutWordWrap) {
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "line " + std::to_string(i) + " " + std::string(100, 'x') + "\n";
  Load(text);
  EXPECT_EQ(editor.RowCount(), 60);
  for (int row : {1, 2, 30, 60}) {
    EXPECT_EQ(editor.RowToLine(row), row);
    EXPECT_EQ(editor.LineToRow(row), row);
  }
  EXPECT_EQ(editor.RowToLine(63), 63);  // past the end, as the headless editor reads it
  editor.SetTopRow(20);
  EXPECT_EQ(editor.TopRow(), 20);
  editor.SetTopRow(60);  // the last row can go to the top
  EXPECT_EQ(editor.TopRow(), 60);
  editor.SetTopRow(500);
  EXPECT_EQ(editor.TopRow(), 60);
  editor.SetTopRow(-4);
  EXPECT_EQ(editor.TopRow(), 1);
}

TEST_F(SynEditWidgetTest, WordWrapMakesRowsOfALongLine) {
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + " ";
  Load("short\n" + words + "\nafter\nend");
  editor.SetWordWrap(true);
  QApplication::processEvents();
  editor.Repaint();
  ASSERT_TRUE(editor.WordWrap());

  const int wrappedRows = editor.LineToRow(3) - editor.LineToRow(2);
  EXPECT_GT(wrappedRows, 2);
  EXPECT_EQ(editor.RowCount(), 3 + wrappedRows);
  EXPECT_EQ(editor.LineToRow(2), 2);
  for (int row = 2; row < 2 + wrappedRows; ++row) EXPECT_EQ(editor.RowToLine(row), 2) << row;
  EXPECT_EQ(editor.RowToLine(2 + wrappedRows), 3);
  EXPECT_EQ(editor.RowToLine(editor.RowCount()), 4);

  // A word on the second row of the long line is drawn one row lower.
  const int column = static_cast<int>(words.find("word40")) + 1;
  const TPoint start = editor.BufferToPixel({1, 2});
  const TPoint later = editor.BufferToPixel({column, 2});
  EXPECT_GT(later.Y, start.Y);
  EXPECT_EQ((later.Y - start.Y) % editor.LineHeight(), 0);

  editor.SetWordWrap(false);
  QApplication::processEvents();
  EXPECT_EQ(editor.RowCount(), 4);
}

TEST_F(SynEditWidgetTest, PixelsFollowTheFontAndTheGutter) {
  Load("abcdef\n\tx\nthird");
  const TPoint first = editor.BufferToPixel({1, 1});
  EXPECT_GT(first.X, editor.GutterWidth());
  EXPECT_EQ(editor.BufferToPixel({1, 2}).Y - first.Y, editor.LineHeight());
  EXPECT_EQ(editor.BufferToPixel({1, 3}).Y - first.Y, 2 * editor.LineHeight());
  EXPECT_EQ(editor.BufferToPixel({4, 1}).X - first.X, editor.TextWidth(u"abc"));
  // A tab reaches the next stop: 8 blanks.
  EXPECT_EQ(editor.BufferToPixel({2, 2}).X - first.X, editor.TextWidth(u"        "));
  EXPECT_EQ(editor.BufferToPixel({8, 1}).X - first.X, editor.TextWidth(u"abcdefg"));  // past the end

  editor.SetTopRow(2);
  EXPECT_EQ(editor.BufferToPixel({1, 2}).Y, 0);
}

// ---- Editing, history, modified flag ----------------------------------------

TEST_F(SynEditWidgetTest, ReplaceRangeIsOneUndoableEdit) {
  Load("first line\nsecond line\nthird line");
  editor.ReplaceRange({7, 1}, {7, 2}, u"A\nB\r\nC");
  EXPECT_EQ(editor.AllLines(), (Lines{u"first A", u"B", u"C line", u"third line"}));
  EXPECT_EQ(editor.CaretXY(), (TBufferCoord{2, 3}));
  EXPECT_TRUE(editor.Modified());
  EXPECT_TRUE(editor.CanUndo());
  EXPECT_FALSE(editor.CanRedo());

  editor.SetModified(false);
  editor.Undo();
  EXPECT_EQ(editor.AllLines(), (Lines{u"first line", u"second line", u"third line"}));
  EXPECT_TRUE(editor.Modified());
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_TRUE(editor.CanRedo());

  editor.SetModified(false);
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // redo
  EXPECT_EQ(editor.AllLines(), (Lines{u"first A", u"B", u"C line", u"third line"}));
  EXPECT_TRUE(editor.Modified());

  // Reversed positions are swapped; an empty range with no text is no edit.
  editor.ReplaceRange({7, 1}, {1, 1}, u"X");
  EXPECT_EQ(editor.LineText(1), u"XA");
  editor.ReplaceRange({1, 1}, {1, 1}, u"");
  editor.Undo();
  EXPECT_EQ(editor.LineText(1), u"first A");
}

TEST_F(SynEditWidgetTest, ClearAllForgetsTextHistoryAndFormat) {
  Load("\xEF\xBB\xBFone\r\ntwo\r\n");
  editor.ReplaceRange({1, 1}, {1, 1}, u"x");
  ASSERT_TRUE(editor.Modified());
  editor.ClearAll();
  EXPECT_EQ(editor.LineCount(), 0);
  EXPECT_EQ(editor.RowCount(), 0);
  EXPECT_FALSE(editor.Modified());
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(editor.TextFormat(), TTextFormat{});
  ExpectMirrored();

  // The first edit of an empty document makes its first line.
  QTest::keyClicks(&editor, "hi");
  EXPECT_EQ(editor.AllLines(), Lines{u"hi"});
}

TEST_F(SynEditWidgetTest, TypingSetsTheModifiedFlagAndLoadingClearsIt) {
  Load("text");
  EXPECT_FALSE(editor.Modified());
  QTest::keyClicks(&editor, "a");
  EXPECT_TRUE(editor.Modified());
  editor.SetModified(false);
  EXPECT_FALSE(editor.Modified());
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(editor.Modified());  // undo counts as a change
  Load("other");
  EXPECT_FALSE(editor.Modified());
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(editor.CaretXY(), (TBufferCoord{1, 1}));
  EXPECT_EQ(editor.TopRow(), 1);
}

// ---- Files --------------------------------------------------------------------

TEST_F(SynEditWidgetTest, SavingWritesBackTheBytesThatWereRead) {
  const std::string cases[] = {
      "",
      "\n",
      "no final break",
      "unix\nlines\n",
      "\xEF\xBB\xBF" "dos\r\nlines\r\n\r\n",
      "old\rmac\r",
      std::string("\xFF\xFEu\0t\0f\0\n\0", 10),
      "caf\xE9 1252\n",
      "tab\there \xC3\xA9t\xC3\xA9\n",
      // Characters a text block cannot hold stay inside their line.
      "para\xE2\x80\xA9graph \xEF\xB7\x90 \xEF\xB7\x91 \xEF\xB7\x92 end\n",
      std::string("nul\0inside\n", 11),
  };
  test::TempDir dir;
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const std::string in = dir.File("in.txt");
    const std::string out = dir.File("out.txt");
    test::WriteFile(in, bytes);
    editor.LoadFromFile(in);
    ExpectMirrored();
    editor.SaveToFile(out);
    EXPECT_EQ(test::ReadFile(out), bytes);
  }
}

TEST_F(SynEditWidgetTest, LineWithAParagraphSeparatorStaysOneLineThroughEdits) {
  Load("a\xE2\x80\xA9z\nnext");
  ASSERT_EQ(editor.LineCount(), 2);
  EXPECT_EQ(editor.LineText(1), u"a\u2029z");
  editor.SetCaretXY({4, 1});
  QTest::keyClicks(&editor, "!");
  EXPECT_EQ(editor.LineText(1), u"a\u2029z!");
  editor.ReplaceRange({1, 2}, {1, 2}, u"\uFDD0");
  EXPECT_EQ(editor.AllLines(), (Lines{u"a\u2029z!", u"\uFDD0next"}));
  EXPECT_EQ(editor.document()->blockCount(), 2);
}

TEST_F(SynEditWidgetTest, FailedLoadLeavesTheEditorAsItWas) {
  Load("kept\ntext");
  editor.ReplaceRange({1, 1}, {1, 1}, u">");
  EXPECT_THROW(editor.LoadFromFile("/nonexistent/folder/file.txt"), EFileError);
  EXPECT_EQ(editor.AllLines(), (Lines{u">kept", u"text"}));
  EXPECT_TRUE(editor.Modified());
  EXPECT_TRUE(editor.CanUndo());
  ExpectMirrored();
}

// ---- Lexer ----------------------------------------------------------------------

std::string NameAt(TSynEditWidget& editor, int column, int line) {
  TSynHighlighterAttributes* attribute = nullptr;
  const bool found = editor.GetHighlighterAttriAtRowCol({column, line}, attribute);
  EXPECT_EQ(found, attribute != nullptr);
  return found ? attribute->Name() : "none";
}

// The state before every line, as lexing the same lines from the top gives it.
void ExpectStatesOfLexDocument(TSynEditWidget& editor, TSynCustomHighlighter& lexer) {
  const Lines lines = editor.AllLines();
  const std::vector<uint32_t> after = LexDocument(lexer, lines);
  lexer.ResetRangeState();
  const uint32_t reset = lexer.RangeState();
  for (int line = 1; line <= editor.LineCount() + 1; ++line) {
    const uint32_t expected = line == 1 || after.empty() ? reset : after[static_cast<size_t>(line - 2)];
    ASSERT_EQ(editor.RangeStateBefore(line), expected) << "line " << line;
  }
}

TEST_F(SynEditWidgetTest, RangeStatesAgreeWithLexingTheDocumentAfterEdits) {
  TSynCppSyn lexer;
  editor.SetHighlighter(&lexer);
  Load("int a; /* open\nstill\n*/ int b;\n\"str\\\nnext\"\n// end\n");
  ExpectStatesOfLexDocument(editor, lexer);

  std::mt19937 random(7);
  const std::u16string pieces[] = {u"/*", u"*/", u"x", u" ", u"\"", u"\\", u"//", u"\n", u"#define a \\\n", u"y\nz"};
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int step = 0; step < 150; ++step) {
    SCOPED_TRACE(step);
    const int line = 1 + pick(editor.LineCount());
    const int length = static_cast<int>(editor.LineText(line).size());
    const TBufferCoord from{1 + pick(length + 1), line};
    const TBufferCoord to = pick(4) == 0 ? TBufferCoord{1 + pick(3), std::min(line + 1, editor.LineCount())} : from;
    if (step % 10 == 9)
      editor.Undo();
    else
      editor.ReplaceRange(from, to, pieces[pick(10)]);
    ExpectStatesOfLexDocument(editor, lexer);
    if (HasFatalFailure()) return;
  }
  editor.SetCaretXY({1, 1});
  QTest::keyClicks(&editor, "/*");
  ExpectStatesOfLexDocument(editor, lexer);
}

TEST_F(SynEditWidgetTest, AttributeAtAColumnAndALexerInstalledAfterLoading) {
  Load("int count; // a note\n/* spans\nlines */ x");
  EXPECT_EQ(NameAt(editor, 1, 1), "none");  // no lexer yet
  TSynCppSyn lexer;
  editor.SetHighlighter(&lexer);
  EXPECT_EQ(NameAt(editor, 1, 1), "ReservedWord");
  EXPECT_EQ(NameAt(editor, 5, 1), "Identifier");
  EXPECT_EQ(NameAt(editor, 16, 1), "Comment");
  EXPECT_EQ(NameAt(editor, 3, 3), "Comment");  // inside the comment from line 2
  EXPECT_EQ(NameAt(editor, 10, 3), "Identifier");
  EXPECT_EQ(NameAt(editor, 0, 1), "none");
  EXPECT_EQ(NameAt(editor, 21, 1), "none");  // past the line's end
  EXPECT_EQ(NameAt(editor, 1, 4), "none");
  ExpectStatesOfLexDocument(editor, lexer);
  editor.SetHighlighter(nullptr);
  EXPECT_EQ(editor.RangeStateBefore(3), 0u);
}

TEST_F(SynEditWidgetTest, SpecialColourHandlerSeesEveryAttributeAndCanFade) {
  TSynCppSyn lexer;
  editor.SetHighlighter(&lexer);
  Load("int a; // note\nchar* s = \"text\";");
  std::set<std::string> names;
  const QColor faded(1, 2, 3);
  editor.SetSpecialAttriColorHandler([&](const std::string& name, QColor& foreground, QColor& background) {
    names.insert(name);
    EXPECT_TRUE(foreground.isValid());
    EXPECT_TRUE(background.isValid());
    if (name != "Comment") foreground = faded;
  });
  EXPECT_EQ(names, (std::set<std::string>{"Comment", "Identifier", "ReservedWord", "Space", "String", "Symbol"}));

  const auto foregroundAt = [&](int line, int column) {
    const QTextBlock block = editor.document()->findBlockByNumber(line - 1);
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
      if (range.start <= column - 1 && column - 1 < range.start + range.length)
        return range.format.foreground().color();
    return QColor();
  };
  EXPECT_EQ(foregroundAt(1, 1), faded);
  EXPECT_NE(foregroundAt(1, 11), faded);
  EXPECT_EQ(foregroundAt(2, 12), faded);

  names.clear();
  editor.ReplaceRange({1, 2}, {1, 2}, u" ");  // an edit colours its line anew
  EXPECT_FALSE(names.empty());
}

TEST_F(SynEditWidgetTest, NewColoursReachTextScrolledIntoViewLater) {
  TSynCppSyn lexer;
  editor.SetHighlighter(&lexer);
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "// comment " + std::to_string(i) + "\n";
  Load(text);
  QColor fade;
  editor.SetSpecialAttriColorHandler([&](const std::string&, QColor& foreground, QColor&) {
    if (fade.isValid()) foreground = fade;
  });
  const auto foregroundOf = [&](int line) {
    const QTextBlock block = editor.document()->findBlockByNumber(line - 1);
    const auto formats = block.layout()->formats();
    return formats.isEmpty() ? QColor() : formats.front().format.foreground().color();
  };
  for (const QColor& colour : {QColor(10, 20, 30), QColor(40, 50, 60)}) {
    fade = colour;
    editor.RefreshSyntaxColors();
    editor.SetTopRow(1);
    editor.Repaint();
    EXPECT_EQ(foregroundOf(2), colour);
    editor.SetTopRow(250);
    editor.Repaint();
    EXPECT_EQ(foregroundOf(255), colour);
  }
}

// ---- Painting -------------------------------------------------------------------

class RecordingPlugin : public TSynEditPlugin {
public:
  using TSynEditPlugin::TSynEditPlugin;
  void AfterPaint(const TRect& clip, int firstRow, int lastRow) override {
    calls.push_back({firstRow, lastRow});
    this->clip = clip;
    // A red dot at the top-left corner of line 2's text.
    const TPoint pixel = Owner().BufferToPixel({1, 2});
    Owner().SetPixel(pixel.X, pixel.Y, 0x0000FF);
  }
  std::vector<std::pair<int, int>> calls;
  TRect clip;
};

bool IsRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

TEST_F(SynEditWidgetTest, PluginsPaintOverTheVisibleRows) {
  std::string text;
  for (int i = 1; i <= 80; ++i) text += "line " + std::to_string(i) + "\n";
  Load(text);
  RecordingPlugin plugin(editor);
  editor.SetPixel(10, 10, 0x0000FF);  // outside a paint: nothing happens

  editor.SetTopRow(11);
  plugin.calls.clear();
  editor.Repaint();
  ASSERT_FALSE(plugin.calls.empty());
  EXPECT_EQ(plugin.calls.back().first, 11);
  const int visible = editor.viewport()->height() / editor.LineHeight();
  EXPECT_GE(plugin.calls.back().second, 11 + visible - 1);
  EXPECT_LE(plugin.calls.back().second, 11 + visible);
  EXPECT_EQ(plugin.clip.Left, editor.GutterWidth());
  EXPECT_EQ(plugin.clip.Right - plugin.clip.Left, editor.viewport()->width());

  editor.SetTopRow(1);
  const QImage image = editor.viewport()->grab().toImage();
  EXPECT_TRUE(IsRed(image.pixel(ViewportPoint({1, 2}))));
  EXPECT_FALSE(IsRed(image.pixel(ViewportPoint({1, 3}))));
}

TEST_F(SynEditWidgetTest, MisprintsAreUnderlinedWhereTheWordIs) {
  TSynCppSyn lexer;
  editor.SetHighlighter(&lexer);
  Load("int qzxvbnm; // qzxvbnm here\n");
  TSpellCheckPlugin plugin(editor);
  plugin.CheckOptions.IgnoreUppercase = true;
  const QImage image = editor.viewport()->grab().toImage();

  // Red pixels in the three lowest pixel rows of the line under each word.
  const auto redUnder = [&](int column, int length) {
    const QPoint at = ViewportPoint({column, 1});
    const int width = editor.TextWidth(std::u16string(static_cast<size_t>(length), u'x'));
    int red = 0;
    for (int x = at.x(); x <= at.x() + width; ++x)
      for (int y = at.y() + editor.LineHeight() - 3; y < at.y() + editor.LineHeight(); ++y)
        red += IsRed(image.pixel(x, y));
    return red;
  };
  EXPECT_GT(redUnder(17, 7), editor.TextWidth(u"qzxvbnm") / 2);  // in the comment
  EXPECT_EQ(redUnder(5, 7), 0);                                    // the identifier is out of scope
}

TEST_F(SynEditWidgetTest, GutterHandlerPaintsEveryVisibleLine) {
  std::string text;
  for (int i = 1; i <= 50; ++i) text += "line\n";
  Load(text);
  editor.SetTopRow(5);
  std::vector<std::pair<int, QRect>> painted;
  editor.SetGutterPaintHandler([&](int line, QPainter&, const QRect& rect) { painted.emplace_back(line, rect); });
  painted.clear();
  editor.Repaint();
  // The last pass over the gutter.
  const auto last = std::find_if(painted.rbegin(), painted.rend(), [](const auto& p) { return p.first == 5; });
  ASSERT_NE(last, painted.rend());
  painted.erase(painted.begin(), std::prev(last.base()));
  EXPECT_EQ(painted.front().first, 5);
  const int visible = editor.viewport()->height() / editor.LineHeight();
  EXPECT_GE(painted.back().first, 5 + visible - 1);
  for (size_t i = 0; i < painted.size(); ++i) {
    EXPECT_EQ(painted[i].first, 5 + static_cast<int>(i));
    EXPECT_EQ(painted[i].second.top(), editor.BufferToPixel({1, painted[i].first}).Y);
    EXPECT_EQ(painted[i].second.height(), editor.LineHeight());
  }
  // Room for the window's mark left of the numbers.
  EXPECT_GE(editor.GutterWidth(), TSynEditWidget::kGutterMarkLeft + TSynEditWidget::kGutterMarkWidth);
}

// ---- Keyboard and mouse -----------------------------------------------------------

TEST_F(SynEditWidgetTest, RightClickMovesTheCaretOutsideTheSelection) {
  Load("first line\nsecond line\nthird line");
  editor.SetCaretXY({1, 1});
  const QPoint target = ViewportPoint({5, 2}) + QPoint(1, editor.LineHeight() / 2);
  QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, target);
  EXPECT_EQ(editor.CaretXY(), (TBufferCoord{5, 2}));

  editor.SetSelection({1, 2}, {8, 2});
  QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, target);
  EXPECT_EQ(editor.SelectionLength(), 7);  // kept for Cut and Copy
  QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, ViewportPoint({3, 3}) + QPoint(1, 4));
  EXPECT_FALSE(editor.SelAvail());
  EXPECT_EQ(editor.CaretXY(), (TBufferCoord{3, 3}));
}

TEST_F(SynEditWidgetTest, EveryWheelEventScrollsThreeRows) {
  std::string text;
  for (int i = 1; i <= 100; ++i) text += "row\n";
  Load(text);
  const auto wheel = [&](int delta) {
    const QPointF at(20, 20);
    QWheelEvent event(at, editor.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor.viewport(), &event);
    return editor.TopRow();
  };
  const struct {
    int delta, topAfter;
  } steps[] = {
      {-120, 4}, {-360, 7}, {-960, 10}, {120, 7}, {480, 4}, {240, 1}, {120, 1},
      {-40, 1}, {-40, 1}, {-40, 4},  // a fine wheel: one step per notch's worth
      {0, 4},
  };
  for (const auto& step : steps) EXPECT_EQ(wheel(step.delta), step.topAfter) << step.delta;
  editor.SetTopRow(99);
  EXPECT_EQ(wheel(-120), 100);  // at most the last row
}

TEST_F(SynEditWidgetTest, TabInsertsBlanksToTheNextStop) {
  const struct {
    const char* line;
    int column;
    const char16_t* expected;
  } cases[] = {
      {"", 1, u"        "},
      {"ab", 3, u"ab      "},
      {"abcdefgh", 9, u"abcdefgh        "},
      {"\tx", 3, u"\tx       "},
      {"ab", 1, u"        ab"},
  };
  for (const auto& c : cases) {
    Load(c.line);
    editor.SetCaretXY({c.column, 1});
    QTest::keyClick(&editor, Qt::Key_Tab);
    EXPECT_EQ(editor.LineText(1), c.expected) << c.line;
  }
  Load("select me");
  editor.SetSelection({1, 1}, {8, 1});
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.LineText(1), u"        me");
}

TEST_F(SynEditWidgetTest, EnterKeepsTheIndentation) {
  const struct {
    const char* line;
    int column;
    Qt::KeyboardModifiers modifiers;
    std::vector<std::u16string> expected;
  } cases[] = {
      {"    code", 9, {}, {u"    code", u"    "}},
      {"  \tmixed", 9, Qt::ShiftModifier, {u"  \tmixed", u"  \t"}},
      {"    code", 3, {}, {u"  ", u"    code"}},
      {"none", 3, {}, {u"no", u"ne"}},
  };
  for (const auto& c : cases) {
    Load(c.line);
    editor.SetCaretXY({c.column, 1});
    QTest::keyClick(&editor, Qt::Key_Return, c.modifiers);
    EXPECT_EQ(editor.AllLines(), c.expected) << c.line;
  }
}

TEST_F(SynEditWidgetTest, EditCommandsWorkOnTheSelection) {
  Load("one two three");
  EXPECT_FALSE(editor.SelAvail());
  EXPECT_EQ(editor.SelectionLength(), 0);
  editor.SetSelection({5, 1}, {8, 1});
  EXPECT_EQ(editor.SelectedText(), u"two");
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{5, 1}));
  EXPECT_EQ(editor.BlockEnd(), (TBufferCoord{8, 1}));
  editor.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "two");
  editor.Cut();
  EXPECT_EQ(editor.LineText(1), u"one  three");
  editor.SetCaretXY({1, 1});
  ASSERT_TRUE(editor.CanPaste());
  editor.Paste();
  EXPECT_EQ(editor.LineText(1), u"twoone  three");
  editor.SelectAll();
  EXPECT_EQ(editor.SelectionLength(), 13);
  editor.DeleteSelection();
  EXPECT_EQ(editor.LineText(1), u"");
  editor.Undo();
  EXPECT_EQ(editor.LineText(1), u"twoone  three");

  Load("a\xE2\x80\xA9z\nb");  // the clipboard gets the real characters
  editor.SelectAll();
  editor.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf16(u"a\u2029z\nb"));
  EXPECT_EQ(editor.SelectedText(), u"a\u2029z\nb");
}

} // namespace
} // namespace qm
