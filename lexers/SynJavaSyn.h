// The Java lexer. Comments, documentation comments ("/** */") and string and
// character literals are checked.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <span>
#include <string_view>

namespace qm {

class TSynJavaSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkComment, tkDocument, tkIdentifier, tkInvalid, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol,
  };
  // RangeState values; 3 is the state of normal code and of a new document.
  enum TRangeState : uint32_t {
    rsComment = 1,        // block comment
    rsDocument = 2,       // documentation comment
    rsUnknown = 3,        // normal code
  };

  static constexpr std::string_view kLanguageName = "Java";

  TSynJavaSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Java"; }

  void ResetRangeState() override { range_ = rsUnknown; }
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;
  // "$", ASCII letters and digits, "_", and the letters of codes 192 to 214,
  // 216 to 246 and 248 to 255.
  bool IsIdentifierChar(char16_t ch) const override;

  // The 52 keywords.
  static std::span<const std::string_view> Keywords();

private:
  void Dispatch(char16_t ch);
  void SymbolProc(int length);
  void SlashProc();
  void CommentBody();
  void StringProc(char16_t quote);
  void IdentProc();
  void NumberProc();
  static bool IsIdentStartChar(char16_t ch);

  TKeywordTable keywords_;
  int kind_ = tkNull;
  TSynHighlighterAttributes* byKind_[10] = {};
};

} // namespace qm
