// MS-DOS batch file lexer.
//
// Special cases:
// - "rem" is a comment only when a blank, a control character or the line's
//   end follows it; the comment runs from "rem" to the end of the line. So
//   "@rem x" is a comment, while "rem." and "remark" are words.
// - "::" comments to the end of the line; a single ":" (a label mark) is an
//   identifier token.
// - Quotes are plain one-character tokens: nothing in quotes is checked.
// - "%" with the letters, digits and "_" after it, and a closing "%" when
//   one follows, is a variable.
#include "lexers/SynBatSyn.h"

#include "lexers/ClassicScan.h"

namespace qm {

using namespace classic;

namespace {

constexpr std::string_view kKeywords[] = {
    "assoc", "attrib", "aux", "break", "call", "cd", "chdir", "cls", "cmdextversion", "color", "con", "copy",
    "date", "defined", "del", "dir", "disabledelayedexpansion", "disableextensions", "do", "echo", "else",
    "enabledelayedexpansion", "enableextensions", "endlocal", "equ", "erase", "errorlevel", "exist", "exit",
    "for", "ftype", "geq", "goto", "gtr", "if", "in", "leq", "lss", "md", "mkdir", "move", "neq", "not", "nul",
    "off", "on", "path", "pause", "popd", "prn", "prompt", "pushd", "rd", "rem", "ren", "rename", "rmdir",
    "set", "setlocal", "shift", "start", "time", "title", "type", "ver", "verify", "vol",
};

} // namespace

TSynBatSyn::TSynBatSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("Key");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* variable = AddAttribute("Variable");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  number->SetForeground(0x000080);
  variable->SetForeground(0x800080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkUnknown] = identifier;
  byKind_[tkVariable] = variable;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd");
}

TSynHighlighterAttributes* TSynBatSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return byKind_[tkComment];
    case SYN_ATTR_IDENTIFIER: return byKind_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return byKind_[tkKey];
    case SYN_ATTR_WHITESPACE: return byKind_[tkSpace];
    default: return nullptr;  // no string, no symbol attribute
  }
}

void TSynBatSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  Dispatch(ch);
}

void TSynBatSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u':':
      return ColonProc();
    case u'%':
      return VariableProc();
    default:
      if (ch <= 32) {
        kind_ = tkSpace;
        run_ = SpaceEnd(ScanText(), run_);
      } else if (IsDigit(ch)) {
        kind_ = tkNumber;
        while (IsDigit(Cur())) ++run_;
      } else if (IsWordStart(ch)) {
        IdentProc();
      } else {
        kind_ = tkUnknown;
        ++run_;
      }
  }
}

void TSynBatSyn::ColonProc() {
  if (Ch(run_ + 1) == u':') {
    kind_ = tkComment;
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  kind_ = tkIdentifier;
  ++run_;
}

void TSynBatSyn::VariableProc() {
  kind_ = tkVariable;
  ++run_;
  while (IsWordChar(Cur())) ++run_;
  if (Cur() == u'%') ++run_;
}

void TSynBatSyn::IdentProc() {
  run_ = WordEnd(ScanText(), run_);
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  if (word == u"rem" && Cur() <= 32) {
    kind_ = tkComment;
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  kind_ = keywords_.Find(word, tkIdentifier);
}

} // namespace qm
