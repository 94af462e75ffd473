#include "platform/FileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

int OpenFlags(FileMode mode) {
  switch (mode) {
    case FileMode::Create: return O_RDWR | O_CREAT | O_TRUNC;
    case FileMode::OpenRead: return O_RDONLY;
    case FileMode::OpenWrite: return O_WRONLY;
    case FileMode::OpenReadWrite: return O_RDWR;
  }
  return O_RDONLY;
}

} // namespace

TFileStream::TFileStream(const std::string& path, FileMode mode) : path_(path) {
  fd_ = ::open(path.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    const char* what = mode == FileMode::Create ? "Cannot create file" : "Cannot open file";
    throw EFileError(std::string(what) + " \"" + path + "\". " + std::strerror(errno));
  }
  // A folder opens for reading here, and every read of it fails as if it
  // were an empty file; it is no file to read or write.
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EFileError("Cannot open file \"" + path + "\". " + std::strerror(EISDIR));
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::GetStreamSize() {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

void TFileStream::SetStreamSize(int64_t newSize) {
  if (newSize < 0 || ::ftruncate(fd_, newSize) != 0) throw EStreamError("Error setting stream size");
  if (Position() > newSize) SetPosition(newSize, soBeginning);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::read(fd_, out + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    // A failing device is an error, not the end of the file.
    if (n < 0) throw EReadError("Cannot read file \"" + path_ + "\". " + std::strerror(errno));
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  int64_t done = 0;
  const auto* in = static_cast<const char*>(buffer);
  while (done < count) {
    const ssize_t n = ::write(fd_, in + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::SetPosition(int64_t offset, int origin) {
  int whence = SEEK_SET;
  if (origin == soCurrent) whence = SEEK_CUR;
  else if (origin == soEnd) whence = SEEK_END;
  else if (origin != soBeginning) return -1;
  const off_t at = ::lseek(fd_, offset, whence);
  return at < 0 ? -1 : static_cast<int64_t>(at);
}

} // namespace qm
