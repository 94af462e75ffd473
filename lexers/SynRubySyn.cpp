// Ruby lexer.
//
// Special cases:
// - "#" starts a comment to the end of the line; "=begin" blocks are not
//   recognised.
// - Double- and single-quoted strings run to the next quote of their kind or
//   the end of the line, with no escapes: a backslash before a quote does not
//   hide it. An opening quote followed by two more takes all three first.
// - Numbers take digits, ".", "e" (not a ".." range); every character no
//   other rule claims is a one-character "Symbol".
// Scanning is case-insensitive, so keyword lists are lower case.
#include "lexers/SynRubySyn.h"

#include <iterator>

namespace qm {

namespace {

constexpr std::string_view kReservedWords[] = {
    "__encoding__", "__file__", "__line__", "__method__", "alias", "and", "begin", "break", "case", "class",
    "def", "defined", "do", "else", "elsif", "end", "ensure", "false", "for", "if", "in", "module", "next",
    "nil", "not", "or", "redo", "rescue", "retry", "return", "self", "super", "then", "true", "undef",
    "unless", "until", "when", "while", "yield",
};

// Frequently used methods of Kernel and Module.
const char* const kSecondKeyWords[] = {
    "attr", "attr_accessor", "attr_reader", "attr_writer", "block_given", "catch", "extend", "include",
    "lambda", "load", "loop", "module_function", "new", "p", "prepend", "print", "private", "proc",
    "protected", "public", "puts", "raise", "require", "require_relative", "throw",
};

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
bool IsWordStart(char16_t ch) { return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || ch == u'_'; }
bool IsWordChar(char16_t ch) { return IsWordStart(ch) || IsDigit(ch); }
bool IsBreak(char16_t ch) { return ch == u'\n' || ch == u'\r'; }

std::string AsciiLower(std::string word) {
  for (char& ch : word)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  return word;
}

} // namespace

TSynRubySyn::TSynRubySyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* secondKey = AddAttribute("SecondReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetForeground(0x808080);
  comment->SetStyle(fsItalic);
  key->SetStyle(fsBold);
  secondKey->SetStyle(fsBold);
  number->SetForeground(0x000080);
  string->SetForeground(0x008000);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkSecondKey] = secondKey;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;

  for (std::string_view word : kReservedWords) keywords_.Add(word, tkKey);
  SetSecondKeyWords(std::vector<std::string>(std::begin(kSecondKeyWords), std::end(kSecondKeyWords)));
  SetDefaultFilter("Ruby Files (*.rb;*.rbw)|*.rb;*.rbw");
}

void TSynRubySyn::SetSecondKeyWords(std::vector<std::string> words) {
  secondKeyWords_ = std::move(words);
  secondKeywords_ = TKeywordTable();
  for (const std::string& word : secondKeyWords_) secondKeywords_.Add(AsciiLower(word), tkSecondKey);
}

void TSynRubySyn::NextToken() {
  tokenPos_ = run_;
  if (run_ >= len_) {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  Dispatch(Cur());
}

void TSynRubySyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'#':
      return CommentProc();
    case u'"':
    case u'\'':
      return StringProc(ch);
    default:
      if (ch <= 32) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsWordStart(ch)) return WordProc();
      kind_ = tkSymbol;
      ++run_;
      return;
  }
}

void TSynRubySyn::SpaceProc() {
  kind_ = tkSpace;
  while (run_ < len_ && Cur() <= 32) ++run_;
}

void TSynRubySyn::CommentProc() {
  kind_ = tkComment;
  while (run_ < len_ && !IsBreak(Cur())) ++run_;
}

void TSynRubySyn::StringProc(char16_t quote) {
  kind_ = tkString;
  run_ += Ch(run_ + 1) == quote && Ch(run_ + 2) == quote ? 3 : 1;
  for (;;) {
    const char16_t ch = Cur();
    if (run_ >= len_ || IsBreak(ch)) return;
    ++run_;
    if (ch == quote) return;
  }
}

void TSynRubySyn::WordProc() {
  while (IsWordChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, -1);
  if (kind_ < 0) kind_ = secondKeywords_.Find(word, tkIdentifier);
}

void TSynRubySyn::NumberProc() {
  kind_ = tkNumber;
  for (;;) {
    const char16_t ch = Cur();
    if (ch == u'.' && Ch(run_ + 1) == u'.') return;
    if (!IsDigit(ch) && ch != u'.' && ch != u'e') return;  // the scan copy is lower case
    ++run_;
  }
}

TSynHighlighterAttributes* TSynRubySyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynRubySyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return byKind_[tkComment];
    case SYN_ATTR_IDENTIFIER: return byKind_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return byKind_[tkKey];
    case SYN_ATTR_STRING: return byKind_[tkString];
    case SYN_ATTR_WHITESPACE: return byKind_[tkSpace];
    case SYN_ATTR_SYMBOL: return byKind_[tkSymbol];
    default: return nullptr;
  }
}

} // namespace qm
