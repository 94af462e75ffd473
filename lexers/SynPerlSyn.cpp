// Perl lexer.
//
// Special cases:
// - "#" starts a comment, except in the punctuation variables ("$#", "$'",
//   "$\"" ...), which are lexed first so their quote opens no string.
// - Double-quoted strings: a backslash not itself escaped hides a quote, and
//   an opening quote followed by two more takes all three first. Single-
//   quoted strings have no escapes. Strings end with their line.
// - No pattern literals, POD blocks or here-documents: "/" is a symbol, and
//   the text of a pattern or a POD block lexes as code.
// - Variable names and identifiers may contain "$", "%" and "@".
#include "lexers/SynPerlSyn.h"

#include <iterator>

namespace qm {

namespace {

constexpr std::string_view kReservedWords[] = {
    // Control and declarations.
    "if", "elsif", "else", "unless", "while", "until", "for", "foreach", "do", "last", "next", "redo", "goto",
    "return", "sub", "my", "our", "local", "state", "package", "use", "no", "require", "BEGIN", "END", "INIT",
    "CHECK", "UNITCHECK", "AUTOLOAD", "DESTROY", "__END__", "__DATA__", "__FILE__", "__LINE__", "__PACKAGE__",
    "__SUB__",
    // Quote-like operators.
    "q", "qq", "qw", "qr", "qx", "m", "s", "tr", "y",
    // Built-in functions.
    "abs", "atan2", "binmode", "bless", "caller", "chdir", "chmod", "chomp", "chop", "chown", "chr", "close",
    "closedir", "cos", "defined", "delete", "die", "each", "eof", "eval", "exec", "exists", "exit", "exp",
    "fork", "getc", "glob", "gmtime", "grep", "hex", "index", "int", "join", "keys", "kill", "lc", "lcfirst",
    "length", "link", "localtime", "lock", "log", "lstat", "map", "mkdir", "oct", "open", "opendir", "ord",
    "pack", "pop", "pos", "print", "printf", "push", "quotemeta", "rand", "read", "readdir", "readline",
    "ref", "rename", "reverse", "rewinddir", "rindex", "rmdir", "say", "scalar", "seek", "select", "shift",
    "sin", "sleep", "sort", "splice", "split", "sprintf", "sqrt", "srand", "stat", "substr", "symlink",
    "syscall", "sysopen", "sysread", "system", "syswrite", "tell", "time", "uc", "ucfirst", "umask", "undef",
    "unlink", "unpack", "unshift", "utime", "values", "wait", "waitpid", "wantarray", "warn", "write",
};

constexpr std::string_view kOperators[] = {"and", "or", "not", "xor", "eq", "ne", "lt", "gt", "le", "ge", "cmp", "x"};

constexpr std::string_view kPragmas[] = {
    "attributes", "autodie", "base", "bigint", "bignum", "bytes", "constant", "diagnostics", "feature",
    "fields", "integer", "less", "lib", "locale", "overload", "parent", "strict", "subs", "utf8", "vars",
    "warnings",
};

constexpr std::string_view kVariables[] = {
    "$_", "@_", "$0", "@ARGV", "$ARGV", "%ENV", "@INC", "%INC", "%SIG", "STDIN", "STDOUT", "STDERR", "ARGV",
};

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
bool IsLetter(char16_t ch) { return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z'); }
bool IsHexDigit(char16_t ch) {
  return IsDigit(ch) || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}
// What an identifier or a variable name is made of.
bool IsWordChar(char16_t ch) {
  return IsLetter(ch) || IsDigit(ch) || ch == u'_' || ch == u'$' || ch == u'%' || ch == u'@';
}
// ASCII punctuation other than "_": the second character of "$!", "$#" ...
bool IsPunctuation(char16_t ch) {
  return (ch >= 33 && ch <= 47) || (ch >= 58 && ch <= 64) || (ch >= 91 && ch <= 96 && ch != u'_') ||
         (ch >= 123 && ch <= 126);
}
bool IsBreak(char16_t ch) { return ch == u'\n' || ch == u'\r'; }

} // namespace

TSynPerlSyn::TSynPerlSyn() {
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* invalid = AddAttribute("IllegalChar");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* op = AddAttribute("Operator");
  auto* pragma = AddAttribute("Pragma");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  auto* variable = AddAttribute("Variable");
  comment->SetForeground(0x808080);
  comment->SetStyle(fsItalic);
  key->SetStyle(fsBold);
  number->SetForeground(0x000080);
  op->SetStyle(fsBold);
  pragma->SetStyle(fsBold);
  string->SetForeground(0x008000);
  variable->SetForeground(0x800000);
  invalid->SetForeground(0x0000FF);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkOperator] = op;
  byKind_[tkPragma] = pragma;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = invalid;
  byKind_[tkVariable] = variable;

  for (std::string_view word : kReservedWords) keywords_.Add(word, tkKey);
  for (std::string_view word : kOperators) keywords_.Add(word, tkOperator);
  for (std::string_view word : kPragmas) keywords_.Add(word, tkPragma);
  for (std::string_view word : kVariables) keywords_.Add(word, tkVariable);
  SetDefaultFilter("Perl Files (*.pl;*.pm;*.cgi)|*.pl;*.pm;*.cgi");
}

void TSynPerlSyn::NextToken() {
  tokenPos_ = run_;
  if (run_ >= len_) {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  Dispatch(Cur());
}

void TSynPerlSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'#':
      return CommentProc();
    case u'"':
      return DoubleQuoteProc();
    case u'\'':
      return SingleQuoteProc();
    case u'$':
      return DollarProc();
    case u'%':
    case u'@':
      return SigilProc();
    case u'x':
      if (Ch(run_ + 1) == u'=') return Token(tkOperator, 2);  // "x=", repeat and assign
      return WordProc();
    case u'`':
      return Token(tkUnknown, 1);
    default:
      if (ch <= 32) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsLetter(ch) || ch == u'_') return WordProc();
      return Token(ch < 127 ? tkSymbol : tkUnknown, 1);
  }
}

void TSynPerlSyn::Token(TtkTokenKind kind, int length) {
  kind_ = kind;
  run_ += length;
}

void TSynPerlSyn::SpaceProc() {
  kind_ = tkSpace;
  while (run_ < len_ && Cur() <= 32) ++run_;
}

void TSynPerlSyn::CommentProc() {
  kind_ = tkComment;
  while (run_ < len_ && !IsBreak(Cur())) ++run_;
}

void TSynPerlSyn::DoubleQuoteProc() {
  kind_ = tkString;
  run_ += Ch(run_ + 1) == u'"' && Ch(run_ + 2) == u'"' ? 3 : 1;
  for (;;) {
    const char16_t ch = Cur();
    if (run_ >= len_ || IsBreak(ch)) return;
    if (ch == u'\\') {
      // The backslash takes the next character: a quote it hides, or a
      // backslash that then hides nothing.
      run_ += run_ + 1 < len_ && !IsBreak(Ch(run_ + 1)) ? 2 : 1;
      continue;
    }
    ++run_;
    if (ch == u'"') return;
  }
}

void TSynPerlSyn::SingleQuoteProc() {
  kind_ = tkString;
  ++run_;
  for (;;) {
    const char16_t ch = Cur();
    if (run_ >= len_ || IsBreak(ch)) return;
    ++run_;
    if (ch == u'\'') return;
  }
}

// "$^W" and the punctuation variables ("$_" is a word); otherwise a name.
void TSynPerlSyn::DollarProc() {
  const char16_t next = Ch(run_ + 1);
  if (next == u'^' && IsLetter(Ch(run_ + 2))) return Token(tkVariable, 3);
  if (IsPunctuation(next)) return Token(tkVariable, 2);
  WordProc();
}

// "%=" is an operator; "%name", "@name", "@$ref" are variables.
void TSynPerlSyn::SigilProc() {
  const char16_t next = Ch(run_ + 1);
  if (Cur() == u'%' && next == u'=') return Token(tkOperator, 2);
  if (IsLetter(next) || next == u'_' || next == u'$') return WordProc();
  Token(tkSymbol, 1);
}

void TSynPerlSyn::WordProc() {
  ++run_;
  while (IsWordChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  const char16_t first = word.front();
  const bool sigil = first == u'$' || first == u'%' || first == u'@';
  kind_ = keywords_.Find(word, sigil ? tkVariable : tkIdentifier);
}

// Decimal numbers with "_", a fraction (not before "..") and an exponent;
// "0x" hexadecimal and "0b" binary.
void TSynPerlSyn::NumberProc() {
  kind_ = tkNumber;
  const char16_t second = Ch(run_ + 1);
  if (Cur() == u'0' && (second == u'x' || second == u'X' || second == u'b' || second == u'B')) {
    run_ += 2;
    while (IsHexDigit(Cur()) || Cur() == u'_') ++run_;
    return;
  }
  while (IsDigit(Cur()) || Cur() == u'_') ++run_;
  if (Cur() == u'.' && Ch(run_ + 1) != u'.') {
    ++run_;
    while (IsDigit(Cur()) || Cur() == u'_') ++run_;
  }
  if (Cur() == u'e' || Cur() == u'E') {
    const int sign = Ch(run_ + 1) == u'+' || Ch(run_ + 1) == u'-' ? 1 : 0;
    if (IsDigit(Ch(run_ + 1 + sign))) {
      run_ += 1 + sign;
      while (IsDigit(Cur())) ++run_;
    }
  }
}

TSynHighlighterAttributes* TSynPerlSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynPerlSyn::DefaultAttribute(int role) const {
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
