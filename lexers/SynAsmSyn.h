// The x86 assembly lexer. ";", "#" and "//" comments and quoted strings are
// checked. It keeps no state across lines.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynAsmSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown,
  };

  static constexpr std::string_view kLanguageName = "x86Assembly";

  TSynAsmSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"x86 Assembly"; }

  // No state: every line is lexed on its own.
  void ResetRangeState() override {}
  void SetRangeState(uint32_t) override {}
  uint32_t RangeState() const override { return 0; }

  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override { return byKind_[kind_]; }
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void CommentToLineEnd();
  void SlashProc();
  void StringProc(char16_t quote);
  void NumberProc();
  void IdentProc();
  void SymbolProc();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[tkUnknown + 1] = {};
};

} // namespace qm
