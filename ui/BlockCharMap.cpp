#include "ui/BlockCharMap.h"

#include <algorithm>
#include <bitset>

namespace qm {

namespace {

constexpr char16_t kFirstStandIn = u'\uFDD2';
constexpr char16_t kLastStandIn = u'\uFDEF';

// The character at the same place in to as ch in from; ch itself when it is
// not in from.
char16_t Translate(char16_t ch, const std::array<char16_t, 3>& from, const std::array<char16_t, 3>& to) {
  const auto found = std::find(from.begin(), from.end(), ch);
  return found == from.end() ? ch : to[static_cast<size_t>(found - from.begin())];
}

bool Holds(std::u16string_view text, const std::array<char16_t, 3>& chars) {
  return std::any_of(text.begin(), text.end(),
                     [&](char16_t ch) { return std::find(chars.begin(), chars.end(), ch) != chars.end(); });
}

} // namespace

std::u16string_view ViewOf(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

TBlockCharMap::TBlockCharMap() : standIns_{kFirstStandIn, kFirstStandIn + 1, kFirstStandIn + 2} {}

void TBlockCharMap::Choose(const std::vector<std::u16string>& lines) {
  std::bitset<kLastStandIn - kFirstStandIn + 1> used;
  for (const std::u16string& line : lines)
    for (char16_t ch : line)
      if (ch >= kFirstStandIn && ch <= kLastStandIn) used.set(ch - kFirstStandIn);
  size_t next = 0;
  for (size_t i = 0; i < used.size() && next < standIns_.size(); ++i)
    if (!used.test(i)) standIns_[next++] = static_cast<char16_t>(kFirstStandIn + i);
  // Every candidate taken (a text made for it): the rest keep their values.
}

QString TBlockCharMap::ToDisplay(std::u16string_view text) const {
  QString display = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  if (!Holds(text, kBlockChars)) return display;
  for (QChar& ch : display) ch = QChar(Translate(ch.unicode(), kBlockChars, standIns_));
  return display;
}

std::u16string TBlockCharMap::FromDisplay(std::u16string_view text) const {
  std::u16string line(text);
  if (!Holds(text, standIns_)) return line;
  for (char16_t& ch : line) ch = Translate(ch, standIns_, kBlockChars);
  return line;
}

std::u16string TBlockCharMap::FromDisplay(const QString& text) const { return FromDisplay(ViewOf(text)); }

} // namespace qm
