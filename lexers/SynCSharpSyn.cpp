// C# lexer.
//
// Design notes:
// - "#" starts a preprocessor line wherever it stands. The line stops before
//   "//" and "/*"; a block comment opened in it (state 7) always hands back to
//   the preprocessor when it closes (state 6), even when "*/" ends its line,
//   so the following line is then lexed as preprocessor text. A final
//   backslash also continues the line (state 6); an empty line ends it.
// - Single-quoted literals are strings (checked). "@" is an unknown
//   character, so a verbatim string reads as "@" and an ordinary string.
#include "lexers/SynCSharpSyn.h"

#include "lexers/CFamilyScan.h"

#include <iterator>

namespace qm {

using namespace cfamily;

namespace {

constexpr std::string_view kKeywords[] = {
    "abstract", "as", "base", "bool", "break", "byte", "case", "catch", "char", "checked", "class", "const",
    "continue", "decimal", "default", "delegate", "do", "double", "else", "enum", "event", "explicit", "extern",
    "false", "finally", "float", "for", "foreach", "goto", "if", "implicit", "in", "int", "interface",
    "internal", "is", "lock", "long", "namespace", "new", "null", "object", "operator", "out", "override",
    "params", "private", "protected", "public", "readonly", "ref", "return", "sbyte", "sealed", "short",
    "sizeof", "static", "string", "struct", "switch", "this", "throw", "true", "try", "typeof", "uint", "ulong",
    "unchecked", "unsafe", "ushort", "using", "virtual", "void", "volatile", "while",
};

} // namespace

std::span<const std::string_view> TSynCSSyn::Keywords() { return kKeywords; }

TSynCSSyn::TSynCSSyn() {
  auto* assembler = AddAttribute("Assembler");
  auto* comment = AddAttribute("Comment");
  auto* directive = AddAttribute("Preprocessor");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  auto* illegal = AddAttribute("IllegalChar");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  directive->SetForeground(0x008000);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  SaveAttributeDefaults();

  byKind_[tkAsm] = assembler;
  byKind_[tkComment] = comment;
  byKind_[tkDirective] = directive;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = illegal;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("C# Files (*.cs)|*.cs");
}

void TSynCSSyn::StartLine(std::u16string_view line, int lineIndex) {
  openerNext_ = false;
  TSynCustomHighlighter::StartLine(line, lineIndex);
}

void TSynCSSyn::NextToken() {
  const bool opener = openerNext_;
  openerNext_ = false;
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    if (len_ == 0 && range_ == rsMultiLineDirective) range_ = rsUnknown;  // an empty line ends the directive
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
    case rsAnsiC:
    case rsDirectiveComment:
      kind_ = tkComment;
      if (opener) run_ += 2;  // the "/*" the preprocessor token stopped at: "/*/" does not close
      return CommentBody();
    case rsMultiLineString:
      range_ = rsUnknown;
      kind_ = tkString;
      return StringBody();
    case rsMultiLineDirective:
      return DirectiveEndProc();
    default:
      return Dispatch(ch);
  }
}

void TSynCSSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'"':
      kind_ = tkString;
      ++run_;
      return StringBody();
    case u'\'':
      return CharProc();
    case u'#':
      kind_ = tkDirective;
      ++run_;
      return DirectiveBody();
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
      if (IsIdentStart(ch)) return IdentProc();
      return UnknownProc();  // "@", "$", backslash, backquote, codes above 126
  }
}

void TSynCSSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

void TSynCSSyn::UnknownProc() {
  kind_ = tkUnknown;
  ++run_;
}

void TSynCSSyn::SlashProc() {
  switch (Ch(run_ + 1)) {
    case u'*':
      range_ = rsAnsiC;
      kind_ = tkComment;
      run_ += 2;
      return CommentBody();
    case u'/':
      kind_ = tkComment;
      run_ = LineEnd(ScanText(), run_ + 2);
      return;
    default:
      return SymbolProc(OperatorLength(ScanText(), run_));
  }
}

void TSynCSSyn::CommentBody() {
  const int close = CommentCloseEnd(ScanText(), run_);
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  range_ = range_ == rsDirectiveComment ? rsMultiLineDirective : rsUnknown;
}

void TSynCSSyn::StringBody() {
  bool continued = false;
  run_ = QuotedEnd(ScanText(), run_, u'"', true, continued);
  if (continued) range_ = rsMultiLineString;
}

void TSynCSSyn::CharProc() {
  kind_ = tkString;
  bool continued = false;
  run_ = QuotedEnd(ScanText(), run_ + 1, u'\'', false, continued);
}

void TSynCSSyn::DirectiveBody() {
  TDirectiveStop stop;
  run_ = DirectiveEnd(ScanText(), run_, stop);
  switch (stop) {
    case TDirectiveStop::LineComment:
      range_ = rsUnknown;
      break;
    case TDirectiveStop::BlockComment:
      range_ = rsDirectiveComment;
      openerNext_ = true;
      break;
    case TDirectiveStop::Continued:
      range_ = rsMultiLineDirective;
      break;
    case TDirectiveStop::LineEnd:
      break;
  }
}

// State 6: the preprocessor line goes on from the scan position; a comment
// right here is lexed at once instead of an empty preprocessor token.
void TSynCSSyn::DirectiveEndProc() {
  range_ = rsUnknown;
  kind_ = tkDirective;
  DirectiveBody();
  if (run_ == tokenPos_) NextToken();
}

void TSynCSSyn::IdentProc() {
  while (IsIdentChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

// A digit (or "." and a digit), then digits, hexadecimal letters, "L", "U",
// "X" and ".", stopping before "..".
void TSynCSSyn::NumberProc() {
  kind_ = tkNumber;
  ++run_;
  for (;;) {
    const char16_t ch = Cur();
    if (ch == u'.') {
      if (Ch(run_ + 1) == u'.') return;
    } else if (!IsHexDigit(ch)) {
      switch (ch) {
        case u'L': case u'l': case u'U': case u'u': case u'X': case u'x':
          break;
        default:
          return;
      }
    }
    ++run_;
  }
}

TSynHighlighterAttributes* TSynCSSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynCSSyn::DefaultAttribute(int role) const {
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
