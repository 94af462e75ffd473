#include "lexers/SynMultiSyn.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace qm {

namespace {

// Stands in for a missing lexer: the whole stretch is one token without
// attribute, so the line is still covered.
class TPlainTextLexer : public TSynCustomHighlighter {
public:
  std::string LanguageName() const override { return {}; }
  std::u16string FriendlyLanguageName() const override { return {}; }
  void NextToken() override {
    tokenPos_ = run_;
    if (run_ >= len_) {
      SetLineEnd();
    } else {
      run_ = len_;
    }
  }
  TSynHighlighterAttributes* TokenAttribute() const override { return nullptr; }
  int TokenKind() const override { return 0; }
  TSynHighlighterAttributes* DefaultAttribute(int) const override { return nullptr; }
};

} // namespace

// ---------------------------------------------------------------- TScheme

TScheme::TScheme(TSynMultiSyn& owner)
    : owner_(owner), markerAttri_(std::make_unique<TSynHighlighterAttributes>("Marker", u"Marker")) {
  markerAttri_->SetBackground(0x0000FFFF);  // yellow: red 255, green 255, blue 0 in BGR order
  markerAttri_->SetStyle(fsBold);
  markerAttri_->InternalSaveDefaultValues();
  markerAttri_->OnChange = [this](TSynHighlighterAttributes&) { Changed(); };
}

std::unique_ptr<TRegExpr> TScheme::Compile(std::u16string_view expression, bool caseSensitive) const {
  if (expression.empty()) return nullptr;
  return std::make_unique<TRegExpr>(expression, !caseSensitive);
}

void TScheme::SetCaseSensitive(bool value) {
  if (caseSensitive_ == value) return;
  auto start = Compile(startExpr_, value);
  auto end = Compile(endExpr_, value);
  caseSensitive_ = value;
  start_ = std::move(start);
  end_ = std::move(end);
  Changed();
}

void TScheme::SetStartExpr(std::u16string_view expression) {
  if (expression == startExpr_) return;
  start_ = Compile(expression, caseSensitive_);
  startExpr_ = expression;
  Changed();
}

void TScheme::SetEndExpr(std::u16string_view expression) {
  if (expression == endExpr_) return;
  end_ = Compile(expression, caseSensitive_);
  endExpr_ = expression;
  Changed();
}

void TScheme::SetHighlighter(TSynCustomHighlighter* highlighter) {
  if (highlighter == &owner_) throw std::invalid_argument("A SynMultiSyn cannot be a Highlighter of its own Schemes.");
  if (highlighter == highlighter_) return;
  highlighter_ = highlighter;
  Changed();
}

void TScheme::Changed() { owner_.Changed(); }

TScheme& TSchemes::Add() {
  items_.push_back(std::make_unique<TScheme>(owner_));
  owner_.Changed();
  return *items_.back();
}

// ----------------------------------------------------------- TSynMultiSyn

TSynMultiSyn::TSynMultiSyn() : schemes_(*this), plain_(std::make_unique<TPlainTextLexer>()) {}

TSynMultiSyn::~TSynMultiSyn() = default;

void TSynMultiSyn::Changed() {
  if (OnChange) OnChange();
}

void TSynMultiSyn::SetDefaultHighlighter(TSynCustomHighlighter* highlighter) {
  if (highlighter == this) throw std::invalid_argument("A SynMultiSyn cannot be its own DefaultHighlighter.");
  if (highlighter == defaultHighlighter_) return;
  defaultHighlighter_ = highlighter;
  Changed();
}

void TSynMultiSyn::RemoveHighlighter(const TSynCustomHighlighter* lexer) {
  if (!lexer) return;
  if (defaultHighlighter_ == lexer) defaultHighlighter_ = nullptr;
  for (int i = 0; i < schemes_.Count(); ++i)
    if (schemes_[i].Highlighter() == lexer) schemes_[i].highlighter_ = nullptr;
  Changed();
}

TSynCustomHighlighter& TSynMultiSyn::DefaultLexer() const {
  return defaultHighlighter_ ? *defaultHighlighter_ : *plain_;
}

TSynCustomHighlighter& TSynMultiSyn::SchemeLexer(int schemeIndex) const {
  if (schemeIndex >= 0 && schemeIndex < schemes_.Count() && schemes_[schemeIndex].Highlighter())
    return *schemes_[schemeIndex].Highlighter();
  return *plain_;
}

TSynCustomHighlighter& TSynMultiSyn::ActiveLexer() const {
  return currentScheme_ >= 0 ? SchemeLexer(currentScheme_) : DefaultLexer();
}

// ---------------------------------------------------------------- states

void TSynMultiSyn::ResetRangeState() {
  currentScheme_ = -1;
  DefaultLexer().ResetRangeState();
  savedDefaultState_ = DefaultLexer().RangeState();
}

void TSynMultiSyn::SetRangeState(uint32_t state) {
  currentScheme_ = static_cast<int>(state % 8) - 1;
  state /= 8;
  if (currentScheme_ >= 0) {
    SchemeLexer(currentScheme_).SetRangeState(state % 16);
    state /= 16;
  }
  savedDefaultState_ = state;
  DefaultLexer().SetRangeState(state);
}

uint32_t TSynMultiSyn::RangeState() const {
  uint32_t state = DefaultLexer().RangeState();
  if (currentScheme_ >= 0) state = state * 16 + (SchemeLexer(currentScheme_).RangeState() & 15);
  return state * 8 + static_cast<uint32_t>(currentScheme_ + 1);
}

// --------------------------------------------------------------- markers

bool TSynMultiSyn::CanOpen(int schemeIndex) const {
  const TScheme& scheme = schemes_[schemeIndex];
  return scheme.StartRegExpr() && scheme.EndRegExpr() && scheme.Highlighter() && scheme.Highlighter()->Enabled;
}

void TSynMultiSyn::FindMarkers() {
  markers_.clear();
  std::u16string_view rest = line_;
  int offset = 0;
  int scheme = currentScheme_;
  // Schemes (plus one for "none") met since the last match that cut
  // characters: an expression matching the empty text at the start of the
  // rest cuts nothing, and meeting the same scheme twice that way would
  // repeat forever.
  std::array<bool, kMaxOpenableSchemes + 1> stalled{};
  const int openable = std::min(schemes_.Count(), kMaxOpenableSchemes);
  while (!rest.empty()) {
    TRegExpr* expression = nullptr;
    int found = -1;
    if (scheme >= 0) {
      expression = scheme < schemes_.Count() ? schemes_[scheme].EndRegExpr() : nullptr;
      if (!expression || !expression->Exec(rest)) break;
      found = scheme;
    } else {
      for (int i = 0; i < openable && found < 0; ++i) {
        if (!CanOpen(i)) continue;
        expression = schemes_[i].StartRegExpr();
        if (expression->Exec(rest)) found = i;
      }
      if (found < 0) break;
    }
    const bool open = scheme < 0;
    const int pos = expression->MatchPos();
    const int length = expression->MatchLen();
    if (length > 0)
      markers_.push_back(TMarker{found, pos + offset, length, open, std::u16string(rest.substr(pos - 1, length))});
    const int cut = pos + length - 1;
    rest.remove_prefix(static_cast<size_t>(cut));
    offset += cut;
    const int next = open ? found : -1;
    if (cut > 0) {
      stalled.fill(false);
    } else {
      stalled[static_cast<size_t>(scheme + 1)] = true;
      if (stalled[static_cast<size_t>(next + 1)]) break;
    }
    scheme = next;
  }
}

// ---------------------------------------------------------------- tokens

void TSynMultiSyn::StartLine(std::u16string_view line, int lineIndex) {
  line_.assign(line);
  len_ = static_cast<int>(line_.size());
  lineIndex_ = lineIndex;
  FindMarkers();
  run_ = 0;
  tokenPos_ = 0;
  nextMarker_ = 0;
  currentMarker_ = -1;
  NextToken();
}

int TSynMultiSyn::StretchStart() const {
  if (nextMarker_ == 0) return 0;
  const TMarker& last = markers_[static_cast<size_t>(nextMarker_ - 1)];
  return last.StartPos + last.Length - 1;
}

std::u16string_view TSynMultiSyn::Stretch() const {
  const int end = nextMarker_ < static_cast<int>(markers_.size())
                      ? markers_[static_cast<size_t>(nextMarker_)].StartPos - 1
                      : len_;
  return std::u16string_view(line_).substr(static_cast<size_t>(run_), static_cast<size_t>(end - run_));
}

void TSynMultiSyn::NextToken() {
  if (nextMarker_ < static_cast<int>(markers_.size()) &&
      run_ + 1 >= markers_[static_cast<size_t>(nextMarker_)].StartPos) {
    const TMarker& marker = markers_[static_cast<size_t>(nextMarker_)];
    if (marker.IsOpen) {
      currentScheme_ = marker.SchemeIndex;
      savedDefaultState_ = DefaultLexer().RangeState();
      SchemeLexer(currentScheme_).ResetRangeState();
    }
    currentMarker_ = nextMarker_++;
    tokenPos_ = run_;
    run_ += marker.Length;
    return;
  }

  TSynCustomHighlighter* lexer = &ActiveLexer();
  if (run_ == 0 && nextMarker_ == 0) {
    lexer->StartLine(Stretch(), lineIndex_);
  } else if (currentMarker_ >= 0) {
    if (!markers_[static_cast<size_t>(currentMarker_)].IsOpen) {
      currentScheme_ = -1;
      lexer = &DefaultLexer();
      lexer->SetRangeState(savedDefaultState_);
    }
    currentMarker_ = -1;
    lexer->StartLine(Stretch(), lineIndex_);
  } else {
    lexer->NextToken();
  }
  tokenPos_ = StretchStart() + lexer->TokenStart();
  run_ = tokenPos_ + static_cast<int>(lexer->TokenText().size());
}

bool TSynMultiSyn::AtLineEnd() const { return currentMarker_ < 0 && ActiveLexer().AtLineEnd(); }

TSynHighlighterAttributes* TSynMultiSyn::TokenAttribute() const {
  if (currentMarker_ >= 0)
    return &schemes_[markers_[static_cast<size_t>(currentMarker_)].SchemeIndex].MarkerAttri();
  return ActiveLexer().TokenAttribute();
}

int TSynMultiSyn::TokenKind() const { return currentMarker_ >= 0 ? 0 : ActiveLexer().TokenKind(); }

TSynHighlighterAttributes* TSynMultiSyn::DefaultAttribute(int role) const {
  return ActiveLexer().DefaultAttribute(role);
}

bool TSynMultiSyn::IsIdentifierChar(char16_t ch) const { return ActiveLexer().IsIdentifierChar(ch); }

// ------------------------------------------------------------ attributes

int TSynMultiSyn::AttributeCount() const {
  int count = schemes_.Count();
  if (defaultHighlighter_) count += defaultHighlighter_->AttributeCount();
  for (int i = 0; i < schemes_.Count(); ++i)
    if (schemes_[i].Highlighter()) count += schemes_[i].Highlighter()->AttributeCount();
  return count;
}

TSynHighlighterAttributes* TSynMultiSyn::AttributeAt(int index) const {
  if (index < 0) return nullptr;
  if (index < schemes_.Count()) return &schemes_[index].MarkerAttri();
  index -= schemes_.Count();
  auto walk = [&index](const TSynCustomHighlighter* lexer) -> TSynHighlighterAttributes* {
    if (!lexer) return nullptr;
    if (index < lexer->AttributeCount()) return lexer->AttributeAt(index);
    index -= lexer->AttributeCount();
    return nullptr;
  };
  if (auto* attribute = walk(defaultHighlighter_)) return attribute;
  for (int i = 0; i < schemes_.Count(); ++i)
    if (auto* attribute = walk(schemes_[i].Highlighter())) return attribute;
  return nullptr;
}

} // namespace qm
