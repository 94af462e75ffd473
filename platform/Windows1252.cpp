#include "platform/Windows1252.h"

#include <array>

namespace qm {

namespace {

// Characters of the bytes 0x80..0x9F; every other byte is its own code point.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char16_t ByteToWide(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char WideToByte(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == ch) return static_cast<char>(0x80 + i);
  return '?';
}

} // namespace

std::u16string Windows1252ToWide(const std::string& bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) text[i] = ByteToWide(static_cast<unsigned char>(bytes[i]));
  return text;
}

std::string WideToWindows1252(const std::u16string& text) {
  std::string bytes(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) bytes[i] = WideToByte(text[i]);
  return bytes;
}

} // namespace qm
