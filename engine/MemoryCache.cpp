#include "engine/MemoryCache.h"

#include "streams/MoveBlock.h"

#include <climits>
#include <cstring>
#include <stdexcept>

namespace qm {

namespace {

int32_t CheckedItemSize(int32_t itemSize) {
  if (itemSize < 0 || itemSize > INT32_MAX - TMemoryCache::kKeySize)
    throw std::invalid_argument("TMemoryCache: bad item size");
  return itemSize;
}

} // namespace

int32_t TMemoryCache::BlockSizeFor(int32_t entrySize) {
  if (entrySize >= kBlockTarget) return entrySize;
  return kBlockTarget / entrySize * entrySize;
}

TMemoryCache::TMemoryCache(int32_t itemSize)
    : itemSize_(CheckedItemSize(itemSize)),
      recordSize_(itemSize + kKeySize),
      recordsPerBlock_(BlockSizeFor(recordSize_) / recordSize_),
      data_(BlockSizeFor(recordSize_)),
      index_(BlockSizeFor(kEntrySize)) {}

// Entries and records never straddle blocks, so each is addressed in place
// from its block's start.
char* TMemoryCache::EntryAddress(int32_t entry) const {
  return index_.Block(static_cast<size_t>(entry / kEntriesPerBlock)) + (entry % kEntriesPerBlock) * kEntrySize;
}

char* TMemoryCache::RecordAddress(int32_t slot) const {
  return data_.Block(static_cast<size_t>(slot / recordsPerBlock_)) + int64_t{slot % recordsPerBlock_} * recordSize_;
}

int64_t TMemoryCache::KeyAt(int32_t entry) const {
  int64_t key;
  std::memcpy(&key, EntryAddress(entry), sizeof key);
  return key;
}

int32_t TMemoryCache::SlotAt(int32_t entry) const {
  int32_t slot;
  std::memcpy(&slot, EntryAddress(entry) + kKeySize, sizeof slot);
  return slot;
}

void* TMemoryCache::ItemOfEntry(int32_t entry) const {
  return RecordAddress(SlotAt(entry)) + kKeySize;
}

void TMemoryCache::WriteEntry(int32_t entry, int64_t key, int32_t slot) {
  char* at = EntryAddress(entry);
  std::memcpy(at, &key, sizeof key);
  std::memcpy(at + kKeySize, &slot, sizeof slot);
}

// Halve the range [lo, hi] without ever stepping past mid, then settle the
// last one or two entries; an absent key answers its insertion position.
TMemoryCache::SearchResult TMemoryCache::Search(int64_t key) const {
  if (count_ == 0) return {0, false};
  int32_t lo = 0;
  int32_t hi = count_ - 1;
  for (;;) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (mid == lo) break;
    const int64_t atMid = KeyAt(mid);
    if (atMid == key) return {mid, true};
    if (atMid < key)
      lo = mid;
    else
      hi = mid;
  }
  const int64_t atLo = KeyAt(lo);
  if (atLo == key) return {lo, true};
  if (atLo > key) return {lo, false};
  if (hi == lo) return {hi + 1, false};
  const int64_t atHi = KeyAt(hi);
  if (atHi == key) return {hi, true};
  return {atHi < key ? hi + 1 : hi, false};
}

void* TMemoryCache::Find(int mode, int64_t key) const {
  const SearchResult found = Search(key);
  if (found.present) return ItemOfEntry(found.position);
  int32_t entry = -1;
  if (mode == fmPrevious) entry = found.position - 1;
  if (mode == fmNext) entry = found.position;
  if (entry < 0 || entry >= count_) return nullptr;
  return ItemOfEntry(entry);
}

// Room for one more record and entry; on failure both stores keep their
// former sizes.
void TMemoryCache::Grow() {
  const int64_t dataSize = data_.GetStreamSize();
  data_.SetStreamSize(int64_t{count_ + 1} * recordSize_);
  try {
    index_.SetStreamSize(int64_t{count_ + 1} * kEntrySize);
  } catch (...) {
    data_.SetStreamSize(dataSize);
    throw;
  }
}

void* TMemoryCache::Add(int64_t key) {
  const SearchResult found = Search(key);
  if (found.present) return ItemOfEntry(found.position);
  if (count_ == INT32_MAX) throw EStreamError("Error setting stream size");
  Grow();
  const int32_t p = found.position;
  if (p < count_)
    MoveBlock(index_, int64_t{p} * kEntrySize, int64_t{p + 1} * kEntrySize,
              int64_t{count_ - p} * kEntrySize);
  WriteEntry(p, key, count_);
  char* record = RecordAddress(count_);
  std::memcpy(record, &key, sizeof key);
  ++count_;
  return record + kKeySize;
}

void TMemoryCache::Clear() {
  data_.Clear();
  index_.Clear();
  count_ = 0;
}

} // namespace qm
