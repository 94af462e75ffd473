#include "cli/Report.h"

#include "engine/CodePages.h"

#include <cstdio>

namespace qm::cli {

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
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
