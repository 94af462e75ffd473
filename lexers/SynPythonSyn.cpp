// Python lexer.
//
// Special cases:
// - Three quotes of one kind open a long string, "Documentation" (every
//   triple-quoted string, not only docstrings), that runs over lines in
//   state 3 (''') or 4 (""") until three quotes of its kind.
// - A one-quote string whose line ends inside it with a backslash as the
//   line's last character continues on the next line (state 5 for ', 6 for
//   "); that line is
//   a "String" up to the first quote of the string's kind that does not
//   follow a backslash.
// - "r", "u" and "ur" (any case) directly before a quote belong to the string.
// - A backslash not itself escaped hides the quote after it.
// - "$", "?", "@" and every character above code 126 are "SyntaxError".
#include "lexers/SynPythonSyn.h"

#include <iterator>

namespace qm {

namespace {

constexpr std::string_view kReservedWords[] = {
    "False", "None", "True", "and", "as", "assert", "async", "await", "break", "class", "continue", "def",
    "del", "elif", "else", "except", "finally", "for", "from", "global", "if", "import", "in", "is", "lambda",
    "nonlocal", "not", "or", "pass", "raise", "return", "try", "while", "with", "yield",
};

// Soft keywords and the conventional names of the instance and the class.
constexpr std::string_view kNonreservedKeywords[] = {"case", "cls", "match", "self"};

constexpr std::string_view kSystemNames[] = {
    // Built-in functions and types.
    "abs", "aiter", "all", "anext", "any", "ascii", "bin", "bool", "breakpoint", "bytearray", "bytes",
    "callable", "chr", "classmethod", "compile", "complex", "delattr", "dict", "dir", "divmod", "enumerate",
    "eval", "exec", "filter", "float", "format", "frozenset", "getattr", "globals", "hasattr", "hash", "help",
    "hex", "id", "input", "int", "isinstance", "issubclass", "iter", "len", "list", "locals", "map", "max",
    "memoryview", "min", "next", "object", "oct", "open", "ord", "pow", "print", "property", "range", "repr",
    "reversed", "round", "set", "setattr", "slice", "sorted", "staticmethod", "str", "sum", "super", "tuple",
    "type", "vars", "zip", "__import__",
    // Built-in constants and module variables.
    "Ellipsis", "NotImplemented", "__debug__", "__name__", "__file__", "__doc__", "__all__", "__builtins__",
    "__package__", "__path__", "__spec__", "__loader__",
    // Built-in exceptions.
    "ArithmeticError", "AssertionError", "AttributeError", "BaseException", "BlockingIOError",
    "BrokenPipeError", "BufferError", "ConnectionError", "EOFError", "EnvironmentError", "Exception",
    "FileExistsError", "FileNotFoundError", "FloatingPointError", "GeneratorExit", "IOError", "ImportError",
    "IndentationError", "IndexError", "InterruptedError", "IsADirectoryError", "KeyError",
    "KeyboardInterrupt", "LookupError", "MemoryError", "ModuleNotFoundError", "NameError",
    "NotADirectoryError", "NotImplementedError", "OSError", "OverflowError", "PermissionError",
    "RecursionError", "ReferenceError", "RuntimeError", "StopAsyncIteration", "StopIteration",
    "SyntaxError", "SystemError", "SystemExit", "TabError", "TimeoutError", "TypeError", "UnboundLocalError",
    "UnicodeDecodeError", "UnicodeEncodeError", "UnicodeError", "ValueError", "ZeroDivisionError",
    "DeprecationWarning", "RuntimeWarning", "UserWarning", "Warning",
};

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
bool IsOctDigit(char16_t ch) { return ch >= u'0' && ch <= u'7'; }
bool IsBinDigit(char16_t ch) { return ch == u'0' || ch == u'1'; }
bool IsHexDigit(char16_t ch) {
  return IsDigit(ch) || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}
bool IsLetter(char16_t ch) { return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z'); }
bool IsWordStart(char16_t ch) { return IsLetter(ch) || ch == u'_'; }
bool IsWordChar(char16_t ch) { return IsWordStart(ch) || IsDigit(ch); }
bool IsQuote(char16_t ch) { return ch == u'\'' || ch == u'"'; }
bool IsBreak(char16_t ch) { return ch == u'\n' || ch == u'\r'; }

// "r", "u", "ur" in any letter case.
bool IsStringPrefix(std::u16string_view word) {
  const auto lower = [](char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch; };
  if (word.size() == 1) return lower(word[0]) == u'r' || lower(word[0]) == u'u';
  return word.size() == 2 && lower(word[0]) == u'u' && lower(word[1]) == u'r';
}

} // namespace

TSynPythonSyn::TSynPythonSyn() {
  auto* comment = AddAttribute("Comment");
  auto* documentation = AddAttribute("Documentation");
  auto* floatAttr = AddAttribute("Float");
  auto* hex = AddAttribute("Hexadecimal");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* nonKey = AddAttribute("NonreservedKeyword");
  auto* number = AddAttribute("Number");
  auto* oct = AddAttribute("Octal");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  auto* system = AddAttribute("SystemFunctionsAndVariables");
  auto* error = AddAttribute("SyntaxError");
  comment->SetForeground(0x808080);
  comment->SetStyle(fsItalic);
  documentation->SetForeground(0x808000);
  documentation->SetStyle(fsItalic);
  key->SetStyle(fsBold);
  nonKey->SetForeground(0x800000);
  system->SetStyle(fsBold);
  number->SetForeground(0x000080);
  floatAttr->SetForeground(0x000080);
  hex->SetForeground(0x000080);
  oct->SetForeground(0x000080);
  string->SetForeground(0x008000);
  error->SetForeground(0x0000FF);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkDocumentation] = documentation;
  byKind_[tkFloat] = floatAttr;
  byKind_[tkHex] = hex;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNonKeyword] = nonKey;
  byKind_[tkNumber] = number;
  byKind_[tkOct] = oct;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkSystemDefined] = system;
  byKind_[tkUnknown] = error;

  for (std::string_view word : kReservedWords) keywords_.Add(word, tkKey);
  for (std::string_view word : kNonreservedKeywords) keywords_.Add(word, tkNonKeyword);
  for (std::string_view word : kSystemNames) keywords_.Add(word, tkSystemDefined);
  SetDefaultFilter("Python Files (*.py)|*.py");
  range_ = rsNormal;
}

void TSynPythonSyn::ResetRangeState() { range_ = rsNormal; }

// The quote of a continued string is part of the line state, so every line
// lexes the same from its stored state.
void TSynPythonSyn::ContinueString(char16_t quote) { range_ = quote == u'"' ? rsContinuedDouble : rsContinuedString; }

void TSynPythonSyn::NextToken() {
  tokenPos_ = run_;
  if (run_ >= len_) {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  const char16_t ch = Cur();
  switch (range_) {
    case rsSingleTriple:
    case rsDoubleTriple:
    case rsContinuedString:
    case rsContinuedDouble:
      if (IsBreak(ch)) return SingleChar(tkSpace);
      if (range_ == rsContinuedString || range_ == rsContinuedDouble) return ContinuedStringBody();
      kind_ = tkDocumentation;
      return LongStringBody(range_ == rsSingleTriple ? u'\'' : u'"');
    default:
      return Dispatch(ch);
  }
}

void TSynPythonSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'#':
      return CommentProc();
    case u'"':
    case u'\'':
      return StringProc();
    case u'$': case u'?': case u'@':
      return SingleChar(tkUnknown);
    case u'.':
      if (IsDigit(Ch(run_ + 1))) return NumberProc();
      return SingleChar(tkSymbol);
    default:
      if (ch <= 32) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsWordStart(ch)) return IdentProc();
      // Operators, brackets, backslash and backquote; the rest is not Python.
      return SingleChar(ch < 127 ? tkSymbol : tkUnknown);
  }
}

void TSynPythonSyn::SingleChar(TtkTokenKind kind) {
  kind_ = kind;
  ++run_;
}

void TSynPythonSyn::SpaceProc() {
  kind_ = tkSpace;
  while (run_ < len_ && Cur() <= 32) ++run_;
}

void TSynPythonSyn::CommentProc() {
  kind_ = tkComment;
  while (run_ < len_ && !IsBreak(Cur())) ++run_;
}

// At a quote (a prefix, when there is one, is already behind the token start).
void TSynPythonSyn::StringProc() {
  const char16_t quote = Cur();
  if (Ch(run_ + 1) == quote && Ch(run_ + 2) == quote) {
    kind_ = tkDocumentation;
    range_ = quote == u'\'' ? rsSingleTriple : rsDoubleTriple;
    run_ += 3;
    return LongStringBody(quote);
  }
  kind_ = tkString;
  ++run_;
  ShortStringBody(quote);
}

// A backslash takes the character after it, so it hides a following quote
// unless it is itself taken by a backslash before it.
void TSynPythonSyn::LongStringBody(char16_t quote) {
  for (;;) {
    const char16_t ch = Cur();
    if (run_ >= len_ || IsBreak(ch)) return;
    if (ch == u'\\') {
      run_ += run_ + 1 < len_ && !IsBreak(Ch(run_ + 1)) ? 2 : 1;
    } else if (ch == quote && Ch(run_ + 1) == quote && Ch(run_ + 2) == quote) {
      run_ += 3;
      range_ = rsNormal;
      return;
    } else {
      ++run_;
    }
  }
}

void TSynPythonSyn::ShortStringBody(char16_t quote) {
  for (;;) {
    const char16_t ch = Cur();
    if (run_ >= len_) {
      if (Ch(len_ - 1) == u'\\') ContinueString(quote);
      return;
    }
    if (IsBreak(ch)) return;
    if (ch == u'\\') {
      run_ += run_ + 1 < len_ && !IsBreak(Ch(run_ + 1)) ? 2 : 1;
      continue;
    }
    ++run_;
    if (ch == quote) return;
  }
}

// States 5 and 6: the string goes on up to its quote; here any backslash directly
// before the quote hides it.
void TSynPythonSyn::ContinuedStringBody() {
  kind_ = tkString;
  const char16_t quote = range_ == rsContinuedDouble ? u'"' : u'\'';
  for (;;) {
    if (run_ >= len_) {
      if (Ch(len_ - 1) == u'\\')
        ContinueString(quote);
      else
        range_ = rsNormal;
      return;
    }
    const char16_t ch = Cur();
    if (IsBreak(ch)) return;
    ++run_;
    if (ch == quote && Ch(run_ - 2) != u'\\') {
      range_ = rsNormal;
      return;
    }
  }
}

void TSynPythonSyn::IdentProc() {
  while (IsWordChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  if (IsQuote(Cur()) && IsStringPrefix(word)) return StringProc();
  kind_ = keywords_.Find(word, tkIdentifier);
}

void TSynPythonSyn::ScanDigits(bool (*isDigit)(char16_t)) {
  while (isDigit(Cur()) || (Cur() == u'_' && isDigit(Ch(run_ + 1)))) ++run_;
}

// "0x..." hexadecimal, "0o..." and old-style "0777" octal, "0b..." binary;
// decimals with a fraction, an exponent or the imaginary "j" are floats.
void TSynPythonSyn::NumberProc() {
  const char16_t second = Ch(run_ + 1);
  if (Cur() == u'0' && (second == u'x' || second == u'X') && IsHexDigit(Ch(run_ + 2))) {
    kind_ = tkHex;
    run_ += 2;
    ScanDigits(IsHexDigit);
  } else if (Cur() == u'0' && (second == u'o' || second == u'O') && IsOctDigit(Ch(run_ + 2))) {
    kind_ = tkOct;
    run_ += 2;
    ScanDigits(IsOctDigit);
  } else if (Cur() == u'0' && (second == u'b' || second == u'B') && IsBinDigit(Ch(run_ + 2))) {
    kind_ = tkNumber;
    run_ += 2;
    ScanDigits(IsBinDigit);
  } else {
    kind_ = tkNumber;
    ScanDigits(IsDigit);
    const int length = run_ - tokenPos_;
    if (length > 1 && Ch(tokenPos_) == u'0') {
      bool octal = true;
      for (int i = tokenPos_ + 1; i < run_; ++i) octal = octal && (IsOctDigit(Ch(i)) || Ch(i) == u'_');
      if (octal && Cur() != u'.' && Cur() != u'e' && Cur() != u'E' && Cur() != u'j' && Cur() != u'J')
        kind_ = tkOct;
    }
    if (kind_ == tkNumber) return ExponentAndSuffix();
  }
  if (Cur() == u'l' || Cur() == u'L') ++run_;
}

void TSynPythonSyn::ExponentAndSuffix() {
  if (Cur() == u'.') {
    kind_ = tkFloat;
    ++run_;
    ScanDigits(IsDigit);
  }
  if (Cur() == u'e' || Cur() == u'E') {
    const int sign = Ch(run_ + 1) == u'+' || Ch(run_ + 1) == u'-' ? 1 : 0;
    if (IsDigit(Ch(run_ + 1 + sign))) {
      kind_ = tkFloat;
      run_ += 1 + sign;
      ScanDigits(IsDigit);
    }
  }
  if (Cur() == u'j' || Cur() == u'J') {
    kind_ = tkFloat;
    ++run_;
  } else if (kind_ == tkNumber && (Cur() == u'l' || Cur() == u'L')) {
    ++run_;
  }
}

TSynHighlighterAttributes* TSynPythonSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynPythonSyn::DefaultAttribute(int role) const {
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
