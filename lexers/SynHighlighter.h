// The lexer base. A host lexes one line at a time:
//   first line: ResetRangeState(); other lines: SetRangeState(state after the
//   previous line); StartLine(text, index); while (!AtLineEnd()) { use
//   TokenStart/TokenText/TokenAttribute; NextToken(); } RangeState() is then
//   the state to store for the line.
// Positions are 0-based indexes into the line, in UTF-16 code units.
#pragma once

#include "lexers/SynHighlighterAttributes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Roles for DefaultAttribute.
enum TSynAttributeRole : int {
  SYN_ATTR_COMMENT = 0,
  SYN_ATTR_IDENTIFIER = 1,
  SYN_ATTR_KEYWORD = 2,
  SYN_ATTR_STRING = 3,
  SYN_ATTR_WHITESPACE = 4,
  SYN_ATTR_SYMBOL = 5,
};

class TSynCustomHighlighter {
public:
  TSynCustomHighlighter() = default;
  TSynCustomHighlighter(const TSynCustomHighlighter&) = delete;
  TSynCustomHighlighter& operator=(const TSynCustomHighlighter&) = delete;
  virtual ~TSynCustomHighlighter() = default;

  virtual std::string LanguageName() const = 0;
  // The language's display name ("C/C++" for "CandCPlusPlus").
  virtual std::u16string FriendlyLanguageName() const = 0;

  const std::string& DefaultFilter() const { return defaultFilter_; }
  void SetDefaultFilter(std::string filter) { defaultFilter_ = std::move(filter); }
  bool Enabled = true;
  bool ScanCaseSensitive() const { return scanCaseSensitive_; }

  virtual void ResetRangeState() { range_ = 0; }
  virtual void SetRangeState(uint32_t state) { range_ = state; }
  virtual uint32_t RangeState() const { return range_; }

  // Takes a copy of the line and lexes its first token.
  virtual void StartLine(std::u16string_view line, int lineIndex);
  virtual bool AtLineEnd() const { return run_ > len_; }
  virtual void NextToken() = 0;
  // A view into the unchanged line; valid until the next StartLine.
  virtual std::u16string_view TokenText() const;
  virtual int TokenStart() const { return tokenPos_; }
  virtual TSynHighlighterAttributes* TokenAttribute() const = 0;
  virtual int TokenKind() const = 0;
  virtual TSynHighlighterAttributes* DefaultAttribute(int role) const = 0;

  // The attributes in Name order (a lexer made of other lexers walks theirs).
  virtual int AttributeCount() const { return static_cast<int>(attributes_.size()); }
  virtual TSynHighlighterAttributes* AttributeAt(int index) const;
  // The first attribute of that name in AttributeAt order; none when absent.
  TSynHighlighterAttributes* AttributeByName(std::string_view name) const;

  virtual bool IsIdentifierChar(char16_t ch) const;
  bool IsWordBreakChar(char16_t ch) const;
  bool IsWhitespaceChar(char16_t ch) const;

  int LineIndex() const { return lineIndex_; }

protected:
  // Creates an attribute with the display name derived from name; a second
  // attribute of the same name is a logic error.
  TSynHighlighterAttributes* AddAttribute(const std::string& name);
  TSynHighlighterAttributes* AddAttribute(const std::string& name, std::u16string displayName);
  // Record every attribute's current look as its default.
  void SaveAttributeDefaults();
  void SetScanCaseSensitive(bool value) { scanCaseSensitive_ = value; }

  // Scanning helpers. Ch(i) reads the scan copy of the line: lower-cased when
  // the lexer scans case-insensitively, and 0 at and past the line's end. A
  // NUL inside the line is read as U+FFFD, so it lexes as an ordinary
  // character instead of ending the line early.
  char16_t Ch(int index) const { return index >= 0 && index < len_ ? scan_[static_cast<size_t>(index)] : u'\0'; }
  char16_t Cur() const { return Ch(run_); }
  // The unchanged line.
  const std::u16string& Line() const { return line_; }
  std::u16string_view ScanText() const { return scan_; }
  // Finishes the line: the end-of-line token.
  void SetLineEnd() { run_ = len_ + 1; }

  std::u16string line_;
  std::u16string scan_;
  int len_ = 0;
  int run_ = 0;       // scan position
  int tokenPos_ = 0;  // current token's start
  int lineIndex_ = 0;
  uint32_t range_ = 0;

private:
  std::vector<std::unique_ptr<TSynHighlighterAttributes>> attributes_;
  std::string defaultFilter_;
  bool scanCaseSensitive_ = true;
};

} // namespace qm
