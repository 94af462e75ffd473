#include "persistence/SettingsModule.h"

#include "diagnostics/ExceptionTrap.h"
#include "diagnostics/Log.h"
#include "diagnostics/SystemInfo.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionsStore.h"
#include "persistence/PackDiagnostics.h"

namespace qm {

TOptionsList& Options() {
  static TOptionsList options;
  return options;
}

void StartSettingsModule() {
  try {
    PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity);
    ConfigureLog(TraceFile(), false, true);
    SetDiagnosticSink(&WriteLogLine, &WriteLogLineFromSignal);
    ReportText(SystemInfoText());
    Options().Clear();
    LoadOptions(Options(), ConfigFile());
    LoadDictionaryDescriptions();
  } catch (...) {
    // The program runs on with what could be set up.
  }
}

void EndSettingsModule() {
  try {
    DictionaryDescriptions().Clear();
    Options().Clear();
  } catch (...) {
    // A failure to free never stops the shutdown.
  }
}

} // namespace qm
