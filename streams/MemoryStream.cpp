#include "streams/MemoryStream.h"

#include "platform/Files.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace qm {

TMemoryStream::TMemoryStream(int32_t initialCapacity, int32_t growthStep, int32_t sizeLimit)
    : initialCapacity_(std::max(initialCapacity, 0)),
      growthStep_(growthStep),
      sizeLimit_(std::max(sizeLimit, 0)) {
  if (initialCapacity_ > 0) Grow(initialCapacity_);
  lastError_ = 0;
}

TMemoryStream::~TMemoryStream() { std::free(memory_); }

// Make the capacity at least needed bytes. A limit below needed still enlarges
// the buffer up to the limit but answers false.
bool TMemoryStream::Grow(int64_t needed) {
  if (capacity_ >= needed) return true;
  bool ok = true;
  if (sizeLimit_ > 0 && needed > sizeLimit_) {
    needed = sizeLimit_;
    lastError_ = kErrLimit;
    ok = false;
  }
  if (needed > INT32_MAX) {
    needed = INT32_MAX;
    lastError_ = kErrNoMemory;
    ok = false;
  }
  if (capacity_ >= needed) return ok;
  char* bigger = static_cast<char*>(std::realloc(memory_, static_cast<size_t>(needed)));
  if (!bigger) {
    lastError_ = kErrNoMemory;
    return false;
  }
  memory_ = bigger;
  capacity_ = static_cast<int32_t>(needed);
  return ok;
}

void TMemoryStream::SetStreamSize(int64_t newSize) {
  lastError_ = 0;
  if (newSize < 0 || !Grow(newSize)) throw EStreamError("Error setting stream size");
  // Bytes the stream gains are zeroed, so no stale heap content shows.
  if (newSize > size_) std::memset(memory_ + size_, 0, static_cast<size_t>(newSize - size_));
  size_ = static_cast<int32_t>(newSize);
  if (position_ > size_) position_ = size_;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  lastError_ = 0;
  if (count <= 0 || position_ < 0 || position_ >= size_) return 0;
  const int64_t n = std::min<int64_t>(count, size_ - position_);
  std::memcpy(buffer, memory_ + position_, static_cast<size_t>(n));
  position_ += static_cast<int32_t>(n);
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  lastError_ = 0;
  if (count <= 0 || position_ < 0) return 0;
  int64_t end = int64_t{position_} + count;
  if (end > size_) {
    if (end > capacity_) {
      if (growthStep_ < 0) {
        lastError_ = kErrNoGrowth;
        return 0;
      }
      const int64_t step = growthStep_ > 0 ? growthStep_ : std::max<int64_t>(end / 2, 8192);
      if (!Grow(end + step) && end > capacity_) {
        end = capacity_;
        count = end - position_;
      }
    }
    if (end > size_) {
      // A write that starts past the end leaves a zeroed gap.
      if (position_ > size_) std::memset(memory_ + size_, 0, static_cast<size_t>(std::min<int64_t>(position_, end) - size_));
      size_ = static_cast<int32_t>(end);
    }
  }
  if (count <= 0) return 0;
  std::memcpy(memory_ + position_, buffer, static_cast<size_t>(count));
  position_ = static_cast<int32_t>(end);
  return count;
}

int64_t TMemoryStream::SetPosition(int64_t offset, int origin) {
  lastError_ = 0;
  int64_t base = 0;
  switch (origin) {
    case soBeginning: base = 0; break;
    case soCurrent: base = position_; break;
    case soEnd: base = size_; break;
    default: return -1;
  }
  const int64_t target = base + offset;
  if (target < 0 || target > INT32_MAX) return -1;
  position_ = static_cast<int32_t>(target);
  return position_;
}

void TMemoryStream::Clear() {
  size_ = 0;
  position_ = 0;
  lastError_ = 0;
}

std::string TMemoryStream::AsString() const {
  return size_ > 0 ? std::string(memory_, static_cast<size_t>(size_)) : std::string();
}

void TMemoryStream::SaveToStream(TStream& target) const {
  target.WriteBuffer(memory_, size_);
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  WriteFileAtomically(path, AsString());
}

} // namespace qm
