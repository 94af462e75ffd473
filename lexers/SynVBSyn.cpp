// Visual Basic lexer.
//
// Special cases:
// - "Rem" is a comment only as a whole word: "Remark" is an identifier. The
//   comment token includes the word.
// - Doubled quotes are no escape here: «"a""b"» lexes as two strings. An
//   opening quote followed by two more takes all three before the scan for
//   the closing quote starts.
// - "#" opens a "String" token that runs to the next "#": date literals and
//   «#If» preprocessor lines alike.
#include "lexers/SynVBSyn.h"

#include "lexers/ClassicScan.h"

namespace qm {

using namespace classic;

namespace {

constexpr std::string_view kKeywords[] = {
    "addhandler", "addressof", "alias", "and", "andalso", "append", "as", "attribute", "base", "binary",
    "boolean", "byref", "byte", "byval", "call", "case", "catch", "cbool", "cbyte", "cchar", "cdate", "cdbl",
    "cdec", "char", "cint", "class", "clng", "cobj", "compare", "const", "continue", "csbyte", "cshort", "csng",
    "cstr", "ctype", "cuint", "culng", "currency", "cushort", "date", "decimal", "declare", "default",
    "defbool", "defint", "deflng", "defstr", "delegate", "dim", "directcast", "do", "double", "each", "else",
    "elseif", "empty", "end", "endif", "enum", "eqv", "erase", "error", "event", "exit", "explicit", "false",
    "finally", "for", "friend", "function", "get", "gettype", "global", "gosub", "goto", "handles", "if",
    "imp", "implements", "imports", "in", "inherits", "input", "integer", "interface", "is", "isnot", "let",
    "lib", "like", "long", "loop", "me", "mod", "module", "mustinherit", "mustoverride", "mybase", "myclass",
    "namespace", "narrowing", "new", "next", "not", "nothing", "notinheritable", "notoverridable", "null",
    "object", "of", "on", "open", "operator", "option", "optional", "or", "orelse", "output", "overloads",
    "overridable", "overrides", "paramarray", "partial", "preserve", "print", "private", "property",
    "protected", "public", "raiseevent", "random", "readonly", "redim", "removehandler", "resume", "return",
    "sbyte", "select", "set", "shadows", "shared", "short", "single", "static", "step", "stop", "string",
    "structure", "sub", "synclock", "then", "throw", "to", "true", "try", "trycast", "type", "typeof",
    "uinteger", "ulong", "until", "ushort", "using", "variant", "wend", "when", "while", "widening", "with",
    "withevents", "writeonly", "xor",
};

} // namespace

TSynVBSyn::TSynVBSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x008000);
  key->SetStyle(fsBold);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("Visual Basic Files (*.bas)|*.bas");
}

TSynHighlighterAttributes* TSynVBSyn::DefaultAttribute(int role) const {
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

void TSynVBSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  Dispatch(ch);
}

void TSynVBSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'\'':
      return CommentToLineEnd();
    case u'"':
      return StringProc();
    case u'#':
      return HashProc();
    case u'<':
      return SymbolProc(Ch(run_ + 1) == u'>' || Ch(run_ + 1) == u'=' ? 2 : 1);
    case u'>':
      return SymbolProc(Ch(run_ + 1) == u'=' ? 2 : 1);
    case u'&': case u'(': case u')': case u'*': case u'+': case u',': case u'-': case u'.': case u'/':
    case u':': case u';': case u'=': case u'\\': case u'^': case u'[': case u']': case u'{': case u'}':
    case u'!': case u'?':
      return SymbolProc(1);
    default:
      if (ch <= 32) {
        kind_ = tkSpace;
        run_ = SpaceEnd(ScanText(), run_);
      } else if (IsDigit(ch)) {
        NumberProc();
      } else if (IsWordStart(ch)) {
        IdentProc();
      } else {
        kind_ = tkUnknown;
        ++run_;
      }
  }
}

void TSynVBSyn::CommentToLineEnd() {
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_);
}

void TSynVBSyn::StringProc() {
  kind_ = tkString;
  run_ += Ch(run_ + 1) == u'"' && Ch(run_ + 2) == u'"' ? 3 : 1;
  run_ = QuotedEnd(ScanText(), run_, u'"');
}

void TSynVBSyn::HashProc() {
  kind_ = tkString;
  run_ = QuotedEnd(ScanText(), run_ + 1, u'#');
}

// Digits, ".", "e" (the scan copy is lower-cased).
void TSynVBSyn::NumberProc() {
  kind_ = tkNumber;
  while (IsDigit(Cur()) || Cur() == u'.' || Cur() == u'e') ++run_;
}

void TSynVBSyn::IdentProc() {
  run_ = WordEnd(ScanText(), run_);
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  if (word == u"rem") return CommentToLineEnd();
  kind_ = keywords_.Find(word, tkIdentifier);
}

void TSynVBSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

} // namespace qm
