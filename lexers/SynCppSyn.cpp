// C/C++ lexer.
//
// Design notes:
// - "asm", "_asm" and "__asm" open an assembler statement (state 4, up to
//   ";"); a "{" right after it opens an assembler block (state 5, up to "}").
//   Inside them every token except comments and blanks is reported as
//   "Assembler", so strings there are not checked but comments are. The
//   token that opens the region keeps its own kind (asmStart_).
// - A preprocessor line stops before "//" and "/*"; a block comment opened in
//   it (state 7) hands the rest of its closing line back to the preprocessor
//   (state 11). A final backslash continues the line (state 11) and a string
//   (state 10).
#include "lexers/SynCppSyn.h"

#include "lexers/CFamilyScan.h"

#include <iterator>

namespace qm {

using namespace cfamily;

namespace {

constexpr int kAsmKeyword = 100;  // keyword-table kind of the assembler keywords

constexpr std::string_view kKeywords[] = {
    "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break", "case", "catch",
    "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept", "const", "consteval", "constexpr",
    "constinit", "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype", "default", "delete",
    "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
    "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq",
    "nullptr", "operator", "or", "or_eq", "private", "protected", "public", "register", "reinterpret_cast",
    "requires", "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct",
    "switch", "template", "this", "thread_local", "throw", "true", "try", "typedef", "typeid", "typename", "union",
    "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq", "_asm", "__asm",
    "restrict",
};

char16_t Lower(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch; }

} // namespace

std::span<const std::string_view> TSynCppSyn::Keywords() { return kKeywords; }

TSynCppSyn::TSynCppSyn() {
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
  auto* character = AddAttribute("Character");
  auto* floating = AddAttribute("Float");
  auto* hex = AddAttribute("Hexadecimal");
  auto* octal = AddAttribute("Octal");
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
  byKind_[tkChar] = character;
  byKind_[tkFloat] = floating;
  byKind_[tkHex] = hex;
  byKind_[tkOctal] = octal;

  keywords_.Add({"asm", "_asm", "__asm"}, kAsmKeyword);  // first: a word keeps the kind it was added with
  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("C/C++ Files (*.c;*.cpp;*.cc;*.h;*.hpp;*.hh;*.cxx;*.hxx;*.cu)|"
                   "*.c;*.cpp;*.cc;*.h;*.hpp;*.hh;*.cxx;*.hxx;*.cu");
}

// Notes once per line whether it is a preprocessor line: whether its first
// character above code 32 is "#" (a NUL counts as a character, as it does in
// the scan copy).
void TSynCppSyn::StartLine(std::u16string_view line, int lineIndex) {
  size_t i = 0;
  while (i < line.size() && line[i] != u'\0' && line[i] <= 32) ++i;
  hashLine_ = i < line.size() && line[i] == u'#';
  openerNext_ = false;
  TSynCustomHighlighter::StartLine(line, lineIndex);
}

void TSynCppSyn::NextToken() {
  asmStart_ = false;
  const bool opener = openerNext_;
  openerNext_ = false;
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
    case rsAnsiC:
    case rsAnsiCAsm:
    case rsAnsiCAsmBlock:
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

void TSynCppSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'"':
      kind_ = tkString;
      ++run_;
      return StringBody();
    case u'\'':
      return CharProc();
    case u'#':
      return DirectiveProc();
    case u'/':
      return SlashProc();
    case u'.':
      if (IsDigit(Ch(run_ + 1))) return NumberProc();
      return SymbolProc(OperatorLength(ScanText(), run_));
    case u';':
      SymbolProc(1);
      if (range_ == rsAsm) range_ = rsUnknown;
      return;
    case u'{':
      SymbolProc(1);
      if (range_ == rsAsm) {
        range_ = rsAsmBlock;
        asmStart_ = true;
      }
      return;
    case u'}':
      SymbolProc(1);
      if (range_ == rsAsmBlock) range_ = rsUnknown;
      return;
    case u'!': case u'%': case u'&': case u'(': case u')': case u'*': case u'+': case u',': case u'-':
    case u':': case u'<': case u'=': case u'>': case u'?': case u'[': case u']': case u'^': case u'|':
    case u'~':
      return SymbolProc(OperatorLength(ScanText(), run_));
    default:
      if (ch <= 32) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStart(ch)) return IdentProc();
      return UnknownProc();  // "@", "$", backslash, backquote, codes above 126
  }
}

void TSynCppSyn::SpaceProc() {
  kind_ = tkSpace;
  run_ = SpaceEnd(ScanText(), run_);
}

void TSynCppSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

void TSynCppSyn::UnknownProc() {
  kind_ = tkUnknown;
  ++run_;
}

void TSynCppSyn::SlashProc() {
  switch (Ch(run_ + 1)) {
    case u'*':
      range_ = range_ == rsAsm ? rsAnsiCAsm : range_ == rsAsmBlock ? rsAnsiCAsmBlock : rsAnsiC;
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

// The rest of a block comment from the scan position: through "*/", or to the
// line's end with the state kept.
void TSynCppSyn::CommentBody() {
  const int close = CommentCloseEnd(ScanText(), run_);
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  CloseComment();
}

void TSynCppSyn::CloseComment() {
  switch (range_) {
    case rsAnsiCAsm:
      range_ = rsAsm;
      break;
    case rsAnsiCAsmBlock:
      range_ = rsAsmBlock;
      break;
    case rsDirectiveComment:
      range_ = run_ < len_ ? rsMultiLineDirective : rsUnknown;
      break;
    default:
      range_ = rsUnknown;
  }
}

// A string from the scan position (the opening quote already taken).
void TSynCppSyn::StringBody() {
  bool continued = false;
  run_ = QuotedEnd(ScanText(), run_, u'"', true, continued);
  if (continued) range_ = rsMultiLineString;
}

void TSynCppSyn::CharProc() {
  kind_ = tkChar;
  bool continued = false;
  run_ = QuotedEnd(ScanText(), run_ + 1, u'\'', false, continued);
}

void TSynCppSyn::DirectiveProc() {
  if (!hashLine_) return UnknownProc();
  kind_ = tkDirective;
  ++run_;
  DirectiveBody();
}

void TSynCppSyn::DirectiveBody() {
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

// State 11: the preprocessor line goes on from the scan position. When it
// would stop at once (a comment right here), the comment is lexed instead,
// so no empty token is reported.
void TSynCppSyn::DirectiveEndProc() {
  range_ = rsUnknown;
  kind_ = tkDirective;
  DirectiveBody();
  if (run_ == tokenPos_) NextToken();
}

void TSynCppSyn::IdentProc() {
  while (IsIdentChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
  if (kind_ == kAsmKeyword) {
    kind_ = tkKey;
    range_ = rsAsm;
    asmStart_ = true;
  }
}

bool TSynCppSyn::Occurs(int from, int to, char16_t lower) const {
  for (int i = from; i < to; ++i)
    if (Lower(Ch(i)) == lower) return true;
  return false;
}

// Numbers: decimal, octal ("0" and a digit 0 to 7), hexadecimal ("0x" and a
// hexadecimal digit), floats with "." or an exponent, and the suffixes "u",
// "l", "ll" and "f". A malformed number becomes "IllegalChar"; the rules fix
// where the next token begins.
void TSynCppSyn::NumberProc() {
  const int start = tokenPos_;
  kind_ = tkNumber;
  run_ = start + 1;
  for (;;) {
    const char16_t ch = Cur();
    const char16_t prev = Lower(Ch(run_ - 1));
    const char16_t next = Ch(run_ + 1);
    switch (Lower(ch)) {
      case u'+':
      case u'-':
        if (kind_ != tkFloat || prev != u'e') return;
        ++run_;
        if (next != u'+' && next != u'-' && !IsDigit(next)) {
          kind_ = tkUnknown;
          return;
        }
        continue;
      case u'.':
        if (next == u'.') return;
        if (kind_ == tkHex) {
          kind_ = tkUnknown;
          return;
        }
        kind_ = tkFloat;
        ++run_;
        continue;
      case u'0': case u'1': case u'2': case u'3': case u'4': case u'5': case u'6': case u'7':
        if (run_ == start + 1 && Ch(start) == u'0') kind_ = tkOctal;
        ++run_;
        continue;
      case u'8':
      case u'9':
        if (Ch(start) == u'0' && kind_ != tkHex && kind_ != tkFloat) kind_ = tkUnknown;
        ++run_;
        continue;
      case u'a': case u'b': case u'c': case u'd':
        if (kind_ == tkHex) {
          ++run_;
          continue;
        }
        break;
      case u'e':
        if (kind_ == tkHex) {
          ++run_;
          continue;
        }
        if (!IsDigit(Ch(run_ - 1))) break;
        if (Occurs(start, run_, u'e')) {
          kind_ = tkUnknown;
          break;
        }
        if (next == u'+' || next == u'-' || IsDigit(next)) {
          kind_ = tkFloat;
          ++run_;
          continue;
        }
        break;
      case u'f':
        if (kind_ == tkHex) {
          ++run_;
          continue;
        }
        if (Occurs(start, run_, u'f')) {
          kind_ = tkUnknown;
          break;
        }
        if (kind_ == tkFloat && prev == u'l') break;
        kind_ = tkFloat;
        ++run_;
        continue;
      case u'l':
        if (Occurs(start, run_ - 1, u'l')) {  // "ll" is allowed, "lul" is not
          kind_ = tkUnknown;
          break;
        }
        if (kind_ == tkFloat && prev == u'f') break;
        ++run_;
        continue;
      case u'u':
        if (kind_ == tkFloat) break;
        if (Occurs(start, run_, u'u')) {
          kind_ = tkUnknown;
          break;
        }
        ++run_;
        continue;
      case u'x':
        if (run_ == start + 1 && Ch(start) == u'0' && IsHexDigit(next)) {
          kind_ = tkHex;
          ++run_;
          continue;
        }
        if (!IsIdentChar(next) && Lower(Ch(start + 1)) == u'x') {
          ++run_;
          kind_ = tkUnknown;
        }
        break;
      default:
        break;
    }
    // The number ends here; a letter or "_" glued to it makes it malformed.
    if (IsIdentStart(Cur())) kind_ = tkUnknown;
    return;
  }
}

int TSynCppSyn::TokenKind() const {
  const bool inAsm = range_ == rsAsm || range_ == rsAsmBlock;
  if (inAsm && !asmStart_ && kind_ != tkComment && kind_ != tkSpace && kind_ != tkNull) return tkAsm;
  return kind_;
}

TSynHighlighterAttributes* TSynCppSyn::TokenAttribute() const {
  const int kind = TokenKind();
  return kind >= 0 && kind < static_cast<int>(std::size(byKind_)) ? byKind_[kind] : nullptr;
}

TSynHighlighterAttributes* TSynCppSyn::DefaultAttribute(int role) const {
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
