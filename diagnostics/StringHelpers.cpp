#include "diagnostics/StringHelpers.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qm {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kSkip = -1;
constexpr int kStop = -2;

// Symbol value of every byte for the tolerant decoder.
constexpr std::array<int, 256> MakeBase64Values() {
  std::array<int, 256> values{};
  values.fill(kSkip);
  for (int i = 0; i < 64; ++i) values[static_cast<unsigned char>(kBase64Alphabet[i])] = i;
  values[' '] = 62; // a "+" that went through form decoding
  values['='] = kStop;
  return values;
}
constexpr std::array<int, 256> kBase64Values = MakeBase64Values();

// Bytes that UrlEncode copies unchanged. "&" is not among them: it would
// split the form field that the value is placed in.
constexpr std::array<bool, 256> MakeUrlSafe() {
  std::array<bool, 256> safe{};
  for (int c = '0'; c <= '9'; ++c) safe[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) safe[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) safe[c] = true;
  for (char c : std::string_view("!$'()*,-.=_")) safe[static_cast<unsigned char>(c)] = true;
  return safe;
}
constexpr std::array<bool, 256> kUrlSafe = MakeUrlSafe();

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

} // namespace

std::string GetField(const std::string& s, int index, char separator) {
  if (index < 0) return {};
  size_t start = 0;
  for (int i = 0; i < index; ++i) {
    const size_t next = s.find(separator, start);
    if (next == std::string::npos) return {};
    start = next + 1;
  }
  const size_t end = s.find(separator, start);
  return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int CountFields(const std::string& s, char separator) {
  if (s.empty()) return 0;
  return 1 + static_cast<int>(std::count(s.begin(), s.end(), separator));
}

std::string ReplaceAll(const std::string& s, const std::string& find, const std::string& replacement) {
  if (find.empty()) return s;
  std::string result;
  size_t from = 0;
  for (size_t at = s.find(find); at != std::string::npos; at = s.find(find, from)) {
    result.append(s, from, at - from).append(replacement);
    from = at + find.size();
  }
  return result.append(s, from, std::string::npos);
}

std::string CollapseSpaces(const std::string& s) {
  std::string result;
  bool pendingSpace = false;
  for (char c : s) {
    if (static_cast<unsigned char>(c) <= ' ') {
      pendingSpace = true;
      continue;
    }
    if (pendingSpace) result += ' ';
    pendingSpace = false;
    result += c;
  }
  return result;
}

std::string ExtractBetween(const std::string& s, const std::string& startMarker, const std::string& endMarker) {
  std::string lower(s);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  size_t begin = 0;
  if (!startMarker.empty()) {
    const size_t at = lower.find(startMarker);
    if (at == std::string::npos) return {};
    begin = at + startMarker.size();
  }
  size_t end = endMarker.empty() ? std::string::npos : lower.find(endMarker, begin);
  if (end == std::string::npos) end = s.size();
  return s.substr(begin, end - begin);
}

std::string IncludeTrailingBackslash(const std::string& s) {
  if (s.empty() || s.back() == '\\') return s;
  return s + '\\';
}

uint32_t FourCharCode(const std::string& s) {
  uint32_t code = 0;
  for (size_t i = 0; i < 4; ++i) {
    const unsigned char byte = i < s.size() ? static_cast<unsigned char>(s[i]) : ' ';
    code |= static_cast<uint32_t>(byte) << (8 * i);
  }
  return code;
}

std::u16string WideCopy(const std::u16string& s, int index, int count) {
  const size_t start = static_cast<size_t>(std::max(index, 1) - 1);
  if (count <= 0 || start >= s.size()) return {};
  return s.substr(start, static_cast<size_t>(count));
}

std::string StreamToString(TStream& stream) {
  stream.SetPos(0);
  return stream.ReadRest();
}

std::string Base64Encode(const std::string& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t group = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) text += kBase64Alphabet[(group >> shift) & 0x3F];
  }
  const size_t rest = bytes.size() - i;
  if (rest == 0) return text;
  uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
  if (rest == 2) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
  text += kBase64Alphabet[(group >> 18) & 0x3F];
  text += kBase64Alphabet[(group >> 12) & 0x3F];
  text += rest == 2 ? kBase64Alphabet[(group >> 6) & 0x3F] : '=';
  text += '=';
  return text;
}

std::string Base64Decode(const std::string& text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 + 2);
  uint32_t bits = 0;
  int bitCount = 0;
  for (char c : text) {
    const int value = kBase64Values[static_cast<unsigned char>(c)];
    if (value == kStop) break;
    if (value == kSkip) continue;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      bytes += static_cast<char>((bits >> bitCount) & 0xFF);
    }
  }
  return bytes;
}

std::string UrlEncode(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == ' ') {
      text += '+';
    } else if (kUrlSafe[byte]) {
      text += c;
    } else {
      text += '%';
      text += kHexDigits[byte >> 4];
      text += kHexDigits[byte & 0x0F];
    }
  }
  return text;
}

} // namespace qm
