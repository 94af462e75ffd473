#include "ui/LexerHighlighter.h"

#include "lexers/LexerHost.h"
#include "ui/ColorRef.h"

#include <QFont>
#include <QTextBlock>
#include <QTextDocument>

#include <exception>

namespace qm {

namespace {

// Which colouring a block was last coloured with.
struct TColorStamp : QTextBlockUserData {
  int generation = 0;
};

} // namespace

TLexerHighlighter::TLexerHighlighter(QTextDocument* document, const TBlockCharMap& chars)
    : QSyntaxHighlighter(static_cast<QObject*>(nullptr)), chars_(chars) {
  // Owned by the editor, not by the document it colours.
  setDocument(document);
}

void TLexerHighlighter::SetLexer(TSynCustomHighlighter* lexer) {
  if (lexer == lexer_) return;
  lexer_ = lexer;
  formats_.clear();
  rehighlight();
}

void TLexerHighlighter::SetDefaultColors(const QColor& foreground, const QColor& background) {
  defaultForeground_ = foreground;
  defaultBackground_ = background;
}

bool TLexerHighlighter::ColorsCurrent(const QTextBlock& block) const {
  const auto* stamp = static_cast<const TColorStamp*>(block.userData());
  return !lexer_ || (stamp && stamp->generation == colorGeneration_);
}

uint32_t TLexerHighlighter::StateAfter(const QTextBlock& block) {
  if (!lexer_ || !block.isValid()) return 0;
  if (block.userState() == -1) rehighlight();
  return DecodeState(block.userState());
}

void TLexerHighlighter::highlightBlock(const QString& text) {
  if (!lexer_) {
    setCurrentBlockState(EncodeState(0));
    return;
  }
  auto* stamp = static_cast<TColorStamp*>(currentBlockUserData());
  if (!stamp) setCurrentBlockUserData(stamp = new TColorStamp);
  stamp->generation = colorGeneration_;
  const int index = currentBlock().blockNumber();
  const int previous = previousBlockState();
  const uint32_t before = index == 0 || previous == -1 ? 0 : DecodeState(previous);
  const std::u16string line = chars_.FromDisplay(text);
  BeginLine(*lexer_, line, index, before);
  while (!lexer_->AtLineEnd()) {
    const int length = static_cast<int>(lexer_->TokenText().size());
    if (const TSynHighlighterAttributes* attribute = lexer_->TokenAttribute(); attribute && length > 0)
      ApplyToken(lexer_->TokenStart(), length, *attribute);
    lexer_->NextToken();
  }
  setCurrentBlockState(EncodeState(lexer_->RangeState()));
}

void TLexerHighlighter::ApplyToken(int start, int length, const TSynHighlighterAttributes& attribute) {
  const QColor ownForeground = QColorFromColorRef(attribute.Foreground());
  const QColor ownBackground = QColorFromColorRef(attribute.Background());
  QColor foreground = ownForeground.isValid() ? ownForeground : defaultForeground_;
  QColor background = ownBackground.isValid() ? ownBackground : defaultBackground_;
  if (specialColor_) {
    const QColor givenForeground = foreground;
    const QColor givenBackground = background;
    try {
      specialColor_(attribute.Name(), foreground, background);
    } catch (const std::exception&) {
      // An error in the window's handler leaves the colours as they were.
    }
    // A colour the handler left alone stays the editor's own when it was.
    if (!ownForeground.isValid() && foreground == givenForeground) foreground = QColor();
    if (!ownBackground.isValid() && background == givenBackground) background = QColor();
  } else {
    foreground = ownForeground;
    background = ownBackground;
  }
  if (!foreground.isValid() && !background.isValid() && attribute.Style() == 0) return;
  setFormat(start, length, FormatFor(attribute, foreground, background));
}

const QTextCharFormat& TLexerHighlighter::FormatFor(const TSynHighlighterAttributes& attribute,
                                                    const QColor& foreground, const QColor& background) {
  TCachedFormat& cached = formats_[&attribute];
  if (cached.built && cached.foreground == foreground && cached.background == background &&
      cached.style == attribute.Style())
    return cached.format;
  QTextCharFormat format;
  if (foreground.isValid()) format.setForeground(foreground);
  if (background.isValid()) format.setBackground(background);
  const uint8_t style = attribute.Style();
  if (style & fsBold) format.setFontWeight(QFont::Bold);
  if (style & fsItalic) format.setFontItalic(true);
  if (style & fsUnderline) format.setFontUnderline(true);
  if (style & fsStrikeOut) format.setFontStrikeOut(true);
  cached = {foreground, background, style, true, format};
  return cached.format;
}

} // namespace qm
