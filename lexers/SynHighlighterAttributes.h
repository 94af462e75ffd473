// A token attribute: the name the check scope compares with, a display name,
// and the colours and style the editor paints with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qm {

using TColor = uint32_t;
// The reserved colour value meaning "the editor's own colour".
inline constexpr TColor clNone = 0x1FFFFFFF;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TSynHighlighterAttributes {
public:
  TSynHighlighterAttributes(std::string name, std::u16string displayName);
  TSynHighlighterAttributes(const TSynHighlighterAttributes&) = delete;
  TSynHighlighterAttributes& operator=(const TSynHighlighterAttributes&) = delete;

  const std::string& Name() const { return name_; }
  const std::u16string& DisplayName() const { return displayName_; }

  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  uint8_t Style() const { return style_; }
  void SetBackground(TColor color);
  void SetForeground(TColor color);
  void SetStyle(uint8_t style);

  // Remember the current values as the defaults (end of the lexer's set-up).
  void InternalSaveDefaultValues();
  bool IsDefault() const;
  TColor DefaultBackground() const { return defaultBackground_; }
  TColor DefaultForeground() const { return defaultForeground_; }
  uint8_t DefaultStyle() const { return defaultStyle_; }

  // Called after a colour or the style changed.
  std::function<void(TSynHighlighterAttributes&)> OnChange;

private:
  void Changed();

  std::string name_;
  std::u16string displayName_;
  TColor background_ = clNone;
  TColor foreground_ = clNone;
  uint8_t style_ = 0;
  TColor defaultBackground_ = clNone;
  TColor defaultForeground_ = clNone;
  uint8_t defaultStyle_ = 0;
};

// "ReservedWord" -> u"Reserved Word": a blank before every capital that
// follows a lower-case letter, "_" and "-" read as blanks.
std::u16string AttributeDisplayName(const std::string& name);

} // namespace qm
