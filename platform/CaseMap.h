// Unicode simple case mapping (one character to one character) for UTF-16
// code units and for UTF-8 byte strings.
#pragma once

#include <string>

namespace qm {

// Surrogate code units, and characters whose mapping would leave the Basic
// Multilingual Plane, map to themselves.
char16_t WideLower(char16_t ch);
char16_t WideUpper(char16_t ch);
std::u16string WideLowerCase(std::u16string text);
std::u16string WideUpperCase(std::u16string text);

// Every decodable code point lower-cased; bytes that are not valid UTF-8
// are kept as they are.
std::string FoldCaseUtf8(const std::string& text);

// Case-insensitive three-way comparison: the byte-wise order of the
// FoldCaseUtf8 forms. Negative, 0 or positive.
int CompareTextUtf8(const std::string& a, const std::string& b);

} // namespace qm
