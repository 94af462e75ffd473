#include "persistence/Autorun.h"

#include "platform/Files.h"
#include "platform/ProgramFile.h"

#include <pwd.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace qm {

namespace {

std::string& HomeOverride() {
  static std::string folder;
  return folder;
}

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string PasswordHome() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
    return std::string();
  return found->pw_dir;
}

// The value of the Exec key in the [Desktop Entry] group.
std::string ExecLine(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  bool inMainGroup = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    if (!inMainGroup) continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    if (key != "Exec") continue;
    const size_t value = line.find_first_not_of(' ', equals + 1);
    return value == std::string::npos ? std::string() : line.substr(value);
  }
  return std::string();
}

} // namespace

std::string HomeFolder() {
  const std::string& chosen = HomeOverride();
  return WithTrailingSlash(chosen.empty() ? PasswordHome() : chosen);
}

void SetHomeFolder(const std::string& folder) { HomeOverride() = folder; }

std::string AutorunEntryFile() {
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + ".config/autostart/" + kAutorunEntryName;
}

bool ExecLineNamesProgram(const std::string& execLine, const std::string& programPath) {
  if (programPath.empty()) return false;
  if (execLine.find("\"" + programPath + "\"") != std::string::npos) return true;
  const std::string command = execLine.substr(0, execLine.find(' '));
  return command == programPath;
}

bool HasAutorunEntry() {
  try {
    const std::string path = AutorunEntryFile();
    if (path.empty() || !FileExists(path)) return false;
    return ExecLineNamesProgram(ExecLine(ReadFileBytes(path)), ProgramFile());
  } catch (...) {
    return false;
  }
}

void RemoveAutorunEntry() {
  const std::string path = AutorunEntryFile();
  if (!path.empty()) ::unlink(path.c_str());
}

} // namespace qm
