// The C# lexer. Comments, string literals and single-quoted literals are
// checked; preprocessor lines are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <span>
#include <string_view>

namespace qm {

class TSynCSSyn : public TSynCustomHighlighter {
public:
  // tkAsm is never produced: C# has no assembler keywords, but the
  // "Assembler" attribute belongs to the lexer's attribute list.
  enum TtkTokenKind : int {
    tkAsm, tkComment, tkDirective, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown,
  };
  // RangeState values.
  enum TRangeState : uint32_t {
    rsUnknown = 0,              // normal code
    rsAnsiC = 1,                // block comment
    rsMultiLineDirective = 6,   // preprocessor line continued
    rsDirectiveComment = 7,     // block comment opened in a preprocessor line
    rsMultiLineString = 10,     // string continued by a final backslash
  };

  static constexpr std::string_view kLanguageName = "CSharp";

  TSynCSSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"C#"; }

  void StartLine(std::u16string_view line, int lineIndex) override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // The 75 keywords.
  static std::span<const std::string_view> Keywords();

private:
  void Dispatch(char16_t ch);
  void SymbolProc(int length);
  void UnknownProc();
  void SlashProc();
  void CommentBody();
  void StringBody();
  void CharProc();
  void DirectiveBody();
  void DirectiveEndProc();
  void IdentProc();
  void NumberProc();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  bool openerNext_ = false;  // a preprocessor token stopped before "/*"
  TSynHighlighterAttributes* byKind_[11] = {};
};

} // namespace qm
