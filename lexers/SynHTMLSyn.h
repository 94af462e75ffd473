// HTML lexer. Text outside tags is "Text" (checked), comments are "Comment";
// tag names, attribute names, values and character references are not
// checked.
//
// Special cases:
// - scanning runs on the lower-cased line, so "&AMP;" is a reference and tag
//   names are looked up in lower case;
// - a character reference inside text is found ahead: the text token ends
//   before its "&" and state 0 makes the reference the next token
//   (EntityIndex says which named reference it was);
// - "&#169" without ";" stays text and ends the text token after the digits;
// - a comment ends at a ">" whose two preceding characters in the same line
//   are "--", so "<!-->" is a whole comment and "--" at a line end followed by
//   ">" on the next line does not close one;
// - a step that consumes nothing only changes the state; NextToken then runs
//   the next step at once, so no empty token is reported.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <array>
#include <string_view>

namespace qm {

class TSynHTMLSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkAmpersand = 0,  // character reference
    tkComment = 1,
    tkIdentifier = 2,  // attribute name
    tkKey = 3,         // known tag name
    tkNull = 4,        // end of line
    tkSpace = 5,
    tkSymbol = 6,
    tkText = 7,
    tkUndefKey = 8,  // unknown tag name
    tkValue = 9,
  };
  enum TRangeState : uint32_t {
    rsAmpersand = 0,  // a character reference found ahead is the next token
    rsComment = 1,
    rsKey = 2,    // after "<": the tag name comes next
    rsParam = 3,  // inside a tag, after its name
    rsText = 4,
    rsUnknown = 5,  // not used
    rsValue = 6,    // after "=" inside a tag
    rsQuoteValue = 7,
    rsDoubleQuoteValue = 8,
  };

  static constexpr int kReferenceCount = 249;
  static constexpr int kTagCount = 202;
  // The named references ("&amp;" ...) in lookup order; EntityIndex indexes it.
  static const std::array<std::u16string_view, kReferenceCount>& References();
  // The known tag names (lower case; closing forms with a leading "/").
  static const std::array<std::string_view, kTagCount>& TagNames();

  TSynHTMLSyn();

  std::string LanguageName() const override { return "HTML"; }
  std::u16string FriendlyLanguageName() const override { return u"HTML"; }

  void ResetRangeState() override { range_ = rsText; }
  void StartLine(std::u16string_view line, int lineIndex) override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // Index into References() of the named reference found ahead, -1 if none.
  int EntityIndex() const { return entityIndex_; }

private:
  void Step();
  void Dispatch();
  void EndOfLine();
  void SpaceStep();
  void BreakStep();
  void SymbolStep(TRangeState next);
  void LessThanStep();
  void WordStep();
  void QuotedValueStep();
  void CommentStep();
  void TextStep();
  void ReferenceStep();

  // The end of the line, or a line-break character inside it.
  bool AtBreak() const;
  // Index just past the digits of the numeric reference whose "&" is at pos.
  int NumericReferenceEnd(int pos) const;
  // Index into References() of the entry written at pos, -1 if none.
  int ReferenceAt(int pos) const;
  bool ReferenceMatches(int index, int pos) const;

  TKeywordTable tags_;
  int kind_ = tkNull;
  int entityIndex_ = -1;
  TSynHighlighterAttributes* attributes_[10] = {};
};

} // namespace qm
