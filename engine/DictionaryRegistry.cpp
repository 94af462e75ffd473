#include "engine/DictionaryRegistry.h"

#include "engine/CodePages.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionsStore.h"
#include "platform/Files.h"

#include <charconv>
#include <cstdint>
#include <memory>

namespace qm {

namespace {

struct TRegistryState {
  std::unique_ptr<TMultiOptions> registry;
  std::string userDictionaryFile;
  uint64_t generation = 0;
  bool readOnly = false;
};

TRegistryState& State() {
  static TRegistryState state;
  return state;
}

// A sorted word list that ignores duplicates (TStringList copies carry no
// settings, so the list is set up in place).
TStringList& SetUpWordList(TStringList& list, bool caseSensitive) {
  list.SetCaseSensitive(caseSensitive);
  list.SetDuplicates(TDuplicates::dupIgnore);
  list.SetSorted(true);
  return list;
}

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return text;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// "folder/en_US.aff" -> "folder/en_US".
std::string WithoutExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? path : path.substr(0, dot);
}

std::string RegistryName(const std::string& affixPath) { return AsciiLower(FileNameOf(WithoutExtension(affixPath))); }

// The affix files of folder that have a word file beside them.
TStringList DictionaryPairs(const std::string& folder) {
  TStringList affixes;
  FindFiles(folder + "*.aff", affixes);
  for (int i = affixes.Count() - 1; i >= 0; --i)
    if (!FileExists(WithoutExtension(affixes[i]) + ".dic")) affixes.Delete(i);
  return affixes;
}

struct TDictionaryFiles {
  std::string affix;
  std::string words;
};

// File names are case-sensitive here while registry names are lower case:
// the pair in folder whose lower-cased base name is name (the first in
// listing order), else the lower-case names.
TDictionaryFiles FilesOf(const std::string& folder, const std::string& name) {
  const TStringList pairs = DictionaryPairs(folder);
  for (const std::string& affix : pairs.Lines())
    if (RegistryName(affix) == name) return {affix, WithoutExtension(affix) + ".dic"};
  return {folder + name + ".aff", folder + name + ".dic"};
}

std::string HandleText(SpellerHandle handle) { return std::to_string(reinterpret_cast<uintptr_t>(handle)); }

bool HasSpeller(const TOptionsList& section) { return !ReadOptionString(section, dictkeys::Spell).empty(); }

void CloseSpeller(TOptionsList& section) {
  if (SpellerHandle handle = SectionSpeller(section)) {
    SpellerDestroy(handle);
    ++State().generation;
  }
  WriteOptionString(section, dictkeys::Spell, "");
}

// The count of words, then the words, one per line.
void WriteUserWords() {
  const TRegistryState& state = State();
  if (state.readOnly || state.userDictionaryFile.empty()) return;
  try {
    WriteFileAtomically(state.userDictionaryFile, std::to_string(UserWords().Count()) + "\r\n" + UserWords().Text());
  } catch (...) {
    // A word file that cannot be written is not reported.
  }
}

// Replaces UserWords by the words of the file (its first line is the count);
// a file that cannot be read leaves them as they were.
void ReadUserWords(const std::string& path) {
  TStringList lines;
  try {
    lines.LoadFromFile(path);
  } catch (...) {
    return;
  }
  if (!lines.Empty()) lines.Delete(0);
  TStringList& words = UserWords();
  words.Clear();
  words.AddStrings(lines.Lines());
}

void OpenSpeller(TOptionsList& section) {
  const std::string& name = section.SectionName;
  const TDictionaryFiles files = FilesOf(ReadOptionString(section, dictkeys::Path), name);
  if (SpellerHandle handle = SpellerCreate(files.affix, files.words)) {
    WriteOptionString(section, dictkeys::Encoding, SpellerEncoding(handle));
    WriteOptionString(section, dictkeys::Spell, HandleText(handle));
    ++State().generation;
  }
  if (name == kUserDictionary) {
    State().userDictionaryFile = files.words;
    ReadUserWords(files.words);
  }
}

void CreateRegistry(const std::string& registryFile) {
  auto registry = std::make_unique<TMultiOptions>();
  if (FileExists(registryFile)) {
    try {
      registry->LoadFromFile(registryFile);
    } catch (...) {
      // What could be read stays.
    }
  }
  for (int i = 0; i < registry->Count(); ++i) {
    TOptionsList* section = registry->SectionAt(i);
    WriteOptionString(*section, dictkeys::Available, "");
    WriteOptionString(*section, dictkeys::Spell, "");
  }
  if (registry->Count() == 0) {
    WriteOptionBool(*registry->GetSection(kUserDictionary), dictkeys::Enabled, true);
    WriteOptionBool(*registry->GetSection("en_us"), dictkeys::Enabled, true);
  }
  State().registry = std::move(registry);
}

// "Available" tells what this scan found, so the marks of the last one go
// first: a dictionary whose files were removed since then loses its section.
void MarkAvailable(TMultiOptions& registry, const std::string& folder) {
  for (int i = 0; i < registry.Count(); ++i) WriteOptionString(*registry.SectionAt(i), dictkeys::Available, "");
  const TStringList pairs = DictionaryPairs(folder);
  for (const std::string& affix : pairs.Lines()) {
    TOptionsList* section = registry.GetSection(RegistryName(affix));
    WriteOptionBool(*section, dictkeys::Available, true);
    WriteOptionString(*section, dictkeys::Path, FolderOf(affix));
  }
}

void DropUnavailable(TMultiOptions& registry) {
  for (int i = registry.Count() - 1; i >= 0; --i) {
    TOptionsList* section = registry.SectionAt(i);
    if (ReadOptionBool(*section, dictkeys::Available)) continue;
    CloseSpeller(*section);
    registry.Delete(i);
  }
}

void BringSpellersInLine(TMultiOptions& registry) {
  for (int i = 0; i < registry.Count(); ++i) {
    TOptionsList& section = *registry.SectionAt(i);
    const bool enabled = ReadOptionBool(section, dictkeys::Enabled);
    if (enabled && !HasSpeller(section)) {
      OpenSpeller(section);
    } else if (!enabled && HasSpeller(section)) {
      CloseSpeller(section);
      if (section.SectionName == kUserDictionary) WriteUserWords();
    }
  }
}

} // namespace

TMultiOptions* DictionaryRegistry() { return State().registry.get(); }

TStringList& IgnoredWords() {
  static TStringList words;
  static TStringList& list = SetUpWordList(words, false);
  return list;
}

TStringList& UserWords() {
  static TStringList words;
  static TStringList& list = SetUpWordList(words, true);
  return list;
}

const std::string& UserDictionaryFile() { return State().userDictionaryFile; }

SpellerHandle SectionSpeller(const TOptionsList& section) {
  const std::string text = ReadOptionString(section, dictkeys::Spell);
  uintptr_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return nullptr;
  return reinterpret_cast<SpellerHandle>(value);
}

void LoadDictionaries(const std::string& registryFile, const std::string& folder) {
  TRegistryState& state = State();
  if (!state.registry) CreateRegistry(registryFile);
  const std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  TMultiOptions& registry = *state.registry;
  MarkAvailable(registry, dir);
  DropUnavailable(registry);
  BringSpellersInLine(registry);
  if (!state.readOnly) {
    try {
      registry.SaveToFile(registryFile);
    } catch (...) {
      // A registry file that cannot be written is not reported.
    }
  }
  ++state.generation;
}

void ReleaseDictionaries() {
  TRegistryState& state = State();
  if (!state.registry) return;
  TMultiOptions& registry = *state.registry;
  for (int i = 0; i < registry.Count(); ++i) {
    TOptionsList& section = *registry.SectionAt(i);
    if (!HasSpeller(section)) continue;
    if (section.SectionName == kUserDictionary) WriteUserWords();
    CloseSpeller(section);
  }
  state.registry.reset();
  ++state.generation;
}

void SetRegistryReadOnly(bool readOnly) { State().readOnly = readOnly; }
bool RegistryReadOnly() { return State().readOnly; }

void AddUserWord(const std::string& word) {
  if (word.empty() || word.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return;
  TMultiOptions* registry = DictionaryRegistry();
  TOptionsList* user = registry ? registry->FindSection(kUserDictionary) : nullptr;
  SpellerHandle handle = user ? SectionSpeller(*user) : nullptr;
  if (!handle) return;
  SpellerAddWord(handle, word);
  UserWords().Add(word);
  ++State().generation;
}

void AddIgnoredWord(const std::string& word) {
  IgnoredWords().Add(word);
  ++State().generation;
}

void GetSuggestions(const std::u16string& word, std::vector<TSuggestion>* list) {
  if (!list) return;
  if (IgnoredWords().IndexOf(WideToUtf8(word)) >= 0) return;
  TMultiOptions* registry = DictionaryRegistry();
  if (!registry) return;
  for (int i = 0; i < registry->Count(); ++i) {
    const TOptionsList& section = *registry->SectionAt(i);
    SpellerHandle handle = SectionSpeller(section);
    if (!handle) continue;
    const std::string encoding = ReadOptionString(section, dictkeys::Encoding);
    std::vector<std::u16string> found;
    try {
      if (SpellerCheckWord(handle, encoding, word)) continue;
      SpellerSuggest(handle, encoding, word, found);
    } catch (const std::exception&) {
      // This dictionary's code page has no converter: it offers what it gave.
    }
    for (std::u16string& text : found) list->push_back({std::move(text), i});
  }
}

uint64_t DictionaryGeneration() { return State().generation; }

void TouchDictionaryGeneration() { ++State().generation; }

} // namespace qm

namespace qm {

std::mutex& DictionaryLock() {
  static std::mutex lock;
  return lock;
}

} // namespace qm
