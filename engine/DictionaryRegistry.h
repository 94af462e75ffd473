// The dictionary registry: which Hunspell dictionaries of the data folder
// are consulted and in which order, with their open spellers; the user
// dictionary's words; the words ignored for the rest of the run; and the
// suggestions of every dictionary that rejects a word.
#pragma once

#include "engine/SpellerLibrary.h"
#include "persistence/MultiOptions.h"
#include "platform/StringList.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace qm {

// Keys of a registry section (one section per dictionary, named by the
// dictionary's lower-cased base file name).
namespace dictkeys {
inline constexpr const char* Enabled = "Enabled";      // the user wants it consulted
inline constexpr const char* Available = "Available";  // both files found by the last scan
inline constexpr const char* Path = "Path";            // folder of the files, trailing "/"
inline constexpr const char* Spell = "Spell";          // open speller's handle, decimal
inline constexpr const char* Encoding = "Encoding";    // encoding the speller declared
} // namespace dictkeys

// The section of the user dictionary, whose word file the registry rewrites.
inline constexpr const char* kUserDictionary = "user";

// The sections in checking order; none before the first LoadDictionaries
// and after ReleaseDictionaries.
TMultiOptions* DictionaryRegistry();

// UTF-8 words accepted for the rest of the run: sorted, case-insensitive,
// duplicates ignored.
TStringList& IgnoredWords();
// The user dictionary's words: sorted, case-sensitive, duplicates ignored.
TStringList& UserWords();
// The user dictionary's word file, known once the user dictionary was opened.
const std::string& UserDictionaryFile();

// The speller handle stored in a section's "Spell" value; none when absent
// or not a number.
SpellerHandle SectionSpeller(const TOptionsList& section);

// Creates the registry on the first call (from registryFile, else with the
// sections "user" and "en_us" enabled), scans folder for .aff/.dic pairs,
// drops the sections whose files are gone, adds new pairs as disabled last
// sections, opens the enabled dictionaries and closes the disabled ones, and
// saves the registry to registryFile. Errors are not reported.
void LoadDictionaries(const std::string& registryFile, const std::string& folder);
// Writes the user words (while the user dictionary is open), closes every
// speller and frees the registry, without writing the registry file.
void ReleaseDictionaries();

// While the switch is on, LoadDictionaries and ReleaseDictionaries write
// neither the registry file nor the user word file.
void SetRegistryReadOnly(bool readOnly);
bool RegistryReadOnly();

// Adds a UTF-8 word to the open user dictionary; nothing when it is closed,
// and nothing for an empty word or one holding a line break or NUL (it could
// not stand on one line of the word file).
void AddUserWord(const std::string& word);
void AddIgnoredWord(const std::string& word);

struct TSuggestion {
  std::u16string Text;
  int Position = 0;  // the suggesting dictionary's 0-based place in the registry
};

// Appends the suggestions of every open dictionary that rejects word, grouped
// by dictionary in registry order; nothing for an ignored word or no list.
// A dictionary whose encoding cannot be converted adds what it gave so far.
void GetSuggestions(const std::u16string& word, std::vector<TSuggestion>* list);

// Grows whenever the verdict of a word test may have changed: the registry
// loaded or released, a speller opened or closed, a user or ignored word
// added. Callers that cache verdicts compare it with the value they saw.
uint64_t DictionaryGeneration();
// For code that changes the registry or the word lists directly.
void TouchDictionaryGeneration();

// The window uses the registry and the spellers from one thread; a caller
// that checks from several threads at once (the command-line checker) holds
// this lock around every use of them.
std::mutex& DictionaryLock();

} // namespace qm
