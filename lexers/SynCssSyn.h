// The CSS lexer. Comments and double-quoted strings are the checked parts;
// selectors, properties and values are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

namespace qm {

class TSynCssSyn : public TSynCustomHighlighter {
public:
  // Line states; 1 is not used.
  enum TRangeState : uint32_t {
    rsComment = 0,
    rsInBraces = 2,      // declarations
    rsSelector = 3,      // outside braces
    rsAfterSemicolon = 4,
    rsValue = 5,         // after ":" or ","
  };

  enum TTokenKind : int {
    tkComment = 0,
    tkProperty = 1,
    tkReservedWord = 2,
    tkEndOfLine = 3,
    tkSpace = 4,
    tkString = 5,
    tkSymbol = 6,
    tkText = 7,          // registered, never produced
    tkUndefinedProperty = 8,
    tkValue = 9,
    tkColorValue = 10,
    tkNumber = 11,
  };

  TSynCssSyn();

  std::string LanguageName() const override { return "CascadingStyleSheet"; }
  std::u16string FriendlyLanguageName() const override { return u"Cascading Style Sheet"; }

  // A comment that runs over lines carries the state it returns to at "*/"
  // in the line state, so re-lexing a line from its stored state gives the
  // same tokens whatever this object lexed before: 0 returns outside braces
  // (the common case), kCommentReturning + s returns to state s.
  void ResetRangeState() override;
  void SetRangeState(uint32_t state) override;
  uint32_t RangeState() const override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // The state a comment returns to at "*/": saved when "/*" was lexed.
  uint32_t CommentReturnState() const { return commentReturnState_; }
  static constexpr uint32_t kCommentReturning = 8;

private:
  void Dispatch();
  void Whitespace();
  void String();
  void Colour();
  void Number();
  void Slash();
  void CommentStep();
  void CommentBody();
  void SelectorStep();
  void Word();
  void Symbol(uint32_t newState);

  TKeywordTable properties_;
  int kind_ = tkEndOfLine;
  uint32_t commentReturnState_ = rsSelector;
  TSynHighlighterAttributes* property_;
  TSynHighlighterAttributes* reservedWord_;
  TSynHighlighterAttributes* undefinedProperty_;
  TSynHighlighterAttributes* space_;
  TSynHighlighterAttributes* colorValue_;
  TSynHighlighterAttributes* number_;
  TSynHighlighterAttributes* symbol_;
  TSynHighlighterAttributes* text_;
  TSynHighlighterAttributes* value_;
  TSynHighlighterAttributes* comment_;
  TSynHighlighterAttributes* string_;
};

} // namespace qm
