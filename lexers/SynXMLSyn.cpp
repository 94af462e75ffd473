// XML lexing. The lexer scans case-sensitively. Special cases worth knowing:
// - "<!DOCTYP" (not "<!DOCTYPE") and "<![CDATA" (not "<![CDATA[") are the
//   opener tokens; the rest of the construct is lexed by its own state.
// - A closed DOCTYPE declaration leaves the lexer inside a tag (state 2).
// - A reference ("&...") runs to ";" or to the next blank, even past a quote.
// - Blanks and ">" at the start of a value are lexed by the character
//   dispatch, like everywhere outside text, comments and sections.
#include "lexers/SynXMLSyn.h"

#include <array>

namespace qm {

namespace {

// Colours are 0x00BBGGRR.
constexpr TColor kNavy = 0x800000, kMaroon = 0x000080, kGreen = 0x008000, kBlue = 0xFF0000, kRed = 0x0000FF,
                 kTeal = 0x808000, kGray = 0x808080, kOlive = 0x008080;

// "-", ".", "0".."9", ":", "A".."Z", "_", "a".."z", and everything above 192.
constexpr std::array<bool, 128> MakeNameChars() {
  std::array<bool, 128> table{};
  for (char c = '0'; c <= '9'; ++c) table[static_cast<size_t>(c)] = true;
  for (char c = 'A'; c <= 'Z'; ++c) table[static_cast<size_t>(c)] = true;
  for (char c = 'a'; c <= 'z'; ++c) table[static_cast<size_t>(c)] = true;
  table['-'] = table['.'] = table[':'] = table['_'] = true;
  return table;
}
constexpr std::array<bool, 128> kNameChars = MakeNameChars();

bool IsNameChar(char16_t ch) { return ch < 128 ? kNameChars[ch] : ch > 192; }

// Blanks that continue a whitespace token: tab, LF and CR start their own.
bool ContinuesWhitespace(char16_t ch) { return ch != 0 && ch <= 32 && ch != 9 && ch != 10 && ch != 13; }

} // namespace

TSynXMLSyn::TSynXMLSyn() {
  elementName_ = AddAttribute("ElementName");
  whitespace_ = AddAttribute("Whitespace");
  entityReference_ = AddAttribute("EntityReference");
  processingInstruction_ = AddAttribute("ProcessingInstruction");
  cdata_ = AddAttribute("CDATA-Section");
  docType_ = AddAttribute("DOCTYPE-Section");
  attributeName_ = AddAttribute("AttributeName");
  nsAttributeName_ = AddAttribute("NamespaceAttributeName");
  attributeValue_ = AddAttribute("AttributeValue");
  nsAttributeValue_ = AddAttribute("NamespaceAttributeValue");
  symbol_ = AddAttribute("Symbol");
  text_ = AddAttribute("Text");
  comment_ = AddAttribute("Comment");

  elementName_->SetForeground(kMaroon);
  elementName_->SetStyle(fsBold);
  entityReference_->SetForeground(kBlue);
  entityReference_->SetStyle(fsBold);
  processingInstruction_->SetForeground(kBlue);
  cdata_->SetForeground(kOlive);
  cdata_->SetStyle(fsItalic);
  docType_->SetForeground(kBlue);
  docType_->SetStyle(fsItalic);
  attributeName_->SetForeground(kMaroon);
  nsAttributeName_->SetForeground(kRed);
  attributeValue_->SetForeground(kNavy);
  attributeValue_->SetStyle(fsBold);
  nsAttributeValue_->SetForeground(kRed);
  nsAttributeValue_->SetStyle(fsBold);
  symbol_->SetForeground(kTeal);
  text_->SetForeground(kGreen);
  comment_->SetForeground(kGray);
  comment_->SetStyle(fsItalic);
  SaveAttributeDefaults();

  SetScanCaseSensitive(true);
  SetDefaultFilter("XML Files (*.xml;*.xsd;*.xsl;*.xslt;*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd");
  range_ = rsText;
}

void TSynXMLSyn::NextToken() {
  // A step that consumes nothing has changed the state; the next step then
  // consumes. The bound only guards against a state that would not.
  for (int attempt = 0; attempt < 4; ++attempt) {
    tokenPos_ = run_;
    switch (range_) {
      case rsCData: ClosedBy(u']', tkCData); break;
      case rsComment: CommentStep(); break;
      case rsProcessingInstruction: ClosedBy(u'?', tkProcessingInstruction); break;
      case rsText: TextStep(); break;
      case rsDocType:
      case rsDocTypeBrackets: DocTypeStep(); break;
      default: Dispatch(); break;
    }
    if (run_ != tokenPos_) return;
  }
  kind_ = tkSymbol;
  ++run_;
}

void TSynXMLSyn::Dispatch() {
  const char16_t c = Cur();
  if (run_ >= len_) {
    EndOfLine();
  } else if (c == 10 || c == 13) {
    kind_ = tkWhitespace;
    ++run_;
  } else if (c <= 32) {
    Whitespace();
  } else if (c == u'<') {
    TagOpener();
  } else if (c == u'>') {
    kind_ = tkSymbol;
    ++run_;
    range_ = rsText;
  } else {
    StateStep();
  }
}

void TSynXMLSyn::EndOfLine() {
  kind_ = tkEndOfLine;
  SetLineEnd();
}

void TSynXMLSyn::Whitespace() {
  kind_ = tkWhitespace;
  ++run_;
  while (ContinuesWhitespace(Cur())) ++run_;
}

bool TSynXMLSyn::FollowedBy(int at, std::u16string_view word) const {
  for (size_t i = 0; i < word.size(); ++i)
    if (Ch(at + static_cast<int>(i)) != word[i]) return false;
  return true;
}

void TSynXMLSyn::TagOpener() {
  ++run_;
  if (Cur() == u'/') ++run_;
  if (Cur() == u'!') {
    if (FollowedBy(run_ + 1, u"--")) {
      run_ += 3;  // "!--"
      kind_ = tkSymbol;
      range_ = rsComment;
    } else if (FollowedBy(run_ + 1, u"DOCTYPE")) {
      run_ += 7;  // "!DOCTYP"
      kind_ = tkDocType;
      range_ = rsDocType;
    } else if (FollowedBy(run_ + 1, u"[CDATA[")) {
      run_ += 7;  // "![CDATA"
      kind_ = tkCData;
      range_ = rsCData;
    } else {
      ++run_;
      kind_ = tkSymbol;
      range_ = rsElementName;
    }
  } else if (Cur() == u'?') {
    ++run_;
    kind_ = tkProcessingInstruction;
    range_ = rsProcessingInstruction;
  } else {
    kind_ = tkSymbol;
    range_ = rsElementName;
  }
}

void TSynXMLSyn::StateStep() {
  switch (range_) {
    case rsElementName: ElementName(); break;
    case rsInTag: AttributeName(); break;
    case rsAfterAttribute:
    case rsNsAfterAttribute: AfterAttributeName(); break;
    case rsQuoteValue:
    case rsNsQuoteValue: Value(u'"'); break;
    case rsAposValue:
    case rsNsAposValue: Value(u'\''); break;
    case rsAposReference:
    case rsQuoteReference:
    case rsNsAposReference:
    case rsNsQuoteReference:
    case rsTextReference: EntityReference(); break;
    default: TextStep(); break;  // a state no line can end in: read as text
  }
}

void TSynXMLSyn::ElementName() {
  if (Cur() == u'/') ++run_;
  while (IsNameChar(Cur())) ++run_;
  kind_ = tkElementName;
  range_ = rsInTag;
}

void TSynXMLSyn::AttributeName() {
  const char16_t c = Cur();
  if (c == u'"' || c == u'\'') {
    kind_ = tkSymbol;
    ++run_;
    return;
  }
  while (IsNameChar(Cur())) ++run_;  // may be empty
  const std::u16string_view name = ScanText().substr(static_cast<size_t>(tokenPos_),
                                                     static_cast<size_t>(run_ - tokenPos_));
  if (name.find(u"xmlns") != std::u16string_view::npos) {
    kind_ = tkNsAttributeName;
    range_ = rsNsAfterAttribute;
  } else {
    kind_ = tkAttributeName;
    range_ = rsAfterAttribute;
  }
}

void TSynXMLSyn::AfterAttributeName() {
  const bool ns = range_ == rsNsAfterAttribute;
  kind_ = ns ? tkNsAssign : tkAssign;
  while (run_ < len_) {
    const char16_t c = Cur();
    ++run_;
    if (c == u'/') {
      range_ = rsElementName;
      return;
    }
    if (c == u'"') {
      range_ = ns ? rsNsQuoteValue : rsQuoteValue;
      return;
    }
    if (c == u'\'') {
      range_ = ns ? rsNsAposValue : rsAposValue;
      return;
    }
  }
}

void TSynXMLSyn::Value(char16_t quote) {
  const bool ns = range_ == rsNsQuoteValue || range_ == rsNsAposValue;
  const bool apos = quote == u'\'';
  kind_ = ns ? (apos ? tkNsAposValue : tkNsQuoteValue) : (apos ? tkAposValue : tkQuoteValue);
  while (run_ < len_ && Cur() != quote && Cur() != u'&') ++run_;
  if (Cur() == u'&') {
    range_ = static_cast<uint32_t>(range_ + 1);  // the value's reference state
  } else if (run_ < len_) {
    range_ = rsInTag;  // the closing quote is the next token
  }
}

void TSynXMLSyn::EntityReference() {
  switch (range_) {
    case rsAposReference: kind_ = tkAposReference; range_ = rsAposValue; break;
    case rsQuoteReference: kind_ = tkQuoteReference; range_ = rsQuoteValue; break;
    case rsNsAposReference: kind_ = tkNsAposReference; range_ = rsNsAposValue; break;
    case rsNsQuoteReference: kind_ = tkNsQuoteReference; range_ = rsNsQuoteValue; break;
    default: kind_ = tkTextReference; range_ = rsText; break;
  }
  while (run_ < len_ && Cur() > 32) {
    if (Ch(run_++) == u';') break;
  }
}

void TSynXMLSyn::TextStep() {
  const char16_t c = Cur();
  if (c < 32 || c == u'<') return Dispatch();
  kind_ = tkText;
  while (run_ < len_ && Cur() >= 32 && Cur() != u'<' && Cur() != u'&') ++run_;
  if (Cur() == u'&') range_ = rsTextReference;
}

void TSynXMLSyn::CommentStep() {
  if (FollowedBy(run_, u"-->")) {
    run_ += 3;
    kind_ = tkSymbol;
    range_ = rsText;
    return;
  }
  if (run_ >= len_) return Dispatch();
  kind_ = tkComment;
  while (run_ < len_ && !FollowedBy(run_, u"-->")) ++run_;
}

// CDATA sections close at "]>", processing instructions at "?>".
void TSynXMLSyn::ClosedBy(char16_t before, int kind) {
  if (run_ >= len_) return Dispatch();
  kind_ = kind;
  while (run_ < len_) {
    const char16_t c = Cur();
    ++run_;
    if (c == u'>' && Ch(run_ - 2) == before) {
      range_ = rsText;
      return;
    }
  }
}

void TSynXMLSyn::DocTypeStep() {
  if (run_ >= len_) return Dispatch();
  kind_ = tkDocType;
  bool inBrackets = range_ == rsDocTypeBrackets;
  while (run_ < len_) {
    const char16_t c = Cur();
    ++run_;
    if (inBrackets) {
      if (c == u']') {
        range_ = rsDocType;
        return;
      }
    } else if (c == u'>') {
      range_ = rsInTag;
      return;
    } else if (c == u'[') {
      inBrackets = true;
    }
  }
  if (inBrackets) range_ = rsDocTypeBrackets;
}

TSynHighlighterAttributes* TSynXMLSyn::TokenAttribute() const {
  switch (kind_) {
    case tkAposValue:
    case tkQuoteValue: return attributeValue_;
    case tkNsAposValue:
    case tkNsQuoteValue: return nsAttributeValue_;
    case tkAposReference:
    case tkTextReference:
    case tkQuoteReference:
    case tkNsAposReference:
    case tkNsQuoteReference: return entityReference_;
    case tkAttributeName: return attributeName_;
    case tkNsAttributeName: return nsAttributeName_;
    case tkCData: return cdata_;
    case tkComment: return comment_;
    case tkElementName: return elementName_;
    case tkAssign:
    case tkSymbol:
    case tkNsAssign: return symbol_;
    case tkProcessingInstruction: return processingInstruction_;
    case tkWhitespace: return whitespace_;
    case tkText: return text_;
    case tkDocType: return docType_;
    default: return nullptr;
  }
}

TSynHighlighterAttributes* TSynXMLSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return comment_;
    case SYN_ATTR_WHITESPACE: return whitespace_;
    case SYN_ATTR_SYMBOL: return symbol_;
    default: return nullptr;
  }
}

} // namespace qm
