// The XML lexer. Text between tags and comments are the checked parts;
// element and attribute names, attribute values, entity references, CDATA
// sections, processing instructions and DOCTYPE declarations are not.
#pragma once

#include "lexers/SynHighlighter.h"

namespace qm {

class TSynXMLSyn : public TSynCustomHighlighter {
public:
  // Line states. The namespace variants (12 to 16) follow an attribute whose
  // name contains "xmlns".
  enum TRangeState : uint32_t {
    rsAposValue = 0,            // value in single quotes
    rsAposReference = 1,        // entity reference in a single-quoted value
    rsInTag = 2,                // inside a tag: an attribute name comes next
    rsCData = 3,
    rsComment = 4,
    rsElementName = 5,          // after "<" or "</"
    rsTextReference = 6,        // entity reference in text
    rsAfterAttribute = 7,       // after an attribute name, up to the quote
    rsProcessingInstruction = 8,
    rsQuoteValue = 9,           // value in double quotes
    rsQuoteReference = 10,      // entity reference in a double-quoted value
    rsText = 11,
    rsNsAposValue = 12,
    rsNsAposReference = 13,
    rsNsAfterAttribute = 14,
    rsNsQuoteValue = 15,
    rsNsQuoteReference = 16,
    rsDocType = 17,
    rsDocTypeBrackets = 18,     // inside "[ ]" of a DOCTYPE declaration
  };

  enum TTokenKind : int {
    tkAposValue = 0,
    tkAposReference = 1,
    tkAttributeName = 2,
    tkCData = 3,
    tkComment = 4,
    tkElementName = 5,
    tkTextReference = 6,
    tkAssign = 7,               // from an attribute name to its quote
    tkEndOfLine = 8,
    tkProcessingInstruction = 9,
    tkQuoteValue = 10,
    tkQuoteReference = 11,
    tkWhitespace = 12,
    tkSymbol = 13,
    tkText = 14,
    tkNsAposValue = 15,
    tkNsAposReference = 16,
    tkNsAttributeName = 17,
    tkNsAssign = 18,
    tkNsQuoteValue = 19,
    tkNsQuoteReference = 20,
    tkDocType = 21,
  };

  TSynXMLSyn();

  std::string LanguageName() const override { return "XML"; }
  std::u16string FriendlyLanguageName() const override { return u"XML"; }

  void ResetRangeState() override { range_ = rsText; }
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;

private:
  void Dispatch();
  void TagOpener();
  void StateStep();
  void ElementName();
  void AttributeName();
  void AfterAttributeName();
  void Value(char16_t quote);
  void EntityReference();
  void TextStep();
  void CommentStep();
  void ClosedBy(char16_t before, int kind);
  void DocTypeStep();
  void Whitespace();
  void EndOfLine();
  bool FollowedBy(int at, std::u16string_view word) const;

  int kind_ = tkEndOfLine;
  TSynHighlighterAttributes* elementName_;
  TSynHighlighterAttributes* whitespace_;
  TSynHighlighterAttributes* entityReference_;
  TSynHighlighterAttributes* processingInstruction_;
  TSynHighlighterAttributes* cdata_;
  TSynHighlighterAttributes* docType_;
  TSynHighlighterAttributes* attributeName_;
  TSynHighlighterAttributes* nsAttributeName_;
  TSynHighlighterAttributes* attributeValue_;
  TSynHighlighterAttributes* nsAttributeValue_;
  TSynHighlighterAttributes* symbol_;
  TSynHighlighterAttributes* text_;
  TSynHighlighterAttributes* comment_;
};

} // namespace qm
