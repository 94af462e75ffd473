// A misprint's place in the text and the key that orders misprints by it.
#pragma once

#include <cstdint>

namespace qm {

// The item stored per misprint: 1-based column and line, length in UTF-16
// code units.
struct MisprintRecord {
  int32_t column;
  int32_t line;
  int32_t length;
};
static_assert(sizeof(MisprintRecord) == 12);

// line × 2^32 + column: orders positions by line, then column.
constexpr int64_t MisprintKey(int32_t line, int32_t column) {
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<int64_t>(line)) << 32) +
                              static_cast<uint64_t>(static_cast<int64_t>(column)));
}

} // namespace qm
