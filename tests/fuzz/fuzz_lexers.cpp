// Drives one lexer of the set, chosen by the first byte, over the rest of the
// input as a multi-line document; any break of the token contract aborts.
#include "lexers/LexerSet.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qm::TLexerSet set;
  if (size == 0) return 0;
  qm::TSynCustomHighlighter& lexer = *set.At(data[0] % set.Count());
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto lines = qm::test::DocumentLines(qm::test::Utf16(bytes));
  const std::string fault = qm::test::CheckLexerInvariants(lexer, lines);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s: %s\n", lexer.LanguageName().c_str(), fault.c_str());
    std::abort();
  }
  return 0;
}
