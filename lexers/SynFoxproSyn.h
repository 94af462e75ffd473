// The FoxPro lexer. "&&" comments, "*" comment lines, quoted strings and
// "{...}" literals are checked. It keeps no state across lines.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynFoxproSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown,
  };

  static constexpr std::string_view kLanguageName = "Foxpro";

  TSynFoxproSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Foxpro"; }

  // No state: every line is lexed on its own.
  void ResetRangeState() override {}
  void SetRangeState(uint32_t) override {}
  uint32_t RangeState() const override { return 0; }

  void StartLine(std::u16string_view line, int lineIndex) override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override { return byKind_[kind_]; }
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void CommentToLineEnd();
  void AmpersandProc();
  void StarProc();
  void StringProc(char16_t quote);
  void BraceProc();
  void DotProc();
  void NumberProc();
  void IdentProc();
  void SymbolProc(int length);

  TKeywordTable keywords_;
  int kind_ = tkNull;
  int firstText_ = -1;  // index of the line's first character above code 32, found on demand
  TSynHighlighterAttributes* byKind_[tkUnknown + 1] = {};
};

} // namespace qm
