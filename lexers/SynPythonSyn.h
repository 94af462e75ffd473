// The Python lexer. Comments, one-quote strings and triple-quoted strings
// ("Documentation") are the checked parts.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynPythonSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkDocumentation, tkFloat, tkHex, tkIdentifier, tkKey, tkNonKeyword, tkNull, tkNumber, tkOct,
    tkSpace, tkString, tkSymbol, tkSystemDefined, tkUnknown,
  };
  // RangeState values; 2 is normal code and the state of a new document.
  enum TRangeState : uint32_t {
    rsNormal = 2,
    rsSingleTriple = 3,     // inside a string opened with '''
    rsDoubleTriple = 4,     // inside a string opened with """
    rsContinuedString = 5,  // '...' string continued by a trailing backslash
    rsContinuedDouble = 6,  // "..." string continued by a trailing backslash
  };

  static constexpr std::string_view kLanguageName = "Python";

  TSynPythonSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Python"; }

  void ResetRangeState() override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void CommentProc();
  void StringProc();
  void LongStringBody(char16_t quote);
  void ShortStringBody(char16_t quote);
  void ContinuedStringBody();
  void IdentProc();
  void NumberProc();
  void ExponentAndSuffix();
  void ScanDigits(bool (*isDigit)(char16_t));
  void SingleChar(TtkTokenKind kind);
  // Leaves the line inside a continued string of that quote.
  void ContinueString(char16_t quote);

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[15] = {};
};

} // namespace qm
