#include "ui/SynEditWidget.h"

#include "engine/WordFunctions.h"
#include "lexers/LexerHost.h"
#include "ui/ColorRef.h"
#include "ui/EditorGutter.h"
#include "ui/LexerHighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace qm {

namespace {

const std::u16string kNoLine;

// Blocks farther than this from the first visible one are placed by their
// row number instead of by walking the blocks in between.
constexpr int kWalkLimit = 400;
constexpr int kWheelNotch = 120;
// Right of the line numbers.
constexpr int kGutterRightPad = 6;
constexpr int kGutterNumberGap = 4;

int Length(const std::u16string& text) { return static_cast<int>(text.size()); }

QFont FixedFont(int pixelSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(pixelSize);
  return font;
}

int DecimalDigits(int value) {
  int digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

// Runs a handler of the window inside a paint: an error is dropped, as for
// every event handler, instead of ending the program inside Qt.
template <typename Call>
void Guarded(Call&& call) {
  try {
    call();
  } catch (const std::exception&) {
  }
}

} // namespace

TSynEditWidget::TSynEditWidget(QWidget* parent) : QPlainTextEdit(parent), gutterFont_(FixedFont(kGutterPixelSize)) {
  setFrameShape(QFrame::NoFrame);
  setFont(FixedFont(kTextPixelSize));
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  gutterColor_ = palette().color(QPalette::Button);

  connect(document(), &QTextDocument::contentsChange, this, &TSynEditWidget::OnContentsChange);
  highlighter_ = std::make_unique<TLexerHighlighter>(document(), chars_);
  highlighter_->SetDefaultColors(palette().color(QPalette::Text), palette().color(QPalette::Base));

  gutter_ = new TEditorGutter(*this);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { UpdateGutterWidth(); });
  connect(this, &QPlainTextEdit::updateRequest, this, &TSynEditWidget::UpdateGutter);
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this,
          [this](int, int maximum) { ExtendScrollRange(maximum); });
  connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
          [this] { ExtendScrollRange(verticalScrollBar()->maximum()); });
  ApplyFontMetrics();
  UpdateGutterWidth();
  setEnabled(false);
}

TSynEditWidget::~TSynEditWidget() {
  // The document outlives this part of the object: no more calls from it.
  document()->disconnect(this);
  highlighter_.reset();
}

// ---- Lines and rows -------------------------------------------------------

const std::u16string& TSynEditWidget::LineText(int line) const {
  if (line < 1 || line > LineCount()) return kNoLine;
  return lines_[static_cast<size_t>(line - 1)];
}

int TSynEditWidget::RowCount() const { return lines_.empty() ? 0 : document()->lineCount(); }

int TSynEditWidget::RowToLine(int row) const {
  const int rows = RowCount();
  if (row < 1) return row;
  if (row > rows) return LineCount() + row - rows;
  return document()->findBlockByLineNumber(row - 1).blockNumber() + 1;
}

int TSynEditWidget::LineToRow(int line) const {
  const int lines = LineCount();
  if (line < 1) return line;
  if (line > lines) return RowCount() + line - lines;
  return document()->findBlockByNumber(line - 1).firstLineNumber() + 1;
}

int TSynEditWidget::TopRow() const { return verticalScrollBar()->value() + 1; }

void TSynEditWidget::SetTopRow(int row) {
  ExtendScrollRange(verticalScrollBar()->maximum());
  verticalScrollBar()->setValue(std::clamp(row, 1, std::max(RowCount(), 1)) - 1);
}

void TSynEditWidget::ExtendScrollRange(int maximum) {
  // The last row may be scrolled up to the top of the text area.
  const int wanted = std::max(document()->lineCount() - 1, 0);
  if (maximum < wanted) verticalScrollBar()->setMaximum(wanted);
}

bool TSynEditWidget::WordWrap() const { return lineWrapMode() == QPlainTextEdit::WidgetWidth; }

void TSynEditWidget::SetWordWrap(bool on) {
  setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

int TSynEditWidget::VisibleRowCount() const { return std::max(viewport()->height() / LineHeight(), 1); }

// ---- Caret and positions --------------------------------------------------

TBufferCoord TSynEditWidget::Clamp(TBufferCoord position) const {
  if (lines_.empty()) return {1, 1};
  TBufferCoord result;
  result.Line = std::clamp(position.Line, 1, LineCount());
  result.Char = std::clamp(position.Char, 1, Length(LineText(result.Line)) + 1);
  return result;
}

int TSynEditWidget::PositionOf(TBufferCoord position) const {
  const TBufferCoord clamped = Clamp(position);
  return document()->findBlockByNumber(clamped.Line - 1).position() + clamped.Char - 1;
}

TBufferCoord TSynEditWidget::CoordOf(int position) const {
  const QTextBlock block = document()->findBlock(position);
  return {position - block.position() + 1, block.blockNumber() + 1};
}

TBufferCoord TSynEditWidget::CaretXY() const { return CoordOf(textCursor().position()); }

void TSynEditWidget::SetCaretXY(TBufferCoord position) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(PositionOf(position));
  setTextCursor(cursor);
}

void TSynEditWidget::EnsureCaretCentred() {
  const QTextCursor cursor = textCursor();
  const QTextBlock block = cursor.block();
  document()->documentLayout()->blockBoundingRect(block);  // lays the block out
  const QTextLine line = block.layout()->lineForTextPosition(cursor.positionInBlock());
  const int row = block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0) + 1;
  SetTopRow(row - (VisibleRowCount() - 1) / 2);
}

// ---- Lexer ----------------------------------------------------------------

TSynCustomHighlighter* TSynEditWidget::Highlighter() const { return highlighter_->Lexer(); }

void TSynEditWidget::SetHighlighter(TSynCustomHighlighter* lexer) { highlighter_->SetLexer(lexer); }

uint32_t TSynEditWidget::RangeStateBefore(int line) {
  TSynCustomHighlighter* lexer = Highlighter();
  if (!lexer) return 0;
  const int index = std::min(line - 1, LineCount());
  if (index <= 0) {
    lexer->ResetRangeState();
    return lexer->RangeState();
  }
  return highlighter_->StateAfter(document()->findBlockByNumber(index - 1));
}

bool TSynEditWidget::GetHighlighterAttriAtRowCol(TBufferCoord position, TSynHighlighterAttributes*& attribute) {
  attribute = nullptr;
  TSynCustomHighlighter* lexer = Highlighter();
  if (!lexer || position.Line < 1 || position.Line > LineCount()) return false;
  const std::u16string& text = LineText(position.Line);
  if (position.Char < 1 || position.Char > Length(text)) return false;
  const uint32_t before = RangeStateBefore(position.Line);
  attribute = AttributeAtColumn(*lexer, text, position.Line - 1, before, position.Char);
  return attribute != nullptr;
}

// ---- Whole document -------------------------------------------------------

void TSynEditWidget::ReplaceDocument(std::vector<std::u16string> lines) {
  chars_.Choose(lines);
  QString text;
  size_t size = lines.size();
  for (const std::u16string& line : lines) size += line.size();
  text.reserve(static_cast<qsizetype>(size));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += chars_.ToDisplay(lines[i]);
  }
  loading_ = true;
  setPlainText(text);
  loading_ = false;
  lines_ = std::move(lines);
  document()->clearUndoRedoStacks();
  document()->setModified(false);
  SetCaretXY({1, 1});
  SetTopRow(1);
}

void TSynEditWidget::ClearAll() {
  format_ = TTextFormat{};
  ReplaceDocument({});
}

void TSynEditWidget::LoadFromFile(const std::string& path) {
  TTextDocument loaded = LoadTextFile(path);
  format_ = loaded.format;
  ReplaceDocument(std::move(loaded.lines));
}

void TSynEditWidget::LoadFromStream(TStream& stream) {
  TTextDocument loaded = DecodeTextFile(stream.ReadRest());
  format_ = loaded.format;
  ReplaceDocument(std::move(loaded.lines));
}

void TSynEditWidget::SaveToFile(const std::string& path) { format_ = SaveTextFile(path, lines_, format_); }

bool TSynEditWidget::Modified() const { return document()->isModified(); }

void TSynEditWidget::SetModified(bool modified) { document()->setModified(modified); }

void TSynEditWidget::OnContentsChange(int position, int /*removed*/, int added) {
  if (loading_) return;
  const QTextDocument* doc = document();
  const int blocks = doc->blockCount();
  if (lines_.empty()) {
    if (blocks == 1 && doc->firstBlock().length() <= 1) return;  // still without text
    lines_.emplace_back();
  }
  // Blocks first .. lastNew hold the change; the blocks after them are the
  // old lines after lastOld.
  const int lastChar = std::max(doc->characterCount() - 1, 0);
  const QTextBlock firstBlock = doc->findBlock(std::clamp(position, 0, lastChar));
  const int first = firstBlock.blockNumber();
  const int lastNew = std::max(first, doc->findBlock(std::clamp(position + added, 0, lastChar)).blockNumber());
  const int oldCount = LineCount();
  const int lastOld = oldCount - blocks + lastNew;
  if (first > oldCount || lastOld < first - 1 || lastOld >= oldCount) {
    RebuildLines();
    return;
  }

  std::vector<std::u16string> fresh;
  fresh.reserve(static_cast<size_t>(lastNew - first + 1));
  QTextBlock block = firstBlock;
  for (int i = first; i <= lastNew && block.isValid(); ++i, block = block.next())
    fresh.push_back(chars_.FromDisplay(block.text()));
  const int removedLines = lastOld - first + 1;
  const int insertedLines = static_cast<int>(fresh.size());
  const auto begin = lines_.begin() + first;
  if (removedLines == insertedLines && std::equal(fresh.begin(), fresh.end(), begin)) return;  // colours only

  lines_.erase(begin, begin + removedLines);
  lines_.insert(lines_.begin() + first, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  NotifyLineCountChange(first + 1, removedLines, insertedLines);
  emit Changed();
}

void TSynEditWidget::RebuildLines() {
  const int oldCount = LineCount();
  lines_.clear();
  for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
    lines_.push_back(chars_.FromDisplay(block.text()));
  NotifyLineCountChange(1, oldCount, LineCount());
  emit Changed();
}

void TSynEditWidget::NotifyLineCountChange(int firstLine, int removed, int inserted) {
  // The first line of the block stays; lines come or go after it.
  if (inserted > removed)
    for (TSynEditPlugin* plugin : Plugins()) plugin->LinesInserted(firstLine + removed, inserted - removed);
  else if (removed > inserted)
    for (TSynEditPlugin* plugin : Plugins()) plugin->LinesDeleted(firstLine + inserted, removed - inserted);
}

// ---- Editing --------------------------------------------------------------

void TSynEditWidget::ReplaceRange(TBufferCoord start, TBufferCoord end, const std::u16string& text) {
  if (lines_.empty()) lines_.emplace_back();  // the document's one empty block becomes a line
  int from = PositionOf(start);
  int to = PositionOf(end);
  if (to < from) std::swap(from, to);
  if (from == to && text.empty()) return;
  QTextCursor cursor(document());
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  cursor.beginEditBlock();
  cursor.insertText(chars_.ToDisplay(text));
  cursor.endEditBlock();
  setTextCursor(cursor);
}

bool TSynEditWidget::CanUndo() const { return document()->isUndoAvailable(); }

bool TSynEditWidget::CanRedo() const { return document()->isRedoAvailable(); }

void TSynEditWidget::Undo() {
  if (!CanUndo()) return;
  undo();
  SetModified(true);
}

void TSynEditWidget::Redo() {
  if (!CanRedo()) return;
  redo();
  SetModified(true);
}

void TSynEditWidget::InsertLineBreak() {
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  const QString text = cursor.block().text();
  const int column = cursor.positionInBlock();
  int indent = 0;
  while (indent < column && (text[indent] == u' ' || text[indent] == u'\t')) ++indent;
  cursor.insertText(QLatin1Char('\n') + text.left(indent));
  cursor.endEditBlock();
  setTextCursor(cursor);
}

void TSynEditWidget::InsertTabBlanks() {
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  int column = 0;  // on screen, tabs expanded
  for (QChar ch : cursor.block().text().left(cursor.positionInBlock()))
    column = ch == u'\t' ? (column / kTabWidth + 1) * kTabWidth : column + 1;
  cursor.insertText(QString(kTabWidth - column % kTabWidth, u' '));
  cursor.endEditBlock();
  setTextCursor(cursor);
}

// ---- Selection and clipboard ----------------------------------------------

bool TSynEditWidget::SelAvail() const { return textCursor().hasSelection(); }

int TSynEditWidget::SelectionLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

TBufferCoord TSynEditWidget::BlockBegin() const { return CoordOf(textCursor().selectionStart()); }

TBufferCoord TSynEditWidget::BlockEnd() const { return CoordOf(textCursor().selectionEnd()); }

void TSynEditWidget::SetSelection(TBufferCoord start, TBufferCoord end) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(PositionOf(start));
  cursor.setPosition(PositionOf(end), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

std::u16string TSynEditWidget::SelectedText() const {
  if (!SelAvail()) return {};
  const TBufferCoord from = BlockBegin();
  const TBufferCoord to = BlockEnd();
  const auto piece = [&](int line, int startChar, int endChar) {
    const std::u16string& text = LineText(line);
    const auto first = static_cast<size_t>(std::min(startChar - 1, Length(text)));
    const auto last = static_cast<size_t>(std::min(endChar - 1, Length(text)));
    return text.substr(first, last - first);
  };
  if (from.Line == to.Line) return piece(from.Line, from.Char, to.Char);
  std::u16string text = piece(from.Line, from.Char, Length(LineText(from.Line)) + 1);
  for (int line = from.Line + 1; line < to.Line; ++line) text += u'\n' + LineText(line);
  return text + u'\n' + piece(to.Line, 1, to.Char);
}

void TSynEditWidget::Cut() { cut(); }

void TSynEditWidget::Copy() { copy(); }

void TSynEditWidget::Paste() { paste(); }

bool TSynEditWidget::CanPaste() const { return canPaste(); }

void TSynEditWidget::DeleteSelection() {
  QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return;
  cursor.removeSelectedText();
  setTextCursor(cursor);
}

void TSynEditWidget::SelectAll() { selectAll(); }

QMimeData* TSynEditWidget::createMimeDataFromSelection() const {
  QMimeData* data = QPlainTextEdit::createMimeDataFromSelection();
  if (data && data->hasText()) {
    const std::u16string text = chars_.FromDisplay(data->text());
    data->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
  }
  return data;
}

// ---- Keyboard, mouse, wheel -----------------------------------------------

void TSynEditWidget::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) return Undo();
  if (event->matches(QKeySequence::Redo)) return Redo();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (!isReadOnly() && modifiers == Qt::NoModifier) {
    // Shift+Enter too: Qt would insert a line separator inside the line.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return InsertLineBreak();
    if (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier)) return InsertTabBlanks();
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TSynEditWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return QPlainTextEdit::mousePressEvent(event);
  // The context menu acts on the word under the caret: put it where the
  // user clicked, unless the click is inside the selection it may act on.
  const QTextCursor clicked = cursorForPosition(event->position().toPoint());
  const QTextCursor current = textCursor();
  const int position = clicked.position();
  if (!current.hasSelection() || position < current.selectionStart() || position >= current.selectionEnd())
    setTextCursor(clicked);
  event->accept();
}

void TSynEditWidget::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  if (delta.y() == 0 && delta.x() != 0) return QPlainTextEdit::wheelEvent(event);  // sideways
  event->accept();
  WheelScroll(delta.y());
}

void TSynEditWidget::WheelScroll(int delta) {
  if (delta == 0) return;
  if (std::abs(delta) < kWheelNotch) {
    // A fine-grained wheel (touch pad): a notch's worth makes one step.
    if ((wheelRest_ < 0) != (delta < 0)) wheelRest_ = 0;
    wheelRest_ += delta;
    if (std::abs(wheelRest_) < kWheelNotch) return;
  }
  wheelRest_ = 0;
  ScrollToLine(*this, TopRow() + (delta < 0 ? kWheelRows : -kWheelRows));
}

// ---- Look -----------------------------------------------------------------

void TSynEditWidget::SetSpecialAttriColorHandler(TSpecialAttriColorHandler handler) {
  highlighter_->SetSpecialColorHandler(std::move(handler));
  RefreshSyntaxColors();
}

void TSynEditWidget::RefreshSyntaxColors() {
  highlighter_->MarkColorsStale();
  RecolorVisibleBlocks();
  viewport()->update();
}

void TSynEditWidget::RecolorVisibleBlocks() {
  if (!Highlighter()) return;
  QTextBlock block = firstVisibleBlock();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  const int bottom = viewport()->height();
  for (; block.isValid() && top <= bottom; block = block.next()) {
    if (!highlighter_->ColorsCurrent(block)) highlighter_->Recolor(block);
    top += blockBoundingRect(block).height();
  }
}

void TSynEditWidget::SetGutterPaintHandler(TGutterPaintHandler handler) {
  gutterPaint_ = std::move(handler);
  gutter_->update();
}

void TSynEditWidget::SetGutterColor(const QColor& color) {
  gutterColor_ = color;
  gutter_->update();
}

void TSynEditWidget::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (!gutter_) return;  // still being built
  if (event->type() == QEvent::FontChange) {
    ApplyFontMetrics();
    UpdateGutterWidth();
  } else if (event->type() == QEvent::PaletteChange) {
    highlighter_->SetDefaultColors(palette().color(QPalette::Text), palette().color(QPalette::Base));
    RefreshSyntaxColors();
  }
}

void TSynEditWidget::ApplyFontMetrics() {
  const QFontMetricsF metrics(font());
  spaceWidth_ = metrics.horizontalAdvance(QLatin1Char(' '));
  setTabStopDistance(kTabWidth * spaceWidth_);
  // A row is as high as the text layout makes a line of this font.
  QTextLayout probe(QStringLiteral("x"), font());
  probe.beginLayout();
  QTextLine line = probe.createLine();
  line.setLineWidth(1e6);
  const qreal height = line.height();
  probe.endLayout();
  lineHeight_ = std::max(qRound(height), 1);
}

int TSynEditWidget::TextWidth(const std::u16string& text) const {
  return qRound(QFontMetricsF(font()).horizontalAdvance(
      QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()))));
}

// ---- Gutter ---------------------------------------------------------------

int TSynEditWidget::GutterWidth() const {
  const int digits = std::max(3, DecimalDigits(document()->blockCount()));
  const int numbers = qCeil(QFontMetricsF(gutterFont_).horizontalAdvance(QLatin1Char('9')) * digits);
  return kGutterMarkLeft + kGutterMarkWidth + kGutterNumberGap + numbers + kGutterRightPad;
}

void TSynEditWidget::UpdateGutterWidth() {
  const int width = GutterWidth();
  if (viewportMargins().left() != width) setViewportMargins(width, 0, 0, 0);
  const QRect area = contentsRect();
  gutter_->setGeometry(area.left(), area.top(), width, area.height());
}

void TSynEditWidget::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateGutterWidth();
}

void TSynEditWidget::UpdateGutter(const QRect& rect, int dy) {
  if (dy != 0)
    gutter_->scroll(0, dy);
  else
    gutter_->update(0, rect.y(), gutter_->width(), rect.height());
}

void TSynEditWidget::PaintGutter(QPaintEvent& event) {
  QPainter painter(gutter_);
  const QRect area = event.rect();
  painter.fillRect(area, gutterColor_);
  if (lines_.empty()) return;
  painter.setFont(gutterFont_);
  const int width = gutter_->width();
  const int rowHeight = LineHeight();
  QTextBlock block = firstVisibleBlock();
  qreal top = BlockTop(block);
  while (block.isValid() && top <= area.bottom()) {
    const qreal height = blockBoundingRect(block).height();
    if (top + height >= area.top()) {
      const int line = block.blockNumber() + 1;
      const QRect rect(0, qRound(top), width, qRound(height));
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(QRect(0, rect.top(), width - kGutterRightPad, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(line));
      if (gutterPaint_) Guarded([&] { gutterPaint_(line, painter, rect); });
    }
    top += height;
    block = block.next();
  }
}

// ---- Painting -------------------------------------------------------------

qreal TSynEditWidget::BlockTop(const QTextBlock& block) const {
  const int number = block.blockNumber();
  if (painter_ && number >= paintFirstBlock_ && number - paintFirstBlock_ < static_cast<int>(paintTops_.size()))
    return paintTops_[static_cast<size_t>(number - paintFirstBlock_)];
  QTextBlock walker = firstVisibleBlock();
  qreal top = blockBoundingGeometry(walker).translated(contentOffset()).top();
  const int distance = number - walker.blockNumber();
  if (std::abs(distance) > kWalkLimit)
    return top + (LineToRow(number + 1) - LineToRow(walker.blockNumber() + 1)) * LineHeight();
  for (; distance > 0 && walker.blockNumber() < number; walker = walker.next())
    top += blockBoundingRect(walker).height();
  for (; distance < 0 && walker.blockNumber() > number;) {
    walker = walker.previous();
    top -= blockBoundingRect(walker).height();
  }
  return top;
}

TPoint TSynEditWidget::BufferToPixel(TBufferCoord position) const {
  const int gutter = painter_ ? paintGutterWidth_ : GutterWidth();
  const QTextBlock block = document()->findBlockByNumber(position.Line - 1);
  if (lines_.empty() || position.Line < 1 || !block.isValid()) {
    // Off the text: where the row would be, at the column's width in blanks.
    const qreal x = document()->documentMargin() + (position.Char - 1) * spaceWidth_;
    const int row = LineToRow(position.Line);
    return {gutter + qRound(x + contentOffset().x()), (row - TopRow()) * LineHeight()};
  }
  const qreal top = BlockTop(block);
  document()->documentLayout()->blockBoundingRect(block);  // lays the block out
  const QTextLayout* layout = block.layout();
  const int length = block.length() - 1;
  const int index = std::clamp(position.Char - 1, 0, length);
  const QTextLine line = layout->lineForTextPosition(index);
  if (!line.isValid()) return {gutter, qRound(top)};
  qreal x = line.cursorToX(index);
  if (position.Char - 1 > length) x += (position.Char - 1 - length) * spaceWidth_;
  return {gutter + qRound(x + contentOffset().x()), qRound(top + line.y())};
}

bool TSynEditWidget::PaintedRows(const QRect& area, int& firstRow, int& lastRow) {
  firstRow = lastRow = 0;
  if (lines_.empty()) return false;
  QTextBlock block = firstVisibleBlock();
  paintFirstBlock_ = block.blockNumber();
  paintTops_.clear();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  const int bottom = viewport()->height();
  for (; block.isValid() && top <= bottom; block = block.next()) {
    paintTops_.push_back(top);
    const QTextLayout* layout = block.layout();
    const int rowBase = block.firstLineNumber() + 1;
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const qreal y = top + line.y();
      if (y + line.height() <= area.top() || y > area.bottom()) continue;
      if (firstRow == 0) firstRow = rowBase + i;
      lastRow = rowBase + i;
    }
    top += blockBoundingRect(block).height();
  }
  return firstRow > 0;
}

void TSynEditWidget::paintEvent(QPaintEvent* event) {
  RecolorVisibleBlocks();  // blocks scrolled into view since the colours changed
  QPlainTextEdit::paintEvent(event);
  if (Plugins().empty()) return;
  QPainter painter(viewport());
  painter_ = &painter;
  paintGutterWidth_ = GutterWidth();
  const QRect area = event->rect();
  int firstRow = 0;
  int lastRow = 0;
  if (PaintedRows(area, firstRow, lastRow)) {
    const TRect clip{area.left() + paintGutterWidth_, area.top(), area.left() + area.width() + paintGutterWidth_,
                     area.top() + area.height()};
    Guarded([&] { NotifyAfterPaint(clip, firstRow, lastRow); });
    FlushPixels();
  }
  painter_ = nullptr;
  paintTops_.clear();
}

void TSynEditWidget::SetPixel(int x, int y, uint32_t color) {
  if (!painter_ || !IsColorRef(color)) return;
  auto batch = std::find_if(pixels_.begin(), pixels_.end(), [&](const TPixelBatch& b) { return b.color == color; });
  if (batch == pixels_.end()) batch = pixels_.insert(pixels_.end(), TPixelBatch{color, {}});
  batch->points.emplace_back(x - paintGutterWidth_, y);
}

void TSynEditWidget::FlushPixels() {
  for (const TPixelBatch& batch : pixels_) {
    painter_->setPen(QPen(QColorFromColorRef(batch.color), 1));
    painter_->drawPoints(batch.points.data(), static_cast<int>(batch.points.size()));
  }
  pixels_.clear();
}

void TSynEditWidget::Repaint() {
  // Marked first, the gutter is painted in the same pass as the text.
  gutter_->update();
  viewport()->repaint();
}

} // namespace qm
