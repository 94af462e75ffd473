// UTF-8 conversions for stored texts. Each UTF-16 code unit is encoded on its
// own in at most three bytes, so a surrogate pair becomes two three-byte
// sequences, and decoding never produces characters above U+FFFF.
#pragma once

#include <string>

namespace qm {

// Never fails: when any sequence is broken, the whole input is read as
// Windows-1252 instead. The result has at most as many units as bytes.
std::u16string DecodeUtf8Text(const std::string& bytes);

std::string EncodeUtf8Text(const std::u16string& text);

} // namespace qm
