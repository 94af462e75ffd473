// PHP lexer.
//
// Design notes:
// - Strings continue over lines (state 1 for single, 2 for double quotes).
//   A quote preceded by an odd number of backslashes does not end a string.
// - In a double-quoted string, "$name" (with "[index]" and "->member" parts),
//   "${...}" and "{$...}" are "Variable" tokens: the string token ends before
//   them (state 4) and goes on after them (state 2). An escaped "$" or "{"
//   stays part of the string.
// - "#" and "//" start line comments.
// - Outside PHP tags there is no markup: a .php file is PHP code throughout.
#include "lexers/SynPHPSyn.h"

#include "lexers/CFamilyScan.h"

#include <iterator>

namespace qm {

using namespace cfamily;

namespace {

constexpr std::string_view kKeywords[] = {
    "abstract", "and", "array", "as", "break", "case", "catch", "class", "const", "continue", "default", "do",
    "echo", "else", "elseif", "empty", "endfor", "endforeach", "endif", "endswitch", "endwhile", "exit",
    "extends", "final", "for", "foreach", "function", "global", "if", "implements", "include", "include_once",
    "instanceof", "interface", "isset", "list", "new", "or", "print", "private", "protected", "public",
    "require", "require_once", "return", "static", "switch", "throw", "try", "unset", "use", "var", "while",
    "true", "false", "null",
};

} // namespace

std::span<const std::string_view> TSynPHPSyn::Keywords() { return kKeywords; }

TSynPHPSyn::TSynPHPSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  auto* variable = AddAttribute("Variable");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  variable->SetForeground(0x008080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkVariable] = variable;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("PHP Files (*.php;*.php3;*.phtml;*.inc)|*.php;*.php3;*.phtml;*.inc");
}

void TSynPHPSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  if (ch == u'\n' || ch == u'\r') {
    kind_ = tkSpace;
    ++run_;
    return;
  }
  switch (range_) {
    case rsString39:
      kind_ = tkString;
      return StringBody(u'\'');
    case rsString34:
      kind_ = tkString;
      return StringBody(u'"');
    case rsComment:
      kind_ = tkComment;
      return CommentBody();
    case rsVarExpansion:
      return VariableInString();
    default:
      return Dispatch(ch);
  }
}

void TSynPHPSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'\'':
      kind_ = tkString;
      range_ = rsString39;
      ++run_;
      return StringBody(u'\'');
    case u'"':
      kind_ = tkString;
      range_ = rsString34;
      ++run_;
      return StringBody(u'"');
    case u'#':
      return LineCommentProc(1);
    case u'/':
      return SlashProc();
    case u'$':
      if (IsIdentChar(Ch(run_ + 1))) return VariableProc();
      return SymbolProc(1);
    case u'.':
      if (IsDigit(Ch(run_ + 1))) return NumberProc();
      return SymbolProc(OperatorLength(ScanText(), run_));
    default:
      if (ch <= 32) {
        kind_ = tkSpace;
        run_ = SpaceEnd(ScanText(), run_);
        return;
      }
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStart(ch)) return IdentProc();
      if (ch < 127) return SymbolProc(OperatorLength(ScanText(), run_));  // every other ASCII sign, "@" too
      kind_ = tkUnknown;
      ++run_;
      return;
  }
}

void TSynPHPSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

void TSynPHPSyn::LineCommentProc(int openerLength) {
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_ + openerLength);
}

void TSynPHPSyn::SlashProc() {
  switch (Ch(run_ + 1)) {
    case u'*':
      range_ = rsComment;
      kind_ = tkComment;
      run_ += 2;
      return CommentBody();
    case u'/':
      return LineCommentProc(2);
    default:
      return SymbolProc(OperatorLength(ScanText(), run_));
  }
}

void TSynPHPSyn::CommentBody() {
  const int close = CommentCloseEnd(ScanText(), run_);
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  range_ = rsUnknown;
}

// Whether an odd number of backslashes stands directly before index.
bool TSynPHPSyn::IsEscaped(int index) const {
  int count = 0;
  while (Ch(index - 1 - count) == u'\\') ++count;
  return count % 2 == 1;
}

// The string from the scan position up to and including its closing quote
// (state 0), to the line's end (state kept), or, in a double-quoted string,
// up to a variable (state 4).
void TSynPHPSyn::StringBody(char16_t quote) {
  for (;;) {
    const char16_t ch = Cur();
    if (IsLineEnd(ch)) return;
    if (ch == quote && !IsEscaped(run_)) {
      ++run_;
      range_ = rsUnknown;
      return;
    }
    if (quote == u'"' && ch == u'$' && (Ch(run_ + 1) == u'{' || IsIdentChar(Ch(run_ + 1)))) {
      const int start = run_ > tokenPos_ && Ch(run_ - 1) == u'{' ? run_ - 1 : run_;
      if (!IsEscaped(start)) {
        run_ = start;
        range_ = rsVarExpansion;
        // A variable right at the token's start is lexed at once: no empty
        // string token.
        if (run_ == tokenPos_) VariableInString();
        return;
      }
    }
    ++run_;
  }
}

// "$" and identifier characters, in code.
void TSynPHPSyn::VariableProc() {
  kind_ = tkVariable;
  run_ = NameEnd(run_ + 1);
}

// State 4: "{$...}" or "${...}" up to the matching "}", or "$name" with its
// "[index]" and "->member" parts; then the string goes on (state 2).
void TSynPHPSyn::VariableInString() {
  range_ = rsString34;
  const char16_t ch = Cur();
  const char16_t next = Ch(run_ + 1);
  if (ch == u'{' && next == u'$') {
    run_ = BracedEnd(run_);
  } else if (ch == u'$' && next == u'{') {
    run_ = BracedEnd(run_ + 1);
  } else if (ch == u'$' && IsIdentChar(next)) {
    run_ = NameEnd(run_ + 1);
    for (;;) {
      if (Cur() == u'[') {
        const int end = IndexEnd(run_);
        if (end < 0) break;
        run_ = end;
      } else if (Cur() == u'-' && Ch(run_ + 1) == u'>' && IsIdentChar(Ch(run_ + 2))) {
        run_ = NameEnd(run_ + 2);
      } else {
        break;
      }
    }
  } else {
    // No variable here after all (a state set from outside): go on with the string.
    kind_ = tkString;
    return StringBody(u'"');
  }
  kind_ = tkVariable;
}

// From the "{" at open to just after its matching "}", or to the line's end.
int TSynPHPSyn::BracedEnd(int open) const {
  int depth = 0;
  for (int i = open;; ++i) {
    const char16_t ch = Ch(i);
    if (IsLineEnd(ch)) return i;
    if (ch == u'{') {
      ++depth;
    } else if (ch == u'}' && --depth == 0) {
      return i + 1;
    }
  }
}

// "[name]" or "['quoted']" at open: the index after "]", or -1.
int TSynPHPSyn::IndexEnd(int open) const {
  int i = open + 1;
  if (Ch(i) == u'\'') {
    ++i;
    while (!IsLineEnd(Ch(i)) && Ch(i) != u'\'') ++i;
    if (Ch(i) != u'\'') return -1;
    ++i;
  } else if (IsIdentChar(Ch(i))) {
    i = NameEnd(i);
  } else {
    return -1;
  }
  return Ch(i) == u']' ? i + 1 : -1;
}

int TSynPHPSyn::NameEnd(int from) const {
  while (IsIdentChar(Ch(from))) ++from;
  return from;
}

void TSynPHPSyn::IdentProc() {
  run_ = NameEnd(run_);
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

// A digit (or "." and a digit), then digits and ".".
void TSynPHPSyn::NumberProc() {
  kind_ = tkNumber;
  ++run_;
  while (IsDigit(Cur()) || Cur() == u'.') ++run_;
}

TSynHighlighterAttributes* TSynPHPSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynPHPSyn::DefaultAttribute(int role) const {
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
