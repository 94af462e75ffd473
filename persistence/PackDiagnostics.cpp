#include "persistence/PackDiagnostics.h"

#include "diagnostics/Log.h"
#include "diagnostics/StringHelpers.h"
#include "persistence/DataLocations.h"
#include "platform/Files.h"
#include "streams/GZipStream.h"
#include "streams/MemoryStream.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

constexpr int64_t kPiece = 16384;
constexpr int kMaxFailures = 3;
constexpr int32_t kMinCapacity = 1024;

// Closes the descriptor (and so drops its lock) however the read ends.
class TFileHandle {
public:
  explicit TFileHandle(int fd) : fd_(fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Fd() const { return fd_; }

private:
  int fd_;
};

// A shared lock, with the same patience the log writers have.
bool LockShared(int fd) {
  for (int attempt = 1; attempt <= kLogAttempts; ++attempt) {
    if (::flock(fd, LOCK_SH | LOCK_NB) == 0) return true;
    if (attempt < kLogAttempts) WaitBetweenLogAttempts();
  }
  return false;
}

bool ReadAt(int fd, char* buffer, int64_t count, int64_t offset) {
  while (count > 0) {
    const ssize_t n = ::pread(fd, buffer, static_cast<size_t>(count), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n;
    count -= n;
    offset += n;
  }
  return true;
}

// The last maxTailBytes bytes of the trace file, the file cut down to them
// when it was longer; nothing when it is missing, empty or unreadable.
std::optional<std::string> ReadTail(int64_t maxTailBytes) {
  const std::string path = TraceFile();
  TLogHold hold;
  TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Fd() < 0 || !LockShared(file.Fd())) return std::nullopt;
  struct stat st {};
  if (::fstat(file.Fd(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) return std::nullopt;
  const int64_t size = st.st_size;
  const int64_t length = std::min(size, std::max<int64_t>(maxTailBytes, 0));
  std::string tail(static_cast<size_t>(length), '\0');
  if (!ReadAt(file.Fd(), tail.data(), length, size - length)) return std::nullopt;
  if (size > length) {
    try {
      WriteFileAtomically(path, tail);
    } catch (...) {
      // The file stays long; the tail is still sent.
    }
  }
  return tail;
}

// One compression of tail from start; fills consumed with the input bytes
// the compressor took before it failed.
bool Compress(const std::string& tail, int64_t start, TMemoryStream& output, int64_t& consumed) {
  output.Clear();
  TGZipStream gzip(output);
  try {
    for (int64_t at = start; at < static_cast<int64_t>(tail.size()); at += kPiece) {
      const int64_t count = std::min<int64_t>(kPiece, static_cast<int64_t>(tail.size()) - at);
      gzip.WriteBuffer(tail.data() + at, count);
    }
    gzip.Close();
    return true;
  } catch (const EStreamError&) {
    consumed = gzip.Position();
    return false;
  }
}

} // namespace

std::string PackTail(const std::string& tail, int32_t initialCapacity, int32_t outputLimit) {
  try {
    const int64_t size = static_cast<int64_t>(tail.size());
    TMemoryStream output(initialCapacity, 0, outputLimit);
    int64_t start = 0;
    for (int failures = 0; start < size;) {
      int64_t consumed = 0;
      if (Compress(tail, start, output, consumed)) return Base64Encode(output.AsString());
      if (++failures >= kMaxFailures) break;
      const double next = static_cast<double>(size) - 0.9 * static_cast<double>(consumed - kPiece);
      start = std::clamp<int64_t>(static_cast<int64_t>(std::nearbyint(next)), start + 1, size);
    }
  } catch (...) {
    // Out of memory or a broken stream: nothing to attach.
  }
  return std::string();
}

std::string PackDiagnostics(int64_t maxTailBytes, int32_t initialCapacity) {
  if (initialCapacity < kMinCapacity) return std::string();
  try {
    const std::optional<std::string> tail = ReadTail(maxTailBytes);
    if (!tail || tail->empty()) return std::string();
    return PackTail(*tail, initialCapacity);
  } catch (...) {
    return std::string();
  }
}

} // namespace qm
