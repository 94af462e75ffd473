#include "lexers/SynHTMLSyn.h"

namespace qm {

namespace {

// Named character references, compared in this order with the lower-cased
// line; entries with capitals therefore never match.
constexpr std::array<std::u16string_view, TSynHTMLSyn::kReferenceCount> kReferences = {
  u"&Alpha;", u"&Beta;", u"&Gamma;", u"&Delta;", u"&Epsilon;", u"&Zeta;", u"&Eta;", u"&Theta;", u"&Iota;",
  u"&Kappa;", u"&Lambda;", u"&Mu;", u"&Nu;", u"&Xi;", u"&Omicron;", u"&Pi;", u"&Rho;", u"&Sigma;", u"&Tau;",
  u"&Upsilon;", u"&Phi;", u"&Chi;", u"&Psi;", u"&Omega;", u"&alpha;", u"&beta;", u"&gamma;", u"&delta;",
  u"&epsilon;", u"&zeta;", u"&eta;", u"&theta;", u"&iota;", u"&kappa;", u"&lambda;", u"&mu;", u"&nu;", u"&xi;",
  u"&omicron;", u"&pi;", u"&rho;", u"&sigmaf;", u"&sigma;", u"&tau;", u"&upsilon;", u"&phi;", u"&chi;", u"&psi;",
  u"&omega;", u"&thetasym;", u"&upsih;", u"&piv;", u"&bull;", u"&hellip;", u"&prime;", u"&Prime;", u"&oline;",
  u"&frasl;", u"&weierp;", u"&image;", u"&real;", u"&trade;", u"&alefsym;", u"&larr;", u"&uarr;", u"&rarr;",
  u"&darr;", u"&harr;", u"&crarr;", u"&lArr;", u"&uArr;", u"&rArr;", u"&dArr;", u"&hArr;", u"&forall;", u"&part;",
  u"&exist;", u"&empty;", u"&nabla;", u"&isin;", u"&notin;", u"&ni;", u"&prod;", u"&sum;", u"&minus;", u"&lowast;",
  u"&radic;", u"&prop;", u"&infin;", u"&ang;", u"&and;", u"&or;", u"&cap;", u"&cup;", u"&int;", u"&there4;",
  u"&sim;", u"&cong;", u"&asymp;", u"&ne;", u"&equiv;", u"&le;", u"&ge;", u"&sub;", u"&sup;", u"&nsub;", u"&sube;",
  u"&supe;", u"&oplus;", u"&otimes;", u"&perp;", u"&sdot;", u"&lceil;", u"&rceil;", u"&lfloor;", u"&rfloor;",
  u"&lang;", u"&rang;", u"&loz;", u"&spades;", u"&clubs;", u"&hearts;", u"&diams;", u"&lsquo;", u"&rsquo;",
  u"&sbquo;", u"&ldquo;", u"&rdquo;", u"&bdquo;", u"&dagger;", u"&Dagger;", u"&permil;", u"&lsaquo;", u"&rsaquo;",
  u"&quot;", u"&amp;", u"&lt;", u"&gt;", u"&ndash;", u"&mdash;", u"&nbsp;", u"&thinsp;", u"&ensp;", u"&emsp;",
  u"&iexcl;", u"&cent;", u"&pound;", u"&curren;", u"&yen;", u"&brvbar;", u"&brkbar;", u"&sect;", u"&uml;", u"&die;",
  u"&copy;", u"&ordf;", u"&laquo;", u"&not;", u"&shy;", u"&reg;", u"&macr;", u"&hibar;", u"&deg;", u"&plusmn;",
  u"&sup2;", u"&sup3;", u"&acute;", u"&micro;", u"&para;", u"&middot;", u"&cedil;", u"&sup1;", u"&ordm;", u"&raquo;",
  u"&frac14;", u"&frac12;", u"&frac34;", u"&iquest;", u"&Agrave;", u"&Aacute;", u"&Acirc;", u"&Atilde;", u"&Auml;",
  u"&Aring;", u"&AElig;", u"&Ccedil;", u"&Egrave;", u"&Eacute;", u"&Ecirc;", u"&Euml;", u"&Igrave;", u"&Iacute;",
  u"&Icirc;", u"&Iuml;", u"&ETH;", u"&Ntilde;", u"&Ograve;", u"&Oacute;", u"&Ocirc;", u"&Otilde;", u"&Ouml;",
  u"&times;", u"&Oslash;", u"&Ugrave;", u"&Uacute;", u"&Ucirc;", u"&Uuml;", u"&Yacute;", u"&THORN;", u"&szlig;",
  u"&agrave;", u"&aacute;", u"&acirc;", u"&atilde;", u"&auml;", u"&aring;", u"&aelig;", u"&ccedil;", u"&egrave;",
  u"&eacute;", u"&ecirc;", u"&euml;", u"&igrave;", u"&iacute;", u"&icirc;", u"&iuml;", u"&eth;", u"&ntilde;",
  u"&ograve;", u"&oacute;", u"&ocirc;", u"&otilde;", u"&ouml;", u"&divide;", u"&oslash;", u"&ugrave;", u"&uacute;",
  u"&ucirc;", u"&uuml;", u"&yacute;", u"&thorn;", u"&yuml;", u"&euro;", u"&OElig;", u"&oelig;", u"&scaron;",
  u"&Scaron;", u"&fnof;", u"&circ;"
};

// Element names of HTML 4.01 and the common HTML5 sectioning and media
// elements, the closing forms of those that have an end tag, and "!doctype".
constexpr std::array<std::string_view, TSynHTMLSyn::kTagCount> kTags = {
  "!doctype", "a", "abbr", "acronym", "address", "applet", "area", "article", "aside", "audio", "b", "base",
  "basefont", "bdo", "big", "blockquote", "body", "br", "button", "canvas", "caption", "center", "cite", "code",
  "col", "colgroup", "dd", "del", "details", "dfn", "dir", "div", "dl", "dt", "em", "fieldset", "figcaption",
  "figure", "font", "footer", "form", "frame", "frameset", "h1", "h2", "h3", "h4", "h5", "h6", "head", "header",
  "hr", "html", "i", "iframe", "img", "input", "ins", "isindex", "kbd", "label", "legend", "li", "link", "main",
  "map", "mark", "menu", "meta", "nav", "noframes", "noscript", "object", "ol", "optgroup", "option", "p", "param",
  "pre", "q", "s", "samp", "script", "section", "select", "small", "source", "span", "strike", "strong", "style",
  "sub", "summary", "sup", "table", "tbody", "td", "textarea", "tfoot", "th", "thead", "title", "tr", "tt", "u",
  "ul", "var", "video", "wbr", "/a", "/abbr", "/acronym", "/address", "/applet", "/article", "/aside", "/audio",
  "/b", "/bdo", "/big", "/blockquote", "/body", "/button", "/canvas", "/caption", "/center", "/cite", "/code",
  "/colgroup", "/dd", "/del", "/details", "/dfn", "/dir", "/div", "/dl", "/dt", "/em", "/fieldset", "/figcaption",
  "/figure", "/font", "/footer", "/form", "/frameset", "/h1", "/h2", "/h3", "/h4", "/h5", "/h6", "/head", "/header",
  "/html", "/i", "/iframe", "/ins", "/kbd", "/label", "/legend", "/li", "/main", "/map", "/mark", "/menu", "/nav",
  "/noframes", "/noscript", "/object", "/ol", "/optgroup", "/option", "/p", "/pre", "/q", "/s", "/samp", "/script",
  "/section", "/select", "/small", "/span", "/strike", "/strong", "/style", "/sub", "/summary", "/sup", "/table",
  "/tbody", "/td", "/textarea", "/tfoot", "/th", "/thead", "/title", "/tr", "/tt", "/u", "/ul", "/var", "/video"
};

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
bool IsHexDigit(char16_t ch) { return IsDigit(ch) || (ch >= u'a' && ch <= u'f'); }

} // namespace

const std::array<std::u16string_view, TSynHTMLSyn::kReferenceCount>& TSynHTMLSyn::References() { return kReferences; }
const std::array<std::string_view, TSynHTMLSyn::kTagCount>& TSynHTMLSyn::TagNames() { return kTags; }

TSynHTMLSyn::TSynHTMLSyn() {
  SetScanCaseSensitive(false);
  SetDefaultFilter("HTML Documents (*.htm;*.html)|*.htm;*.html");
  attributes_[tkAmpersand] = AddAttribute("EscapeAmpersand");
  attributes_[tkComment] = AddAttribute("Comment");
  attributes_[tkIdentifier] = AddAttribute("Identifier");
  attributes_[tkKey] = AddAttribute("ReservedWord");
  attributes_[tkSpace] = AddAttribute("Space");
  attributes_[tkSymbol] = AddAttribute("Symbol");
  attributes_[tkText] = AddAttribute("Text");
  attributes_[tkUndefKey] = AddAttribute("UnknownWord");
  attributes_[tkValue] = AddAttribute("Value");
  attributes_[tkAmpersand]->SetForeground(0x00008000);  // green (BGR)
  attributes_[tkComment]->SetForeground(0x00808080);    // grey
  attributes_[tkComment]->SetStyle(fsItalic);
  attributes_[tkKey]->SetForeground(0x00800000);  // navy
  attributes_[tkKey]->SetStyle(fsBold);
  attributes_[tkUndefKey]->SetForeground(0x00FF0000);  // blue
  attributes_[tkUndefKey]->SetStyle(fsBold);
  attributes_[tkValue]->SetForeground(0x00800080);  // purple
  SaveAttributeDefaults();
  for (std::string_view tag : kTags) tags_.Add(tag, tkKey);
  range_ = rsText;
}

TSynHighlighterAttributes* TSynHTMLSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < 10 ? attributes_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynHTMLSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return attributes_[tkComment];
    case SYN_ATTR_IDENTIFIER: return attributes_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return attributes_[tkKey];
    case SYN_ATTR_WHITESPACE: return attributes_[tkSpace];
    case SYN_ATTR_SYMBOL: return attributes_[tkSymbol];
    default: return nullptr;
  }
}

void TSynHTMLSyn::StartLine(std::u16string_view line, int lineIndex) {
  entityIndex_ = -1;  // a reference found ahead belongs to its own line
  TSynCustomHighlighter::StartLine(line, lineIndex);
}

void TSynHTMLSyn::NextToken() {
  tokenPos_ = run_;
  // A step that consumes nothing has moved to a state whose step consumes
  // (at most three rounds: a state-0 start without a reference, then the text
  // step finding one ahead, then the reference). The bound only guards
  // against a future change breaking that.
  for (int round = 0; round < 4; ++round) {
    Step();
    if (run_ > tokenPos_ || AtLineEnd()) return;
  }
  kind_ = tkText;
  ++run_;
}

void TSynHTMLSyn::Step() {
  switch (range_) {
    case rsComment: return CommentStep();
    case rsText: return TextStep();
    case rsQuoteValue:
    case rsDoubleQuoteValue:
      if (!AtBreak()) return QuotedValueStep();
      return Dispatch();
    default: return Dispatch();
  }
}

void TSynHTMLSyn::Dispatch() {
  const char16_t ch = Cur();
  switch (ch) {
    case 0: return EndOfLine();
    case 10:
    case 13: return BreakStep();
    case u'"':
    case u'\'': return QuotedValueStep();
    case u'&': return ReferenceStep();
    case u'<': return LessThanStep();
    case u'=': return SymbolStep(rsValue);
    case u'>': return SymbolStep(rsText);
    default:
      if (ch <= 32) return SpaceStep();
      return WordStep();
  }
}

void TSynHTMLSyn::EndOfLine() {
  kind_ = tkNull;
  SetLineEnd();
}

// The character and the following blanks; a tab always starts a new token.
void TSynHTMLSyn::SpaceStep() {
  kind_ = tkSpace;
  ++run_;
  for (char16_t ch = Cur(); ch != 0 && ch <= 32 && ch != 9 && ch != 10 && ch != 13; ch = Cur()) ++run_;
}

void TSynHTMLSyn::BreakStep() {
  kind_ = tkSpace;
  ++run_;
}

void TSynHTMLSyn::SymbolStep(TRangeState next) {
  kind_ = tkSymbol;
  ++run_;
  range_ = next;
}

void TSynHTMLSyn::LessThanStep() {
  if (Ch(run_ + 1) == u'!' && Ch(run_ + 2) == u'-' && Ch(run_ + 3) == u'-') {
    kind_ = tkComment;
    run_ += 4;
    range_ = rsComment;
  } else {
    SymbolStep(rsKey);
  }
}

void TSynHTMLSyn::WordStep() {
  const int start = run_;
  switch (range_) {
    case rsKey:
      // The tag name; may be empty, then only the state changes.
      while (IsIdentifierChar(Cur()) || Cur() == u'!' || Cur() == u'/') ++run_;
      kind_ = tags_.Find(ScanText().substr(start, run_ - start), tkUndefKey);
      range_ = rsParam;
      return;
    case rsValue:
      // An unquoted value.
      ++run_;
      for (char16_t ch = Cur(); ch > 32 && ch != u'>'; ch = Cur()) ++run_;
      kind_ = tkValue;
      range_ = rsParam;
      return;
    default:
      // An attribute name.
      ++run_;
      for (char16_t ch = Cur(); ch > 32 && ch != u'"' && ch != u'=' && ch != u'>'; ch = Cur()) ++run_;
      kind_ = tkIdentifier;
      return;
  }
}

void TSynHTMLSyn::QuotedValueStep() {
  char16_t quote;
  if (range_ == rsQuoteValue) {
    quote = u'\'';
  } else if (range_ == rsDoubleQuoteValue) {
    quote = u'"';
  } else {
    quote = Cur();
    if (range_ != rsValue) return WordStep();
    range_ = quote == u'"' ? rsDoubleQuoteValue : rsQuoteValue;
    ++run_;
  }
  kind_ = tkValue;
  while (!AtBreak() && Cur() != quote) ++run_;
  if (Cur() == quote) {
    ++run_;
    range_ = rsParam;
  }
}

void TSynHTMLSyn::CommentStep() {
  if (AtBreak()) return Dispatch();
  kind_ = tkComment;
  for (; !AtBreak(); ++run_) {
    if (Cur() == u'>' && Ch(run_ - 1) == u'-' && Ch(run_ - 2) == u'-') {
      ++run_;
      range_ = rsText;
      return;
    }
  }
}

void TSynHTMLSyn::TextStep() {
  if (Cur() < 32 || Cur() == u'<') return Dispatch();
  kind_ = tkText;
  for (char16_t ch = Cur(); ch >= 32 && ch != u'<'; ch = Cur()) {
    if (ch == u'&') {
      if (Ch(run_ + 1) == u'#') {
        const int end = NumericReferenceEnd(run_);
        if (Ch(end) == u';') {
          range_ = rsAmpersand;  // the reference is the next token
        } else {
          run_ = end;  // an incomplete reference is text, and ends this token
        }
        return;
      }
      const int index = ReferenceAt(run_);
      if (index >= 0) {
        entityIndex_ = index;
        range_ = rsAmpersand;
        return;
      }
    }
    ++run_;
  }
}

void TSynHTMLSyn::ReferenceStep() {
  switch (range_) {
    case rsAmpersand:
      if (entityIndex_ >= 0 && entityIndex_ < kReferenceCount && ReferenceMatches(entityIndex_, run_)) {
        kind_ = tkAmpersand;
        run_ += static_cast<int>(kReferences[static_cast<size_t>(entityIndex_)].size());
      } else if (Ch(run_ + 1) == u'#') {
        run_ = NumericReferenceEnd(run_);
        if (Cur() == u';') {
          ++run_;
          kind_ = tkAmpersand;
        } else {
          kind_ = tkText;
        }
      }
      entityIndex_ = -1;
      range_ = rsText;
      return;
    case rsKey:
      // "<&": the "&" is text.
      kind_ = tkText;
      ++run_;
      range_ = rsText;
      return;
    default: return WordStep();
  }
}

bool TSynHTMLSyn::AtBreak() const {
  const char16_t ch = Cur();
  return ch == 0 || ch == 10 || ch == 13;
}

int TSynHTMLSyn::NumericReferenceEnd(int pos) const {
  int i = pos + 2;  // past "&#"
  if (Ch(i) == u'x') {  // the scan copy is lower case, so "X" too
    for (++i; IsHexDigit(Ch(i)); ++i) {}
  } else {
    for (; IsDigit(Ch(i)); ++i) {}
  }
  return i;
}

bool TSynHTMLSyn::ReferenceMatches(int index, int pos) const {
  const std::u16string_view entry = kReferences[static_cast<size_t>(index)];
  return ScanText().substr(static_cast<size_t>(pos)).starts_with(entry);
}

int TSynHTMLSyn::ReferenceAt(int pos) const {
  const char16_t first = Ch(pos + 1);
  for (int i = 0; i < kReferenceCount; ++i) {
    if (kReferences[static_cast<size_t>(i)][1] == first && ReferenceMatches(i, pos)) return i;
  }
  return -1;
}

} // namespace qm
