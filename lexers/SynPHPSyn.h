// The PHP lexer, used for .php files and for PHP blocks inside HTML (its
// states 0 to 4 fit the four bits the multi-lexer keeps for it). Scans a
// lower-cased copy of the line. Comments and string literals are checked;
// variables inside double-quoted strings are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <span>
#include <string_view>

namespace qm {

class TSynPHPSyn : public TSynCustomHighlighter {
public:
  // tkUnknown (a character above code 126 that no rule claims) is shown as
  // "Identifier".
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkVariable, tkUnknown,
  };
  // RangeState values.
  enum TRangeState : uint32_t {
    rsUnknown = 0,       // normal code
    rsString39 = 1,      // single-quoted string
    rsString34 = 2,      // double-quoted string
    rsComment = 3,       // block comment
    rsVarExpansion = 4,  // a variable inside a double-quoted string comes next
  };

  static constexpr std::string_view kLanguageName = "PHP";

  TSynPHPSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"PHP"; }

  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // The 56 keywords, in lower case.
  static std::span<const std::string_view> Keywords();

private:
  void Dispatch(char16_t ch);
  void SymbolProc(int length);
  void LineCommentProc(int openerLength);
  void SlashProc();
  void CommentBody();
  void StringBody(char16_t quote);
  void VariableProc();
  void VariableInString();
  int BracedEnd(int open) const;
  int IndexEnd(int open) const;
  int NameEnd(int from) const;
  bool IsEscaped(int index) const;
  void IdentProc();
  void NumberProc();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[10] = {};
};

} // namespace qm
