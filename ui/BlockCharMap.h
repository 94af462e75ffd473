// QTextDocument ends a block at U+2029 (paragraph separator) and drops
// U+FDD0 and U+FDD1 (its frame marks), so a line holding one of them would
// come back from the editor as two lines, or shorter. The editor shows such
// characters as stand-ins, one code unit each so that columns stay put, and
// turns them back whenever it reads a line. The stand-ins are noncharacters
// (U+FDD2 .. U+FDEF, meant for a program's internal use) that the loaded text
// does not hold, so a loaded file always comes back unchanged.
#pragma once

#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TBlockCharMap {
public:
  TBlockCharMap();

  // Picks stand-ins that none of the lines holds.
  void Choose(const std::vector<std::u16string>& lines);

  QString ToDisplay(std::u16string_view text) const;
  std::u16string FromDisplay(const QString& text) const;
  std::u16string FromDisplay(std::u16string_view text) const;

  // The characters a block cannot hold, and their current stand-ins.
  static constexpr std::array<char16_t, 3> kBlockChars{u'\u2029', u'\uFDD0', u'\uFDD1'};
  const std::array<char16_t, 3>& StandIns() const { return standIns_; }

private:
  std::array<char16_t, 3> standIns_;
};

std::u16string_view ViewOf(const QString& text);

} // namespace qm
