// Checks files one after another exactly as the window does: the size guard,
// LoadFile on a headless editor, the user's check settings, the full check,
// then the misprints in document order. One runner per worker thread.
#pragma once

#include "cli/CommandLine.h"
#include "engine/HeadlessSynEdit.h"
#include "engine/SpellChecker.h"
#include "persistence/OptionsList.h"

#include <memory>
#include <string>
#include <vector>

namespace qm::cli {

struct TFoundMisprint {
  int line = 0;
  int column = 0;
  std::u16string word;
  std::vector<std::u16string> suggestions;
};

struct TFileResult {
  std::string path;
  std::vector<TFoundMisprint> misprints;
  std::string error;  // the file could not be read
  std::string note;   // the file was skipped
};

// How many suggestions --suggest prints.
inline constexpr size_t kSuggestionsShown = 3;

class TCheckRunner {
public:
  TCheckRunner(const TOptionsList& options, const TCheckCommand& command);
  TFileResult Check(const std::string& path);

private:
  const TOptionsList& options_;
  const TCheckCommand& command_;
  THeadlessSynEdit editor_;
  TSpellChecker checker_;
};

// Checks every file with jobs worker threads; results in the files' order.
std::vector<TFileResult> CheckFiles(const std::vector<std::string>& files, const TOptionsList& options,
                                    const TCheckCommand& command);

} // namespace qm::cli
