// Inno Setup script lexer. It keeps no state: every line is lexed on its own.
//
// Special cases:
// - ";" is a comment only as the first character of the line that is not a
//   blank; after other text it is a one-character unknown token, so
//   "Name: a; Description: b" has no comment.
// - "=" opens a "String" token that runs to and including the next ";" (or
//   the line's end), so the value of "Key=Value" lines is checked.
// - "[" in the first column opens a section name; "{" opens a constant that
//   ends at the "}" balancing it, while "{{" is an escaped brace.
// - A parameter name is "ReservedWord" when a ":" follows it after blanks or
//   tabs, else "Preprocessor".
#include "lexers/SynInnoSyn.h"

#include "lexers/PascalFamilyScan.h"

namespace qm {

using namespace pascalfamily;

namespace {

constexpr std::string_view kParameterNames[] = {
    "afterinstall", "appusermodelid", "attribs", "beforeinstall", "check", "comment", "components",
    "copymode", "description", "destdir", "destname", "excludes", "externalsize", "extradiskspacerequired",
    "filename", "flags", "fontinstall", "groupdescription", "hotkey", "iconfilename", "iconindex",
    "infoafterfile", "infobeforefile", "key", "languages", "licensefile", "messagesfile", "minversion", "name",
    "onlybelowversion", "parameters", "permissions", "root", "runonceid", "section", "source", "statusmsg",
    "string", "strongassemblyname", "subkey", "tasks", "type", "types", "valuedata", "valuename", "valuetype",
    "verb", "workingdir",
};

} // namespace

TSynInnoSyn::TSynInnoSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* constant = AddAttribute("Directive");
  auto* identifier = AddAttribute("Identifier");
  AddAttribute("IllegalChar");  // registered for the colour settings; unknown characters show as identifiers
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* parameter = AddAttribute("Preprocessor");
  auto* section = AddAttribute("Section");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  section->SetStyle(fsBold);
  constant->SetForeground(0x008080);
  parameter->SetForeground(0x008000);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkConstant] = constant;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkParameter] = parameter;
  byKind_[tkSection] = section;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kParameterNames) parameters_.Add(word, tkParameter);
  SetDefaultFilter("Inno Setup Scripts (*.iss)|*.iss");
}

void TSynInnoSyn::NextToken() {
  tokenPos_ = run_;
  Dispatch(Cur());
}

void TSynInnoSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'\0':
      kind_ = tkNull;
      SetLineEnd();
      return;
    case u';': return SemicolonProc();
    case u'"': return StringProc();
    case u'=': return EqualProc();
    case u'[': return SectionProc();
    case u'{': return ConstantProc();
    case u'#': case u'(': case u')': case u',': case u':': return SymbolProc();
    default:
      if (IsSpace(ch)) return SpaceProc();
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStart(ch)) return WordProc();
      return UnknownProc(1);
  }
}

void TSynInnoSyn::SpaceProc() {
  kind_ = tkSpace;
  run_ = SpaceEnd(ScanText(), run_);
}

void TSynInnoSyn::SymbolProc() {
  kind_ = tkSymbol;
  ++run_;
}

void TSynInnoSyn::UnknownProc(int length) {
  kind_ = tkUnknown;
  run_ += length;
}

bool TSynInnoSyn::FirstOnLine() const {
  for (int i = 0; i < run_; ++i)
    if (!IsSpace(Ch(i))) return false;
  return true;
}

void TSynInnoSyn::SemicolonProc() {
  if (!FirstOnLine()) return UnknownProc(1);
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_ + 1);
}

void TSynInnoSyn::StringProc() {
  kind_ = tkString;
  run_ = DoubledQuoteEnd(ScanText(), run_ + 1, u'"');
}

void TSynInnoSyn::EqualProc() {
  kind_ = tkString;
  const int close = CloseEnd(ScanText(), run_ + 1, u";");
  run_ = close < 0 ? LineEnd(ScanText(), run_ + 1) : close;
}

void TSynInnoSyn::SectionProc() {
  if (run_ != 0) return UnknownProc(1);
  kind_ = tkSection;
  const int close = CloseEnd(ScanText(), run_ + 1, u"]");
  run_ = close < 0 ? LineEnd(ScanText(), run_ + 1) : close;
}

// A constant such as "{app}" or "{code:Get|{tmp}}": to the "}" that balances
// the opening brace, or to the end of the line.
void TSynInnoSyn::ConstantProc() {
  if (Ch(run_ + 1) == u'{') return UnknownProc(2);
  kind_ = tkConstant;
  int depth = 1;
  for (++run_; depth > 0 && !IsLineEnd(Cur()); ++run_) {
    if (Cur() == u'{')
      ++depth;
    else if (Cur() == u'}')
      --depth;
  }
}

void TSynInnoSyn::NumberProc() {
  kind_ = tkNumber;
  run_ = RunEnd(ScanText(), run_, ccDigit);
}

void TSynInnoSyn::WordProc() {
  run_ = IdentEnd(ScanText(), run_);
  kind_ = parameters_.Find(ScanText().substr(tokenPos_, run_ - tokenPos_), tkIdentifier);
  if (kind_ != tkParameter) return;
  int next = run_;
  while (Ch(next) == u' ' || Ch(next) == u'\t') ++next;
  if (Ch(next) == u':') kind_ = tkKey;
}

TSynHighlighterAttributes* TSynInnoSyn::TokenAttribute() const {
  return kind_ == tkNull ? nullptr : byKind_[kind_];
}

TSynHighlighterAttributes* TSynInnoSyn::DefaultAttribute(int role) const {
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
