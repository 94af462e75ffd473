// The process-wide modules, started once before the main window exists and
// stopped once after it is gone:
//   1. the exception trap and the log module;
//   2. the settings module (data folder, trace cut, log file, system report,
//      settings, dictionary descriptions);
//   3. the modules the window layer registers (the message table);
//   4. the speller library and the ignored-word and user-word lists.
// They stop in reverse order: the dictionary registry writes the user words
// and closes its spellers, the word lists are emptied and the library
// unloaded, the registered modules stop, the settings are dropped without a
// save, the log stops and the trap is removed.
#pragma once

#include <functional>
#include <string>

namespace qm {

struct TProcessModule {
  std::string Name;
  std::function<void()> Start;
  std::function<void()> Stop;
};

// Adds a module that starts after the settings module and before the speller
// library, in the order of registration (and stops in reverse). Register
// before StartProcessModules.
void RegisterProcessModule(TProcessModule module);
void ClearRegisteredProcessModules();

// A second start without a stop between does nothing, and so does a stop
// without a start. A module that fails to start or stop does not keep the
// others from it.
void StartProcessModules();
void StopProcessModules();
bool ProcessModulesRunning();

} // namespace qm
