#include "cli/FileWalker.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace qm::cli {

namespace fs = std::filesystem;

namespace {

bool Hidden(const fs::path& path) {
  const std::string name = path.filename().string();
  return !name.empty() && name[0] == '.';
}

void Walk(const fs::path& folder, std::vector<std::string>& files, std::vector<TPathError>& errors) {
  std::error_code error;
  std::vector<fs::directory_entry> entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (!Hidden(it->path())) entries.push_back(*it);
  if (error) {
    errors.push_back({folder.string(), error.message()});
    return;
  }
  std::sort(entries.begin(), entries.end(),
            [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
  for (const auto& entry : entries) {
    std::error_code ignored;
    if (entry.is_symlink(ignored) && entry.is_directory(ignored)) continue;
    if (entry.is_directory(ignored))
      Walk(entry.path(), files, errors);
    else if (entry.is_regular_file(ignored))
      files.push_back(entry.path().string());
  }
}

} // namespace

std::vector<std::string> CollectFiles(const std::vector<std::string>& paths, std::vector<TPathError>& errors) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
      errors.push_back({path, error ? error.message() : std::strerror(ENOENT)});
    } else if (fs::is_directory(status)) {
      Walk(path, files, errors);
    } else {
      files.push_back(path);
    }
  }
  return files;
}

} // namespace qm::cli
