#include "persistence/OptionsStore.h"

#include "persistence/OptionEscaping.h"
#include "persistence/OptionKeys.h"
#include "platform/Files.h"

#include <charconv>
#include <exception>

namespace qm {

std::string ReadOptionString(const TOptionsList& list, const std::string& key) {
  return UnescapeOptionValue(list.Value(key));
}

void WriteOptionString(TOptionsList& list, const std::string& key, const std::string& text) {
  list.SetValue(key, EscapeOptionValue(text));
}

bool ReadOptionBool(const TOptionsList& list, const std::string& key) {
  return ReadOptionString(list, key) == "TRUE";
}

void WriteOptionBool(TOptionsList& list, const std::string& key, bool value) {
  WriteOptionString(list, key, value ? "TRUE" : "FALSE");
}

int32_t TextToInteger(const std::string& text, int32_t fallback) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return fallback;
  return value;
}

int32_t ReadOptionInteger(const TOptionsList& list, const std::string& key, int32_t fallback) {
  return TextToInteger(ReadOptionString(list, key), fallback);
}

void WriteOptionInteger(TOptionsList& list, const std::string& key, int32_t value) {
  WriteOptionString(list, key, std::to_string(value));
}

std::vector<std::string> ReadOptionLines(const TOptionsList& list, const std::string& key) {
  return SplitLines(ReadOptionString(list, key));
}

void WriteOptionLines(TOptionsList& list, const std::string& key, const std::vector<std::string>& lines) {
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += lines[i];
  }
  WriteOptionString(list, key, joined);
}

namespace {

enum class DefaultKind { Text, Bool, Lines };

struct OptionDefault {
  const char* key;
  DefaultKind kind;
  const char* value;  // Lines: separated by '\n'
};

// Written, in this order, for every key that is empty after the load.
constexpr OptionDefault kDefaults[] = {
    {keys::Skin, DefaultKind::Text, keys::DefaultSkin},
    {keys::ShowHints, DefaultKind::Bool, "TRUE"},
    {keys::SkipLargeFiles, DefaultKind::Bool, "TRUE"},
    {keys::MaxFileSize, DefaultKind::Text, "1024"},
    {keys::CheckScope, DefaultKind::Lines, "--\nDocumentation\nComment\nString\nText"},
    {keys::IgnoreUppercase, DefaultKind::Bool, "TRUE"},
    {keys::IgnoreNumbers, DefaultKind::Bool, "TRUE"},
    {keys::WordWrap, DefaultKind::Bool, "TRUE"},
};

void WriteDefault(TOptionsList& options, const OptionDefault& entry) {
  if (entry.kind == DefaultKind::Lines)
    WriteOptionLines(options, entry.key, SplitLines(entry.value));
  else
    WriteOptionString(options, entry.key, entry.value);
}

} // namespace

bool LoadOptions(TOptionsList& options, const std::string& path) {
  bool loaded = false;
  if (FileExists(path)) {
    try {
      options.LoadFromFile(path);
      loaded = true;
    } catch (const std::exception&) {
      // An unreadable settings file counts as a first run.
    }
  }
  for (const auto& entry : kDefaults)
    if (ReadOptionString(options, entry.key).empty()) WriteDefault(options, entry);
  return loaded;
}

bool SaveOptions(const TOptionsList& options, const std::string& path) {
  try {
    options.SaveToFile(path);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

} // namespace qm
