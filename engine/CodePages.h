// The table of encoding names and their Windows code pages, the conversions
// between the editor's UTF-16 text and a dictionary's code page, and the
// small UTF-8 encoder used for word lists.
#pragma once

#include "platform/StringList.h"

#include <string>

namespace qm {

// Rows "name=codepage|description", sorted, compared case-insensitively,
// exact duplicate rows ignored. Filled whenever it is found empty.
TStringList& CodePageTable();

// Only ASCII letters and digits of text, in their order, letters lower-cased:
// "ISO8859-1" gives "iso88591".
std::string NormalizeEncodingName(const std::string& text);

// The code page of the first table row (in sorted order) whose name equals
// the normalised encoding name; 0 (the system default) when none does.
int CodePageOf(const std::string& encodingName);

// Empty text converts to empty bytes without touching a converter.
// Characters the code page lacks become its "?"; a code page without a
// converter raises ECodePageError.
std::string WideToCodePage(const std::u16string& word, int codePage);
std::u16string CodePageToWide(const std::string& bytes, int codePage);

// Encodes count UTF-16 units of source, each unit on its own in one to three
// bytes (surrogate halves separately), followed by a zero byte. With no
// destination it answers the size the encoding needs, zero byte included;
// otherwise it writes what fits in destSize bytes (never a partial
// character), then the zero byte, and answers the bytes written including
// it. No source answers 0, and so does a destination of less than one byte.
int EncodeUtf8(char* dest, int destSize, const char16_t* source, int count);

// The EncodeUtf8 form of text without the zero byte.
std::string WideToUtf8(const std::u16string& text);

} // namespace qm
