// The JavaScript lexer, used for .js files and for scripts inside HTML (its
// states 0 and 1 fit the four bits the multi-lexer keeps for it). Comments and
// string literals are checked.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <span>
#include <string_view>

namespace qm {

class TSynJScriptSyn : public TSynCustomHighlighter {
public:
  // tkUnknown (a character no rule claims) is shown as "Identifier".
  enum TtkTokenKind : int {
    tkComment, tkIdentifier, tkKey, tkNonReservedKey, tkEvent, tkNull, tkNumber, tkSpace, tkString, tkSymbol,
    tkUnknown,
  };
  // RangeState values.
  enum TRangeState : uint32_t {
    rsUnknown = 0,  // normal code
    rsAnsiC = 1,    // block comment
  };

  static constexpr std::string_view kLanguageName = "JavaScript";

  TSynJScriptSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"JavaScript"; }

  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // The word classes, 399 words in all: "ReservedWord", "NonreservedKeyword"
  // (global objects, functions and common members) and "Event" (handler
  // names such as "onclick").
  static std::span<const std::string_view> ReservedWords();
  static std::span<const std::string_view> NonReservedKeywords();
  static std::span<const std::string_view> Events();

private:
  void Dispatch(char16_t ch);
  void SymbolProc(int length);
  void SlashProc();
  void CommentBody();
  void StringProc(char16_t quote);
  void IdentProc();
  void NumberProc();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[11] = {};
};

} // namespace qm
