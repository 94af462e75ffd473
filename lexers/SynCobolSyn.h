// The COBOL lexer for fixed-form source. Comment lines and literals are
// checked. The line is cut by columns first (sequence area, indicator, code
// area, tag area); see SynCobolSyn.cpp.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynCobolSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkAreaAIdentifier, tkBoolean, tkComment, tkDebugLines, tkIdentifier, tkIndicator, tkKey, tkNull, tkNumber,
    tkPreprocessor, tkSequence, tkSpace, tkString, tkTagArea, tkUnknown,
  };
  // RangeState values.
  enum TRangeState : uint32_t {
    rsUnknown = 0,           // normal code
    rsQuoteString = 1,       // inside a double-quoted literal
    rsAposString = 2,        // inside a single-quoted literal
    rsPseudoText = 3,        // inside "==" pseudo-text
    rsQuoteStringMayBe = 4,  // a double-quoted literal filled the code area; waits for a continuation line
    rsAposStringMayBe = 5,   // the same for a single-quoted literal
  };

  static constexpr std::string_view kLanguageName = "COBOL";

  TSynCobolSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"COBOL"; }

  // A value this lexer never produces reads as normal code.
  void SetRangeState(uint32_t state) override { range_ = state <= rsAposStringMayBe ? state : rsUnknown; }
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override { return byKind_[kind_]; }
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // Column settings, as 0-based character indexes: area A starts at
  // AreaAStartPos (the indicator is the character before it, the sequence
  // area everything before that), area B at AreaBStartPos, and CodeEndPos is
  // the last index of the code area (the tag area follows). The setters keep
  // 0 <= AreaAStartPos <= AreaBStartPos <= CodeEndPos by limiting the value
  // given to the range the other two settings leave.
  int AreaAStartPos() const { return areaAStart_; }
  int AreaBStartPos() const { return areaBStart_; }
  int CodeEndPos() const { return codeEnd_; }
  void SetAreaAStartPos(int value);
  void SetAreaBStartPos(int value);
  void SetCodeEndPos(int value);

private:
  char16_t Indicator() const;
  int CodeLimit() const;
  char16_t CodeCh(int index) const { return index < CodeLimit() ? Ch(index) : u'\0'; }
  void SequenceProc();
  void IndicatorProc();
  void CodeAreaToken();
  void Dispatch(char16_t ch);
  void SpaceProc();
  void LiteralOpen(char16_t quote);
  void LiteralBody(char16_t quote);
  void PseudoTextBody();
  void ContinuationProc();
  bool DigitsStartWord() const;
  void NumberProc();
  void WordProc();
  void UnknownProc();

  TKeywordTable keywords_;
  int areaAStart_ = 7;
  int areaBStart_ = 11;
  int codeEnd_ = 71;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[tkUnknown + 1] = {};
};

} // namespace qm
