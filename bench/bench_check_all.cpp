// The full check (CheckAll) on about 1 MB of real source per language, as
// the window runs it 500 ms after each edit: warm (the same checker again,
// its verdict cache filled) and cold (a fresh checker for a just-opened file).
#include "engine/CheckSettings.h"
#include "engine/DictionaryRegistry.h"
#include "engine/HeadlessSynEdit.h"
#include "engine/SpellChecker.h"
#include "engine/SpellerLibrary.h"
#include "persistence/OptionsStore.h"
#include "streams/MemoryStream.h"

#include "RealFiles.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Corpus {
  std::string name;  // a file name whose extension selects the lexer
  std::string bytes;
};

Corpus MakeCorpus(const std::string& language, const std::string& name) {
  Corpus corpus{name, {}};
  for (const auto& path : qm::test::FindRealFiles(qm::test::RealFileSourcesFor(language), 5000, 256 << 10, 1 << 20))
    corpus.bytes += qm::test::ReadWholeFile(path) + "\n";
  return corpus;
}

void EnsureDictionaries() {
  static const bool loaded = [] {
    qm::LoadSpellerLibrary();
    qm::SetRegistryReadOnly(true);
    qm::LoadDictionaries(std::string(QM_BUILD_DATA) + "dictionaries.dat", QM_BUILD_DATA);
    return true;
  }();
  (void)loaded;
}

const qm::TOptionsList& DefaultOptions() {
  static const qm::TOptionsList options = [] {
    qm::TOptionsList list;
    qm::LoadOptions(list, "/nonexistent/config.dat");
    return list;
  }();
  return options;
}

void Load(qm::TSpellChecker& checker, const Corpus& corpus) {
  qm::TMemoryStream stream;
  stream.WriteString(corpus.bytes);
  stream.SetPosition(0, qm::soBeginning);
  checker.LoadFile(corpus.name, &stream);
  qm::ApplyCheckOptions(checker.Plugin(), DefaultOptions());
}

void CheckWarm(benchmark::State& state, const Corpus* corpus) {
  EnsureDictionaries();
  qm::THeadlessSynEdit editor;
  qm::TSpellChecker checker(editor);
  Load(checker, *corpus);
  checker.Plugin().CheckAll();
  for (auto _ : state) checker.Plugin().CheckAll();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus->bytes.size()));
  state.counters["misprints"] = checker.Plugin().Misprints.Count();
  state.counters["MB"] = static_cast<double>(corpus->bytes.size()) / 1e6;
}

void CheckCold(benchmark::State& state, const Corpus* corpus) {
  EnsureDictionaries();
  for (auto _ : state) {
    qm::THeadlessSynEdit editor;
    qm::TSpellChecker checker(editor);
    Load(checker, *corpus);
    checker.Plugin().CheckAll();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus->bytes.size()));
}

const bool registered = [] {
  static const std::pair<const char*, const char*> languages[] = {
      {"CandCPlusPlus", "corpus.h"}, {"Python", "corpus.py"}, {"HTML", "corpus.html"}, {"XML", "corpus.xml"}};
  static std::vector<std::unique_ptr<Corpus>> corpora;
  for (const auto& [language, name] : languages) {
    auto corpus = std::make_unique<Corpus>(MakeCorpus(language, name));
    if (corpus->bytes.empty()) continue;
    benchmark::RegisterBenchmark((std::string("BM_CheckAll/") + language).c_str(), CheckWarm, corpus.get())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_CheckAllCold/") + language).c_str(), CheckCold, corpus.get())
        ->Unit(benchmark::kMillisecond);
    corpora.push_back(std::move(corpus));
  }
  return true;
}();

} // namespace
