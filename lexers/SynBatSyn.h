// The MS-DOS batch file lexer. Only comments are checked: "rem" and "::"
// lines. There is no string kind, so quoted text is never checked. It keeps
// no state across lines.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynBatSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkUnknown, tkVariable,
  };

  static constexpr std::string_view kLanguageName = "MS-DOS_Batch";

  TSynBatSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"MS-DOS Batch"; }

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
  void ColonProc();
  void VariableProc();
  void IdentProc();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[tkVariable + 1] = {};
};

} // namespace qm
