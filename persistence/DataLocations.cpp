#include "persistence/DataLocations.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qm {

namespace {

std::string& DataFolderOverride() {
  static std::string folder;
  return folder;
}

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Names in folder matching pattern, hidden ones left out, in byte order.
std::vector<std::string> MatchingNames(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (::fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) != 0) continue;
    if (!IsRegularFile(folder + name)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace

std::string ProgramFolder() {
  static const std::string folder = [] {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return std::string("./");
    const std::string path(buffer.data(), static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
  }();
  return folder;
}

std::string DataFolder() {
  const std::string& chosen = DataFolderOverride();
  return chosen.empty() ? ProgramFolder() + "data/" : chosen;
}

void SetDataFolder(const std::string& folder) {
  DataFolderOverride() = folder.empty() ? std::string() : WithTrailingSlash(folder);
}

std::string ConfigFile() { return DataFolder() + "config.dat"; }
std::string DictionariesFile() { return DataFolder() + "dictionaries.dat"; }
std::string DictionaryInfoFile() { return DataFolder() + "dictionaries.info"; }
std::string TraceFile() { return DataFolder() + "assertions.dat"; }

void FindFiles(const std::string& mask, TStringList& list) {
  const size_t slash = mask.rfind('/');
  const std::string folder = slash == std::string::npos ? ProgramFolder() : mask.substr(0, slash + 1);
  const std::string pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);
  try {
    for (const std::string& name : MatchingNames(folder, pattern)) list.Add(folder + name);
  } catch (...) {
    // A failed listing ends silently with what was found.
  }
}

int64_t FileSizeOf(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  ::close(fd);
  return ok ? static_cast<int64_t>(st.st_size) : -1;
}

TStringList& DictionaryDescriptions() {
  static TStringList descriptions;  // case-insensitive, unsorted: first line wins
  return descriptions;
}

void LoadDictionaryDescriptions() {
  TStringList& descriptions = DictionaryDescriptions();
  descriptions.Clear();
  try {
    descriptions.LoadFromFile(DictionaryInfoFile());
  } catch (...) {
    descriptions.Clear();
  }
}

std::string DictionaryTitle(const std::string& sectionName) {
  const std::string description = DictionaryDescriptions().Value(sectionName);
  return description.empty() ? sectionName : description;
}

} // namespace qm
