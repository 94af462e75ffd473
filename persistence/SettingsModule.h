// The settings module: what happens once at process start before any window
// exists, and once at process end. It owns the process-wide settings store.
#pragma once

#include "persistence/OptionsList.h"

namespace qm {

// The process-wide settings, the text of config.dat. Filled by
// StartSettingsModule, emptied by EndSettingsModule; only the user-interface
// thread touches it.
TOptionsList& Options();

// Runs after the log module has started: cuts the trace file to its last
// 262144 bytes, points the log at it (creating the data folder), connects the
// exception trap's sink to the log and writes the system report through it,
// loads the settings with their defaults and the dictionary descriptions.
// Never raises.
void StartSettingsModule();
// Empties the settings (without saving them) and the dictionary
// descriptions. The trap keeps writing to the log until the log stops.
void EndSettingsModule();

} // namespace qm
