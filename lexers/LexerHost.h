// What the hosts of a lexer (editor, word scanner, tests) do with it: lex a
// line from the state before it, find the attribute at a column, and lex a
// whole document keeping the state after every line.
#pragma once

#include "lexers/SynHighlighter.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct TLexedToken {
  int start = 0;   // 0-based
  int length = 0;
  TSynHighlighterAttributes* attribute = nullptr;
  int kind = 0;
};

// Sets the state for line lineIndex (reset for the first line, stateBefore
// for the others) and starts the line.
void BeginLine(TSynCustomHighlighter& lexer, std::u16string_view line, int lineIndex, uint32_t stateBefore);

// Calls visit for every token of the line, which must have been begun.
void ForEachToken(TSynCustomHighlighter& lexer, const std::function<void(const TLexedToken&)>& visit);

// Every token of the line; RangeState() afterwards is the state after it.
std::vector<TLexedToken> LexLine(TSynCustomHighlighter& lexer, std::u16string_view line, int lineIndex,
                                 uint32_t stateBefore);

// The attribute of the token covering the 1-based column, or none when the
// column lies outside the line.
TSynHighlighterAttributes* AttributeAtColumn(TSynCustomHighlighter& lexer, std::u16string_view line, int lineIndex,
                                             uint32_t stateBefore, int column);

// Lexes every line in order; answers the state after each line.
std::vector<uint32_t> LexDocument(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines);

} // namespace qm
