// One lexer object for every language the checker can classify, in a fixed
// order: position 0, the markup multi-lexer, is the fallback for documents
// whose language is not recognised. The XML, CSS, JavaScript, PHP, Perl,
// Python and Ruby lexers also serve as the multi-lexer's schemes, and the HTML
// lexer as its default lexer.
#pragma once

#include "lexers/SynHighlighter.h"

#include <memory>
#include <string_view>
#include <vector>

namespace qm {

class TSynMultiSyn;

class TLexerSet {
public:
  TLexerSet();
  ~TLexerSet();
  TLexerSet(const TLexerSet&) = delete;
  TLexerSet& operator=(const TLexerSet&) = delete;

  int Count() const { return static_cast<int>(lexers_.size()); }
  TSynCustomHighlighter* At(int index) const { return lexers_.at(static_cast<size_t>(index)).get(); }
  // The lexer whose LanguageName equals name exactly; none when absent.
  TSynCustomHighlighter* Find(std::string_view languageName) const;
  TSynCustomHighlighter* Fallback() const { return At(0); }
  TSynMultiSyn* Multi() const { return multi_; }

private:
  std::vector<std::unique_ptr<TSynCustomHighlighter>> lexers_;
  TSynMultiSyn* multi_ = nullptr;
};

} // namespace qm
