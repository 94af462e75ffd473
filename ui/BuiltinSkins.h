// The skins compiled into the program, as style sheets in the same form as
// the skin files of the data folder (colours given as "@role: #rrggbb" inside
// comments, see Skin.h).
#pragma once

#include <QString>

#include <vector>

namespace qm {

struct TBuiltinSkin {
  const char* Name;
  const char* StyleSheet;
};

const std::vector<TBuiltinSkin>& BuiltinSkins();

} // namespace qm
