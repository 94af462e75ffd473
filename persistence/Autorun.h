// The start-at-login entry an earlier installation may have left: the file
// Quillon.desktop in the user's autostart folder (~/.config/autostart/).
// The system only detects and removes it, and never creates it.
#pragma once

#include <string>

namespace qm {

// The file name of the entry in the autostart folder.
inline constexpr const char* kAutorunEntryName = "Quillon.desktop";

// The user's home folder from the password database (never from the
// environment), unless SetHomeFolder chose another one; with a trailing "/",
// empty when unknown.
std::string HomeFolder();
// Another home folder (tests); an empty path goes back to the real one.
void SetHomeFolder(const std::string& folder);

// HomeFolder() + ".config/autostart/" + kAutorunEntryName; empty when the
// home folder is unknown.
std::string AutorunEntryFile();

// True when the entry's Exec line names this program file: it holds the
// program's path in double quotes, or its command is that path (compared
// with letter case, as file names are here). A missing file or any error
// gives false.
bool HasAutorunEntry();
// Deletes the entry; errors are ignored.
void RemoveAutorunEntry();

// The rule itself: execLine (the value of the Exec key) names programPath.
bool ExecLineNamesProgram(const std::string& execLine, const std::string& programPath);

} // namespace qm
