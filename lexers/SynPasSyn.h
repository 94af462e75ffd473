// The Object Pascal lexer. Comments and string literals are checked;
// compiler directives, character codes and assembler code are not.
#pragma once

#include "lexers/KeywordTable.h"
#include "lexers/SynHighlighter.h"

#include <string_view>

namespace qm {

class TSynPasSyn : public TSynCustomHighlighter {
public:
  enum TtkTokenKind : int {
    tkAsm, tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown,
    tkFloat, tkHex, tkDirec, tkChar,
  };
  // RangeState values; 0 is not used.
  enum TRangeState : uint32_t {
    rsAnsi = 1,          // inside a "(* *)" comment
    rsAnsiAsm = 2,       // inside a "(* *)" comment opened in an assembler block
    rsAsm = 3,           // assembler block, "asm" up to "end"
    rsBor = 4,           // inside a "{ }" comment
    rsBorAsm = 5,        // inside a "{ }" comment opened in an assembler block
    rsProperty = 6,      // property declaration, "property" up to ";"
    rsExports = 7,       // exports clause, "exports" up to ";"
    rsDirective = 8,     // inside a "{$ }" compiler directive
    rsDirectiveAsm = 9,  // inside a "{$ }" directive opened in an assembler block
    rsUnknown = 10,      // normal code (the first line's state)
  };

  static constexpr std::string_view kLanguageName = "ObjectPascal";

  TSynPasSyn();

  std::string LanguageName() const override { return std::string(kLanguageName); }
  std::u16string FriendlyLanguageName() const override { return u"Object Pascal"; }

  void ResetRangeState() override { range_ = rsUnknown; }
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override;
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch(char16_t ch);
  void SpaceProc();
  void SymbolProc(int length);
  void UnknownProc();
  void BraceOpenProc();
  void RoundOpenProc();
  void SlashProc();
  void StringProc();
  void CharCodeProc();
  void HexProc();
  void NumberProc();
  void SemicolonProc();
  void IdentProc();
  // The rest of a "{ }" comment or directive, and of a "(* *)" comment, from
  // the scan position; both close the construct when they reach its closer.
  void BraceBody();
  void AnsiBody();
  // Continuation of a construct left open by the previous line.
  void Continuation();

  TKeywordTable keywords_;
  int kind_ = tkNull;
  bool asmStart_ = false;  // the current token is the "asm" that opened the block
  TSynHighlighterAttributes* byKind_[14] = {};
};

} // namespace qm
