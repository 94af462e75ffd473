// Form-file lexer.
//
// Special cases:
// - A "{ }" comment runs over lines (state 1). On a line that continues it,
//   the first character never closes it, even when it is "}"; a "}" met in
//   normal text is an identifier token.
// - Strings are single-quoted with "''" for a quote; "#13" character codes
//   are string tokens too, so "'a'#13'b'" is three string tokens.
// - A number takes a single "." and ends with it ("1.5" is "1." and "5"),
//   but stops before "..".
#include "lexers/SynDfmSyn.h"

#include "lexers/PascalFamilyScan.h"

namespace qm {

using namespace pascalfamily;

TSynDfmSyn::TSynDfmSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("Key");
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

  keywords_.Add({"end", "object", "inherited", "inline"}, tkKey);
  range_ = rsUnknown;
  SetDefaultFilter("Borland Form Files (*.dfm;*.xfm)|*.dfm;*.xfm");
}

void TSynDfmSyn::NextToken() {
  tokenPos_ = run_;
  if (range_ == rsComment) return CommentContinuation();
  Dispatch(Cur());
}

void TSynDfmSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'\0':
      kind_ = tkNull;
      SetLineEnd();
      return;
    case u'{': return CommentOpenProc();
    case u'}': return CloseBraceProc();
    case u'\'': return StringProc();
    case u'#': return CharCodeProc();
    case u'$': return HexProc();
    case u'(': case u')': case u',': case u'.': case u'/': case u'<': case u'=': case u'>': case u'[':
    case u']':
      return SymbolProc();
    default:
      if (IsSpace(ch)) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStart(ch)) return WordProc();
      return UnknownProc();
  }
}

void TSynDfmSyn::SpaceProc() {
  kind_ = tkSpace;
  run_ = SpaceEnd(ScanText(), run_);
}

void TSynDfmSyn::SymbolProc() {
  kind_ = tkSymbol;
  ++run_;
}

void TSynDfmSyn::UnknownProc() {
  kind_ = tkUnknown;
  ++run_;
}

void TSynDfmSyn::CommentOpenProc() {
  range_ = rsComment;
  CommentBody(run_ + 1);
}

// A line that starts inside a comment: its first character belongs to the
// comment whatever it is.
void TSynDfmSyn::CommentContinuation() {
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
  } else if (ch == u'\n' || ch == u'\r') {
    kind_ = tkSpace;
    ++run_;
  } else {
    CommentBody(run_ + 1);
  }
}

void TSynDfmSyn::CommentBody(int from) {
  kind_ = tkComment;
  const int close = CloseEnd(ScanText(), from, u"}");
  if (close < 0) {
    run_ = LineEnd(ScanText(), from);
    return;
  }
  run_ = close;
  range_ = rsUnknown;
}

void TSynDfmSyn::CloseBraceProc() {
  kind_ = tkIdentifier;
  ++run_;
  range_ = rsUnknown;
}

void TSynDfmSyn::StringProc() {
  kind_ = tkString;
  run_ = DoubledQuoteEnd(ScanText(), run_ + 1, u'\'');
}

// "#" and the digits after it: a character code, part of a string value.
void TSynDfmSyn::CharCodeProc() {
  kind_ = tkString;
  run_ = RunEnd(ScanText(), run_ + 1, ccDigit);
}

void TSynDfmSyn::HexProc() {
  kind_ = tkNumber;
  run_ = RunEnd(ScanText(), run_ + 1, ccDigit | ccHexLetter);
}

void TSynDfmSyn::NumberProc() {
  kind_ = tkNumber;
  while (IsDigit(Cur()) || Cur() == u'e') ++run_;  // the scan copy is lower case
  if (Cur() == u'.' && Ch(run_ + 1) != u'.') ++run_;
}

void TSynDfmSyn::WordProc() {
  run_ = IdentEnd(ScanText(), run_);
  kind_ = keywords_.Find(ScanText().substr(tokenPos_, run_ - tokenPos_), tkIdentifier);
}

TSynHighlighterAttributes* TSynDfmSyn::TokenAttribute() const {
  return kind_ == tkNull ? nullptr : byKind_[kind_];
}

TSynHighlighterAttributes* TSynDfmSyn::DefaultAttribute(int role) const {
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
