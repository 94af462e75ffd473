// Java lexer.
//
// Design notes:
// - "/**" opens a documentation comment ("Documentation") unless it is the
//   empty comment "/**/", which is a plain "Comment".
// - Strings do not continue over lines; a backslash takes the character after
//   it. A string opened by three double quotes takes all three before the
//   scan for the closing quote starts.
// - "@" (annotations) and "#" are invalid symbols.
#include "lexers/SynJavaSyn.h"

#include "lexers/CFamilyScan.h"

#include <iterator>

namespace qm {

using namespace cfamily;

namespace {

constexpr std::string_view kKeywords[] = {
    "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class", "const", "continue",
    "default", "do", "double", "else", "enum", "extends", "final", "finally", "float", "for", "goto", "if",
    "implements", "import", "instanceof", "int", "interface", "long", "native", "new", "package", "private",
    "protected", "public", "return", "short", "static", "super", "switch", "synchronized", "this", "throw",
    "throws", "transient", "try", "void", "volatile", "while", "true", "false", "null",
};

} // namespace

std::span<const std::string_view> TSynJavaSyn::Keywords() { return kKeywords; }

TSynJavaSyn::TSynJavaSyn() {
  auto* comment = AddAttribute("Comment");
  auto* document = AddAttribute("Documentation");
  auto* identifier = AddAttribute("Identifier");
  auto* invalid = AddAttribute("InvalidSymbol");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  document->SetStyle(fsItalic);
  document->SetForeground(0x800000);
  key->SetStyle(fsBold);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkDocument] = document;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkInvalid] = invalid;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("Java Files (*.java)|*.java");
  range_ = rsUnknown;
}

bool TSynJavaSyn::IsIdentStartChar(char16_t ch) {
  return IsIdentStart(ch) || ch == u'$' || (ch >= 192 && ch <= 214) || (ch >= 216 && ch <= 246) ||
         (ch >= 248 && ch <= 255);
}

bool TSynJavaSyn::IsIdentifierChar(char16_t ch) const { return IsDigit(ch) || IsIdentStartChar(ch); }

void TSynJavaSyn::NextToken() {
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
  if (range_ == rsComment || range_ == rsDocument) {
    kind_ = range_ == rsDocument ? tkDocument : tkComment;
    return CommentBody();
  }
  Dispatch(ch);
}

void TSynJavaSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'"':
    case u'\'':
      return StringProc(ch);
    case u'/':
      return SlashProc();
    case u'.':
      if (IsDigit(Ch(run_ + 1))) return NumberProc();
      return SymbolProc(OperatorLength(ScanText(), run_));
    case u'!': case u'%': case u'&': case u'(': case u')': case u'*': case u'+': case u',': case u'-':
    case u':': case u';': case u'<': case u'=': case u'>': case u'?': case u'[': case u']': case u'^':
    case u'{': case u'|': case u'}': case u'~':
      return SymbolProc(OperatorLength(ScanText(), run_));
    default:
      if (ch <= 32) {
        kind_ = tkSpace;
        run_ = SpaceEnd(ScanText(), run_);
        return;
      }
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStartChar(ch)) return IdentProc();
      kind_ = tkInvalid;  // "@", "#", backslash, backquote, other codes above 126
      ++run_;
      return;
  }
}

void TSynJavaSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

void TSynJavaSyn::SlashProc() {
  switch (Ch(run_ + 1)) {
    case u'*':
      if (Ch(run_ + 2) == u'*' && Ch(run_ + 3) != u'/') {
        range_ = rsDocument;
        kind_ = tkDocument;
        run_ += 3;
      } else {
        range_ = rsComment;
        kind_ = tkComment;
        run_ += 2;
      }
      return CommentBody();
    case u'/':
      kind_ = tkComment;
      run_ = LineEnd(ScanText(), run_ + 2);
      return;
    default:
      return SymbolProc(OperatorLength(ScanText(), run_));
  }
}

void TSynJavaSyn::CommentBody() {
  const int close = CommentCloseEnd(ScanText(), run_);
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  range_ = rsUnknown;
}

void TSynJavaSyn::StringProc(char16_t quote) {
  kind_ = tkString;
  run_ += quote == u'"' && Ch(run_ + 1) == u'"' && Ch(run_ + 2) == u'"' ? 3 : 1;
  for (;;) {
    const char16_t ch = Cur();
    if (IsLineEnd(ch)) return;
    if (ch == u'\\') {
      run_ += IsLineEnd(Ch(run_ + 1)) ? 1 : 2;
      continue;
    }
    ++run_;
    if (ch == quote) return;
  }
}

void TSynJavaSyn::IdentProc() {
  while (IsIdentifierChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

// A digit (or "." and a digit), then digits, hexadecimal letters, "L", "X",
// "." and "-", stopping before "..".
void TSynJavaSyn::NumberProc() {
  kind_ = tkNumber;
  ++run_;
  for (;;) {
    const char16_t ch = Cur();
    if (ch == u'.') {
      if (Ch(run_ + 1) == u'.') return;
    } else if (!IsHexDigit(ch)) {
      switch (ch) {
        case u'L': case u'l': case u'X': case u'x': case u'-':
          break;
        default:
          return;
      }
    }
    ++run_;
  }
}

TSynHighlighterAttributes* TSynJavaSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynJavaSyn::DefaultAttribute(int role) const {
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
