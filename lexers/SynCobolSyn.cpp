// COBOL lexer (fixed source form).
//
// Columns. With the default settings, columns 1 to 6 (indexes 0 to 5) are
// the sequence area, column 7 the indicator, area A starts at column 8,
// area B at column 12, the code area ends at column 72 and the tag area
// follows. The sequence area, the indicator and the tag area are one token
// each, whatever they hold, and no token of the code area crosses into the
// tag area. The indicator decides how the code area reads:
// - "*" or "/": a comment line; the code area is one "Comment" token.
// - "D" or "d": a debugging line; the code area is one "DebuggingLines" token.
// - "-": a continuation line (see below).
// Comment and debugging lines leave the state as it was, so they may stand
// between a literal and its continuation.
//
// Literals. A quote opens a literal that runs to the next quote of its kind.
// A literal still open when its line ends continues in the code area of the
// next line (state 1 or 2) up to its closing quote. A literal that fills
// the code area to its last column waits instead (state 4 or 5) for a
// continuation line: "-" in the indicator and, as the first text after the
// blanks, two quotes of the literal's kind, after which the literal resumes.
// Any other line ends the wait. "==" opens pseudo-text, which runs to the
// next "==" over as many lines as needed (state 3) and is a "String" token
// like a literal.
#include "lexers/SynCobolSyn.h"

#include "lexers/ClassicScan.h"

#include <algorithm>

namespace qm {

using namespace classic;

namespace {

constexpr std::string_view kKeywords[] = {
    "accept", "access", "add", "advancing", "after", "all", "alphabet", "alphabetic", "alphanumeric", "also",
    "alter", "alternate", "and", "any", "are", "area", "areas", "ascending", "assign", "at", "author",
    "before", "binary", "binary-long", "binary-short", "blank", "block", "bottom", "by", "call", "cancel",
    "cd", "character", "characters", "class", "close", "code", "collating", "column", "comma", "common",
    "communication", "comp", "comp-1", "comp-2", "comp-3", "comp-5", "computational", "compute",
    "configuration", "contains", "content", "continue", "control", "converting", "corr", "corresponding",
    "count", "currency", "data", "date", "date-compiled", "date-written", "day", "day-of-week", "debugging",
    "decimal-point", "declaratives", "delete", "delimited", "delimiter", "depending", "descending",
    "detail", "display", "divide", "division", "down", "duplicates", "dynamic", "else", "end", "end-add",
    "end-call", "end-compute", "end-delete", "end-divide", "end-evaluate", "end-if", "end-multiply",
    "end-of-page", "end-perform", "end-read", "end-return", "end-rewrite", "end-search", "end-start",
    "end-string", "end-subtract", "end-unstring", "end-write", "environment", "eop", "equal", "error",
    "evaluate", "exception", "exit", "extend", "fd", "file", "file-control", "filler", "final", "first",
    "footing", "for", "from", "function", "generate", "giving", "global", "go", "goback", "greater", "group",
    "heading", "i-o", "i-o-control", "identification", "if", "in", "index", "indexed", "initial",
    "initialize", "initiate", "input", "input-output", "inspect", "installation", "into", "invalid", "is",
    "just", "justified", "key", "label", "last", "leading", "left", "length", "less", "limit", "limits",
    "line", "linkage", "lines", "local-storage", "lock", "memory", "merge", "mode", "move", "multiply",
    "native", "negative", "next", "no", "not", "number", "numeric", "object-computer", "occurs", "of", "off",
    "omitted", "on", "open", "optional", "or", "order", "organization", "other", "output", "overflow",
    "packed-decimal", "padding", "page", "perform", "pic", "picture", "pointer", "position", "positive",
    "procedure", "proceed", "program", "program-id", "purge", "queue", "random", "rd", "read", "record",
    "records", "redefines", "reel", "reference", "relative", "release", "remainder", "removal", "renames",
    "replacing", "report", "reports", "rerun", "reserve", "reset", "return", "returning", "reversed",
    "rewind", "rewrite", "right", "rounded", "run", "same", "sd", "search", "section", "security", "segment",
    "select", "sentence", "separate", "sequence", "sequential", "set", "sign", "size", "sort", "sort-merge",
    "source", "source-computer", "special-names", "standard", "start", "status", "stop", "string",
    "subtract", "sum", "suppress", "symbolic", "sync", "synchronized", "table", "tallying", "tape",
    "terminate", "test", "than", "then", "through", "thru", "time", "times", "to", "top", "trailing", "type",
    "unit", "unstring", "until", "up", "upon", "usage", "use", "using", "value", "values", "varying", "when",
    "with", "working-storage", "write",
};

// Figurative constants and the truth values.
constexpr std::string_view kBooleanValues[] = {
    "false", "high-value", "high-values", "low-value", "low-values", "null", "nulls", "quote", "quotes",
    "space", "spaces", "true", "zero", "zeroes", "zeros",
};

// Compiler-directing words.
constexpr std::string_view kPreprocessorWords[] = {
    "basis", "cbl", "copy", "eject", "insert", "process", "replace", "skip1", "skip2", "skip3", "title",
};

bool IsCobolWordChar(char16_t ch) { return IsWordChar(ch) || ch == u'-'; }

} // namespace

TSynCobolSyn::TSynCobolSyn() {
  SetScanCaseSensitive(false);
  auto* areaA = AddAttribute("Area_A_Identifier");
  auto* boolean = AddAttribute("Booleanvalue");
  auto* comment = AddAttribute("Comment");
  auto* debug = AddAttribute("DebuggingLines");
  auto* identifier = AddAttribute("Identifier");
  auto* indicator = AddAttribute("IndicatorArea");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* preprocessor = AddAttribute("Preprocessor");
  auto* sequence = AddAttribute("SequenceNumberArea");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* tag = AddAttribute("TagArea");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  areaA->SetStyle(fsBold);
  key->SetStyle(fsBold);
  boolean->SetForeground(0x008080);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  preprocessor->SetForeground(0x008000);
  sequence->SetForeground(0x808080);
  indicator->SetForeground(0x800080);
  tag->SetForeground(0x808080);
  debug->SetForeground(0x808000);
  SaveAttributeDefaults();

  byKind_[tkAreaAIdentifier] = areaA;
  byKind_[tkBoolean] = boolean;
  byKind_[tkComment] = comment;
  byKind_[tkDebugLines] = debug;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkIndicator] = indicator;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkPreprocessor] = preprocessor;
  byKind_[tkSequence] = sequence;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkTagArea] = tag;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  for (std::string_view word : kBooleanValues) keywords_.Add(word, tkBoolean);
  for (std::string_view word : kPreprocessorWords) keywords_.Add(word, tkPreprocessor);
  SetDefaultFilter("COBOL Files (*.cbl;*.cob)|*.cbl;*.cob");
}

TSynHighlighterAttributes* TSynCobolSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return byKind_[tkComment];
    case SYN_ATTR_IDENTIFIER: return byKind_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return byKind_[tkKey];
    case SYN_ATTR_STRING: return byKind_[tkString];
    case SYN_ATTR_WHITESPACE: return byKind_[tkSpace];
    default: return nullptr;  // no symbol attribute
  }
}

void TSynCobolSyn::SetAreaAStartPos(int value) { areaAStart_ = std::clamp(value, 0, areaBStart_); }
void TSynCobolSyn::SetAreaBStartPos(int value) { areaBStart_ = std::clamp(value, areaAStart_, codeEnd_); }
void TSynCobolSyn::SetCodeEndPos(int value) { codeEnd_ = std::max(value, areaBStart_); }

// The character in the indicator column (lower-cased), or 0 when the line
// is too short to have one or the settings leave no indicator column.
char16_t TSynCobolSyn::Indicator() const { return areaAStart_ > 0 ? Ch(areaAStart_ - 1) : u'\0'; }

// The index after the code area of this line.
int TSynCobolSyn::CodeLimit() const { return std::min(len_, codeEnd_ + 1); }

void TSynCobolSyn::NextToken() {
  tokenPos_ = run_;
  if (run_ >= len_) {
    kind_ = tkNull;
    SetLineEnd();
  } else if (run_ < areaAStart_ - 1) {
    SequenceProc();
  } else if (run_ == areaAStart_ - 1) {
    IndicatorProc();
  } else if (run_ > codeEnd_) {
    kind_ = tkTagArea;
    run_ = len_;
  } else {
    CodeAreaToken();
  }
}

void TSynCobolSyn::SequenceProc() {
  kind_ = tkSequence;
  run_ = std::min(len_, areaAStart_ - 1);
}

// A line that is neither a continuation nor a comment or debugging line
// ends the wait for a continuation.
void TSynCobolSyn::IndicatorProc() {
  kind_ = tkIndicator;
  ++run_;
  if (range_ == rsQuoteStringMayBe || range_ == rsAposStringMayBe) {
    switch (Indicator()) {
      case u'-': case u'*': case u'/': case u'd':
        break;
      default:
        range_ = rsUnknown;
    }
  }
}

void TSynCobolSyn::CodeAreaToken() {
  switch (Indicator()) {
    case u'*':
    case u'/':
      kind_ = tkComment;
      run_ = CodeLimit();
      return;
    case u'd':
      kind_ = tkDebugLines;
      run_ = CodeLimit();
      return;
    default:
      break;
  }
  switch (range_) {
    case rsQuoteString:
      kind_ = tkString;
      return LiteralBody(u'"');
    case rsAposString:
      kind_ = tkString;
      return LiteralBody(u'\'');
    case rsPseudoText:
      kind_ = tkString;
      return PseudoTextBody();
    case rsQuoteStringMayBe:
    case rsAposStringMayBe:
      return ContinuationProc();
    default:
      return Dispatch(Cur());
  }
}

void TSynCobolSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'"':
    case u'\'':
      return LiteralOpen(ch);
    case u'=':
      if (CodeCh(run_ + 1) != u'=') return UnknownProc();
      kind_ = tkString;
      run_ += 2;
      return PseudoTextBody();
    case u'+':
    case u'-':
    case u'.':
      if (IsDigit(CodeCh(run_ + 1)) || (ch != u'.' && CodeCh(run_ + 1) == u'.' && IsDigit(CodeCh(run_ + 2))))
        return NumberProc();
      return UnknownProc();
    default:
      if (ch <= 32) return SpaceProc();
      if (IsDigit(ch)) return DigitsStartWord() ? WordProc() : NumberProc();
      if (IsWordStart(ch)) return WordProc();
      return UnknownProc();
  }
}

void TSynCobolSyn::SpaceProc() {
  kind_ = tkSpace;
  while (CodeCh(run_) != u'\0' && CodeCh(run_) <= 32) ++run_;
}

void TSynCobolSyn::LiteralOpen(char16_t quote) {
  kind_ = tkString;
  ++run_;
  LiteralBody(quote);
}

// To and including the closing quote. Unclosed, the literal waits for a
// continuation line when it filled the code area, else it goes on in the
// next line's code area.
void TSynCobolSyn::LiteralBody(char16_t quote) {
  const int limit = CodeLimit();
  while (run_ < limit) {
    if (Ch(run_++) == quote) {
      range_ = rsUnknown;
      return;
    }
  }
  const bool filled = len_ > codeEnd_;
  if (quote == u'"')
    range_ = filled ? rsQuoteStringMayBe : rsQuoteString;
  else
    range_ = filled ? rsAposStringMayBe : rsAposString;
}

// To and including the next "==", or to the end of the code area.
void TSynCobolSyn::PseudoTextBody() {
  const int limit = CodeLimit();
  while (run_ < limit) {
    if (Ch(run_) == u'=' && CodeCh(run_ + 1) == u'=') {
      run_ += 2;
      range_ = rsUnknown;
      return;
    }
    ++run_;
  }
  range_ = rsPseudoText;
}

// The code area of a line while a literal waits: on a "-" line, blanks and
// then two quotes of the literal's kind resume it; anything else ends the
// wait.
void TSynCobolSyn::ContinuationProc() {
  const char16_t quote = range_ == rsQuoteStringMayBe ? u'"' : u'\'';
  if (Indicator() == u'-') {
    if (Cur() <= 32) {
      SpaceProc();
      if (CodeCh(run_) != quote || CodeCh(run_ + 1) != quote) range_ = rsUnknown;
      return;
    }
    if (Cur() == quote && CodeCh(run_ + 1) == quote) {
      kind_ = tkString;
      run_ += 2;
      return LiteralBody(quote);
    }
  }
  range_ = rsUnknown;
  Dispatch(Cur());
}

// A sign, digits, "." before a digit and, after a decimal point, an
// exponent "e" with an optional sign before its digits.
void TSynCobolSyn::NumberProc() {
  kind_ = tkNumber;
  const bool sign = Cur() == u'+' || Cur() == u'-';
  if (sign) ++run_;
  bool point = false;
  for (;;) {
    const char16_t ch = CodeCh(run_);
    if (IsDigit(ch)) {
      ++run_;
    } else if (ch == u'.' && !point && IsDigit(CodeCh(run_ + 1))) {
      run_ += 2;
      point = true;
    } else if (ch == u'e' && point && IsDigit(CodeCh(run_ + 1))) {
      run_ += 2;
      break;
    } else if (ch == u'e' && point && (CodeCh(run_ + 1) == u'+' || CodeCh(run_ + 1) == u'-') &&
               IsDigit(CodeCh(run_ + 2))) {
      run_ += 3;
      break;
    } else {
      return;
    }
  }
  while (IsDigit(CodeCh(run_))) ++run_;  // the exponent's digits
}

// The digits at the scan position start a word when a letter, "_" or a
// hyphen before a word character follows them («100-MAIN», «3RD»).
bool TSynCobolSyn::DigitsStartWord() const {
  int i = run_;
  while (IsDigit(CodeCh(i))) ++i;
  const char16_t next = CodeCh(i);
  return IsWordStart(next) || (next == u'-' && IsWordChar(CodeCh(i + 1)));
}

// Letters, digits, "_" and inner hyphens; a hyphen at the end belongs to the
// next token.
void TSynCobolSyn::WordProc() {
  while (IsCobolWordChar(CodeCh(run_))) ++run_;
  while (Ch(run_ - 1) == u'-') --run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tokenPos_ < areaBStart_ ? tkAreaAIdentifier : tkIdentifier);
}

void TSynCobolSyn::UnknownProc() {
  kind_ = tkUnknown;
  ++run_;
}

} // namespace qm
