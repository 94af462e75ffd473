// A stream over a POSIX file descriptor.
#pragma once

#include "platform/Stream.h"

namespace qm {

enum class FileMode {
  Create,     // create, or truncate an existing file; read and write
  OpenRead,   // existing file, read only
  OpenWrite,  // existing file, write only
  OpenReadWrite,
};

class TFileStream : public TStream {
public:
  // Raises EFileError naming the file and the system's reason.
  TFileStream(const std::string& path, FileMode mode);
  ~TFileStream() override;

  int64_t GetStreamSize() override;
  void SetStreamSize(int64_t newSize) override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t SetPosition(int64_t offset, int origin) override;

  int Handle() const { return fd_; }
  const std::string& Path() const { return path_; }

private:
  std::string path_;
  int fd_ = -1;
};

} // namespace qm
