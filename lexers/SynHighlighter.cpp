#include "lexers/SynHighlighter.h"

#include "platform/CaseMap.h"

#include <algorithm>
#include <stdexcept>

namespace qm {

void TSynCustomHighlighter::StartLine(std::u16string_view line, int lineIndex) {
  line_.assign(line);
  scan_.assign(line);
  for (char16_t& ch : scan_) {
    if (ch == u'\0') {
      ch = u'\uFFFD';
    } else if (!scanCaseSensitive_) {
      ch = ch < 0x80 ? (ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch) : WideLower(ch);
    }
  }
  len_ = static_cast<int>(line_.size());
  lineIndex_ = lineIndex;
  run_ = 0;
  tokenPos_ = 0;
  NextToken();
}

std::u16string_view TSynCustomHighlighter::TokenText() const {
  const int end = std::min(run_, len_);
  if (tokenPos_ >= end) return {};
  return std::u16string_view(line_).substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(end - tokenPos_));
}

TSynHighlighterAttributes* TSynCustomHighlighter::AttributeAt(int index) const {
  if (index < 0 || index >= AttributeCount()) return nullptr;
  return attributes_[static_cast<size_t>(index)].get();
}

namespace {

struct ByName {
  bool operator()(const std::unique_ptr<TSynHighlighterAttributes>& a, std::string_view name) const {
    return a->Name() < name;
  }
};

} // namespace

TSynHighlighterAttributes* TSynCustomHighlighter::AttributeByName(std::string_view name) const {
  for (int i = 0; i < AttributeCount(); ++i)
    if (AttributeAt(i)->Name() == name) return AttributeAt(i);
  return nullptr;
}

TSynHighlighterAttributes* TSynCustomHighlighter::AddAttribute(const std::string& name) {
  return AddAttribute(name, AttributeDisplayName(name));
}

TSynHighlighterAttributes* TSynCustomHighlighter::AddAttribute(const std::string& name, std::u16string displayName) {
  auto at = std::lower_bound(attributes_.begin(), attributes_.end(), name, ByName{});
  if (at != attributes_.end() && (*at)->Name() == name)
    throw std::logic_error("Duplicate attribute name: " + name);
  at = attributes_.insert(at, std::make_unique<TSynHighlighterAttributes>(name, std::move(displayName)));
  return at->get();
}

void TSynCustomHighlighter::SaveAttributeDefaults() {
  for (auto& attribute : attributes_) attribute->InternalSaveDefaultValues();
}

bool TSynCustomHighlighter::IsIdentifierChar(char16_t ch) const {
  return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') || ch == u'_';
}

bool TSynCustomHighlighter::IsWordBreakChar(char16_t ch) const {
  return ch <= 47 || (ch >= 58 && ch <= 64) || (ch >= 91 && ch <= 94) || ch == 96 || (ch >= 123 && ch <= 126) ||
         ch == 167 || ch == 176 || ch == 180;
}

bool TSynCustomHighlighter::IsWhitespaceChar(char16_t ch) const {
  return ch <= 32 || (!IsIdentifierChar(ch) && !IsWordBreakChar(ch));
}

} // namespace qm
