// Conversion between UTF-16 text and the byte encodings named by Windows
// code page numbers, on iconv. Code page 0 is the system's default 8-bit
// encoding, which is UTF-8 here.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

// A code page without a converter: the UTF-16/UTF-32 pages 1200, 1201,
// 12000 and 12001, and every number the table below does not map.
class ECodePageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The iconv name of a code page's charset; nullptr when there is none.
const char* CodePageCharset(int codePage);

// Characters the code page lacks (and unpaired surrogates) become the code
// page's "?", one per character; they never make the conversion fail.
// Raises ECodePageError for a code page without a converter.
std::string WideToMultiByte(const std::u16string& text, int codePage);

// Byte sequences that are not valid in the code page become U+FFFD, one per
// byte. Raises ECodePageError for a code page without a converter.
std::u16string MultiByteToWide(const std::string& bytes, int codePage);

} // namespace qm
