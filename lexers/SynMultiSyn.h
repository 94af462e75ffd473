// The multi-lexer: a default lexer for ordinary text, and schemes whose
// start and end expressions mark regions lexed by another lexer (style
// sheets, scripts, PHP blocks ...).
//
// Each line is first searched for markers (StartLine): the end expression of
// the open scheme, or else the start expressions of the schemes in their
// order, where the first scheme that matches anywhere wins even when a later
// one would match further left. Markers are found before any lexer sees the
// line, so comments and strings do not hide them. The stretches between
// markers are then lexed by the active lexer as lines of their own, with the
// state carried from the stretch before.
//
// The state packs the active scheme (bits 0-2, 0 for none), the scheme
// lexer's state (4 bits) and the default lexer's state above them; so at most
// seven schemes can open, and a scheme lexer's state is cut to 4 bits.
//
// The multi-lexer does not own its lexers. Their owner frees the multi-lexer
// first, or calls RemoveHighlighter before freeing one of them.
#pragma once

#include "lexers/SynHighlighter.h"
#include "platform/RegExpr.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TSynMultiSyn;

// A marker found in the current line.
struct TMarker {
  int SchemeIndex = 0;
  int StartPos = 0;  // 1-based position of its first character
  int Length = 0;
  bool IsOpen = false;  // a start marker
  std::u16string Text;  // the matched characters
};

class TScheme {
public:
  explicit TScheme(TSynMultiSyn& owner);
  TScheme(const TScheme&) = delete;
  TScheme& operator=(const TScheme&) = delete;

  // Default true. Changing it compiles the expressions again.
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);
  // A non-empty expression is compiled when it is set; one that does not
  // compile raises ERegExpr and the previous expression stays. An empty
  // expression keeps the scheme from opening.
  const std::u16string& StartExpr() const { return startExpr_; }
  void SetStartExpr(std::u16string_view expression);
  const std::u16string& EndExpr() const { return endExpr_; }
  void SetEndExpr(std::u16string_view expression);
  // Not owned. The owning multi-lexer cannot be its own scheme lexer.
  TSynCustomHighlighter* Highlighter() const { return highlighter_; }
  void SetHighlighter(TSynCustomHighlighter* highlighter);
  // "Marker": yellow background, bold.
  TSynHighlighterAttributes& MarkerAttri() const { return *markerAttri_; }
  const std::u16string& SchemeName() const { return schemeName_; }
  void SetSchemeName(std::u16string name) { schemeName_ = std::move(name); }
  // SchemeName when set, else the class name.
  std::u16string DisplayName() const { return schemeName_.empty() ? u"TScheme" : schemeName_; }

  // The compiled expressions; none when the text is empty.
  TRegExpr* StartRegExpr() const { return start_.get(); }
  TRegExpr* EndRegExpr() const { return end_.get(); }

private:
  friend class TSynMultiSyn;
  std::unique_ptr<TRegExpr> Compile(std::u16string_view expression, bool caseSensitive) const;
  void Changed();

  TSynMultiSyn& owner_;
  bool caseSensitive_ = true;
  std::u16string startExpr_;
  std::u16string endExpr_;
  std::unique_ptr<TRegExpr> start_;
  std::unique_ptr<TRegExpr> end_;
  TSynCustomHighlighter* highlighter_ = nullptr;
  std::unique_ptr<TSynHighlighterAttributes> markerAttri_;
  std::u16string schemeName_;
};

// The ordered schemes of a multi-lexer.
class TSchemes {
public:
  explicit TSchemes(TSynMultiSyn& owner) : owner_(owner) {}
  TSchemes(const TSchemes&) = delete;
  TSchemes& operator=(const TSchemes&) = delete;

  TScheme& Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TScheme& operator[](int index) { return *items_.at(static_cast<size_t>(index)); }
  const TScheme& operator[](int index) const { return *items_.at(static_cast<size_t>(index)); }

private:
  TSynMultiSyn& owner_;
  std::vector<std::unique_ptr<TScheme>> items_;
};

class TSynMultiSyn : public TSynCustomHighlighter {
public:
  // Schemes past this many never open: the state has 3 bits for the scheme.
  static constexpr int kMaxOpenableSchemes = 7;

  TSynMultiSyn();
  ~TSynMultiSyn() override;

  std::string LanguageName() const override { return "General_Multi-Highlighter"; }
  std::u16string FriendlyLanguageName() const override { return u"General Multi-Highlighter"; }

  // Not owned. Setting the multi-lexer itself raises std::invalid_argument
  // "A SynMultiSyn cannot be its own DefaultHighlighter.".
  TSynCustomHighlighter* DefaultHighlighter() const { return defaultHighlighter_; }
  void SetDefaultHighlighter(TSynCustomHighlighter* highlighter);
  TSchemes& Schemes() { return schemes_; }
  const TSchemes& Schemes() const { return schemes_; }
  const std::string& DefaultLanguageName() const { return defaultLanguageName_; }
  void SetDefaultLanguageName(std::string name) { defaultLanguageName_ = std::move(name); }

  // Clears every reference to lexer (the default lexer and scheme lexers);
  // the owner calls it before freeing a lexer the multi-lexer still uses.
  void RemoveHighlighter(const TSynCustomHighlighter* lexer);

  // Called after a scheme, the default lexer or a marker attribute changed.
  std::function<void()> OnChange;

  void ResetRangeState() override;
  void SetRangeState(uint32_t state) override;
  uint32_t RangeState() const override;

  void StartLine(std::u16string_view line, int lineIndex) override;
  bool AtLineEnd() const override;
  void NextToken() override;
  TSynHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override;
  TSynHighlighterAttributes* DefaultAttribute(int role) const override;
  bool IsIdentifierChar(char16_t ch) const override;

  // The marker attributes in scheme order, then the default lexer's
  // attributes, then those of each scheme lexer in scheme order.
  int AttributeCount() const override;
  TSynHighlighterAttributes* AttributeAt(int index) const override;

  // The markers of the current line, in line order.
  const std::vector<TMarker>& Markers() const { return markers_; }
  // The active scheme, -1 when the default lexer is active.
  int CurrentScheme() const { return currentScheme_; }

private:
  friend class TScheme;
  friend class TSchemes;
  void Changed();

  void FindMarkers();
  bool CanOpen(int schemeIndex) const;
  // The lexers in use; a missing one is replaced by a lexer that makes the
  // whole stretch one token without attribute.
  TSynCustomHighlighter& DefaultLexer() const;
  TSynCustomHighlighter& SchemeLexer(int schemeIndex) const;
  TSynCustomHighlighter& ActiveLexer() const;
  // Start of the current stretch: the end of the last passed marker, or 0.
  int StretchStart() const;
  // The characters from the scan position to the next marker or line end.
  std::u16string_view Stretch() const;

  TSchemes schemes_;
  TSynCustomHighlighter* defaultHighlighter_ = nullptr;
  std::unique_ptr<TSynCustomHighlighter> plain_;
  std::string defaultLanguageName_;

  std::vector<TMarker> markers_;
  int nextMarker_ = 0;
  int currentMarker_ = -1;  // index of the marker that is the current token
  int currentScheme_ = -1;
  uint32_t savedDefaultState_ = 0;
};

} // namespace qm
