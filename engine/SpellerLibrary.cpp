#include "engine/SpellerLibrary.h"

#include "diagnostics/Keypoints.h"
#include "engine/CodePages.h"
#include "persistence/DataLocations.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"

#include <memory>

namespace qm {

namespace {

// The entry points as this library exports them. Note the order of the
// suggest call: handle, the place for the list, then the word.
using CreateFn = void* (*)(const char* affixPath, const char* wordsPath);
using DestroyFn = void (*)(void* handle);
using GetEncodingFn = char* (*)(void* handle);
using SpellFn = int (*)(void* handle, const char* word);
using SuggestFn = int (*)(void* handle, char*** list, const char* word);
using FreeListFn = void (*)(void* handle, char*** list, int count);
using AddFn = int (*)(void* handle, const char* word);

struct TSpellerBinding {
  std::unique_ptr<TDynamicLibrary> library;
  CreateFn create = nullptr;
  DestroyFn destroy = nullptr;
  GetEncodingFn getEncoding = nullptr;
  SpellFn spell = nullptr;
  SuggestFn suggest = nullptr;
  FreeListFn freeList = nullptr;
  AddFn add = nullptr;
  bool available = false;
};

TSpellerBinding& Binding() {
  static TSpellerBinding binding;
  return binding;
}

std::string LibraryPath(const std::string& fileName) {
  if (fileName.find('/') != std::string::npos) return fileName;
  const std::string beside = ProgramFolder() + fileName;
  return FileExists(beside) ? beside : fileName;
}

void ResolveEntryPoints(TSpellerBinding& b) {
  TDynamicLibrary& lib = *b.library;
  b.create = lib.Function<CreateFn>("Hunspell_create");
  b.destroy = lib.Function<DestroyFn>("Hunspell_destroy");
  b.getEncoding = lib.Function<GetEncodingFn>("Hunspell_get_dic_encoding");
  b.spell = lib.Function<SpellFn>("Hunspell_spell");
  b.suggest = lib.Function<SuggestFn>("Hunspell_suggest");
  b.freeList = lib.Function<FreeListFn>("Hunspell_free_list");
  b.add = lib.Function<AddFn>("Hunspell_add");
  b.available = b.create && b.destroy && b.getEncoding && b.spell && b.suggest && b.freeList && b.add;
}

// Releases a suggestion list exactly as the library handed it out.
void FreeSuggestionList(SpellerHandle handle, char** list, int count) {
  try {
    Binding().freeList(handle, &list, count);
  } catch (...) {
    Keypoint(10884682, -1);
  }
}

} // namespace

bool LoadSpellerLibrary(const std::optional<std::string>& fileName) {
  UnloadSpellerLibrary();
  TSpellerBinding& b = Binding();
  b.library = std::make_unique<TDynamicLibrary>(LibraryPath(fileName.value_or(kDefaultSpellerLibrary)));
  if (b.library->Loaded()) ResolveEntryPoints(b);
  return b.available;
}

void UnloadSpellerLibrary() { Binding() = TSpellerBinding(); }

bool SpellerAvailable() { return Binding().available; }

SpellerHandle SpellerCreate(const std::string& affixPath, const std::string& wordsPath) {
  const TSpellerBinding& b = Binding();
  return b.available ? b.create(affixPath.c_str(), wordsPath.c_str()) : nullptr;
}

void SpellerDestroy(SpellerHandle handle) {
  if (Binding().available && handle) Binding().destroy(handle);
}

std::string SpellerEncoding(SpellerHandle handle) {
  if (!Binding().available || !handle) return {};
  const char* encoding = Binding().getEncoding(handle);
  return encoding ? encoding : "";
}

bool SpellerSpell(SpellerHandle handle, const std::string& bytes) {
  return Binding().available && handle && Binding().spell(handle, bytes.c_str()) != 0;
}

void SpellerAddWord(SpellerHandle handle, const std::string& bytes) {
  if (Binding().available && handle) Binding().add(handle, bytes.c_str());
}

namespace {

// Calls suggest and hands every entry to take; the list is released
// whatever take does.
template <class Take>
void WithSuggestions(SpellerHandle handle, const std::string& bytes, Take take) {
  if (!Binding().available || !handle) return;
  char** list = nullptr;
  const int count = Binding().suggest(handle, &list, bytes.c_str());
  struct TRelease {
    SpellerHandle handle;
    char** list;
    int count;
    ~TRelease() {
      if (list) FreeSuggestionList(handle, list, count);
    }
  } release{handle, list, count};
  for (int i = 0; list && i < count; ++i) take(list[i] ? list[i] : "");
}

} // namespace

std::vector<std::string> SpellerSuggestBytes(SpellerHandle handle, const std::string& bytes) {
  std::vector<std::string> suggestions;
  WithSuggestions(handle, bytes, [&](const char* entry) { suggestions.emplace_back(entry); });
  return suggestions;
}

bool SpellerCheckWord(SpellerHandle handle, const std::string& encodingName, const std::u16string& word) {
  const int codePage = CodePageOf(encodingName);
  return SpellerSpell(handle, WideToCodePage(word, codePage));
}

void SpellerSuggest(SpellerHandle handle, const std::string& encodingName, const std::u16string& word,
                    std::vector<std::u16string>& out) {
  const int codePage = CodePageOf(encodingName);
  const std::string bytes = WideToCodePage(word, codePage);
  WithSuggestions(handle, bytes, [&](const char* entry) { out.push_back(CodePageToWide(entry, codePage)); });
}

} // namespace qm
