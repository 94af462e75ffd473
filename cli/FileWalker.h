// The files to check: files as given, and every file below the given folders
// in sorted order, hidden entries skipped and links to folders not followed.
#pragma once

#include <string>
#include <vector>

namespace qm::cli {

struct TPathError {
  std::string path;
  std::string reason;
};

std::vector<std::string> CollectFiles(const std::vector<std::string>& paths, std::vector<TPathError>& errors);

} // namespace qm::cli
