#include "LexerChecks.h"

#include "TestText.h"

#include <algorithm>
#include <cstdlib>

namespace qm::test {

namespace {

std::string Where(size_t line, const std::u16string& text) {
  return "line " + std::to_string(line + 1) + " \"" + Utf8(text) + "\": ";
}

// Walks one line's tokens with a bound, so a lexer that never reaches the
// line end is reported instead of hanging the test.
std::string CollectTokens(TSynCustomHighlighter& lexer, const std::u16string& text, std::vector<TLexedToken>& tokens) {
  tokens.clear();
  const size_t limit = text.size() + 2;
  while (!lexer.AtLineEnd()) {
    if (tokens.size() > limit) return "more tokens than characters";
    tokens.push_back(TLexedToken{lexer.TokenStart(), static_cast<int>(lexer.TokenText().size()),
                                 lexer.TokenAttribute(), lexer.TokenKind()});
    lexer.NextToken();
  }
  return {};
}

std::string CheckCoverage(const std::vector<TLexedToken>& tokens, const std::u16string& text) {
  int expected = 0;
  for (const auto& token : tokens) {
    if (token.length <= 0) return "empty token at " + std::to_string(token.start);
    if (token.start != expected)
      return "token at " + std::to_string(token.start) + " where " + std::to_string(expected) + " was expected";
    expected += token.length;
  }
  if (expected != static_cast<int>(text.size()))
    return "tokens end at " + std::to_string(expected) + " of " + std::to_string(text.size());
  return {};
}

} // namespace

bool SameTokens(const std::vector<TLexedToken>& a, const std::vector<TLexedToken>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TLexedToken& x, const TLexedToken& y) {
    return x.start == y.start && x.length == y.length && x.attribute == y.attribute && x.kind == y.kind;
  });
}

std::string CheckLexerInvariants(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines) {
  uint32_t state = 0;
  std::vector<TLexedToken> first;
  std::vector<TLexedToken> second;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::u16string& text = lines[i];
    BeginLine(lexer, text, static_cast<int>(i), state);
    std::string fault = CollectTokens(lexer, text, first);
    if (fault.empty()) fault = CheckCoverage(first, text);
    if (!fault.empty()) return Where(i, text) + fault;
    const uint32_t after = lexer.RangeState();

    BeginLine(lexer, text, static_cast<int>(i), state);
    fault = CollectTokens(lexer, text, second);
    if (!fault.empty()) return Where(i, text) + fault;
    if (!SameTokens(first, second) || lexer.RangeState() != after)
      return Where(i, text) + "lexing again from the same state differs";
    state = after;
  }
  return {};
}

std::string RenderTokens(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines) {
  std::string out;
  uint32_t state = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    BeginLine(lexer, lines[i], static_cast<int>(i), state);
    const TSynHighlighterAttributes* previous = nullptr;
    bool first = true;
    while (!lexer.AtLineEnd()) {
      const TSynHighlighterAttributes* attribute = lexer.TokenAttribute();
      if (first || attribute != previous) out += "{" + (attribute ? attribute->Name() : std::string("None")) + "}";
      out += Utf8(lexer.TokenText());
      previous = attribute;
      first = false;
      lexer.NextToken();
    }
    state = lexer.RangeState();
    out += "\n";
  }
  return out;
}

} // namespace qm::test
