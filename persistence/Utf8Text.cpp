#include "persistence/Utf8Text.h"

#include "platform/Windows1252.h"

#include <cstdint>
#include <optional>

namespace qm {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Any byte of 0x80 or above leads a sequence: three bytes when its bit 0x20
// is set, else two. Overlong forms are accepted; the value keeps 16 bits.
std::optional<std::u16string> DecodeSequences(const std::string& bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
      text += static_cast<char16_t>(lead);
      ++at;
      continue;
    }
    const size_t length = (lead & 0x20) ? 3 : 2;
    if (bytes.size() - at < length) return std::nullopt;
    uint32_t value = lead & 0x3F;
    for (size_t i = 1; i < length; ++i) {
      const unsigned char byte = static_cast<unsigned char>(bytes[at + i]);
      if (!IsContinuation(byte)) return std::nullopt;
      value = (value << 6) | (byte & 0x3F);
    }
    text += static_cast<char16_t>(value & 0xFFFF);
    at += length;
  }
  return text;
}

} // namespace

std::u16string DecodeUtf8Text(const std::string& bytes) {
  if (bytes.empty()) return {};
  std::optional<std::u16string> text = DecodeSequences(bytes);
  return text ? std::move(*text) : Windows1252ToWide(bytes);
}

std::string EncodeUtf8Text(const std::u16string& text) {
  std::string bytes;
  bytes.reserve(text.size() * 3);
  for (char16_t ch : text) {
    if (ch < 0x80) {
      bytes += static_cast<char>(ch);
    } else if (ch < 0x800) {
      bytes += static_cast<char>(0xC0 | (ch >> 6));
      bytes += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (ch >> 12));
      bytes += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return bytes;
}

} // namespace qm
