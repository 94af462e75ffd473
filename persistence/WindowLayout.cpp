#include "persistence/WindowLayout.h"

#include "diagnostics/StringHelpers.h"
#include "persistence/OptionsStore.h"

namespace qm {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Blanks and control characters cut from both ends.
std::string TrimBlanks(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

} // namespace

void SaveWindowLayout(TOptionsList& list, const std::string& key, const TPlacedWindow* window) {
  if (key.empty() || !window) return;
  const TWindowPlacement placement = window->GetPlacement();
  const TRect& r = placement.NormalRect;
  const std::string text = std::string(placement.Maximized ? "M|" : "|") + std::to_string(r.Left) + "|" +
                           std::to_string(r.Top) + "|" + std::to_string(r.Right) + "|" + std::to_string(r.Bottom);
  WriteOptionString(list, key, text);
}

bool RestoreWindowLayout(const TOptionsList& list, const std::string& key, TPlacedWindow* window) {
  if (!window) return false;
  const std::string text = TrimBlanks(ReadOptionString(list, key));
  if (text.empty()) return false;
  try {
    TWindowPlacement placement = window->GetPlacement();
    int32_t* edges[] = {&placement.NormalRect.Left, &placement.NormalRect.Top, &placement.NormalRect.Right,
                        &placement.NormalRect.Bottom};
    for (int field = 1; field <= 4; ++field) *edges[field - 1] = TextToInteger(GetField(text, field, '|'), *edges[field - 1]);
    window->SetPlacement(placement);
    if (GetField(text, 0, '|') == "M") window->Maximize();
    return true;
  } catch (...) {
    return false;
  }
}

} // namespace qm
