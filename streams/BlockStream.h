// A stream kept in fixed-size blocks allocated on demand. Growing never moves
// existing bytes, so an address taken with AddressOf stays valid until the
// stream shrinks or is cleared.
#pragma once

#include "platform/Stream.h"

#include <cstdint>
#include <vector>

namespace qm {

class TBlockStream : public TStream {
public:
  // Error codes left in LastError() by the last operation.
  static constexpr int32_t kErrLimit = -50;     // the size limit cut a growth request
  static constexpr int32_t kErrNoMemory = -55;  // a block could not be allocated
  static constexpr int32_t kMinBlockSize = 1024;

  // blockSize below 1024 gives 1024. sizeLimit is rounded up to whole blocks;
  // 0 (or negative) means no limit.
  explicit TBlockStream(int32_t blockSize = 16384, int32_t sizeLimit = 0);
  ~TBlockStream() override;

  int64_t GetStreamSize() override { return size_; }
  // Raises EStreamError("Error setting stream size") when the blocks for
  // newSize cannot be provided; size and position are then unchanged.
  void SetStreamSize(int64_t newSize) override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t SetPosition(int64_t offset, int origin) override;

  // Size and position 0; every block is freed.
  void Clear();
  // Bytes held by the allocated blocks.
  int64_t Capacity() const { return static_cast<int64_t>(blocks_.size()) * blockSize_; }
  // The byte at offset inside its block, or nullptr beyond the allocated blocks.
  char* AddressOf(int64_t offset) const;
  // Start of block i, for i below Capacity() / BlockSize(): callers that lay
  // out whole records per block find them without dividing by the block size.
  char* Block(size_t i) const { return blocks_[i]; }
  int32_t BlockSize() const { return blockSize_; }
  int32_t SizeLimit() const { return sizeLimit_; }
  int32_t LastError() const { return lastError_; }

private:
  // Hold exactly the blocks that n bytes need, freeing surplus ones. Answers
  // false (and sets LastError) when the limit or an allocation cut it short;
  // the blocks obtained so far are kept.
  bool SetCapacity(int64_t n);
  bool AppendBlock();
  // Copy between the blocks and a flat buffer, starting at byte offset.
  void CopyOut(int64_t offset, char* to, int64_t count) const;
  void CopyIn(int64_t offset, const char* from, int64_t count);

  std::vector<char*> blocks_;
  int32_t size_ = 0;
  int32_t position_ = 0;
  int32_t lastError_ = 0;
  int32_t blockSize_ = kMinBlockSize;
  int32_t sizeLimit_ = 0;
};

} // namespace qm
