#include "engine/ProcessModules.h"

#include "diagnostics/ExceptionTrap.h"
#include "diagnostics/Log.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellerLibrary.h"
#include "persistence/SettingsModule.h"

#include <vector>

namespace qm {

namespace {

struct TModuleState {
  std::vector<TProcessModule> registered;
  bool running = false;
};

TModuleState& State() {
  static TModuleState state;
  return state;
}

void Attempt(const std::function<void()>& step) {
  try {
    if (step) step();
  } catch (...) {
    // One module's failure does not stop the others.
  }
}

void StartSpellerModule() {
  LoadSpellerLibrary();
  IgnoredWords().Clear();
  UserWords().Clear();
  TouchDictionaryGeneration();
}

void StopSpellerModule() {
  ReleaseDictionaries();
  IgnoredWords().Clear();
  UserWords().Clear();
  TouchDictionaryGeneration();
  UnloadSpellerLibrary();
}

} // namespace

void RegisterProcessModule(TProcessModule module) { State().registered.push_back(std::move(module)); }

void ClearRegisteredProcessModules() { State().registered.clear(); }

void StartProcessModules() {
  TModuleState& state = State();
  if (state.running) return;
  state.running = true;
  Attempt(&InstallExceptionTrap);
  Attempt(&StartLogModule);
  Attempt(&StartSettingsModule);
  for (const TProcessModule& module : state.registered) Attempt(module.Start);
  Attempt(&StartSpellerModule);
}

void StopProcessModules() {
  TModuleState& state = State();
  if (!state.running) return;
  state.running = false;
  Attempt(&StopSpellerModule);
  for (auto module = state.registered.rbegin(); module != state.registered.rend(); ++module) Attempt(module->Stop);
  Attempt(&EndSettingsModule);
  Attempt(&StopLogModule);
  Attempt(&RemoveExceptionTrap);
}

bool ProcessModulesRunning() { return State().running; }

} // namespace qm
