// The window's editor: a QPlainTextEdit that is also the engine's TSynEdit.
// One block per line; rows are the visual lines (a line takes several under
// word wrap; a block Qt has not laid out yet counts as one row until it is).
// The text of every line is also kept as UTF-16 lines (what the engine reads
// and what saving writes), updated on every change of the document. The
// lexer colours the blocks and keeps its state per block (TLexerHighlighter).
//
// Pixel coordinates, as the engine uses them: x from the left edge of the
// gutter (the text starts at GutterWidth()), y from the top of the text area.
// After Qt has painted the text, the plugins paint over it: SetPixel draws
// while they run and does nothing outside a paint.
//
// Behaviour: the system's fixed-pitch font (15 px text, 11 px gutter); word
// wrap at the window's width; Enter copies the leading blanks of the line;
// Tab inserts blanks up to the next multiple of 8 columns; a right click puts
// the caret where it was clicked (unless inside the selection) before the
// context menu opens; a wheel event scrolls 3 rows; the last row can be
// scrolled up to the top. Starts disabled: the window enables it once a file
// is open.
#pragma once

#include "engine/SynEdit.h"
#include "platform/TextFile.h"
#include "ui/BlockCharMap.h"

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace qm {

class TEditorGutter;
class TLexerHighlighter;

class TSynEditWidget : public QPlainTextEdit, public TSynEdit {
  Q_OBJECT

public:
  static constexpr int kTextPixelSize = 15;
  static constexpr int kGutterPixelSize = 11;
  static constexpr int kTabWidth = 8;
  static constexpr int kWheelRows = 3;
  // The room at the gutter's left for the window's 16-pixel mark, drawn at
  // the gutter's x + 6.
  static constexpr int kGutterMarkLeft = 6;
  static constexpr int kGutterMarkWidth = 16;

  // A token is about to be coloured: name is its attribute's Name; the
  // handler may change the two colours (they come resolved: the editor's own
  // text and background colours where the attribute has none).
  using TSpecialAttriColorHandler =
      std::function<void(const std::string& name, QColor& foreground, QColor& background)>;
  // A line's part of the gutter is being painted: rect spans all its rows.
  using TGutterPaintHandler = std::function<void(int line, QPainter& painter, const QRect& rect)>;

  explicit TSynEditWidget(QWidget* parent = nullptr);
  ~TSynEditWidget() override;

  // ---- TSynEdit --------------------------------------------------------
  int LineCount() const override { return static_cast<int>(lines_.size()); }
  const std::u16string& LineText(int line) const override;
  std::vector<std::u16string> AllLines() const override { return lines_; }

  // Rows past the last one are read as lines past the last line, as the
  // headless editor does.
  int RowCount() const override;
  int RowToLine(int row) const override;
  int LineToRow(int line) const override;
  int TopRow() const override;
  // Clamped to 1 .. the number of rows (at least 1).
  void SetTopRow(int row) override;
  bool WordWrap() const override;
  void SetWordWrap(bool on) override;

  TBufferCoord CaretXY() const override;
  // Clamped to an existing line and to the columns 1 .. its length + 1; the
  // selection goes.
  void SetCaretXY(TBufferCoord position) override;
  void EnsureCaretCentred() override;
  void SetFocus() override { setFocus(); }

  TSynCustomHighlighter* Highlighter() const override;
  // Another lexer re-lexes the whole document.
  void SetHighlighter(TSynCustomHighlighter* lexer) override;
  uint32_t RangeStateBefore(int line) override;
  bool GetHighlighterAttriAtRowCol(TBufferCoord position, TSynHighlighterAttributes*& attribute) override;

  // Also forgets the text format (back to UTF-8, LF, no final break).
  void ClearAll() override;
  // The text, its format, no history, not modified, the caret and the top
  // row on line 1. On a read error the editor is left as it was.
  void LoadFromFile(const std::string& path) override;
  void LoadFromStream(TStream& stream) override;
  // Writes through the remembered format, atomically (a Windows-1252 text
  // holding characters outside that code page is written as UTF-8 from then
  // on). The modified flag is left to the caller.
  void SaveToFile(const std::string& path) override;
  bool Modified() const override;
  void SetModified(bool modified) override;
  const TTextFormat& TextFormat() const { return format_; }

  // One undoable edit; positions are clamped to the document.
  void ReplaceRange(TBufferCoord start, TBufferCoord end, const std::u16string& text) override;
  bool CanUndo() const override;
  bool CanRedo() const override;
  // Both leave the document modified.
  void Undo() override;
  void Redo() override;

  TPoint BufferToPixel(TBufferCoord position) const override;
  int LineHeight() const override { return lineHeight_; }
  int GutterWidth() const override;
  int TextWidth(const std::u16string& text) const override;
  void SetPixel(int x, int y, uint32_t color) override;
  // Paints the text and the gutter at once.
  void Repaint() override;

  // ---- Selection and edit commands (Edit menu, context menu, search) ----
  bool SelAvail() const;
  int SelectionLength() const;
  TBufferCoord BlockBegin() const;
  TBufferCoord BlockEnd() const;
  // Selects start..end (end exclusive, clamped); the caret goes to end.
  void SetSelection(TBufferCoord start, TBufferCoord end);
  // Lines of the selection joined by "\n".
  std::u16string SelectedText() const;
  void Cut();
  void Copy();
  void Paste();
  bool CanPaste() const;
  // Removes the selection as one undoable edit; nothing without one.
  void DeleteSelection();
  void SelectAll();

  // ---- Look ------------------------------------------------------------
  void SetSpecialAttriColorHandler(TSpecialAttriColorHandler handler);
  // The handler's answers changed: the visible text is coloured again at
  // once, the rest as it comes into view.
  void RefreshSyntaxColors();
  void SetGutterPaintHandler(TGutterPaintHandler handler);
  QColor GutterColor() const { return gutterColor_; }
  void SetGutterColor(const QColor& color);

  // The wheel: 3 rows down for a negative delta (QWheelEvent::angleDelta),
  // 3 up for a positive one, whatever its size; a delta below one notch
  // (120) is gathered until a notch is complete. The window routes its own
  // wheel events over the editor here.
  void WheelScroll(int delta);
  // Rows that fit in the text area.
  int VisibleRowCount() const;

signals:
  // The text changed: typing, ReplaceRange, undo, redo, the clipboard.
  // Loading and ClearAll do not count.
  void Changed();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void changeEvent(QEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;

private:
  friend class TEditorGutter;
  struct TPixelBatch {
    uint32_t color;
    std::vector<QPoint> points;
  };

  void PaintGutter(QPaintEvent& event);
  void UpdateGutter(const QRect& rect, int dy);
  void UpdateGutterWidth();
  void ApplyFontMetrics();
  void ExtendScrollRange(int maximum);

  // Keeps lines_ in step with the document.
  void OnContentsChange(int position, int removed, int added);
  void RebuildLines();
  void NotifyLineCountChange(int firstLine, int removed, int inserted);
  void ReplaceDocument(std::vector<std::u16string> lines);

  TBufferCoord Clamp(TBufferCoord position) const;
  int PositionOf(TBufferCoord position) const;
  TBufferCoord CoordOf(int position) const;

  void InsertLineBreak();
  void InsertTabBlanks();

  // The top of a block in viewport coordinates.
  qreal BlockTop(const QTextBlock& block) const;
  // Rows of the blocks that cross area; false when none does. Also notes
  // where every visible block starts, for BufferToPixel while painting.
  bool PaintedRows(const QRect& area, int& firstRow, int& lastRow);
  void FlushPixels();
  void RecolorVisibleBlocks();

  std::vector<std::u16string> lines_;  // empty: a document without lines
  TTextFormat format_;
  TBlockCharMap chars_;
  std::unique_ptr<TLexerHighlighter> highlighter_;
  TEditorGutter* gutter_ = nullptr;
  QFont gutterFont_;
  QColor gutterColor_;
  TGutterPaintHandler gutterPaint_;
  qreal spaceWidth_ = 1;
  int lineHeight_ = 1;
  bool loading_ = false;
  int wheelRest_ = 0;

  // While the plugins paint.
  QPainter* painter_ = nullptr;
  int paintGutterWidth_ = 0;
  int paintFirstBlock_ = 0;
  std::vector<qreal> paintTops_;
  std::vector<TPixelBatch> pixels_;
};

} // namespace qm
