// The word scanner's character classes, one byte per UTF-16 code unit:
// bit 0 marks a separator (it ends a word), bit 1 an edge character (it is
// stripped from both ends of a word).
#pragma once

#include <cstdint>

namespace qm {

inline constexpr uint8_t ccSeparator = 1;
inline constexpr uint8_t ccEdge = 2;

uint8_t CharClass(char16_t ch);
inline bool IsSeparator(char16_t ch) { return (CharClass(ch) & ccSeparator) != 0; }
inline bool IsEdge(char16_t ch) { return (CharClass(ch) & ccEdge) != 0; }

} // namespace qm
