// The main window's placement as a line of text in the settings:
// "M" when maximised (else empty), then the left, top, right and bottom edges
// of the window's normal (restored) rectangle, all separated by "|", such as
// "M|10|20|800|600" or "|0|0|640|480".
#pragma once

#include "persistence/OptionsList.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <string>

namespace qm {

// What the layout code needs of a window; the window class implements it.
struct TWindowPlacement {
  TRect NormalRect;        // the rectangle the window has when not maximised
  bool Maximized = false;
};

class TPlacedWindow {
public:
  virtual ~TPlacedWindow() = default;
  virtual TWindowPlacement GetPlacement() const = 0;
  // Applies the normal rectangle; the maximised state stays as it is in
  // placement. May raise.
  virtual void SetPlacement(const TWindowPlacement& placement) = 0;
  // May raise.
  virtual void Maximize() = 0;
};

// Stores the window's layout text under key; nothing when key is empty or
// there is no window.
void SaveWindowLayout(TOptionsList& list, const std::string& key, const TPlacedWindow* window);
// Applies the text stored under key (blanks at both ends trimmed): each edge
// that is missing or not an integer keeps the window's current one, then the
// window is maximised when the first field is exactly "M". True when a
// non-empty text was applied without error.
bool RestoreWindowLayout(const TOptionsList& list, const std::string& key, TPlacedWindow* window);

} // namespace qm
