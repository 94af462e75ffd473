#include "platform/ProgramFile.h"

#include <unistd.h>
#include <vector>

namespace qm {

const std::string& ProgramFile() {
  static const std::string path = [] {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
  }();
  return path;
}

std::string ProgramFileFolder() {
  const std::string& path = ProgramFile();
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

} // namespace qm
