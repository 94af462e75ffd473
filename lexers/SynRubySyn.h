// The Ruby lexer. Comments and quoted strings are the checked parts; every
// line is lexed from scratch and the state value stays 0.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TSynRubySyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkSecondKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol,
  };

  static constexpr std::string_view kLanguageName = "Ruby";

  TSynRubySyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Ruby"; }

  // The state value is stored but always 0: lines never carry a construct.
  void ResetRangeState() override { range_ = 0; }
  void SetRangeState(uint32_t) override { range_ = 0; }

  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // The words given the attribute "SecondReservedWord" (matched in any
  // letter case). Setting the list replaces it.
  const std::vector<std::string>& SecondKeyWords() const { return secondKeyWords_; }
  void SetSecondKeyWords(std::vector<std::string> words);

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void CommentProc();
  void StringProc(char16_t quote);
  void WordProc();
  void NumberProc();

  TKeywordTable keywords_;
  TKeywordTable secondKeywords_;
  std::vector<std::string> secondKeyWords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[9] = {};
};

} // namespace qm
