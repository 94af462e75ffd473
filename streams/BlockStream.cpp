#include "streams/BlockStream.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace qm {

namespace {

// Sizes and positions are 32-bit: the largest whole number of blocks that
// fits is the ceiling even without a limit.
int32_t MaxCapacity(int32_t blockSize) { return INT32_MAX / blockSize * blockSize; }

int32_t RoundUpLimit(int32_t limit, int32_t blockSize) {
  if (limit <= 0) return 0;
  const int64_t rounded = (int64_t{limit} + blockSize - 1) / blockSize * blockSize;
  return static_cast<int32_t>(std::min<int64_t>(rounded, MaxCapacity(blockSize)));
}

} // namespace

TBlockStream::TBlockStream(int32_t blockSize, int32_t sizeLimit)
    : blockSize_(std::max(blockSize, kMinBlockSize)),
      sizeLimit_(RoundUpLimit(sizeLimit, blockSize_)) {}

TBlockStream::~TBlockStream() {
  for (char* block : blocks_) std::free(block);
}

bool TBlockStream::AppendBlock() {
  char* block = static_cast<char*>(std::calloc(1, static_cast<size_t>(blockSize_)));
  if (!block) return false;
  try {
    blocks_.push_back(block);
  } catch (const std::bad_alloc&) {
    std::free(block);
    return false;
  }
  return true;
}

bool TBlockStream::SetCapacity(int64_t n) {
  bool ok = true;
  const int64_t ceiling = sizeLimit_ > 0 ? sizeLimit_ : MaxCapacity(blockSize_);
  if (n > ceiling) {
    n = ceiling;
    lastError_ = sizeLimit_ > 0 ? kErrLimit : kErrNoMemory;
    ok = false;
  }
  const size_t needed = static_cast<size_t>((std::max<int64_t>(n, 0) + blockSize_ - 1) / blockSize_);
  while (blocks_.size() > needed) {
    std::free(blocks_.back());
    blocks_.pop_back();
  }
  while (blocks_.size() < needed) {
    if (!AppendBlock()) {
      lastError_ = kErrNoMemory;
      return false;
    }
  }
  return ok;
}

void TBlockStream::SetStreamSize(int64_t newSize) {
  lastError_ = 0;
  if (newSize < 0 || !SetCapacity(newSize)) throw EStreamError("Error setting stream size");
  size_ = static_cast<int32_t>(newSize);
  if (position_ > size_) position_ = size_;
}

char* TBlockStream::AddressOf(int64_t offset) const {
  if (offset < 0 || offset >= Capacity()) return nullptr;
  return blocks_[static_cast<size_t>(offset / blockSize_)] + offset % blockSize_;
}

void TBlockStream::CopyOut(int64_t offset, char* to, int64_t count) const {
  while (count > 0) {
    const int64_t inBlock = offset % blockSize_;
    const int64_t piece = std::min(count, blockSize_ - inBlock);
    std::memcpy(to, AddressOf(offset), static_cast<size_t>(piece));
    to += piece;
    offset += piece;
    count -= piece;
  }
}

void TBlockStream::CopyIn(int64_t offset, const char* from, int64_t count) {
  while (count > 0) {
    const int64_t inBlock = offset % blockSize_;
    const int64_t piece = std::min(count, blockSize_ - inBlock);
    std::memcpy(AddressOf(offset), from, static_cast<size_t>(piece));
    from += piece;
    offset += piece;
    count -= piece;
  }
}

int64_t TBlockStream::Read(void* buffer, int64_t count) {
  lastError_ = 0;
  if (count <= 0 || position_ < 0 || position_ >= size_) return 0;
  const int64_t n = std::min<int64_t>(count, size_ - position_);
  CopyOut(position_, static_cast<char*>(buffer), n);
  position_ += static_cast<int32_t>(n);
  return n;
}

int64_t TBlockStream::Write(const void* buffer, int64_t count) {
  lastError_ = 0;
  if (count <= 0 || position_ < 0) return 0;
  // Keep end within reach of 64-bit arithmetic; SetCapacity cuts it to 32 bits.
  count = std::min<int64_t>(count, INT64_MAX / 2);
  int64_t end = position_ + count;
  if (end > size_) {
    if (!SetCapacity(end)) {
      end = Capacity();
      count = end - position_;
      // Nothing fits: the size stays as it was rather than growing to a gap.
      if (count <= 0) return 0;
    }
    size_ = static_cast<int32_t>(end);
  }
  CopyIn(position_, static_cast<const char*>(buffer), count);
  position_ = static_cast<int32_t>(end);
  return count;
}

int64_t TBlockStream::SetPosition(int64_t offset, int origin) {
  lastError_ = 0;
  int64_t base = 0;
  switch (origin) {
    case soBeginning: base = 0; break;
    case soCurrent: base = position_; break;
    case soEnd: base = size_; break;
    default: return -1;
  }
  if (offset > INT32_MAX || offset < -int64_t{INT32_MAX}) return -1;
  const int64_t target = base + offset;
  if (target < 0 || target > INT32_MAX) return -1;
  position_ = static_cast<int32_t>(target);
  return position_;
}

void TBlockStream::Clear() {
  lastError_ = 0;
  for (char* block : blocks_) std::free(block);
  blocks_.clear();
  size_ = 0;
  position_ = 0;
}

} // namespace qm
