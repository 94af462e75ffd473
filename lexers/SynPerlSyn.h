// The Perl lexer. Comments and quoted strings are the checked parts; every
// line is lexed on its own (no state across lines).
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynPerlSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkOperator, tkPragma, tkSpace, tkString, tkSymbol,
    tkUnknown, tkVariable,
  };

  static constexpr std::string_view kLanguageName = "Perl";

  TSynPerlSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Perl"; }

  // No state: always 0.
  void ResetRangeState() override {}
  void SetRangeState(uint32_t) override {}
  uint32_t RangeState() const override { return 0; }

  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void CommentProc();
  void DoubleQuoteProc();
  void SingleQuoteProc();
  void DollarProc();
  void SigilProc();
  void WordProc();
  void NumberProc();
  void Token(TtkTokenKind kind, int length);

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[12] = {};
};

} // namespace qm
