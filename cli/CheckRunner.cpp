#include "cli/CheckRunner.h"

#include "engine/CheckSettings.h"
#include "engine/DictionaryRegistry.h"
#include "engine/MisprintRecord.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace qm::cli {

TCheckRunner::TCheckRunner(const TOptionsList& options, const TCheckCommand& command)
    : options_(options), command_(command), checker_(editor_) {}

namespace {

// The size limit in bytes, or -1 when large files are not skipped.
int64_t SizeLimit(const TOptionsList& options) {
  if (!ReadOptionBool(options, keys::SkipLargeFiles)) return -1;
  return int64_t{ReadOptionInteger(options, keys::MaxFileSize, keys::DefaultMaxFileSize)} * 1024;
}

std::vector<std::u16string> FirstSuggestions(const std::u16string& word) {
  std::vector<TSuggestion> all;
  {
    std::lock_guard<std::mutex> lock(DictionaryLock());
    GetSuggestions(word, &all);
  }
  std::vector<std::u16string> shown;
  for (const auto& [text, position] : all) {
    if (shown.size() == kSuggestionsShown) break;
    if (std::find(shown.begin(), shown.end(), text) == shown.end()) shown.push_back(text);
  }
  return shown;
}

} // namespace

TFileResult TCheckRunner::Check(const std::string& path) {
  TFileResult result;
  result.path = path;
  const int64_t limit = SizeLimit(options_);
  if (limit >= 0 && FileSizeOf(path) > limit) {
    result.note = "skipped, larger than " + std::to_string(limit / 1024) + " KB";
    return result;
  }
  try {
    checker_.LoadFile(path);
  } catch (const std::exception& error) {
    result.error = error.what();
    return result;
  }
  if (!command_.language.empty()) checker_.SelectLanguage(command_.language);
  TSpellCheckPlugin& plugin = checker_.Plugin();
  ApplyCheckOptions(plugin, options_);
  plugin.CheckAll();
  for (int32_t i = 0; i < plugin.Misprints.Count(); ++i) {
    const auto& record = *static_cast<const MisprintRecord*>(plugin.Misprints.ItemAt(i));
    TFoundMisprint found;
    found.line = record.line;
    found.column = record.column;
    found.word = editor_.LineText(record.line).substr(static_cast<size_t>(record.column - 1),
                                                      static_cast<size_t>(record.length));
    if (command_.suggest) found.suggestions = FirstSuggestions(found.word);
    result.misprints.push_back(std::move(found));
  }
  return result;
}

std::vector<TFileResult> CheckFiles(const std::vector<std::string>& files, const TOptionsList& options,
                                    const TCheckCommand& command) {
  std::vector<TFileResult> results(files.size());
  unsigned jobs = command.jobs > 0 ? static_cast<unsigned>(command.jobs) : std::max(1u, std::thread::hardware_concurrency());
  jobs = std::min<unsigned>(jobs, static_cast<unsigned>(std::max<size_t>(files.size(), 1)));
  std::atomic<size_t> next{0};
  const auto work = [&] {
    TCheckRunner runner(options, command);
    for (size_t i = next++; i < files.size(); i = next++) {
      try {
        results[i] = runner.Check(files[i]);
      } catch (const std::exception& error) {
        results[i].path = files[i];
        results[i].error = error.what();
      }
    }
  };
  if (jobs <= 1) {
    work();
    return results;
  }
  std::vector<std::thread> workers;
  for (unsigned j = 0; j < jobs; ++j) workers.emplace_back(work);
  for (auto& worker : workers) worker.join();
  return results;
}

} // namespace qm::cli
