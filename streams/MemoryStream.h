// A contiguous in-memory stream with a chosen initial capacity, growth step
// and optional size limit.
#pragma once

#include "platform/Stream.h"

#include <cstdint>
#include <string>

namespace qm {

class TMemoryStream : public TStream {
public:
  // Error codes left in LastError() by the last operation.
  static constexpr int32_t kErrLimit = -50;      // the size limit cut a growth request
  static constexpr int32_t kErrNoGrowth = -54;   // growth needed but the step forbids it
  static constexpr int32_t kErrNoMemory = -55;   // allocation failed

  // growthStep: 0 = half the required size (at least 8192), > 0 = added to
  // the required size, < 0 = never grow. sizeLimit: 0 (or negative) = none.
  explicit TMemoryStream(int32_t initialCapacity = 0, int32_t growthStep = 0, int32_t sizeLimit = 0);
  ~TMemoryStream() override;

  int64_t GetStreamSize() override { return size_; }
  void SetStreamSize(int64_t newSize) override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t SetPosition(int64_t offset, int origin) override;

  void Clear();
  char* Memory() { return memory_; }
  const char* Memory() const { return memory_; }
  int32_t Capacity() const { return capacity_; }
  int32_t LastError() const { return lastError_; }
  std::string AsString() const;
  void SaveToStream(TStream& target) const;
  // Atomic replacement of the file (see WriteFileAtomically).
  void SaveToFile(const std::string& path) const;

private:
  bool Grow(int64_t needed);

  char* memory_ = nullptr;
  int32_t size_ = 0;
  int32_t position_ = 0;
  int32_t lastError_ = 0;
  int32_t capacity_ = 0;
  int32_t initialCapacity_ = 0;
  int32_t growthStep_ = 0;
  int32_t sizeLimit_ = 0;
};

} // namespace qm
