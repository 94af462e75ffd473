// The lexer for Borland form files (.dfm, .xfm). String values and "{ }"
// comments are checked; property names, object names and numbers are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynDfmSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown,
  };
  // RangeState values.
  enum TRangeState : uint32_t {
    rsComment = 1,  // inside a "{ }" comment
    rsUnknown = 2,  // normal (the first line's state)
  };

  static constexpr std::string_view kLanguageName = "BorlandForms";

  TSynDfmSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Borland Forms"; }

  void ResetRangeState() override { range_ = rsUnknown; }
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void SymbolProc();
  void UnknownProc();
  void CommentOpenProc();
  void CommentContinuation();
  void CloseBraceProc();
  void StringProc();
  void CharCodeProc();
  void HexProc();
  void NumberProc();
  void WordProc();
  // The rest of a comment from index from: through the first "}" (the state
  // becomes normal) or to the end of the line.
  void CommentBody(int from);

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[9] = {};
};

} // namespace qm
