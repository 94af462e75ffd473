// Object Pascal lexer.
//
// Special cases:
// - Three block constructs run over lines: "{ }" comments, "(* *)" comments
//   and "{$ }" compiler directives ("Preprocessor", not checked). None of
//   them nests: "{ a { b } c }" closes at the first "}".
// - "asm" opens an assembler block (state 3) that "end" closes. Inside it
//   every token except comments, directives and blanks is reported as
//   "Assembler", so strings there are not checked; a comment or directive
//   opened in the block has its own states (2, 5, 9) and returns to the block
//   when it closes. The "asm" token itself keeps its kind (asmStart_).
// - "property" and "exports" open states 6 and 7 up to the next ";"; some
//   words are reserved only there ("read", "write" ... and "name",
//   "resident"). A comment inside such a declaration closes into normal code.
// - Strings never continue on the next line; "''" inside a string is a quote.
#include "lexers/SynPasSyn.h"

#include "lexers/PascalFamilyScan.h"

namespace qm {

using namespace pascalfamily;

namespace {

// Keyword-table kinds besides tkKey: words with side effects and words that
// are reserved only in a property declaration or an exports clause.
enum TWordKind : int {
  wkAsm = 100,
  wkEnd,
  wkProperty,
  wkExports,
  wkPropertyOnly,
  wkExportsOnly,
  wkPropertyOrExports,
};

constexpr std::string_view kReservedWords[] = {
    "and", "array", "as", "begin", "case", "class", "const", "constructor", "destructor", "dispinterface",
    "div", "do", "downto", "else", "except", "file", "finalization", "finally", "for", "function", "goto",
    "if", "implementation", "in", "inherited", "initialization", "inline", "interface", "is", "label",
    "library", "mod", "nil", "not", "object", "of", "or", "out", "packed", "procedure", "program", "raise",
    "record", "repeat", "resourcestring", "set", "shl", "shr", "string", "then", "threadvar", "to", "try",
    "type", "unit", "until", "uses", "var", "while", "with", "xor",
    // Directives.
    "absolute", "abstract", "assembler", "automated", "cdecl", "contains", "delayed", "deprecated", "dynamic",
    "experimental", "export", "external", "far", "final", "forward", "helper", "message", "near", "operator",
    "overload", "override", "package", "pascal", "platform", "private", "protected", "public", "published",
    "reference", "register", "reintroduce", "requires", "safecall", "sealed", "static", "stdcall", "strict",
    "unsafe", "varargs", "virtual", "winapi",
};

constexpr std::string_view kPropertyWords[] = {
    "default", "dispid", "implements", "nodefault", "read", "readonly", "stored", "write", "writeonly",
};

constexpr std::string_view kExportsWords[] = {"name", "resident"};

} // namespace

TSynPasSyn::TSynPasSyn() {
  SetScanCaseSensitive(false);
  auto* assembler = AddAttribute("Assembler");
  auto* comment = AddAttribute("Comment");
  auto* directive = AddAttribute("Preprocessor");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* floating = AddAttribute("Float");
  auto* hex = AddAttribute("Hexadecimal");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* character = AddAttribute("Character");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  directive->SetForeground(0x008000);
  string->SetForeground(0x800000);
  character->SetForeground(0x800000);
  number->SetForeground(0x000080);
  assembler->SetForeground(0x404040);
  SaveAttributeDefaults();

  byKind_[tkAsm] = assembler;
  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = symbol;
  byKind_[tkFloat] = floating;
  byKind_[tkHex] = hex;
  byKind_[tkDirec] = directive;
  byKind_[tkChar] = character;

  // A word keeps the kind it was first added with: the special words first.
  keywords_.Add("asm", wkAsm);
  keywords_.Add("end", wkEnd);
  keywords_.Add("property", wkProperty);
  keywords_.Add("exports", wkExports);
  keywords_.Add("index", wkPropertyOrExports);
  for (std::string_view word : kPropertyWords) keywords_.Add(word, wkPropertyOnly);
  for (std::string_view word : kExportsWords) keywords_.Add(word, wkExportsOnly);
  for (std::string_view word : kReservedWords) keywords_.Add(word, tkKey);

  range_ = rsUnknown;
  SetDefaultFilter("Pascal Files (*.pas;*.pp;*.dpr;*.dpk;*.inc)|*.pas;*.pp;*.dpr;*.dpk;*.inc");
}

void TSynPasSyn::NextToken() {
  asmStart_ = false;
  tokenPos_ = run_;
  switch (range_) {
    case rsAnsi:
    case rsAnsiAsm:
    case rsBor:
    case rsBorAsm:
    case rsDirective:
    case rsDirectiveAsm:
      return Continuation();
    default:
      return Dispatch(Cur());
  }
}

void TSynPasSyn::Continuation() {
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
  } else if (ch == u'\n' || ch == u'\r') {
    kind_ = tkSpace;
    ++run_;
  } else if (range_ == rsAnsi || range_ == rsAnsiAsm) {
    AnsiBody();
  } else {
    BraceBody();
  }
}

void TSynPasSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'\0':
      kind_ = tkNull;
      SetLineEnd();
      return;
    case u'{': return BraceOpenProc();
    case u'(': return RoundOpenProc();
    case u'/': return SlashProc();
    case u'\'': return StringProc();
    case u'#': return CharCodeProc();
    case u'$': return HexProc();
    case u'.': return SymbolProc(Ch(run_ + 1) == u'.' ? 2 : 1);
    case u':':
    case u'>': return SymbolProc(Ch(run_ + 1) == u'=' ? 2 : 1);
    case u'<': return SymbolProc(Ch(run_ + 1) == u'=' || Ch(run_ + 1) == u'>' ? 2 : 1);
    case u';': return SemicolonProc();
    case u'@': return SymbolProc(Ch(run_ + 1) == u'@' ? 2 : 1);
    case u'!': case u'"': case u'%': case u'&': case u')': case u'*': case u'+': case u',': case u'-':
    case u'=': case u'?': case u'[': case u'\\': case u']': case u'^': case u'`': case u'}': case u'~':
      return SymbolProc(1);
    default:
      if (IsSpace(ch)) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStart(ch)) return IdentProc();
      return UnknownProc();  // "|", DEL, every code above 127
  }
}

void TSynPasSyn::SpaceProc() {
  kind_ = tkSpace;
  run_ = SpaceEnd(ScanText(), run_);
}

void TSynPasSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

void TSynPasSyn::UnknownProc() {
  kind_ = tkUnknown;
  ++run_;
}

void TSynPasSyn::BraceOpenProc() {
  const bool inAsm = range_ == rsAsm;
  if (Ch(run_ + 1) == u'$')
    range_ = inAsm ? rsDirectiveAsm : rsDirective;
  else
    range_ = inAsm ? rsBorAsm : rsBor;
  ++run_;
  BraceBody();
}

void TSynPasSyn::BraceBody() {
  kind_ = range_ == rsDirective || range_ == rsDirectiveAsm ? tkDirec : tkComment;
  const int close = CloseEnd(ScanText(), run_, u"}");
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  range_ = range_ == rsBorAsm || range_ == rsDirectiveAsm ? rsAsm : rsUnknown;
}

void TSynPasSyn::RoundOpenProc() {
  const char16_t next = Ch(run_ + 1);
  if (next == u'.') return SymbolProc(2);
  if (next != u'*') return SymbolProc(1);
  range_ = range_ == rsAsm ? rsAnsiAsm : rsAnsi;
  run_ += 2;
  AnsiBody();
}

void TSynPasSyn::AnsiBody() {
  kind_ = tkComment;
  const int close = CloseEnd(ScanText(), run_, u"*)");
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  range_ = range_ == rsAnsiAsm ? rsAsm : rsUnknown;
}

void TSynPasSyn::SlashProc() {
  if (Ch(run_ + 1) != u'/') return SymbolProc(1);
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_ + 2);
}

void TSynPasSyn::StringProc() {
  kind_ = tkString;
  run_ = DoubledQuoteEnd(ScanText(), run_ + 1, u'\'');
}

// "#13", "#$0D": the "#" and the hexadecimal digits and "$" after it, so
// "#13#10" is two tokens.
void TSynPasSyn::CharCodeProc() {
  kind_ = tkChar;
  ++run_;
  while (Cur() == u'$' || IsHexDigit(Cur())) ++run_;
}

void TSynPasSyn::HexProc() {
  kind_ = tkHex;
  run_ = RunEnd(ScanText(), run_ + 1, ccDigit | ccHexLetter);
}

// Digits with ".", an exponent and its sign; "." or an exponent makes it a
// float. It stops before "..", so "1..2" is a range.
void TSynPasSyn::NumberProc() {
  kind_ = tkNumber;
  ++run_;
  for (;;) {
    const char16_t ch = Cur();
    if (IsDigit(ch)) {
      ++run_;
    } else if (ch == u'.') {
      if (Ch(run_ + 1) == u'.') return;
      kind_ = tkFloat;
      ++run_;
    } else if (ch == u'e') {  // the scan copy is lower case
      kind_ = tkFloat;
      ++run_;
    } else if ((ch == u'+' || ch == u'-') && Ch(run_ - 1) == u'e') {
      ++run_;
    } else {
      return;
    }
  }
}

void TSynPasSyn::SemicolonProc() {
  SymbolProc(1);
  if (range_ == rsProperty || range_ == rsExports) range_ = rsUnknown;
}

void TSynPasSyn::IdentProc() {
  run_ = IdentEnd(ScanText(), run_);
  const int word = keywords_.Find(ScanText().substr(tokenPos_, run_ - tokenPos_), tkIdentifier);
  kind_ = tkKey;
  switch (word) {
    case wkAsm:
      range_ = rsAsm;
      asmStart_ = true;
      return;
    case wkEnd:
      range_ = rsUnknown;
      return;
    case wkProperty:
      range_ = rsProperty;
      return;
    case wkExports:
      range_ = rsExports;
      return;
    case wkPropertyOnly:
      if (range_ != rsProperty) kind_ = tkIdentifier;
      return;
    case wkExportsOnly:
      if (range_ != rsExports) kind_ = tkIdentifier;
      return;
    case wkPropertyOrExports:
      if (range_ != rsProperty && range_ != rsExports) kind_ = tkIdentifier;
      return;
    default:
      kind_ = word;
      return;
  }
}

// In an assembler block everything but comments, directives and blanks is
// assembler code; the "asm" that opened the block keeps its own kind.
int TSynPasSyn::TokenKind() const {
  if (range_ == rsAsm && !asmStart_ && kind_ != tkComment && kind_ != tkSpace && kind_ != tkNull &&
      kind_ != tkDirec)
    return tkAsm;
  return kind_;
}

TSynHighlighterAttributes* TSynPasSyn::TokenAttribute() const {
  const int kind = TokenKind();
  return kind == tkNull ? nullptr : byKind_[kind];
}

TSynHighlighterAttributes* TSynPasSyn::DefaultAttribute(int role) const {
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
