// CSS lexing, on the lower-cased copy of the line. Special cases worth
// knowing:
// - Outside braces everything up to "{", "/" or a control character is one
//   selector token, quotes and blanks included: strings there are not
//   checked, and at-rules lex as selectors.
// - Braces do not nest: "{" always enters declarations, "}" always leaves.
// - A value token ends at ",", ";" or "}" and returns to declarations, so
//   in "10px" the number is followed by a value "px".
// - The state a comment returns to is kept by the lexer object, not in the
//   line state; "//" is not a comment.
#include "lexers/SynCssSyn.h"

namespace qm {

namespace {

// Colours are 0x00BBGGRR.
constexpr TColor kNavy = 0x800000, kMaroon = 0x000080, kGreen = 0x008000, kBlue = 0xFF0000, kRed = 0x0000FF,
                 kPurple = 0x800080, kGray = 0x808080, kOlive = 0x008080;

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
// The scan copy is lower-cased.
bool IsHexDigit(char16_t ch) { return IsDigit(ch) || (ch >= u'a' && ch <= u'f'); }
bool IsPropertyChar(char16_t ch) { return IsDigit(ch) || (ch >= u'a' && ch <= u'z') || ch == u'-' || ch == u'_'; }

// Standard property names: CSS 2.1 and the common CSS 3 modules.
constexpr std::string_view kProperties[] = {
    "accent-color", "align-content", "align-items", "align-self", "all", "animation", "animation-delay",
    "animation-direction", "animation-duration", "animation-fill-mode", "animation-iteration-count",
    "animation-name", "animation-play-state", "animation-timing-function", "appearance", "aspect-ratio",
    "azimuth", "backdrop-filter", "backface-visibility", "background", "background-attachment",
    "background-blend-mode", "background-clip", "background-color", "background-image", "background-origin",
    "background-position", "background-position-x", "background-position-y", "background-repeat",
    "background-size", "block-size", "border", "border-block", "border-block-color", "border-block-end",
    "border-block-start", "border-block-style", "border-block-width", "border-bottom", "border-bottom-color",
    "border-bottom-left-radius", "border-bottom-right-radius", "border-bottom-style", "border-bottom-width",
    "border-collapse", "border-color", "border-end-end-radius", "border-end-start-radius", "border-image",
    "border-image-outset", "border-image-repeat", "border-image-slice", "border-image-source",
    "border-image-width", "border-inline", "border-inline-color", "border-inline-end", "border-inline-start",
    "border-inline-style", "border-inline-width", "border-left", "border-left-color", "border-left-style",
    "border-left-width", "border-radius", "border-right", "border-right-color", "border-right-style",
    "border-right-width", "border-spacing", "border-start-end-radius", "border-start-start-radius",
    "border-style", "border-top", "border-top-color", "border-top-left-radius", "border-top-right-radius",
    "border-top-style", "border-top-width", "border-width", "bottom", "box-decoration-break", "box-shadow",
    "box-sizing", "break-after", "break-before", "break-inside", "caption-side", "caret-color", "clear", "clip",
    "clip-path", "color", "color-scheme", "column-count", "column-fill", "column-gap", "column-rule",
    "column-rule-color", "column-rule-style", "column-rule-width", "column-span", "column-width", "columns",
    "contain", "content", "content-visibility", "counter-increment", "counter-reset", "counter-set", "cue",
    "cue-after", "cue-before", "cursor", "direction", "display", "elevation", "empty-cells", "filter", "flex",
    "flex-basis", "flex-direction", "flex-flow", "flex-grow", "flex-shrink", "flex-wrap", "float", "font",
    "font-family", "font-feature-settings", "font-kerning", "font-language-override", "font-optical-sizing",
    "font-size", "font-size-adjust", "font-stretch", "font-style", "font-synthesis", "font-variant",
    "font-variant-caps", "font-variant-east-asian", "font-variant-ligatures", "font-variant-numeric",
    "font-variant-position", "font-variation-settings", "font-weight", "gap", "grid", "grid-area",
    "grid-auto-columns", "grid-auto-flow", "grid-auto-rows", "grid-column", "grid-column-end",
    "grid-column-gap", "grid-column-start", "grid-gap", "grid-row", "grid-row-end", "grid-row-gap",
    "grid-row-start", "grid-template", "grid-template-areas", "grid-template-columns", "grid-template-rows",
    "hanging-punctuation", "height", "hyphens", "image-orientation", "image-rendering", "inline-size", "inset",
    "inset-block", "inset-block-end", "inset-block-start", "inset-inline", "inset-inline-end",
    "inset-inline-start", "isolation", "justify-content", "justify-items", "justify-self", "left",
    "letter-spacing", "line-break", "line-height", "list-style", "list-style-image", "list-style-position",
    "list-style-type", "margin", "margin-block", "margin-block-end", "margin-block-start", "margin-bottom",
    "margin-inline", "margin-inline-end", "margin-inline-start", "margin-left", "margin-right", "margin-top",
    "mask", "mask-clip", "mask-composite", "mask-image", "mask-mode", "mask-origin", "mask-position",
    "mask-repeat", "mask-size", "mask-type", "max-block-size", "max-height", "max-inline-size", "max-width",
    "min-block-size", "min-height", "min-inline-size", "min-width", "mix-blend-mode", "object-fit",
    "object-position", "offset", "offset-anchor", "offset-distance", "offset-path", "offset-rotate", "opacity",
    "order", "orphans", "outline", "outline-color", "outline-offset", "outline-style", "outline-width",
    "overflow", "overflow-anchor", "overflow-wrap", "overflow-x", "overflow-y", "overscroll-behavior",
    "overscroll-behavior-x", "overscroll-behavior-y", "padding", "padding-block", "padding-block-end",
    "padding-block-start", "padding-bottom", "padding-inline", "padding-inline-end", "padding-inline-start",
    "padding-left", "padding-right", "padding-top", "page-break-after", "page-break-before",
    "page-break-inside", "pause", "pause-after", "pause-before", "perspective", "perspective-origin", "pitch",
    "pitch-range", "place-content", "place-items", "place-self", "play-during", "pointer-events", "position",
    "quotes", "resize", "richness", "right", "rotate", "row-gap", "scale", "scroll-behavior", "scroll-margin",
    "scroll-padding", "scroll-snap-align", "scroll-snap-stop", "scroll-snap-type", "scrollbar-color",
    "scrollbar-gutter", "scrollbar-width", "shape-image-threshold", "shape-margin", "shape-outside", "speak",
    "speak-header", "speak-numeral", "speak-punctuation", "speech-rate", "stress", "tab-size", "table-layout",
    "text-align", "text-align-last", "text-combine-upright", "text-decoration", "text-decoration-color",
    "text-decoration-line", "text-decoration-skip-ink", "text-decoration-style", "text-decoration-thickness",
    "text-emphasis", "text-emphasis-color", "text-emphasis-position", "text-emphasis-style", "text-indent",
    "text-justify", "text-orientation", "text-overflow", "text-rendering", "text-shadow", "text-transform",
    "text-underline-offset", "text-underline-position", "top", "touch-action", "transform", "transform-box",
    "transform-origin", "transform-style", "transition", "transition-delay", "transition-duration",
    "transition-property", "transition-timing-function", "translate", "unicode-bidi", "user-select",
    "vertical-align", "visibility", "voice-family", "volume", "white-space", "widows", "width", "will-change",
    "word-break", "word-spacing", "word-wrap", "writing-mode", "z-index", "zoom",
};

} // namespace

TSynCssSyn::TSynCssSyn() {
  property_ = AddAttribute("Property");
  reservedWord_ = AddAttribute("ReservedWord");
  undefinedProperty_ = AddAttribute("UndefinedProperty");
  space_ = AddAttribute("Space");
  colorValue_ = AddAttribute("ColorValue");
  number_ = AddAttribute("Number");
  symbol_ = AddAttribute("Symbol");
  text_ = AddAttribute("Text");
  value_ = AddAttribute("Value");
  comment_ = AddAttribute("Comment");
  string_ = AddAttribute("String");

  property_->SetForeground(kNavy);
  property_->SetStyle(fsBold);
  reservedWord_->SetForeground(kMaroon);
  reservedWord_->SetStyle(fsBold);
  undefinedProperty_->SetForeground(kRed);
  undefinedProperty_->SetStyle(fsBold);
  colorValue_->SetForeground(kPurple);
  number_->SetForeground(kBlue);
  value_->SetForeground(kOlive);
  comment_->SetForeground(kGray);
  comment_->SetStyle(fsItalic);
  string_->SetForeground(kGreen);
  SaveAttributeDefaults();

  for (std::string_view name : kProperties) properties_.Add(name, tkProperty);

  SetScanCaseSensitive(false);
  SetDefaultFilter("Cascading Stylesheets (*.css)|*.css");
  range_ = rsSelector;
}

void TSynCssSyn::ResetRangeState() {
  range_ = rsSelector;
  commentReturnState_ = rsSelector;
}

uint32_t TSynCssSyn::RangeState() const {
  if (range_ == rsComment && commentReturnState_ != rsSelector) return kCommentReturning + commentReturnState_;
  return range_;
}

void TSynCssSyn::SetRangeState(uint32_t state) {
  if (state == rsComment) {
    range_ = rsComment;
    commentReturnState_ = rsSelector;
  } else if (state > kCommentReturning) {
    range_ = rsComment;
    commentReturnState_ = state - kCommentReturning;
  } else {
    range_ = state;
  }
}

void TSynCssSyn::NextToken() {
  tokenPos_ = run_;
  switch (range_) {
    case rsComment: CommentStep(); break;
    case rsSelector: SelectorStep(); break;
    default: Dispatch(); break;
  }
}

void TSynCssSyn::Dispatch() {
  const char16_t c = Cur();
  if (run_ >= len_) {
    kind_ = tkEndOfLine;
    SetLineEnd();
    return;
  }
  switch (c) {
    case u'"': return String();
    case u'#': return Colour();
    case u',':
    case u':': return Symbol(rsValue);
    case u';': return Symbol(rsAfterSemicolon);
    case u'{': return Symbol(rsInBraces);
    case u'}': return Symbol(rsSelector);
    case u'/': return Slash();
    case u'-': return IsDigit(Ch(run_ + 1)) ? Number() : Word();
    case u'.': return Number();
    default: break;
  }
  if (c == 10 || c == 13) {
    kind_ = tkSpace;
    ++run_;
  } else if (c <= 32) {
    Whitespace();
  } else if (IsDigit(c)) {
    Number();
  } else {
    Word();
  }
}

void TSynCssSyn::Whitespace() {
  kind_ = tkSpace;
  ++run_;
  while (run_ < len_ && Cur() <= 32) ++run_;
}

void TSynCssSyn::Symbol(uint32_t newState) {
  kind_ = tkSymbol;
  ++run_;
  range_ = newState;
}

// From a double quote to the next one on the line, or to the line's end.
void TSynCssSyn::String() {
  kind_ = tkString;
  ++run_;
  while (run_ < len_ && Cur() != u'"') ++run_;
  if (run_ < len_) ++run_;
}

void TSynCssSyn::Colour() {
  kind_ = tkColorValue;
  ++run_;
  while (IsHexDigit(Cur())) ++run_;
}

// The first character, then digits and dots, stopping before "..".
void TSynCssSyn::Number() {
  kind_ = tkNumber;
  ++run_;
  for (;;) {
    const char16_t c = Cur();
    if (IsDigit(c) || (c == u'.' && Ch(run_ + 1) != u'.'))
      ++run_;
    else
      break;
  }
}

void TSynCssSyn::Slash() {
  if (Ch(run_ + 1) != u'*') {
    kind_ = tkSymbol;
    ++run_;
    return;
  }
  commentReturnState_ = range_;
  range_ = rsComment;
  kind_ = tkComment;
  run_ += 2;
  CommentBody();
}

void TSynCssSyn::CommentStep() {
  if (run_ >= len_) {
    kind_ = tkEndOfLine;
    SetLineEnd();
    return;
  }
  kind_ = tkComment;
  CommentBody();
}

// To and including "*/", or to the line's end.
void TSynCssSyn::CommentBody() {
  while (run_ < len_) {
    if (Cur() == u'*' && Ch(run_ + 1) == u'/') {
      run_ += 2;
      range_ = commentReturnState_;
      return;
    }
    ++run_;
  }
}

void TSynCssSyn::SelectorStep() {
  const char16_t c = Cur();
  if (c < 32 || c == u'/' || c == u'{') return Dispatch();
  kind_ = tkReservedWord;
  while (run_ < len_ && Cur() >= 32 && Cur() != u'/' && Cur() != u'{') ++run_;
}

void TSynCssSyn::Word() {
  if (range_ == rsValue) {
    kind_ = tkValue;
    while (run_ < len_ && Cur() != u',' && Cur() != u';' && Cur() != u'}') ++run_;
    range_ = rsInBraces;
    return;
  }
  while (IsPropertyChar(Cur())) ++run_;
  const std::u16string_view name = ScanText().substr(static_cast<size_t>(tokenPos_),
                                                     static_cast<size_t>(run_ - tokenPos_));
  kind_ = properties_.Find(name, tkUndefinedProperty);
  for (char16_t c = Cur(); c > 32 && c != u'"' && c != u':' && c != u';' && c != u'}'; c = Cur()) ++run_;
}

TSynHighlighterAttributes* TSynCssSyn::TokenAttribute() const {
  switch (kind_) {
    case tkComment: return comment_;
    case tkProperty: return property_;
    case tkReservedWord: return reservedWord_;
    case tkSpace: return space_;
    case tkString: return string_;
    case tkSymbol: return symbol_;
    case tkText: return text_;
    case tkUndefinedProperty: return undefinedProperty_;
    case tkValue: return value_;
    case tkColorValue: return colorValue_;
    case tkNumber: return number_;
    default: return nullptr;
  }
}

TSynHighlighterAttributes* TSynCssSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return comment_;
    case SYN_ATTR_KEYWORD: return reservedWord_;
    case SYN_ATTR_STRING: return string_;
    case SYN_ATTR_WHITESPACE: return space_;
    case SYN_ATTR_SYMBOL: return symbol_;
    default: return nullptr;
  }
}

} // namespace qm
