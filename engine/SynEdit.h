// What the engine needs of an editor control: the document's lines, rows and
// caret, the installed lexer with the range state stored per line, loading,
// undoable replacing, and for painting the coordinate conversions and pixel
// drawing. Two implementations: a headless one (tests, the command-line
// checker) and the Qt editor widget.
// Positions are 1-based: column (in UTF-16 code units) and line.
#pragma once

#include "lexers/SynHighlighter.h"
#include "platform/Geometry.h"
#include "platform/Stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

struct TBufferCoord {
  int Char = 1;  // column
  int Line = 1;
  bool operator==(const TBufferCoord&) const = default;
};

class TSynEdit;

// A plugin the editor calls after every paint.
class TSynEditPlugin {
public:
  explicit TSynEditPlugin(TSynEdit& editor);
  virtual ~TSynEditPlugin();
  TSynEditPlugin(const TSynEditPlugin&) = delete;
  TSynEditPlugin& operator=(const TSynEditPlugin&) = delete;

  TSynEdit& Owner() const { return editor_; }
  // The rows first..last were painted; clip is the painted area in pixels.
  virtual void AfterPaint(const TRect& clip, int firstRow, int lastRow) = 0;
  // Lines appeared or vanished: firstLine is the 1-based number of the first
  // of them, count how many.
  virtual void LinesInserted(int /*firstLine*/, int /*count*/) {}
  virtual void LinesDeleted(int /*firstLine*/, int /*count*/) {}

private:
  TSynEdit& editor_;
};

class TSynEdit {
public:
  virtual ~TSynEdit() = default;

  // Lines. LineText of a line outside 1..LineCount is empty.
  virtual int LineCount() const = 0;
  virtual const std::u16string& LineText(int line) const = 0;
  virtual std::vector<std::u16string> AllLines() const = 0;

  // Rows: with word wrap a line may take several rows; RowCount >= LineCount.
  virtual int RowCount() const = 0;
  virtual int RowToLine(int row) const = 0;
  virtual int LineToRow(int line) const = 0;
  virtual int TopRow() const = 0;
  virtual void SetTopRow(int row) = 0;
  virtual bool WordWrap() const = 0;
  virtual void SetWordWrap(bool on) = 0;

  virtual TBufferCoord CaretXY() const = 0;
  virtual void SetCaretXY(TBufferCoord position) = 0;
  // Scrolls so that the caret's line is visible and centred vertically.
  virtual void EnsureCaretCentred() = 0;
  virtual void SetFocus() = 0;

  // The installed lexer (none: plain text) and, for a line, the lexer's range
  // state before it (the state stored for the line above; for line 1 the
  // lexer's reset state).
  virtual TSynCustomHighlighter* Highlighter() const = 0;
  virtual void SetHighlighter(TSynCustomHighlighter* lexer) = 0;
  virtual uint32_t RangeStateBefore(int line) = 0;
  // The attribute of the token covering position; false when no token does.
  virtual bool GetHighlighterAttriAtRowCol(TBufferCoord position, TSynHighlighterAttributes*& attribute) = 0;

  // Text, bookmarks, marks, undo and redo are cleared; not modified.
  virtual void ClearAll() = 0;
  // Raise EFileError / EStreamError when the text cannot be read or written.
  virtual void LoadFromFile(const std::string& path) = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToFile(const std::string& path) = 0;
  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;

  // Selects start..end (end exclusive) and replaces it by text as one
  // undoable edit; the caret ends after the new text.
  virtual void ReplaceRange(TBufferCoord start, TBufferCoord end, const std::u16string& text) = 0;
  virtual bool CanUndo() const = 0;
  virtual bool CanRedo() const = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;

  // Painting. Pixel position of a buffer position's top-left corner (word
  // wrap and tabs included), the line height, the gutter's width, the width
  // of a text in the editor's font, one pixel, and an immediate repaint.
  virtual TPoint BufferToPixel(TBufferCoord position) const = 0;
  virtual int LineHeight() const = 0;
  virtual int GutterWidth() const = 0;
  virtual int TextWidth(const std::u16string& text) const = 0;
  virtual void SetPixel(int x, int y, uint32_t color) = 0;
  virtual void Repaint() = 0;

  // Plugins register themselves through TSynEditPlugin.
  void AddPlugin(TSynEditPlugin* plugin);
  void RemovePlugin(TSynEditPlugin* plugin);
  const std::vector<TSynEditPlugin*>& Plugins() const { return plugins_; }

protected:
  // Implementations call this after painting rows first..last.
  void NotifyAfterPaint(const TRect& clip, int firstRow, int lastRow);

private:
  std::vector<TSynEditPlugin*> plugins_;
};

} // namespace qm
