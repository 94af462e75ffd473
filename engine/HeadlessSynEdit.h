// The editor without a window, for tests and the command-line checker. It
// keeps the text as lines, the format the file came in (saving writes it back
// the same way), the caret, the top row, an undo and a redo history, and the
// lexer's range state per line (TLineRangeStates). Word wrap is only a flag:
// every line is one row, and a row past the last line is that line number,
// which reads as an empty line.
//
// Painting uses fixed metrics (8 px per UTF-16 unit, rows 16 px high, a
// 40 px gutter, no horizontal scrolling). Repaint clears the recorded pixels
// and calls the plugins for the visible rows, so a plugin's drawing can be
// read back with PixelAt.
#pragma once

#include "engine/LineRangeStates.h"
#include "engine/SynEdit.h"
#include "platform/TextFile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qm {

class THeadlessSynEdit : public TSynEdit {
public:
  static constexpr int kCharWidth = 8;
  static constexpr int kLineHeight = 16;
  static constexpr int kGutterWidth = 40;

  THeadlessSynEdit();

  int LineCount() const override;
  const std::u16string& LineText(int line) const override;
  std::vector<std::u16string> AllLines() const override;

  int RowCount() const override;
  int RowToLine(int row) const override { return row; }
  int LineToRow(int line) const override { return line; }
  int TopRow() const override { return topRow_; }
  // Clamped to 1 .. the number of rows (at least 1).
  void SetTopRow(int row) override;
  bool WordWrap() const override { return wordWrap_; }
  void SetWordWrap(bool on) override { wordWrap_ = on; }

  TBufferCoord CaretXY() const override { return caret_; }
  // Clamped to an existing line (line 1 of an empty document) and to the
  // columns 1 .. the line's length + 1.
  void SetCaretXY(TBufferCoord position) override;
  void EnsureCaretCentred() override;
  void SetFocus() override { focused_ = true; }
  bool Focused() const { return focused_; }

  TSynCustomHighlighter* Highlighter() const override { return highlighter_; }
  // Another lexer makes every stored state unknown.
  void SetHighlighter(TSynCustomHighlighter* lexer) override;
  // 0 without a lexer; a line past the end gets the state after the last line.
  uint32_t RangeStateBefore(int line) override;
  bool GetHighlighterAttriAtRowCol(TBufferCoord position, TSynHighlighterAttributes*& attribute) override;
  const TLineRangeStates& RangeStates() const { return states_; }

  // Also forgets the text format (back to UTF-8, LF, no final break).
  void ClearAll() override;
  // Loading replaces the text and its format, clears the history and the
  // modified flag and puts the caret and the top row on line 1. On a read
  // error the editor is left unchanged.
  void LoadFromFile(const std::string& path) override;
  // Reads from the stream's position to its end.
  void LoadFromStream(TStream& stream) override;
  // Writes through the remembered format, atomically; a Windows-1252 text
  // holding characters outside that code page is written, and from then on
  // remembered, as UTF-8. The modified flag is left to the caller.
  void SaveToFile(const std::string& path) override;
  bool Modified() const override { return modified_; }
  void SetModified(bool modified) override { modified_ = modified; }
  const TTextFormat& TextFormat() const { return format_; }
  void SetTextFormat(const TTextFormat& format) { format_ = format; }
  // Replaces the whole text as loading does; the format is kept.
  void SetLines(std::vector<std::u16string> lines);

  // Positions are clamped to the document; an empty document becomes one
  // empty line at its first edit. Line breaks in text (CR LF, CR, LF) split
  // lines.
  void ReplaceRange(TBufferCoord start, TBufferCoord end, const std::u16string& text) override;
  bool CanUndo() const override { return !undo_.empty(); }
  bool CanRedo() const override { return !redo_.empty(); }
  // Undo puts the caret back where it was before the edit, Redo after the
  // new text; both leave the document modified.
  void Undo() override;
  void Redo() override;

  TPoint BufferToPixel(TBufferCoord position) const override;
  int LineHeight() const override { return kLineHeight; }
  int GutterWidth() const override { return kGutterWidth; }
  int TextWidth(const std::u16string& text) const override;
  void SetPixel(int x, int y, uint32_t color) override;
  void Repaint() override;

  int VisibleRows() const { return visibleRows_; }
  void SetVisibleRows(int rows);
  int ClipWidth() const { return clipWidth_; }
  void SetClipWidth(int pixels) { clipWidth_ = pixels; }
  std::optional<uint32_t> PixelAt(int x, int y) const;
  size_t PixelCount() const { return pixels_.size(); }
  void ClearPixels() { pixels_.clear(); }

private:
  struct TEditStep {
    TBufferCoord start;
    std::vector<std::u16string> removed;   // the replaced text, cut at line breaks
    std::vector<std::u16string> inserted;
    TBufferCoord caretBefore;
  };

  TBufferCoord Clamp(TBufferCoord position) const;
  // Replaces start..end by the pieces (joined by line breaks); answers the
  // text that was there, cut the same way.
  std::vector<std::u16string> Splice(TBufferCoord start, TBufferCoord end, const std::vector<std::u16string>& pieces);
  static TBufferCoord EndOf(TBufferCoord start, const std::vector<std::u16string>& pieces);
  void NotifyLineCountChange(int firstLine, int removed, int inserted);
  void ReplaceDocument(std::vector<std::u16string> lines);

  std::vector<std::u16string> lines_;
  TTextFormat format_;
  bool modified_ = false;
  TBufferCoord caret_;
  int topRow_ = 1;
  bool wordWrap_ = false;
  bool focused_ = false;
  TSynCustomHighlighter* highlighter_ = nullptr;
  TLineRangeStates states_;
  std::vector<TEditStep> undo_;
  std::vector<TEditStep> redo_;
  int visibleRows_ = 40;
  int clipWidth_ = 800;
  std::map<std::pair<int, int>, uint32_t> pixels_;
};

} // namespace qm
