// The word scanner: walks the document position by position, cuts words,
// skips link-like tokens, asks the lexer which token each word stands in, and
// tests the words whose token attribute is in the check scope. A full check
// records every misprint in Misprints; painting underlines the misprints of
// the painted rows with a red wave.
#pragma once

#include "engine/MemoryCache.h"
#include "engine/SynEdit.h"
#include "platform/StringList.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace qm {

struct TCheckOptions {
  bool IgnoreNumbers = true;     // words holding a digit are correct
  bool IgnoreUppercase = true;   // words that upper-casing leaves alone are correct
  bool IgnoreMixedcase = false;  // words in mixed case are correct
  int32_t MaxWordLength = 32;    // longer words are correct; 0 or less: no limit
};

class TSpellCheckPlugin : public TSynEditPlugin {
public:
  explicit TSpellCheckPlugin(TSynEdit& editor);

  TSynEdit& Editor() const { return Owner(); }
  TCheckOptions CheckOptions;
  // Attribute names whose words are checked; case-insensitive, unsorted.
  TStringList Scope;
  TMemoryCache Misprints{12};
  uint32_t MisprintColor = 0x0000FF;  // red, as 0x00BBGGRR

  // Clears Misprints and records every misprint of the document.
  void CheckAll();
  void ScanLines(int firstLine, int lastLine, const TRect* clip, bool painting);
  void AfterPaint(const TRect& clip, int firstRow, int lastRow) override;
  bool IsCorrectWord(const std::u16string& word, const TCheckOptions& options);
  void PaintUnderline(int x, int y, int width);

private:
  struct Token {
    int start;  // 1-based column of the first character
    TSynHighlighterAttributes* attribute;
  };
  // The tokens of a line, lexed once from the state stored before it.
  void LexLineTokens(int line, const std::u16string& text);
  TSynHighlighterAttributes* AttributeAt(int column) const;
  // Whether the attribute's name is in Scope; remembered per attribute for
  // the length of one scan (Scope does not change during a scan).
  bool InScope(const TSynHighlighterAttributes* attribute);
  // The ignored words and the dictionaries' verdict on a word, remembered
  // until any of them changes.
  bool DictionariesAccept(const std::u16string& word);

  std::vector<Token> tokens_;
  std::vector<std::pair<const TSynHighlighterAttributes*, bool>> scopeOfAttribute_;
  std::unordered_map<std::u16string, bool> verdicts_;
  uint64_t verdictGeneration_ = ~uint64_t{0};
};

} // namespace qm
