#include "persistence/OptionEscaping.h"

#include "diagnostics/StringHelpers.h"

namespace qm {

const std::string kOptionNulMarker("=>\x01NULL\x01<=", 10);

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kScrambleKey[] = "Qv7#Lm2!Tz9$Kp4&W";
constexpr size_t kScrambleKeyLength = sizeof kScrambleKey - 1;
static_assert(kScrambleKeyLength == 17);

bool NeedsEscape(unsigned char byte) { return byte < 0x20 || byte > 0x7F || byte == '%'; }

// Value of a hex digit, or -1; lower-case digits only when allowed.
int HexValue(char c, bool allowLower) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (allowLower && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The byte written as two hex digits at text[at], or -1 when there are not
// two digits there.
int HexByteAt(const std::string& text, size_t at, bool allowLower) {
  if (at + 2 > text.size()) return -1;
  const int high = HexValue(text[at], allowLower);
  const int low = HexValue(text[at + 1], allowLower);
  return (high < 0 || low < 0) ? -1 : high * 16 + low;
}

bool IsQuotedForm(const std::string& text) { return !text.empty() && text.front() == '%' && text.back() == '%'; }

std::string UnescapePlain(const std::string& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const int byte = text[at] == '%' ? HexByteAt(text, at + 1, false) : -1;
    if (byte < 0) {
      bytes += text[at++];
    } else {
      bytes += static_cast<char>(byte);
      at += 3;
    }
  }
  return bytes;
}

// The text between the enclosing "%" quotes. Inside, "%%" is one "%" (the
// closing quote may be the second of them), "%xx" is the byte xx, and a "%"
// without either stands for itself. A decoded "%" is text, not a quote.
std::string UnescapeQuoted(const std::string& text) {
  std::string bytes;
  const size_t last = text.size() - 1;  // the closing quote
  for (size_t at = 1; at < last;) {
    if (text[at] != '%') {
      bytes += text[at++];
    } else if (text[at + 1] == '%') {
      bytes += '%';
      at += 2;
    } else if (const int byte = HexByteAt(text, at + 1, true); byte >= 0) {
      bytes += static_cast<char>(byte);
      at += 3;
    } else {
      bytes += '%';
      ++at;
    }
  }
  return ReplaceAll(bytes, kOptionNulMarker, std::string(1, '\0'));
}

std::string XorWithKey(std::string bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ kScrambleKey[i % kScrambleKeyLength]);
  return bytes;
}

} // namespace

std::string EscapeOptionValue(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (!NeedsEscape(byte)) {
      text += c;
      continue;
    }
    text += '%';
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
  }
  return text;
}

std::string UnescapeOptionValue(const std::string& text) {
  return IsQuotedForm(text) ? UnescapeQuoted(text) : UnescapePlain(text);
}

std::string ScrambleText(const std::string& text) {
  return Base64Encode(XorWithKey(text));
}

std::string UnscrambleText(const std::string& text) {
  return XorWithKey(Base64Decode(text));
}

} // namespace qm
