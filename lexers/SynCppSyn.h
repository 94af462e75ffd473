// The C and C++ lexer. Comments and string literals are checked; character
// literals, preprocessor lines and assembler code are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <span>
#include <string_view>

namespace qm {

class TSynCppSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkAsm, tkComment, tkDirective, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace,
    tkString, tkSymbol, tkUnknown, tkChar, tkFloat, tkHex, tkOctal,
  };
  // RangeState values.
  enum TRangeState : uint32_t {
    rsUnknown = 0,           // normal code
    rsAnsiC = 1,             // block comment
    rsAnsiCAsm = 2,          // block comment opened in an assembler statement
    rsAnsiCAsmBlock = 3,     // block comment opened in an assembler block
    rsAsm = 4,               // assembler statement, up to ";"
    rsAsmBlock = 5,          // assembler block, up to "}"
    rsDirectiveComment = 7,  // block comment opened in a preprocessor line
    rsMultiLineString = 10,  // string continued by a final backslash
    rsMultiLineDirective = 11, // preprocessor line continued or resumed
  };

  static constexpr std::string_view kLanguageName = "CandCPlusPlus";

  TSynCppSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"C/C++"; }

  void StartLine(std::u16string_view line, int lineIndex) override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override;
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

  // The 95 keywords, "asm", "_asm" and "__asm" among them.
  static std::span<const std::string_view> Keywords();

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void SymbolProc(int length);
  void UnknownProc();
  void SlashProc();
  void CommentBody();
  void CloseComment();
  void StringBody();
  void CharProc();
  void DirectiveProc();
  void DirectiveBody();
  void DirectiveEndProc();
  void IdentProc();
  void NumberProc();
  // Whether ch (either case) occurs in the scan copy from index from up to,
  // not including, index to.
  bool Occurs(int from, int to, char16_t lower) const;

  TKeywordTable keywords_;
  int kind_ = tkNull;
  bool asmStart_ = false;  // the current token opened an assembler region
  bool hashLine_ = false;  // the line's first character above code 32 is "#"
  bool openerNext_ = false; // a preprocessor token stopped before "/*"
  TSynHighlighterAttributes* byKind_[15] = {};
};

} // namespace qm
