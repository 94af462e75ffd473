// The binding to the Hunspell library, loaded at run time: its seven
// operations, and the word check, suggestion and add calls the engine makes
// through them in each dictionary's own encoding.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm {

// An open speller (one dictionary) as the library identifies it.
using SpellerHandle = void*;

// The file name loaded when none is given: the library of Debian's
// libhunspell-1.7-0 package.
inline constexpr const char* kDefaultSpellerLibrary = "libhunspell-1.7.so.0";

// Loads the library (a name without "/" is looked for in the program's
// folder first, then through the system's search) and resolves its seven
// entry points. True, and SpellerAvailable(), only when all of that worked.
// A library loaded before is unloaded first.
bool LoadSpellerLibrary(const std::optional<std::string>& fileName = std::nullopt);
// Unloads the library; every speller must have been destroyed before.
void UnloadSpellerLibrary();
bool SpellerAvailable();

// The operations themselves. While the library is not available they do
// nothing and answer none / false / empty.
SpellerHandle SpellerCreate(const std::string& affixPath, const std::string& wordsPath);
void SpellerDestroy(SpellerHandle handle);
// The encoding the dictionary declares, such as "UTF-8" or "ISO8859-1".
std::string SpellerEncoding(SpellerHandle handle);
bool SpellerSpell(SpellerHandle handle, const std::string& bytes);
std::vector<std::string> SpellerSuggestBytes(SpellerHandle handle, const std::string& bytes);
// Adds bytes to the speller for the rest of its life.
void SpellerAddWord(SpellerHandle handle, const std::string& bytes);

// True when the speller accepts word, converted to the code page of
// encodingName. Raises ECodePageError when that code page has no converter.
bool SpellerCheckWord(SpellerHandle handle, const std::string& encodingName, const std::u16string& word);

// Appends the speller's suggestions for word, best first, converted back to
// UTF-16. The library's list is released even when a conversion raises (the
// exception then goes on, with the suggestions converted so far in out).
void SpellerSuggest(SpellerHandle handle, const std::string& encodingName, const std::u16string& word,
                    std::vector<std::u16string>& out);

} // namespace qm
