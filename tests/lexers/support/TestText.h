// UTF-8 <-> UTF-16 for test fixtures (full Unicode, invalid bytes -> U+FFFD),
// and splitting a document into lines.
#pragma once

#include <string>
#include <vector>

namespace qm::test {

std::u16string Utf16(const std::string& utf8);
std::string Utf8(std::u16string_view utf16);
// Lines split at CR LF, CR or LF; a final line break adds no empty line.
std::vector<std::u16string> DocumentLines(const std::u16string& text);

} // namespace qm::test
