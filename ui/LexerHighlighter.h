// Colours the editor's text with one of our lexers. Every block is lexed from
// the state the block above ended in, and the state after it is kept as the
// block's state (the lexer's RangeState + 1: Qt reads -1 as "not lexed yet"),
// so a construct that spans lines is coloured right on every line; after an
// edit Qt re-lexes the following blocks until one ends in its old state.
// Each token takes its attribute's colours and style; just before, a handler
// may change the two colours by the attribute's name (the window fades the
// tokens outside the check scope that way). When the handler's answers
// change, the blocks are re-coloured as they come into view, not all at once:
// on a large file that would take long for every step of a slider.
#pragma once

#include "lexers/SynHighlighter.h"
#include "ui/BlockCharMap.h"

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

class QTextBlock;

namespace qm {

class TLexerHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

public:
  // The attribute's name, and the token's colours as it will be painted (the
  // editor's own colours stand in for clNone).
  using TSpecialColorHandler = std::function<void(const std::string& name, QColor& foreground, QColor& background)>;

  // The lines are read through chars (the editor's stand-ins turned back).
  TLexerHighlighter(QTextDocument* document, const TBlockCharMap& chars);

  TSynCustomHighlighter* Lexer() const { return lexer_; }
  // Installs a lexer (none: plain text) and re-lexes the whole document.
  void SetLexer(TSynCustomHighlighter* lexer);
  void SetSpecialColorHandler(TSpecialColorHandler handler) { specialColor_ = std::move(handler); }
  // The colours standing in for clNone: the editor's text and background.
  void SetDefaultColors(const QColor& foreground, const QColor& background);
  // The handler's answers changed: every block's colours are out of date
  // until it is re-coloured.
  void MarkColorsStale() { ++colorGeneration_; }
  bool ColorsCurrent(const QTextBlock& block) const;
  void Recolor(const QTextBlock& block) { rehighlightBlock(block); }

  // The lexer's state after the block, lexing the document first when some
  // block was never lexed. 0 without a lexer.
  uint32_t StateAfter(const QTextBlock& block);

  static int EncodeState(uint32_t state) { return static_cast<int>(state + 1u); }
  static uint32_t DecodeState(int blockState) { return static_cast<uint32_t>(blockState) - 1u; }

protected:
  void highlightBlock(const QString& text) override;

private:
  // The last format built for an attribute, with what it was built from (an
  // invalid colour: the editor's own).
  struct TCachedFormat {
    QColor foreground;
    QColor background;
    uint8_t style = 0;
    bool built = false;
    QTextCharFormat format;
  };
  void ApplyToken(int start, int length, const TSynHighlighterAttributes& attribute);
  const QTextCharFormat& FormatFor(const TSynHighlighterAttributes& attribute, const QColor& foreground,
                                   const QColor& background);

  const TBlockCharMap& chars_;
  TSynCustomHighlighter* lexer_ = nullptr;
  TSpecialColorHandler specialColor_;
  int colorGeneration_ = 0;
  QColor defaultForeground_{Qt::black};
  QColor defaultBackground_{Qt::white};
  std::unordered_map<const TSynHighlighterAttributes*, TCachedFormat> formats_;
};

} // namespace qm
