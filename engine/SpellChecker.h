// Ties one editor to the checking machinery: the lexer set, the word scanner
// plugin, choosing the lexer for a document, and stepping from misprint to
// misprint.
#pragma once

#include "engine/MisprintRecord.h"
#include "engine/SpellCheckPlugin.h"
#include "engine/SynEdit.h"
#include "lexers/LexerSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qm {

// The extension of a file name (from the last dot after the last "/"),
// lower-cased; its first four characters after the dot, padded with blanks,
// read as a little-endian 32-bit integer.
int32_t ExtensionCode(const std::string& fileName);
// The language name the extension table gives for a code; empty when none.
std::string LanguageForExtensionCode(int32_t code);

class TSpellChecker {
public:
  explicit TSpellChecker(TSynEdit& editor);
  ~TSpellChecker();
  TSpellChecker(const TSpellChecker&) = delete;
  TSpellChecker& operator=(const TSpellChecker&) = delete;

  TSynEdit& Editor() const { return editor_; }
  TSpellCheckPlugin& Plugin() const { return *plugin_; }
  const TLexerSet& Lexers() const { return *lexers_; }

  // Clears the editor, chooses the lexer by extension, loads the text from
  // the stream (or the file when none is given), and when the extension chose
  // nothing sniffs line 1 for XML. Read errors reach the caller.
  void LoadFile(const std::string& fileName, TStream* stream = nullptr);
  // Installs the lexer of that language name, else the fallback multi-lexer.
  void SelectLanguage(std::string_view languageName);

  void PrevMisprint();
  void NextMisprint();
  bool HasPrevMisprint() const;
  bool HasNextMisprint() const;

private:
  const MisprintRecord* FindMisprint(bool next) const;

  TSynEdit& editor_;
  std::unique_ptr<TLexerSet> lexers_;
  std::unique_ptr<TSpellCheckPlugin> plugin_;
};

} // namespace qm
