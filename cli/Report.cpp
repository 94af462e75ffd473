#include "cli/Report.h"

#include "engine/CodePages.h"

#include <cstdio>

namespace qm::cli {

namespace {

// The length of the valid UTF-8 sequence at text[at], or 0.
size_t Utf8SequenceAt(const std::string& text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
  return length;
}

} // namespace

// Bytes that are not UTF-8 (a file name may hold any) become U+FFFD, so the
// output is always valid JSON.
std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (size_t at = 0; at < utf8.size(); ++at) {
    const char c = utf8[at];
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      const size_t length = Utf8SequenceAt(utf8, at);
      if (length == 0) {
        out += "\\ufffd";
      } else {
        out.append(utf8, at, length);
        at += length - 1;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string FormatText(const std::string& path, const TFoundMisprint& misprint, bool withSuggestions) {
  std::string line = path + ":" + std::to_string(misprint.line) + ":" + std::to_string(misprint.column) + ": " +
                     WideToUtf8(misprint.word);
  if (withSuggestions) {
    line += " ->";
    for (size_t i = 0; i < misprint.suggestions.size(); ++i)
      line += (i == 0 ? " " : ", ") + WideToUtf8(misprint.suggestions[i]);
  }
  return line;
}

std::string FormatJson(const std::string& path, const TFoundMisprint& misprint, bool withSuggestions) {
  std::string json = "{\"file\":" + JsonString(path) + ",\"line\":" + std::to_string(misprint.line) +
                     ",\"column\":" + std::to_string(misprint.column) +
                     ",\"word\":" + JsonString(WideToUtf8(misprint.word));
  if (withSuggestions) {
    json += ",\"suggestions\":[";
    for (size_t i = 0; i < misprint.suggestions.size(); ++i)
      json += (i == 0 ? "" : ",") + JsonString(WideToUtf8(misprint.suggestions[i]));
    json += "]";
  }
  return json + "}";
}

} // namespace qm::cli
