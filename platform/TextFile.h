// The document codec: bytes of a text file <-> lines of UTF-16 text plus the
// format they came in, so that saving writes the file back the way it was
// read (encoding, byte order mark, line breaks, final line break).
//
// Reading:
// - A byte order mark decides: EF BB BF is UTF-8, FF FE UTF-16 little endian,
//   FE FF UTF-16 big endian. Otherwise text that is valid UTF-8 (strict: no
//   overlong forms, no surrogates, nothing above U+10FFFF) is UTF-8, and
//   anything else is Windows-1252 as a whole, so one stray byte makes every
//   byte a character of its own.
// - UTF-8 after a UTF-8 mark that is nonetheless broken keeps each byte that
//   belongs to no valid sequence as the lone unit U+DC00 + byte (0x80..0xFF
//   become U+DC80..U+DCFF); writing UTF-8 turns those units back into the
//   bytes, so nothing is lost.
// - UTF-16 keeps every unit as it is, lone surrogates included. An odd byte
//   at the end (a cut-off file) is kept aside in the format and written back
//   after the text; it is not shown.
// - Lines end at CR LF, CR or LF; every break ends a line, whatever its kind.
//   The first break decides the style used when writing; a text without any
//   break gets LF. A final break adds no empty line: "a\n" is one line and
//   finalLineBreak is set; the empty file has no lines.
// - NUL characters and lines of any length are ordinary text.
//
// Writing joins the lines with the remembered break (and adds one at the end
// when finalLineBreak is set and there is a line), after the mark of the
// encoding. For every input that used one break style throughout,
// EncodeTextFile(DecodeTextFile(b)) == b.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

enum class TTextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };

enum class TLineBreak { CRLF, LF, CR };

struct TTextFormat {
  TTextEncoding encoding = TTextEncoding::Utf8;
  TLineBreak lineBreak = TLineBreak::LF;
  bool finalLineBreak = false;
  // UTF-16 only: the odd last byte of a file whose size is not even.
  std::optional<uint8_t> oddTrailingByte;
  bool operator==(const TTextFormat&) const = default;
};

struct TTextDocument {
  std::vector<std::u16string> lines;
  TTextFormat format;
};

TTextDocument DecodeTextFile(std::string_view bytes);

// Characters that the encoding cannot hold are written as "?" (Windows-1252)
// or U+FFFD (a lone surrogate in UTF-8, other than the kept bytes above);
// SavingFormat avoids the first case.
std::string EncodeTextFile(const std::vector<std::u16string>& lines, const TTextFormat& format);

// The format to write lines in without loss: format itself, except that a
// Windows-1252 document holding a character outside that code page is
// written as UTF-8 (without a mark) rather than losing the character.
TTextFormat SavingFormat(const std::vector<std::u16string>& lines, const TTextFormat& format);

// Splits a text at CR LF, CR and LF as reading a file does; the text of an
// edit is cut into lines the same way. An empty text is one empty line here,
// and a text ending in a break ends with an empty line.
std::vector<std::u16string> SplitAtLineBreaks(std::u16string_view text);

// Raise EFileError when the file cannot be read or written. Saving is atomic
// and answers the format actually written (see SavingFormat).
TTextDocument LoadTextFile(const std::string& path);
TTextFormat SaveTextFile(const std::string& path, const std::vector<std::u16string>& lines, const TTextFormat& format);

} // namespace qm
