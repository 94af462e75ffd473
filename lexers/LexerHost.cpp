#include "lexers/LexerHost.h"

namespace qm {

void BeginLine(TSynCustomHighlighter& lexer, std::u16string_view line, int lineIndex, uint32_t stateBefore) {
  if (lineIndex == 0)
    lexer.ResetRangeState();
  else
    lexer.SetRangeState(stateBefore);
  lexer.StartLine(line, lineIndex);
}

void ForEachToken(TSynCustomHighlighter& lexer, const std::function<void(const TLexedToken&)>& visit) {
  while (!lexer.AtLineEnd()) {
    visit(TLexedToken{lexer.TokenStart(), static_cast<int>(lexer.TokenText().size()), lexer.TokenAttribute(),
                      lexer.TokenKind()});
    lexer.NextToken();
  }
}

std::vector<TLexedToken> LexLine(TSynCustomHighlighter& lexer, std::u16string_view line, int lineIndex,
                                 uint32_t stateBefore) {
  std::vector<TLexedToken> tokens;
  BeginLine(lexer, line, lineIndex, stateBefore);
  ForEachToken(lexer, [&](const TLexedToken& token) { tokens.push_back(token); });
  return tokens;
}

TSynHighlighterAttributes* AttributeAtColumn(TSynCustomHighlighter& lexer, std::u16string_view line, int lineIndex,
                                             uint32_t stateBefore, int column) {
  if (column < 1 || column > static_cast<int>(line.size())) return nullptr;
  BeginLine(lexer, line, lineIndex, stateBefore);
  while (!lexer.AtLineEnd()) {
    const int start = lexer.TokenStart() + 1;
    if (start <= column && column < start + static_cast<int>(lexer.TokenText().size())) return lexer.TokenAttribute();
    lexer.NextToken();
  }
  return nullptr;
}

std::vector<uint32_t> LexDocument(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines) {
  std::vector<uint32_t> states;
  states.reserve(lines.size());
  uint32_t state = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    BeginLine(lexer, lines[i], static_cast<int>(i), state);
    while (!lexer.AtLineEnd()) lexer.NextToken();
    state = lexer.RangeState();
    states.push_back(state);
  }
  return states;
}

} // namespace qm
