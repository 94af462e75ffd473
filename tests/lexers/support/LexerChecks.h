// Shared checks for lexer tests: the token invariants every lexer must keep,
// the golden rendering of a document, and the golden-file runner.
#pragma once

#include "lexers/LexerHost.h"

#include <string>
#include <vector>

namespace qm::test {

bool SameTokens(const std::vector<TLexedToken>& a, const std::vector<TLexedToken>& b);

// Empty when the lexer keeps its contract over the lines lexed in order:
// tokens are non-empty, contiguous and cover each line exactly, the line ends
// right after the last token, and lexing a line again from the same state
// gives the same tokens and end state. Otherwise the first fault found.
std::string CheckLexerInvariants(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines);

// The document as UTF-8 text with "{AttributeName}" at the start of every
// line and wherever the attribute changes ("{None}" for a token without one).
std::string RenderTokens(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines);

// For every sample in tests/lexers/samples/<folder>/ (any file not ending in
// ".golden"): compares RenderTokens with <sample>.golden, checks that CR LF
// and LF line ends lex alike, that re-lexing each line from its stored state
// (in reverse order) gives the tokens of the one-pass lexing, and the
// invariants. With QM_REGEN_GOLDEN=1 in the environment the golden files are
// written instead (review them before committing).
void RunGoldenFolder(TSynCustomHighlighter& lexer, const std::string& folder);

// The path of tests/lexers/samples.
std::string SamplesFolder();

} // namespace qm::test
