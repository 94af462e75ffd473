// Small Hunspell dictionaries written by tests into a temporary folder.
#pragma once

#include "TempDir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qm::test {

// Writes folder/base.aff and folder/base.dic; the word file gets its count
// line. affix is the whole affix file (encoding, TRY letters, ...).
inline void WriteDictionary(const std::filesystem::path& folder, const std::string& base, const std::string& affix,
                            const std::vector<std::string>& words) {
  std::string dic = std::to_string(words.size()) + "\n";
  for (const std::string& word : words) dic += word + "\n";
  WriteFile((folder / (base + ".aff")).string(), affix);
  WriteFile((folder / (base + ".dic")).string(), dic);
}

inline const std::string kUtf8Affix = "SET UTF-8\nTRY esianrtolcdugmfphbyvkwzqjx\n";

// The system's en_US dictionary (Debian's hunspell-en-us).
inline const std::string kSystemDictionaries = "/usr/share/hunspell/";

} // namespace qm::test
