#include "lexers/SynHighlighterAttributes.h"

#include <utility>

namespace qm {

TSynHighlighterAttributes::TSynHighlighterAttributes(std::string name, std::u16string displayName)
    : name_(std::move(name)), displayName_(std::move(displayName)) {}

void TSynHighlighterAttributes::Changed() {
  if (OnChange) OnChange(*this);
}

void TSynHighlighterAttributes::SetBackground(TColor color) {
  if (background_ == color) return;
  background_ = color;
  Changed();
}

void TSynHighlighterAttributes::SetForeground(TColor color) {
  if (foreground_ == color) return;
  foreground_ = color;
  Changed();
}

void TSynHighlighterAttributes::SetStyle(uint8_t style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}

void TSynHighlighterAttributes::InternalSaveDefaultValues() {
  defaultBackground_ = background_;
  defaultForeground_ = foreground_;
  defaultStyle_ = style_;
}

bool TSynHighlighterAttributes::IsDefault() const {
  return background_ == defaultBackground_ && foreground_ == defaultForeground_ && style_ == defaultStyle_;
}

std::u16string AttributeDisplayName(const std::string& name) {
  std::u16string display;
  char previous = 0;
  for (char c : name) {
    if (c == '_' || c == '-') c = ' ';
    const bool upper = c >= 'A' && c <= 'Z';
    if (upper && previous >= 'a' && previous <= 'z') display += u' ';
    display += static_cast<char16_t>(static_cast<unsigned char>(c));
    previous = c;
  }
  return display;
}

} // namespace qm
