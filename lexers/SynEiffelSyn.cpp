// Eiffel lexer.
//
// Special cases:
// - "--" starts a comment to the end of the line; "-" alone is an operator.
// - A double-quoted string runs to the next double quote or the end of the
//   line. The "%" escape is not recognised: "%"" ends the string.
// - Single quotes are one-character "OperatorAndSymbols" tokens, so the text
//   of a character constant is not a string.
// - The state value records how the line ended (1 in a comment, 2 in an
//   unterminated string, else 0); no line reads it, every line starts afresh.
// Scanning is case-insensitive, so keyword lists are lower case.
#include "lexers/SynEiffelSyn.h"

#include <iterator>

namespace qm {

namespace {

constexpr std::string_view kResultValues[] = {"result"};

constexpr std::string_view kPredefined[] = {"current", "false", "precursor", "true", "void"};

constexpr std::string_view kBasicTypes[] = {
    "any", "array", "bit", "boolean", "character", "character_8", "character_32", "double", "integer",
    "integer_8", "integer_16", "integer_32", "integer_64", "natural", "natural_8", "natural_16",
    "natural_32", "natural_64", "none", "pointer", "real", "real_32", "real_64", "string", "string_8",
    "string_32", "tuple",
};

constexpr std::string_view kReservedWords[] = {
    "across", "agent", "alias", "all", "and", "as", "assign", "attached", "attribute", "check", "class",
    "convert", "create", "debug", "deferred", "detachable", "do", "else", "elseif", "end", "ensure",
    "expanded", "export", "external", "feature", "from", "frozen", "if", "implies", "indexing", "infix",
    "inherit", "inspect", "invariant", "is", "like", "local", "loop", "not", "note", "obsolete", "old",
    "once", "only", "or", "prefix", "redefine", "rename", "require", "rescue", "retry", "select",
    "separate", "some", "strip", "then", "undefine", "unique", "until", "variant", "when", "xor",
};

// The words of Ace (Lace) system description files.
constexpr std::string_view kLaceWords[] = {
    "adapt", "assertion", "cluster", "default", "exclude", "executable", "generate", "ignore", "include",
    "library", "optimize", "option", "precompiled", "profile", "root", "system", "trace", "visible",
};

bool IsWordChar(char16_t ch) {
  return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') || ch == u'_';
}
bool IsPunctuation(char16_t ch) {
  return (ch >= 33 && ch <= 47) || (ch >= 58 && ch <= 64) || (ch >= 91 && ch <= 96) || (ch >= 123 && ch <= 126);
}
bool IsBreak(char16_t ch) { return ch == u'\n' || ch == u'\r'; }

} // namespace

TSynEiffelSyn::TSynEiffelSyn() {
  SetScanCaseSensitive(false);
  auto* basicTypes = AddAttribute("BasicTypes");
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* lace = AddAttribute("Lace");
  auto* symbols = AddAttribute("OperatorAndSymbols");
  auto* predefined = AddAttribute("Predefined");
  auto* result = AddAttribute("ResultValue");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  basicTypes->SetForeground(0x800000);
  basicTypes->SetStyle(fsBold);
  comment->SetForeground(0x808080);
  comment->SetStyle(fsItalic);
  key->SetStyle(fsBold);
  lace->SetForeground(0x000080);
  predefined->SetForeground(0x008080);
  result->SetForeground(0x008080);
  result->SetStyle(fsBold);
  string->SetForeground(0x008000);
  SaveAttributeDefaults();

  byKind_[tkBasicTypes] = basicTypes;
  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkLace] = lace;
  byKind_[tkOperatorAndSymbols] = symbols;
  byKind_[tkPredefined] = predefined;
  byKind_[tkResultValue] = result;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kResultValues) keywords_.Add(word, tkResultValue);
  for (std::string_view word : kPredefined) keywords_.Add(word, tkPredefined);
  for (std::string_view word : kBasicTypes) keywords_.Add(word, tkBasicTypes);
  for (std::string_view word : kReservedWords) keywords_.Add(word, tkKey);
  for (std::string_view word : kLaceWords) keywords_.Add(word, tkLace);
  SetDefaultFilter("Eiffel (*.e;*.ace)|*.e;*.ace");
}

void TSynEiffelSyn::StartLine(std::u16string_view line, int lineIndex) {
  range_ = rsUnknown;  // the state handed in is not consulted
  TSynCustomHighlighter::StartLine(line, lineIndex);
}

void TSynEiffelSyn::NextToken() {
  tokenPos_ = run_;
  if (run_ >= len_) {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  range_ = rsUnknown;  // set again by a comment or an open string
  Dispatch(Cur());
}

void TSynEiffelSyn::Dispatch(char16_t ch) {
  if (ch == u'-' && Ch(run_ + 1) == u'-') return CommentProc();
  if (ch == u'"') return StringProc();
  if (ch <= 32) return SpaceProc();
  if (IsWordChar(ch)) return WordProc();
  kind_ = IsPunctuation(ch) ? tkOperatorAndSymbols : tkUnknown;
  ++run_;
}

void TSynEiffelSyn::SpaceProc() {
  kind_ = tkSpace;
  while (run_ < len_ && Cur() <= 32) ++run_;
}

void TSynEiffelSyn::CommentProc() {
  kind_ = tkComment;
  range_ = rsEiffelComment;
  while (run_ < len_ && !IsBreak(Cur())) ++run_;
}

void TSynEiffelSyn::StringProc() {
  kind_ = tkString;
  ++run_;
  for (;;) {
    const char16_t ch = Cur();
    if (run_ >= len_ || IsBreak(ch)) {
      range_ = rsString;
      return;
    }
    ++run_;
    if (ch == u'"') return;
  }
}

void TSynEiffelSyn::WordProc() {
  while (IsWordChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

TSynHighlighterAttributes* TSynEiffelSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynEiffelSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return byKind_[tkComment];
    case SYN_ATTR_IDENTIFIER: return byKind_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return byKind_[tkKey];
    case SYN_ATTR_STRING: return byKind_[tkString];
    case SYN_ATTR_WHITESPACE: return byKind_[tkSpace];
    case SYN_ATTR_SYMBOL: return byKind_[tkOperatorAndSymbols];
    default: return nullptr;
  }
}

} // namespace qm
