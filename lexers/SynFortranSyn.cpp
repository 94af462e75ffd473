// Fortran lexer, for fixed and free source form alike.
//
// Special cases:
// - "C", "c" or "*" in the first column makes the whole line a comment, even
//   when the line reads like code ("Call x"). Elsewhere "*" is a symbol.
// - "!" starts a comment to the end of the line wherever a token can start.
// - Strings do not continue over lines; a doubled quote ends one string and
//   starts the next. An opening double quote followed by two more takes all
//   three first.
#include "lexers/SynFortranSyn.h"

#include "lexers/ClassicScan.h"

namespace qm {

using namespace classic;

namespace {

constexpr std::string_view kKeywords[] = {
    "abstract", "allocatable", "allocate", "assign", "associate", "asynchronous", "backspace", "bind", "block",
    "blockdata", "call", "case", "character", "class", "close", "codimension", "common", "complex",
    "concurrent", "contains", "contiguous", "continue", "critical", "cycle", "data", "deallocate", "default",
    "deferred", "dimension", "do", "double", "doubleprecision", "elemental", "else", "elseif", "elsewhere",
    "end", "endblock", "enddo", "endfile", "endfunction", "endif", "endinterface", "endmodule",
    "endprogram", "endselect", "endsubroutine", "endtype", "endwhere", "entry", "enum", "enumerator",
    "equivalence", "error", "exit", "extends", "external", "final", "flush", "forall", "format", "function",
    "generic", "go", "goto", "if", "implicit", "import", "impure", "in", "include", "inout", "inquire",
    "integer", "intent", "interface", "intrinsic", "kind", "len", "logical", "module", "namelist", "none",
    "non_overridable", "nopass", "nullify", "only", "open", "operator", "optional", "out", "parameter",
    "pass", "pause", "pointer", "precision", "print", "private", "procedure", "program", "protected",
    "public", "pure", "read", "real", "recursive", "result", "return", "rewind", "save", "select", "sequence",
    "stop", "submodule", "subroutine", "sync", "target", "then", "to", "type", "use", "value", "volatile",
    "wait", "where", "while", "write",
};

} // namespace

TSynFortranSyn::TSynFortranSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
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
  SetDefaultFilter("Fortran Files (*.for)|*.for");
}

TSynHighlighterAttributes* TSynFortranSyn::DefaultAttribute(int role) const {
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

void TSynFortranSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  if (run_ == 0 && (ch == u'c' || ch == u'*')) return CommentToLineEnd();
  Dispatch(ch);
}

void TSynFortranSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'!':
      return CommentToLineEnd();
    case u'\'':
    case u'"':
      return StringProc(ch);
    case u'=': case u'+': case u'-': case u'*': case u'/': case u'(': case u')': case u',': case u'.':
    case u':': case u';': case u'<': case u'>': case u'%': case u'&': case u'[': case u']':
      return SymbolProc();
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

void TSynFortranSyn::CommentToLineEnd() {
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_);
}

void TSynFortranSyn::StringProc(char16_t quote) {
  kind_ = tkString;
  run_ += quote == u'"' && Ch(run_ + 1) == u'"' && Ch(run_ + 2) == u'"' ? 3 : 1;
  run_ = QuotedEnd(ScanText(), run_, quote);
}

// Digits and "."; an exponent letter "e" or "d" only when digits (or a sign
// and digits) follow it. The number ends before "..".
void TSynFortranSyn::NumberProc() {
  kind_ = tkNumber;
  for (;;) {
    const char16_t ch = Cur();
    if (IsDigit(ch)) {
      ++run_;
    } else if (ch == u'.' && Ch(run_ + 1) != u'.') {
      ++run_;
    } else if ((ch == u'e' || ch == u'd') && IsDigit(Ch(run_ + 1))) {
      run_ += 2;
    } else if ((ch == u'e' || ch == u'd') && (Ch(run_ + 1) == u'+' || Ch(run_ + 1) == u'-') &&
               IsDigit(Ch(run_ + 2))) {
      run_ += 3;
    } else {
      return;
    }
  }
}

void TSynFortranSyn::IdentProc() {
  run_ = WordEnd(ScanText(), run_);
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

void TSynFortranSyn::SymbolProc() {
  kind_ = tkSymbol;
  ++run_;
}

} // namespace qm
