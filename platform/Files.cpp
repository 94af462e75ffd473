#include "platform/Files.h"

#include "platform/FileStream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qm {

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadFileBytes(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  std::string bytes = file.ReadRest();
  return bytes;
}

namespace {

[[noreturn]] void FailWrite(const std::string& path, int error) {
  throw EFileError("Cannot create file \"" + path + "\". " + std::strerror(error));
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The process's file-creation mask, read without changing it (umask() would
// have to set it to read it, which races with other threads).
mode_t CurrentUmask() {
  FILE* status = std::fopen("/proc/self/status", "r");
  mode_t mask = 022;
  if (!status) return mask;
  char line[256];
  while (std::fgets(line, sizeof line, status)) {
    unsigned value = 0;
    if (std::sscanf(line, "Umask: %o", &value) == 1) {
      mask = static_cast<mode_t>(value);
      break;
    }
  }
  std::fclose(status);
  return mask;
}

} // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  // A short hidden name in the same folder, so the rename stays on one file
  // system and a long target name cannot make the temporary name too long.
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string pattern = folder + ".qm-save-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) FailWrite(path, errno);
  const std::string temp(name.data());

  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0666 & ~CurrentUmask();
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    FailWrite(path, error);
  }
}

} // namespace qm
