#include "lexers/LexerSet.h"

#include "lexers/SynAsmSyn.h"
#include "lexers/SynBatSyn.h"
#include "lexers/SynCSharpSyn.h"
#include "lexers/SynCobolSyn.h"
#include "lexers/SynCppSyn.h"
#include "lexers/SynCssSyn.h"
#include "lexers/SynDfmSyn.h"
#include "lexers/SynEiffelSyn.h"
#include "lexers/SynFortranSyn.h"
#include "lexers/SynFoxproSyn.h"
#include "lexers/SynHTMLSyn.h"
#include "lexers/SynInnoSyn.h"
#include "lexers/SynJScriptSyn.h"
#include "lexers/SynJavaSyn.h"
#include "lexers/SynMultiSyn.h"
#include "lexers/SynPHPSyn.h"
#include "lexers/SynPasSyn.h"
#include "lexers/SynPerlSyn.h"
#include "lexers/SynPythonSyn.h"
#include "lexers/SynRubySyn.h"
#include "lexers/SynVBSyn.h"
#include "lexers/SynXMLSyn.h"

namespace qm {

namespace {

struct SchemeSetup {
  int lexerPosition;  // in the set
  const char16_t* startExpr;
  const char16_t* endExpr;
};

// Markup islands: XML, style sheets, scripts and PHP blocks. Perl, Python and
// Ruby are schemes without expressions, which never open.
constexpr SchemeSetup kSchemes[] = {
    {2, u"<xml.*>", u"</xml>"},       {3, u"<style.*>", u"</style>"}, {4, u"<script.*>", u"</script>"},
    {5, u"<\\?php", u"\\?>"},          {6, nullptr, nullptr},          {7, nullptr, nullptr},
    {8, nullptr, nullptr},
};

} // namespace

TLexerSet::TLexerSet() {
  auto multi = std::make_unique<TSynMultiSyn>();
  multi_ = multi.get();
  lexers_.push_back(std::move(multi));
  lexers_.push_back(std::make_unique<TSynHTMLSyn>());
  lexers_.push_back(std::make_unique<TSynXMLSyn>());
  lexers_.push_back(std::make_unique<TSynCssSyn>());
  lexers_.push_back(std::make_unique<TSynJScriptSyn>());
  lexers_.push_back(std::make_unique<TSynPHPSyn>());
  lexers_.push_back(std::make_unique<TSynPerlSyn>());
  lexers_.push_back(std::make_unique<TSynPythonSyn>());
  lexers_.push_back(std::make_unique<TSynRubySyn>());
  lexers_.push_back(std::make_unique<TSynAsmSyn>());
  lexers_.push_back(std::make_unique<TSynCppSyn>());
  lexers_.push_back(std::make_unique<TSynCSSyn>());
  lexers_.push_back(std::make_unique<TSynPasSyn>());
  lexers_.push_back(std::make_unique<TSynDfmSyn>());
  lexers_.push_back(std::make_unique<TSynFortranSyn>());
  lexers_.push_back(std::make_unique<TSynCobolSyn>());
  lexers_.push_back(std::make_unique<TSynEiffelSyn>());
  lexers_.push_back(std::make_unique<TSynFoxproSyn>());
  lexers_.push_back(std::make_unique<TSynJavaSyn>());
  lexers_.push_back(std::make_unique<TSynVBSyn>());
  lexers_.push_back(std::make_unique<TSynBatSyn>());
  lexers_.push_back(std::make_unique<TSynInnoSyn>());

  multi_->SetDefaultHighlighter(At(1));
  for (const auto& setup : kSchemes) {
    TScheme& scheme = multi_->Schemes().Add();
    scheme.SetHighlighter(At(setup.lexerPosition));
    if (!setup.startExpr) continue;
    scheme.SetCaseSensitive(false);
    scheme.SetStartExpr(setup.startExpr);
    scheme.SetEndExpr(setup.endExpr);
  }
}

TLexerSet::~TLexerSet() {
  // The multi-lexer refers to the others: it goes first.
  lexers_.front().reset();
}

TSynCustomHighlighter* TLexerSet::Find(std::string_view languageName) const {
  for (const auto& lexer : lexers_)
    if (lexer->LanguageName() == languageName) return lexer.get();
  return nullptr;
}

} // namespace qm
