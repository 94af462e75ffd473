// Windows-1252 conversions: the 8-bit code page used when bytes that are not
// valid UTF-8 must still be read as text.
#pragma once

#include <string>

namespace qm {

// Every byte decoded; the five bytes Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the code point of the same value, so the
// conversion loses nothing and WideToWindows1252 restores every byte.
std::u16string Windows1252ToWide(const std::string& bytes);

// Characters without a Windows-1252 byte become "?".
std::string WideToWindows1252(const std::u16string& text);

} // namespace qm
