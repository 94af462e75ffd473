// Byte stream base: size, position, read, write, seek, and whole-buffer
// operations that raise on a short count.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qm {

// Base of every stream error; the message is the user-facing text.
class EStreamError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class EReadError : public EStreamError {
public:
  EReadError() : EStreamError("Stream read error") {}
  using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
  EWriteError() : EStreamError("Stream write error") {}
  using EStreamError::EStreamError;
};

// A file that cannot be created, opened, read or written.
class EFileError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

enum SeekOrigin : int { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // The overridable operations.
  virtual int64_t GetStreamSize();
  virtual void SetStreamSize(int64_t newSize);
  // Copy up to count bytes; answer how many were moved (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Move the position; answer the new position, or -1 when refused.
  virtual int64_t SetPosition(int64_t offset, int origin) = 0;

  int64_t Size() { return GetStreamSize(); }
  int64_t Position() { return SetPosition(0, soCurrent); }
  int64_t Seek(int64_t offset, int origin) { return SetPosition(offset, origin); }
  void SetPos(int64_t position) { SetPosition(position, soBeginning); }

  // Whole-buffer transfers: EReadError / EWriteError on a short count.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  void WriteString(const std::string& bytes) { WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); }

  // Copy count bytes from source's position (count 0: all of source from its
  // start); answers the number copied.
  int64_t CopyFrom(TStream& source, int64_t count);
  // Everything from the position to the end.
  std::string ReadRest();
};

} // namespace qm
