#include "platform/TextFile.h"

#include "platform/Files.h"
#include "platform/Windows1252.h"

#include <array>

namespace qm {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

constexpr char32_t kReplacement = 0xFFFD;
constexpr char16_t kEscapeBase = 0xDC00;  // lone unit holding a byte that is not UTF-8

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsEscapedByte(char16_t unit) { return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF; }

// ---- UTF-8 ----------------------------------------------------------------

// The allowed range of the second byte for each lead byte, and the sequence
// length (0: not a lead byte). Later bytes are always 80..BF.
struct TLead {
  uint8_t length, low, high;
};

TLead LeadOf(uint8_t byte) {
  if (byte < 0x80) return {1, 0, 0};
  if (byte < 0xC2) return {0, 0, 0};  // continuation byte or overlong C0/C1
  if (byte < 0xE0) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};  // no overlong forms
  if (byte == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (byte < 0xF0) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};  // no overlong forms
  if (byte < 0xF4) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};  // nothing above U+10FFFF
  return {0, 0, 0};
}

// Reads one well-formed sequence at bytes[pos]; answers its length, or 0 when
// the bytes there are not one.
size_t ReadUtf8(std::string_view bytes, size_t pos, char32_t& code) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[pos + i]); };
  const TLead lead = LeadOf(byte(0));
  if (lead.length == 0 || pos + lead.length > bytes.size()) return 0;
  if (lead.length == 1) {
    code = byte(0);
    return 1;
  }
  if (byte(1) < lead.low || byte(1) > lead.high) return 0;
  static constexpr std::array<uint8_t, 5> kLeadMask = {0, 0, 0x1F, 0x0F, 0x07};
  code = byte(0) & kLeadMask[lead.length];
  for (size_t i = 1; i < lead.length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  return lead.length;
}

void AppendCode(std::u16string& text, char32_t code) {
  if (code < 0x10000) {
    text.push_back(static_cast<char16_t>(code));
    return;
  }
  code -= 0x10000;
  text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
  text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

// Strict decoding; nothing when the bytes are not valid UTF-8.
std::optional<std::u16string> DecodeUtf8Strict(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t pos = 0; pos < bytes.size();) {
    char32_t code = 0;
    const size_t length = ReadUtf8(bytes, pos, code);
    if (length == 0) return std::nullopt;
    AppendCode(text, code);
    pos += length;
  }
  return text;
}

// Decoding that keeps every byte outside a valid sequence as an escape unit.
std::u16string DecodeUtf8Escaping(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t pos = 0; pos < bytes.size();) {
    char32_t code = 0;
    const size_t length = ReadUtf8(bytes, pos, code);
    if (length == 0) {
      text.push_back(static_cast<char16_t>(kEscapeBase + static_cast<uint8_t>(bytes[pos])));
      ++pos;
      continue;
    }
    AppendCode(text, code);
    pos += length;
  }
  return text;
}

void AppendUtf8(std::string& bytes, char32_t code) {
  if (code < 0x80) {
    bytes.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
    bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
    bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
    bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void EncodeUtf8(std::u16string_view text, std::string& bytes) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(bytes, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (IsEscapedByte(unit)) {
      bytes.push_back(static_cast<char>(unit - kEscapeBase));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(bytes, kReplacement);
    } else {
      AppendUtf8(bytes, unit);
    }
  }
}

// ---- UTF-16 ---------------------------------------------------------------

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<uint8_t>(bytes[2 * i]);
    const auto second = static_cast<uint8_t>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

void EncodeUtf16(std::u16string_view text, bool bigEndian, std::string& bytes) {
  for (const char16_t unit : text) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
}

// ---- Lines ----------------------------------------------------------------

struct TSplitText {
  std::vector<std::u16string> pieces;  // one more than the number of breaks
  std::optional<TLineBreak> firstBreak;
};

TSplitText Split(std::u16string_view text) {
  TSplitText split;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    split.pieces.emplace_back(text.substr(start, i - start));
    TLineBreak kind = text[i] == u'\n' ? TLineBreak::LF : TLineBreak::CR;
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      kind = TLineBreak::CRLF;
      ++i;
    }
    if (!split.firstBreak) split.firstBreak = kind;
    start = i + 1;
  }
  split.pieces.emplace_back(text.substr(start));
  return split;
}

std::u16string_view BreakText(TLineBreak kind) {
  switch (kind) {
    case TLineBreak::CRLF: return u"\r\n";
    case TLineBreak::CR: return u"\r";
    case TLineBreak::LF: break;
  }
  return u"\n";
}

// ---- Encodings ------------------------------------------------------------

struct TDecodedText {
  std::u16string text;
  TTextFormat format;
};

TDecodedText DecodeBytes(std::string_view bytes) {
  TDecodedText decoded;
  TTextFormat& format = decoded.format;
  if (bytes.starts_with(kUtf8Bom)) {
    format.encoding = TTextEncoding::Utf8Bom;
    decoded.text = DecodeUtf8Escaping(bytes.substr(kUtf8Bom.size()));
  } else if (bytes.starts_with(kUtf16LEBom) || bytes.starts_with(kUtf16BEBom)) {
    const bool bigEndian = bytes.starts_with(kUtf16BEBom);
    format.encoding = bigEndian ? TTextEncoding::Utf16BE : TTextEncoding::Utf16LE;
    const std::string_view body = bytes.substr(2);
    decoded.text = DecodeUtf16(body, bigEndian);
    if (body.size() % 2 != 0) format.oddTrailingByte = static_cast<uint8_t>(body.back());
  } else if (auto utf8 = DecodeUtf8Strict(bytes)) {
    format.encoding = TTextEncoding::Utf8;
    decoded.text = std::move(*utf8);
  } else {
    format.encoding = TTextEncoding::Windows1252;
    decoded.text = Windows1252ToWide(std::string(bytes));
  }
  return decoded;
}

void EncodeText(std::u16string_view text, TTextEncoding encoding, std::string& bytes) {
  switch (encoding) {
    case TTextEncoding::Utf8Bom:
      bytes += kUtf8Bom;
      [[fallthrough]];
    case TTextEncoding::Utf8: EncodeUtf8(text, bytes); return;
    case TTextEncoding::Utf16LE:
      bytes += kUtf16LEBom;
      EncodeUtf16(text, false, bytes);
      return;
    case TTextEncoding::Utf16BE:
      bytes += kUtf16BEBom;
      EncodeUtf16(text, true, bytes);
      return;
    case TTextEncoding::Windows1252: bytes += WideToWindows1252(std::u16string(text)); return;
  }
}

bool FitsWindows1252(const std::u16string& line) { return Windows1252ToWide(WideToWindows1252(line)) == line; }

} // namespace

TTextDocument DecodeTextFile(std::string_view bytes) {
  TDecodedText decoded = DecodeBytes(bytes);
  TTextDocument document;
  document.format = decoded.format;
  if (decoded.text.empty()) return document;
  TSplitText split = Split(decoded.text);
  document.format.lineBreak = split.firstBreak.value_or(TLineBreak::LF);
  // A text ending in a break leaves an empty last piece, which is no line.
  document.format.finalLineBreak = split.pieces.back().empty();
  if (document.format.finalLineBreak) split.pieces.pop_back();
  document.lines = std::move(split.pieces);
  return document;
}

std::string EncodeTextFile(const std::vector<std::u16string>& lines, const TTextFormat& format) {
  std::u16string text;
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  text.reserve(size);
  const std::u16string_view lineBreak = BreakText(format.lineBreak);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += lineBreak;
    text += lines[i];
  }
  if (format.finalLineBreak && !lines.empty()) text += lineBreak;

  std::string bytes;
  bytes.reserve(text.size() * 2 + 4);
  EncodeText(text, format.encoding, bytes);
  const bool utf16 = format.encoding == TTextEncoding::Utf16LE || format.encoding == TTextEncoding::Utf16BE;
  if (utf16 && format.oddTrailingByte) bytes.push_back(static_cast<char>(*format.oddTrailingByte));
  return bytes;
}

TTextFormat SavingFormat(const std::vector<std::u16string>& lines, const TTextFormat& format) {
  TTextFormat result = format;
  if (format.encoding != TTextEncoding::Windows1252) return result;
  for (const auto& line : lines) {
    if (!FitsWindows1252(line)) {
      result.encoding = TTextEncoding::Utf8;
      break;
    }
  }
  return result;
}

std::vector<std::u16string> SplitAtLineBreaks(std::u16string_view text) { return Split(text).pieces; }

TTextDocument LoadTextFile(const std::string& path) { return DecodeTextFile(ReadFileBytes(path)); }

TTextFormat SaveTextFile(const std::string& path, const std::vector<std::u16string>& lines, const TTextFormat& format) {
  const TTextFormat written = SavingFormat(lines, format);
  WriteFileAtomically(path, EncodeTextFile(lines, written));
  return written;
}

} // namespace qm
