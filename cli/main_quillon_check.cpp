// quillon-check: the spell-check engine over files and folders, for CI.
#include "cli/CheckRunner.h"
#include "cli/CommandLine.h"
#include "cli/FileWalker.h"
#include "cli/Report.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellerLibrary.h"
#include "lexers/LexerSet.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionsStore.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>

namespace {

constexpr int kClean = 0;
constexpr int kMisprints = 1;
constexpr int kError = 2;

void Complain(const std::string& what) { std::cerr << "quillon-check: " << what << "\n"; }

int ListLanguages() {
  qm::TLexerSet lexers;
  for (int i = 0; i < lexers.Count(); ++i) std::cout << lexers.At(i)->LanguageName() << "\n";
  return kClean;
}

bool KnownLanguage(const std::string& name) {
  qm::TLexerSet lexers;
  return lexers.Find(name) != nullptr;
}

bool AnyDictionaryOpen() {
  qm::TMultiOptions* registry = qm::DictionaryRegistry();
  for (int i = 0; registry && i < registry->Count(); ++i)
    if (qm::SectionSpeller(*registry->SectionAt(i))) return true;
  return false;
}

int Run(const qm::cli::TCheckCommand& command) {
  if (command.help) {
    std::cout << qm::cli::UsageText();
    return kClean;
  }
  if (command.version) {
    std::cout << "quillon-check " QM_VERSION "\n";
    return kClean;
  }
  if (command.listLanguages) return ListLanguages();
  if (!command.language.empty() && !KnownLanguage(command.language)) {
    Complain("unknown language \"" + command.language + "\" (see --list-languages)");
    return kError;
  }

  if (!command.dataFolder.empty()) qm::SetDataFolder(command.dataFolder);
  // A mistyped --data would otherwise report every word of every file.
  std::error_code error;
  if (!std::filesystem::is_directory(qm::DataFolder(), error)) {
    Complain(qm::DataFolder() + ": no such data folder");
    return kError;
  }
  qm::TOptionsList options;
  qm::LoadOptions(options, qm::ConfigFile());
  const bool library = qm::LoadSpellerLibrary();
  if (!library) Complain("the Hunspell library could not be loaded; every word is reported");
  qm::SetRegistryReadOnly(true);
  qm::LoadDictionaries(qm::DictionariesFile(), qm::DataFolder());
  if (library && !AnyDictionaryOpen())
    Complain("no dictionary could be opened in " + qm::DataFolder() + "; every word is reported");

  std::vector<qm::cli::TPathError> pathErrors;
  const auto files = qm::cli::CollectFiles(command.paths, pathErrors);
  int status = pathErrors.empty() ? kClean : kError;
  for (const auto& error : pathErrors) Complain(error.path + ": " + error.reason);

  bool found = false;
  for (const auto& result : qm::cli::CheckFiles(files, options, command)) {
    if (!result.error.empty()) {
      Complain(result.path + ": " + result.error);
      status = kError;
      continue;
    }
    if (!result.note.empty()) Complain(result.path + ": " + result.note);
    for (const auto& misprint : result.misprints) {
      found = true;
      std::cout << (command.format == qm::cli::TOutputFormat::Json
                        ? qm::cli::FormatJson(result.path, misprint, command.suggest)
                        : qm::cli::FormatText(result.path, misprint, command.suggest))
                << "\n";
    }
  }
  qm::ReleaseDictionaries();
  qm::UnloadSpellerLibrary();
  if (status == kClean && found) status = kMisprints;
  return status;
}

} // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return Run(qm::cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const qm::cli::ECommandLineError& error) {
    Complain(error.what());
    std::cerr << "Try quillon-check --help.\n";
    return kError;
  } catch (const std::exception& error) {
    Complain(error.what());
    return kError;
  }
}
