// The Eiffel lexer. "--" comments and double-quoted strings are the checked
// parts; every line is lexed from scratch.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynEiffelSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkBasicTypes, tkComment, tkIdentifier, tkKey, tkLace, tkNull, tkOperatorAndSymbols, tkPredefined,
    tkResultValue, tkSpace, tkString, tkUnknown,
  };
  // The state value after a line: stored for the host, never read back.
  enum TRangeState : uint32_t {
    rsUnknown = 0,
    rsEiffelComment = 1,  // the line ended in a comment
    rsString = 2,         // the line ended inside an unterminated string
  };

  static constexpr std::string_view kLanguageName = "Eiffel";

  TSynEiffelSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Eiffel"; }

  void StartLine(std::u16string_view line, int lineIndex) override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void CommentProc();
  void StringProc();
  void WordProc();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[12] = {};
};

} // namespace qm
