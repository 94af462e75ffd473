#include "engine/CharClassTable.h"

#include <array>

namespace qm {

namespace {

struct Run {
  char16_t first;
  char16_t last;
  uint8_t value;
};

// ASCII letters and digits are word characters; the apostrophe may stand
// inside a word; quote, plus, comma, hyphen, full stop, slash, colon,
// semicolon, at sign and underscore separate and are stripped; the rest of
// ASCII punctuation separates. Outside ASCII the letters of Latin-1 and the
// listed ranges are word characters.
constexpr Run kRuns[] = {
    {0x0000, 0x0021, 1}, {0x0022, 0x0022, 3}, {0x0023, 0x0026, 1}, {0x0027, 0x0027, 2}, {0x0028, 0x002A, 1},
    {0x002B, 0x002F, 3}, {0x0030, 0x0039, 0}, {0x003A, 0x003B, 3}, {0x003C, 0x003F, 1}, {0x0040, 0x0040, 3},
    {0x0041, 0x005A, 0}, {0x005B, 0x005E, 1}, {0x005F, 0x005F, 3}, {0x0060, 0x0060, 1}, {0x0061, 0x007A, 0},
    {0x007B, 0x00BF, 1}, {0x00C0, 0x00D6, 0}, {0x00D7, 0x00D7, 1}, {0x00D8, 0x00F6, 0}, {0x00F7, 0x00F7, 1},
    {0x00F8, 0x02C5, 0}, {0x02C6, 0x0385, 1}, {0x0386, 0x05AF, 0}, {0x05B0, 0x05C3, 1}, {0x05C4, 0x200B, 0},
    {0x200C, 0xFB1F, 1}, {0xFB20, 0xFFFF, 0},
};

const std::array<uint8_t, 65536>& Table() {
  static const std::array<uint8_t, 65536> table = [] {
    std::array<uint8_t, 65536> t{};
    for (const Run& run : kRuns)
      for (uint32_t ch = run.first; ch <= run.last; ++ch) t[ch] = run.value;
    return t;
  }();
  return table;
}

} // namespace

uint8_t CharClass(char16_t ch) { return Table()[ch]; }

} // namespace qm
