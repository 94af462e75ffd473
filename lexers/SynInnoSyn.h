// The Inno Setup script lexer. Comments, double-quoted strings and the values
// after "=" are checked; sections, constants and parameter names are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynInnoSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkConstant, tkIdentifier, tkKey, tkNull, tkNumber, tkParameter, tkSection, tkSpace, tkString,
    tkSymbol, tkUnknown,
  };

  static constexpr std::string_view kLanguageName = "InnoSetupScript";

  TSynInnoSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Inno Setup Script"; }

  // Every line is lexed on its own: there is no state to carry.
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
  void SymbolProc();
  void UnknownProc(int length);
  void SemicolonProc();
  void StringProc();
  void EqualProc();
  void SectionProc();
  void ConstantProc();
  void NumberProc();
  void WordProc();
  // Whether only blanks stand before the scan position.
  bool FirstOnLine() const;

  TKeywordTable parameters_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[12] = {};
};

} // namespace qm
