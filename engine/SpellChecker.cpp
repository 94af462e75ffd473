#include "engine/SpellChecker.h"

#include "diagnostics/Keypoints.h"
#include "diagnostics/StringHelpers.h"
#include "engine/MisprintRecord.h"
#include "engine/WordFunctions.h"
#include "persistence/Utf8Text.h"
#include "platform/CaseMap.h"

#include <unordered_map>

namespace qm {

namespace {

struct ExtensionRow {
  const char* languageName;
  std::initializer_list<const char*> extensions;
};

// Only the first four characters of an extension count ("phtml" is "phtm").
const ExtensionRow kExtensionTable[] = {
    {"CandCPlusPlus", {"c", "h", "cc", "hs", "c++", "cpp", "hpp", "cxx", "hxx"}},
    {"Eiffel", {"e"}},
    {"Fortran", {"f", "f90", "f77", "ftn", "for"}},
    {"ObjectPascal", {"p", "pp", "inc", "dpr", "lpr", "pas"}},
    {"Ruby", {"rb"}},
    {"VisualBasic", {"vb", "frm", "bas", "vbpr"}},
    {"Perl", {"pl", "pm"}},
    {"CSharp", {"cs", "cspr"}},
    {"JavaScript", {"js"}},
    {"Python", {"py"}},
    {"COBOL", {"cob"}},
    {"UNIXShellScript", {"bsh"}},
    {"XML", {"xml"}},
    {"BorlandForms", {"dfm", "lfm"}},
    {"x86Assembly", {"asm"}},
    {"PHP", {"php", "php3", "php4", "php5", "phtm", "phps"}},
    {"MS-VBScript", {"vbs"}},
    {"CascadingStyleSheet", {"css"}},
    {"InnoSetupScript", {"iss"}},
    {"MS-DOS_Batch", {"bat"}},
    {"Java", {"java", "clas"}},
};

const std::unordered_map<int32_t, std::string>& ExtensionCodes() {
  static const std::unordered_map<int32_t, std::string> codes = [] {
    std::unordered_map<int32_t, std::string> table;
    for (const auto& row : kExtensionTable)
      for (const char* extension : row.extensions)
        table.emplace(static_cast<int32_t>(FourCharCode(extension)), row.languageName);
    return table;
  }();
  return codes;
}

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

// Line 1 without surrounding blanks and control characters, lower-cased.
std::string FirstLineForSniff(const TSynEdit& editor) {
  std::u16string line = editor.LineCount() > 0 ? editor.LineText(1) : std::u16string();
  size_t first = 0;
  size_t last = line.size();
  while (first < last && line[first] <= 32) ++first;
  while (last > first && line[last - 1] <= 32) --last;
  return EncodeUtf8Text(WideLowerCase(line.substr(first, last - first)));
}

} // namespace

int32_t ExtensionCode(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  const size_t dot = fileName.rfind('.');
  std::string extension;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    extension = AsciiLower(fileName.substr(dot + 1, 4));
  return static_cast<int32_t>(FourCharCode(extension));
}

std::string LanguageForExtensionCode(int32_t code) {
  const auto it = ExtensionCodes().find(code);
  return it == ExtensionCodes().end() ? std::string() : it->second;
}

TSpellChecker::TSpellChecker(TSynEdit& editor)
    : editor_(editor), lexers_(std::make_unique<TLexerSet>()), plugin_(std::make_unique<TSpellCheckPlugin>(editor)) {}

TSpellChecker::~TSpellChecker() {
  editor_.SetHighlighter(nullptr);
  plugin_.reset();
  lexers_.reset();
}

void TSpellChecker::SelectLanguage(std::string_view languageName) {
  if (lexers_->Count() == 0) {
    Keypoint(10173373, -1);
    return;
  }
  TSynCustomHighlighter* lexer = lexers_->Find(languageName);
  editor_.SetHighlighter(lexer ? lexer : lexers_->Fallback());
}

void TSpellChecker::LoadFile(const std::string& fileName, TStream* stream) {
  const std::string language = LanguageForExtensionCode(ExtensionCode(fileName));
  editor_.ClearAll();
  editor_.SetHighlighter(nullptr);
  if (!language.empty()) SelectLanguage(language);
  if (stream)
    editor_.LoadFromStream(*stream);
  else
    editor_.LoadFromFile(fileName);
  if (editor_.Highlighter()) return;
  const std::string first = FirstLineForSniff(editor_);
  if (first.rfind("<?xml", 0) == 0 || first.find("xmlns=\"") != std::string::npos)
    SelectLanguage("XML");
  else
    SelectLanguage("");
}

// The misprint before or after the caret's word, as the navigation finds it.
const MisprintRecord* TSpellChecker::FindMisprint(bool next) const {
  TBufferCoord position = editor_.CaretXY();
  std::u16string word;
  WordAtCaret(editor_, position, word);
  const TMemoryCache& store = plugin_->Misprints;
  const bool atMisprint = store.Find(TMemoryCache::fmExact, MisprintKey(position.Line, position.Char)) != nullptr;
  if (atMisprint) position.Char += next ? static_cast<int>(word.size()) + 1 : -1;
  return static_cast<const MisprintRecord*>(
      store.Find(next ? TMemoryCache::fmNext : TMemoryCache::fmPrevious, MisprintKey(position.Line, position.Char)));
}

namespace {

void GoTo(TSynEdit& editor, const MisprintRecord& misprint) {
  editor.SetCaretXY({misprint.column, misprint.line});
  editor.EnsureCaretCentred();
  editor.SetFocus();
}

} // namespace

void TSpellChecker::PrevMisprint() {
  if (const MisprintRecord* misprint = FindMisprint(false)) GoTo(editor_, *misprint);
}

void TSpellChecker::NextMisprint() {
  if (const MisprintRecord* misprint = FindMisprint(true)) GoTo(editor_, *misprint);
}

bool TSpellChecker::HasPrevMisprint() const { return FindMisprint(false) != nullptr; }

bool TSpellChecker::HasNextMisprint() const { return FindMisprint(true) != nullptr; }

} // namespace qm
