// An ordered store of fixed-size items under signed 64-bit keys. Items live
// in a block stream in insertion order and never move; a compact index of
// (key, slot) entries, sorted by key, answers exact, previous and next
// lookups by binary search.
#pragma once

#include "streams/BlockStream.h"

#include <cstdint>

namespace qm {

class TMemoryCache {
public:
  // Find modes; any other value behaves as fmExact.
  static constexpr int fmExact = 0;     // the item at the key
  static constexpr int fmPrevious = 1;  // at the key, else the last one before it
  static constexpr int fmNext = 2;      // at the key, else the first one after it

  static constexpr int32_t kKeySize = 8;
  static constexpr int32_t kEntrySize = 12;     // key, then 32-bit slot
  static constexpr int32_t kBlockTarget = 16384;
  static constexpr int32_t kEntriesPerBlock = kBlockTarget / kEntrySize;

  explicit TMemoryCache(int32_t itemSize);
  TMemoryCache(const TMemoryCache&) = delete;
  TMemoryCache& operator=(const TMemoryCache&) = delete;

  // The item under key; a new one (bytes not initialised) when absent.
  // Raises EStreamError("Error setting stream size") when the stores cannot
  // grow; Count is then unchanged.
  void* Add(int64_t key);
  // The item chosen by mode (see fmExact, fmPrevious, fmNext), or nullptr.
  void* Find(int mode, int64_t key) const;
  // Removes every item and gives the memory back; earlier item pointers die.
  void Clear();
  int32_t Count() const { return count_; }
  // The item at position index (0 .. Count - 1) in key order.
  void* ItemAt(int32_t index) const { return index >= 0 && index < count_ ? ItemOfEntry(index) : nullptr; }

  int32_t ItemSize() const { return itemSize_; }
  int32_t RecordSize() const { return recordSize_; }
  // The block size for entries of entrySize bytes: the largest multiple of it
  // not above 16384, or one entry when it is larger.
  static int32_t BlockSizeFor(int32_t entrySize);

private:
  struct SearchResult {
    int32_t position;
    bool present;
  };

  SearchResult Search(int64_t key) const;
  char* EntryAddress(int32_t entry) const;
  char* RecordAddress(int32_t slot) const;
  int64_t KeyAt(int32_t entry) const;
  int32_t SlotAt(int32_t entry) const;
  void* ItemOfEntry(int32_t entry) const;
  void WriteEntry(int32_t entry, int64_t key, int32_t slot);
  void Grow();

  int32_t itemSize_;
  int32_t recordSize_;
  int32_t recordsPerBlock_;
  TBlockStream data_;
  TBlockStream index_;
  int32_t count_ = 0;
};

} // namespace qm
