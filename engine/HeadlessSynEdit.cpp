#include "engine/HeadlessSynEdit.h"

#include "lexers/LexerHost.h"

#include <algorithm>

namespace qm {

namespace {

const std::u16string kNoLine;

int Length(const std::u16string& text) { return static_cast<int>(text.size()); }

} // namespace

THeadlessSynEdit::THeadlessSynEdit() { states_.Reset(0); }

// ---- Lines and rows -------------------------------------------------------

int THeadlessSynEdit::LineCount() const { return static_cast<int>(lines_.size()); }

const std::u16string& THeadlessSynEdit::LineText(int line) const {
  if (line < 1 || line > LineCount()) return kNoLine;
  return lines_[static_cast<size_t>(line - 1)];
}

std::vector<std::u16string> THeadlessSynEdit::AllLines() const { return lines_; }

int THeadlessSynEdit::RowCount() const { return LineCount(); }

void THeadlessSynEdit::SetTopRow(int row) { topRow_ = std::clamp(row, 1, std::max(RowCount(), 1)); }

void THeadlessSynEdit::SetCaretXY(TBufferCoord position) { caret_ = Clamp(position); }

void THeadlessSynEdit::EnsureCaretCentred() { SetTopRow(LineToRow(caret_.Line) - (visibleRows_ - 1) / 2); }

TBufferCoord THeadlessSynEdit::Clamp(TBufferCoord position) const {
  if (lines_.empty()) return {1, 1};
  TBufferCoord result;
  result.Line = std::clamp(position.Line, 1, LineCount());
  result.Char = std::clamp(position.Char, 1, Length(LineText(result.Line)) + 1);
  return result;
}

// ---- Lexer ----------------------------------------------------------------

void THeadlessSynEdit::SetHighlighter(TSynCustomHighlighter* lexer) {
  if (lexer == highlighter_) return;
  highlighter_ = lexer;
  states_.Reset(LineCount());
}

uint32_t THeadlessSynEdit::RangeStateBefore(int line) {
  if (!highlighter_) return 0;
  return states_.StateBefore(*highlighter_, lines_, line - 1);
}

bool THeadlessSynEdit::GetHighlighterAttriAtRowCol(TBufferCoord position, TSynHighlighterAttributes*& attribute) {
  attribute = nullptr;
  if (!highlighter_ || position.Line < 1 || position.Line > LineCount()) return false;
  const std::u16string& text = LineText(position.Line);
  if (position.Char < 1 || position.Char > Length(text)) return false;
  const uint32_t before = RangeStateBefore(position.Line);
  attribute = AttributeAtColumn(*highlighter_, text, position.Line - 1, before, position.Char);
  return attribute != nullptr;
}

// ---- Whole document -------------------------------------------------------

void THeadlessSynEdit::ReplaceDocument(std::vector<std::u16string> lines) {
  lines_ = std::move(lines);
  undo_.clear();
  redo_.clear();
  modified_ = false;
  caret_ = {1, 1};
  topRow_ = 1;
  states_.Reset(LineCount());
}

void THeadlessSynEdit::ClearAll() {
  format_ = TTextFormat{};
  ReplaceDocument({});
}

void THeadlessSynEdit::SetLines(std::vector<std::u16string> lines) { ReplaceDocument(std::move(lines)); }

void THeadlessSynEdit::LoadFromFile(const std::string& path) {
  TTextDocument document = LoadTextFile(path);
  format_ = document.format;
  ReplaceDocument(std::move(document.lines));
}

void THeadlessSynEdit::LoadFromStream(TStream& stream) {
  TTextDocument document = DecodeTextFile(stream.ReadRest());
  format_ = document.format;
  ReplaceDocument(std::move(document.lines));
}

void THeadlessSynEdit::SaveToFile(const std::string& path) { format_ = SaveTextFile(path, lines_, format_); }

// ---- Editing --------------------------------------------------------------

void THeadlessSynEdit::ReplaceRange(TBufferCoord start, TBufferCoord end, const std::u16string& text) {
  if (lines_.empty()) {
    lines_.emplace_back();
    states_.LinesReplaced(0, 0, 1);
  }
  TBufferCoord from = Clamp(start);
  TBufferCoord to = Clamp(end);
  if (to.Line < from.Line || (to.Line == from.Line && to.Char < from.Char)) std::swap(from, to);
  if (from == to && text.empty()) return;

  TEditStep step;
  step.start = from;
  step.inserted = SplitAtLineBreaks(text);
  step.caretBefore = caret_;
  step.removed = Splice(from, to, step.inserted);
  caret_ = EndOf(from, step.inserted);
  undo_.push_back(std::move(step));
  redo_.clear();
  modified_ = true;
}

void THeadlessSynEdit::Undo() {
  if (undo_.empty()) return;
  TEditStep step = std::move(undo_.back());
  undo_.pop_back();
  Splice(step.start, EndOf(step.start, step.inserted), step.removed);
  caret_ = Clamp(step.caretBefore);
  redo_.push_back(std::move(step));
  modified_ = true;
}

void THeadlessSynEdit::Redo() {
  if (redo_.empty()) return;
  TEditStep step = std::move(redo_.back());
  redo_.pop_back();
  Splice(step.start, EndOf(step.start, step.removed), step.inserted);
  caret_ = EndOf(step.start, step.inserted);
  undo_.push_back(std::move(step));
  modified_ = true;
}

std::vector<std::u16string> THeadlessSynEdit::Splice(TBufferCoord start, TBufferCoord end,
                                                     const std::vector<std::u16string>& pieces) {
  const auto first = static_cast<size_t>(start.Line - 1);
  const auto last = static_cast<size_t>(end.Line - 1);
  const auto startChar = static_cast<size_t>(start.Char - 1);
  const auto endChar = static_cast<size_t>(end.Char - 1);

  std::vector<std::u16string> removed;
  if (first == last) {
    removed.push_back(lines_[first].substr(startChar, endChar - startChar));
  } else {
    removed.push_back(lines_[first].substr(startChar));
    for (size_t i = first + 1; i < last; ++i) removed.push_back(lines_[i]);
    removed.push_back(lines_[last].substr(0, endChar));
  }

  std::vector<std::u16string> replacement = pieces;
  replacement.front().insert(0, lines_[first], 0, startChar);
  replacement.back() += std::u16string_view(lines_[last]).substr(endChar);

  const int removedLines = static_cast<int>(last - first + 1);
  const int insertedLines = static_cast<int>(replacement.size());
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
               lines_.begin() + static_cast<std::ptrdiff_t>(last + 1));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(replacement.begin()),
                std::make_move_iterator(replacement.end()));
  states_.LinesReplaced(static_cast<int>(first), removedLines, insertedLines);
  NotifyLineCountChange(start.Line, removedLines, insertedLines);
  return removed;
}

TBufferCoord THeadlessSynEdit::EndOf(TBufferCoord start, const std::vector<std::u16string>& pieces) {
  const int breaks = static_cast<int>(pieces.size()) - 1;
  if (breaks == 0) return {start.Char + Length(pieces.front()), start.Line};
  return {Length(pieces.back()) + 1, start.Line + breaks};
}

void THeadlessSynEdit::NotifyLineCountChange(int firstLine, int removed, int inserted) {
  // The first line of the block stays; lines come or go after it.
  if (inserted > removed)
    for (TSynEditPlugin* plugin : Plugins()) plugin->LinesInserted(firstLine + removed, inserted - removed);
  else if (removed > inserted)
    for (TSynEditPlugin* plugin : Plugins()) plugin->LinesDeleted(firstLine + inserted, removed - inserted);
}

// ---- Painting -------------------------------------------------------------

TPoint THeadlessSynEdit::BufferToPixel(TBufferCoord position) const {
  return {kGutterWidth + (position.Char - 1) * kCharWidth, (LineToRow(position.Line) - topRow_) * kLineHeight};
}

int THeadlessSynEdit::TextWidth(const std::u16string& text) const { return kCharWidth * Length(text); }

void THeadlessSynEdit::SetPixel(int x, int y, uint32_t color) { pixels_[{x, y}] = color; }

std::optional<uint32_t> THeadlessSynEdit::PixelAt(int x, int y) const {
  const auto found = pixels_.find({x, y});
  if (found == pixels_.end()) return std::nullopt;
  return found->second;
}

void THeadlessSynEdit::SetVisibleRows(int rows) { visibleRows_ = std::max(rows, 1); }

void THeadlessSynEdit::Repaint() {
  // A paint draws the whole client area afresh, the rows below the text
  // included.
  pixels_.clear();
  const TRect clip{0, 0, clipWidth_, visibleRows_ * kLineHeight};
  NotifyAfterPaint(clip, topRow_, topRow_ + visibleRows_ - 1);
}

} // namespace qm
