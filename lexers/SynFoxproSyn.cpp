// FoxPro lexer.
//
// Special cases:
// - "*" is a comment to the end of the line only as the first character of
//   the line that is not a blank; elsewhere it is the multiplication symbol.
// - "&&" comments to the end of the line; a single "&" (macro substitution)
//   is a symbol.
// - "{" opens a "String" token (date and time literals) that runs to and
//   including "}" or to the end of the line.
// - Logical constants and operators between dots («.T.», «.AND.») are one
//   symbol token each.
#include "lexers/SynFoxproSyn.h"

#include "lexers/ClassicScan.h"

namespace qm {

using namespace classic;

namespace {

constexpr std::string_view kKeywords[] = {
    "accept", "activate", "alias", "all", "alltrim", "and", "append", "array", "as", "asc", "at", "average",
    "between", "blank", "bottom", "browse", "by", "case", "cdow", "cd", "chr", "class", "clear", "close",
    "cmonth", "continue", "copy", "count", "create", "ctod", "cursor", "date", "deactivate", "declare",
    "define", "delete", "dimension", "dir", "display", "do", "dow", "dtoc", "each", "edit", "else", "empty",
    "endcase", "enddefine", "enddo", "endfor", "endfunc", "endif", "endproc", "endscan", "endtext",
    "endwith", "eof", "erase", "exit", "export", "external", "file", "fields", "for", "found", "from",
    "function", "gather", "get", "go", "goto", "hide", "if", "iif", "import", "in", "index", "input",
    "insert", "into", "join", "label", "len", "like", "list", "local", "locate", "loop", "lower", "ltrim",
    "lparameters", "menu", "modify", "next", "not", "note", "nvl", "of", "on", "or", "order", "otherwise",
    "pack", "parameters", "pop", "private", "procedure", "protected", "public", "push", "quit", "read",
    "recall", "recno", "record", "reindex", "release", "rename", "replace", "report", "restore", "resume",
    "retry", "return", "rtrim", "run", "save", "say", "scan", "scatter", "seek", "select", "set", "show",
    "skip", "sort", "space", "sql", "store", "str", "substr", "sum", "suspend", "table", "tag", "text", "this",
    "thisform", "to", "top", "total", "transform", "trim", "type", "update", "upper", "use", "val", "values",
    "wait", "where", "while", "window", "with", "zap",
};

} // namespace

TSynFoxproSyn::TSynFoxproSyn() {
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
  SetDefaultFilter("Foxpro Files (*.prg)|*.prg");
}

TSynHighlighterAttributes* TSynFoxproSyn::DefaultAttribute(int role) const {
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

void TSynFoxproSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  Dispatch(ch);
}

void TSynFoxproSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'&':
      return AmpersandProc();
    case u'*':
      return StarProc();
    case u'\'':
    case u'"':
      return StringProc(ch);
    case u'{':
      return BraceProc();
    case u'.':
      return DotProc();
    case u'<':
      return SymbolProc(Ch(run_ + 1) == u'>' || Ch(run_ + 1) == u'=' ? 2 : 1);
    case u'>':
      return SymbolProc(Ch(run_ + 1) == u'=' ? 2 : 1);
    case u'!': case u'#': case u'$': case u'%': case u'(': case u')': case u'+': case u',': case u'-':
    case u'/': case u':': case u';': case u'=': case u'?': case u'@': case u'[': case u']': case u'^':
    case u'}': case u'\\':
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

void TSynFoxproSyn::CommentToLineEnd() {
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_);
}

void TSynFoxproSyn::AmpersandProc() {
  if (Ch(run_ + 1) == u'&') return CommentToLineEnd();
  SymbolProc(1);
}

void TSynFoxproSyn::StartLine(std::u16string_view line, int lineIndex) {
  firstText_ = -1;
  TSynCustomHighlighter::StartLine(line, lineIndex);
}

void TSynFoxproSyn::StarProc() {
  if (firstText_ < 0) firstText_ = SpaceEnd(ScanText(), 0);
  if (run_ == firstText_) return CommentToLineEnd();
  SymbolProc(1);
}

void TSynFoxproSyn::StringProc(char16_t quote) {
  kind_ = tkString;
  run_ += quote == u'"' && Ch(run_ + 1) == u'"' && Ch(run_ + 2) == u'"' ? 3 : 1;
  run_ = QuotedEnd(ScanText(), run_, quote);
}

void TSynFoxproSyn::BraceProc() {
  kind_ = tkString;
  run_ = QuotedEnd(ScanText(), run_ + 1, u'}');
}

// «.t.», «.f.», «.y.», «.n.», «.and.», «.or.», «.not.»: one symbol; any
// other "." alone.
void TSynFoxproSyn::DotProc() {
  const int end = WordEnd(ScanText(), run_ + 1);
  if (end > run_ + 1 && Ch(end) == u'.') {
    const std::u16string_view word = ScanText().substr(static_cast<size_t>(run_ + 1), static_cast<size_t>(end - run_ - 1));
    if (word == u"t" || word == u"f" || word == u"y" || word == u"n" || word == u"and" || word == u"or" ||
        word == u"not")
      return SymbolProc(end + 1 - run_);
  }
  SymbolProc(1);
}

// Digits and ".".
void TSynFoxproSyn::NumberProc() {
  kind_ = tkNumber;
  while (IsDigit(Cur()) || (Cur() == u'.' && IsDigit(Ch(run_ + 1)))) ++run_;
}

void TSynFoxproSyn::IdentProc() {
  run_ = WordEnd(ScanText(), run_);
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

void TSynFoxproSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

} // namespace qm
