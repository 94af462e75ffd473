// DecodeUtf8Text must accept any bytes, never grow the text, and give back
// exactly what EncodeUtf8Text wrote.
#include "persistence/Utf8Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// True when bytes is a possible output of EncodeUtf8Text: ASCII, two-byte
// sequences for U+0080..U+07FF and three-byte ones for U+0800..U+FFFF, with
// no overlong forms. Written apart from the decoder on purpose.
bool IsEncoderOutput(const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    size_t length = 0;
    if (lead < 0x80) length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else return false;
    if (bytes.size() - at < length) return false;
    for (size_t i = 1; i < length; ++i)
      if (!IsContinuation(static_cast<unsigned char>(bytes[at + i]))) return false;
    if (lead == 0xE0 && static_cast<unsigned char>(bytes[at + 1]) < 0xA0) return false;
    at += length;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string text = qm::DecodeUtf8Text(bytes);
  if (text.size() > bytes.size()) std::abort();
  if (IsEncoderOutput(bytes) && qm::EncodeUtf8Text(text) != bytes) std::abort();

  // The same bytes read as UTF-16 code units survive encoding and decoding.
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  if (qm::DecodeUtf8Text(qm::EncodeUtf8Text(units)) != units) std::abort();
  return 0;
}
