// Lexing throughput of every lexer over real files of its language found on
// this machine (up to 4 MB each), in bytes of UTF-8 source per second. A
// language without real files here is measured on its test samples repeated
// to 1 MB (the benchmark's name then ends in "/samples").
#include "lexers/LexerHost.h"
#include "lexers/LexerSet.h"

#include "RealFiles.h"
#include "TestText.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

struct Corpus {
  std::vector<std::u16string> lines;
  size_t bytes = 0;
  size_t files = 0;
};

Corpus LoadCorpus(const std::string& languageName) {
  Corpus corpus;
  for (const auto& path : qm::test::FindRealFiles(qm::test::RealFileSourcesFor(languageName), 2000, 1 << 20, 4 << 20)) {
    const std::string bytes = qm::test::ReadWholeFile(path);
    auto lines = qm::test::DocumentLines(qm::test::Utf16(bytes));
    corpus.lines.insert(corpus.lines.end(), lines.begin(), lines.end());
    corpus.bytes += bytes.size();
    ++corpus.files;
  }
  return corpus;
}

// The language's test samples, repeated until they reach 1 MB.
Corpus SampleCorpus(const std::string& languageName) {
  namespace fs = std::filesystem;
  Corpus corpus;
  const fs::path folder = fs::path(QM_TESTS_DIR) / "lexers" / "samples" / languageName;
  std::error_code error;
  std::vector<std::string> texts;
  for (const auto& entry : fs::directory_iterator(folder, error))
    if (entry.path().extension() != ".golden") texts.push_back(qm::test::ReadWholeFile(entry.path().string()));
  size_t size = 0;
  for (const auto& text : texts) size += text.size();
  if (size == 0) return corpus;
  while (corpus.bytes < (1u << 20)) {
    for (const auto& text : texts) {
      auto lines = qm::test::DocumentLines(qm::test::Utf16(text));
      corpus.lines.insert(corpus.lines.end(), lines.begin(), lines.end());
      corpus.bytes += text.size();
      ++corpus.files;
    }
  }
  return corpus;
}

qm::TLexerSet& Set() {
  static qm::TLexerSet set;
  return set;
}

void LexCorpus(benchmark::State& state, qm::TSynCustomHighlighter* lexer, const Corpus* corpus) {
  for (auto _ : state) {
    uint32_t range = 0;
    size_t tokens = 0;
    for (size_t i = 0; i < corpus->lines.size(); ++i) {
      qm::BeginLine(*lexer, corpus->lines[i], static_cast<int>(i), range);
      while (!lexer->AtLineEnd()) {
        benchmark::DoNotOptimize(lexer->TokenAttribute());
        ++tokens;
        lexer->NextToken();
      }
      range = lexer->RangeState();
    }
    benchmark::DoNotOptimize(tokens);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus->bytes));
  state.counters["files"] = static_cast<double>(corpus->files);
  state.counters["MB"] = static_cast<double>(corpus->bytes) / 1e6;
}

// Registers one benchmark per lexer that has real files of its language here.
const bool registered = [] {
  static std::vector<std::unique_ptr<Corpus>> corpora;
  for (int i = 0; i < Set().Count(); ++i) {
    qm::TSynCustomHighlighter* lexer = Set().At(i);
    auto corpus = std::make_unique<Corpus>(LoadCorpus(lexer->LanguageName()));
    std::string name = "BM_Lex/" + lexer->LanguageName();
    if (corpus->bytes == 0) {
      *corpus = SampleCorpus(lexer->LanguageName());
      name += "/samples";
    }
    if (corpus->bytes == 0) continue;
    benchmark::RegisterBenchmark(name.c_str(), LexCorpus, lexer, corpus.get())->Unit(benchmark::kMillisecond);
    corpora.push_back(std::move(corpus));
  }
  return true;
}();

} // namespace
