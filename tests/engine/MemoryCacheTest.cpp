#include "engine/MemoryCache.h"

#include "engine/MisprintRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <stdexcept>
#include <vector>

namespace qm {
namespace {

constexpr int64_t k32 = int64_t{1} << 32;

// Items hold their own key, so an answer can be checked against the key.
int64_t* AddKey(TMemoryCache& cache, int64_t key) {
  auto* item = static_cast<int64_t*>(cache.Add(key));
  std::memcpy(item, &key, sizeof key);
  return item;
}

int64_t KeyOf(const void* item) {
  int64_t key;
  std::memcpy(&key, item, sizeof key);
  return key;
}

TEST(MisprintKey, OrdersByLineThenColumn) {
  EXPECT_EQ(MisprintKey(1, 5), k32 + 5);
  EXPECT_EQ(MisprintKey(3, 1), 3 * k32 + 1);
  EXPECT_LT(MisprintKey(1, 0x7FFFFFFF), MisprintKey(2, 1));
  EXPECT_EQ(MisprintKey(-1, 0), -k32);
}

TEST(MemoryCache, BlockSizesHoldWholeEntries) {
  const std::pair<int32_t, int32_t> cases[] = {
      {12, 16380}, {20, 16380}, {8, 16384}, {5000, 15000}, {16383, 16383}, {16384, 16384}, {20008, 20008},
  };
  for (auto [entry, block] : cases) EXPECT_EQ(TMemoryCache::BlockSizeFor(entry), block) << entry;
  TMemoryCache cache(12);
  EXPECT_EQ(cache.RecordSize(), 20);
  EXPECT_THROW(TMemoryCache(-1), std::invalid_argument);
}

TEST(MemoryCache, EmptyStoreFindsNothing) {
  TMemoryCache cache(12);
  EXPECT_EQ(cache.Count(), 0);
  for (int mode : {0, 1, 2, 5})
    for (int64_t key : {INT64_MIN, int64_t{0}, INT64_MAX}) EXPECT_EQ(cache.Find(mode, key), nullptr);
}

TEST(MemoryCache, ModesAnswerExactPreviousAndNext) {
  TMemoryCache cache(12);
  const int64_t first = MisprintKey(1, 5);
  const int64_t second = MisprintKey(3, 1);
  AddKey(cache, first);
  AddKey(cache, second);
  struct Case {
    int mode;
    int64_t key;
    int64_t found;  // 0: none
  };
  const Case cases[] = {
      {1, 2 * k32, first}, {2, 2 * k32, second}, {0, 2 * k32, 0},    {7, 2 * k32, 0},
      {1, k32 + 4, 0},     {2, 3 * k32 + 2, 0},  {2, k32 + 4, first}, {1, 3 * k32 + 2, second},
      {0, first, first},   {1, first, first},    {2, first, first},   {1, second, second},
  };
  for (const Case& c : cases) {
    const void* item = cache.Find(c.mode, c.key);
    if (c.found == 0)
      EXPECT_EQ(item, nullptr) << c.mode << " " << c.key;
    else
      EXPECT_TRUE(item && KeyOf(item) == c.found) << c.mode << " " << c.key;
  }
}

TEST(MemoryCache, AddOfAnExistingKeyReturnsTheSameItem) {
  TMemoryCache cache(12);
  auto* item = static_cast<MisprintRecord*>(cache.Add(MisprintKey(4, 2)));
  *item = MisprintRecord{2, 4, 7};
  EXPECT_EQ(cache.Add(MisprintKey(4, 2)), item);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(item->length, 7);
}

TEST(MemoryCache, DescendingInsertionIsFoundInKeyOrder) {
  TMemoryCache cache(8);
  for (int64_t k = 3000; k >= 1; --k) AddKey(cache, k * 10);
  ASSERT_EQ(cache.Count(), 3000);
  // Walk forward with mode 2 and backward with mode 1.
  int64_t key = INT64_MIN;
  for (int64_t k = 1; k <= 3000; ++k) {
    const void* item = cache.Find(TMemoryCache::fmNext, key);
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(KeyOf(item), k * 10);
    key = k * 10 + 1;
  }
  EXPECT_EQ(cache.Find(TMemoryCache::fmNext, key), nullptr);
  key = INT64_MAX;
  for (int64_t k = 3000; k >= 1; --k) {
    const void* item = cache.Find(TMemoryCache::fmPrevious, key);
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(KeyOf(item), k * 10);
    key = k * 10 - 1;
  }
  EXPECT_EQ(cache.Find(TMemoryCache::fmPrevious, key), nullptr);
}

// A sorted map gives the expected answer for every mode.
const int64_t* Expected(const std::map<int64_t, int64_t>& map, int mode, int64_t key) {
  auto it = map.lower_bound(key);
  if (it != map.end() && it->first == key) return &it->second;
  if (mode == TMemoryCache::fmNext) return it == map.end() ? nullptr : &it->second;
  if (mode == TMemoryCache::fmPrevious) return it == map.begin() ? nullptr : &std::prev(it)->second;
  return nullptr;
}

TEST(MemoryCache, AgreesWithASortedMap) {
  std::mt19937_64 rng(20240611);
  // Keys crowd around a few lines, with signed high halves and large columns,
  // so that neighbours and duplicates are common.
  auto randomKey = [&] {
    const auto line = static_cast<int32_t>(static_cast<int64_t>(rng() % 41) - 20);
    const auto column = static_cast<int32_t>(rng() % 3 == 0 ? rng() : rng() % 200);
    return MisprintKey(line, column);
  };
  TMemoryCache cache(8);
  std::map<int64_t, int64_t> map;
  for (int i = 0; i < 4000; ++i) {
    const int64_t key = randomKey();
    AddKey(cache, key);
    map[key] = key;
    ASSERT_EQ(cache.Count(), static_cast<int32_t>(map.size()));
  }
  for (int i = 0; i < 20000; ++i) {
    const int64_t key = i % 2 ? randomKey() : std::next(map.begin(), static_cast<long>(rng() % map.size()))->first;
    for (int mode : {0, 1, 2, 3}) {
      const void* item = cache.Find(mode, key);
      const int64_t* expected = Expected(map, mode, key);
      ASSERT_EQ(item == nullptr, expected == nullptr) << mode << " " << key;
      if (item) {
        ASSERT_EQ(KeyOf(item), *expected) << mode << " " << key;
      }
    }
  }
  for (int mode : {1, 2})
    for (int64_t key : {INT64_MIN, INT64_MAX}) {
      const void* item = cache.Find(mode, key);
      const int64_t* expected = Expected(map, mode, key);
      ASSERT_EQ(item == nullptr, expected == nullptr);
      if (item) {
        EXPECT_EQ(KeyOf(item), *expected);
      }
    }
}

TEST(MemoryCache, ItemsStayInPlaceWhileTheStoreGrows) {
  TMemoryCache cache(12);
  std::mt19937 rng(5);
  std::vector<std::pair<int64_t, MisprintRecord*>> kept;
  for (int i = 0; i < 50000; ++i) {
    const auto line = static_cast<int32_t>(rng() % 100000);
    const auto column = static_cast<int32_t>(rng() % 80 + 1);
    auto* item = static_cast<MisprintRecord*>(cache.Add(MisprintKey(line, column)));
    *item = MisprintRecord{column, line, i};
    if (i % 1000 == 0) kept.emplace_back(MisprintKey(line, column), item);
  }
  for (const auto& [key, item] : kept) {
    EXPECT_EQ(cache.Find(TMemoryCache::fmExact, key), item);
    EXPECT_EQ(MisprintKey(item->line, item->column), key);
  }
}

TEST(MemoryCache, RecordsLargerThanABlockTargetGetABlockEach) {
  TMemoryCache cache(20000);
  std::vector<unsigned char*> items;
  for (int k = 0; k < 5; ++k) {
    auto* item = static_cast<unsigned char*>(cache.Add(4 - k));
    std::memset(item, 'a' + k, 20000);
    items.push_back(item);
  }
  for (int k = 0; k < 5; ++k) {
    const auto* item = static_cast<const unsigned char*>(cache.Find(0, 4 - k));
    ASSERT_EQ(item, items[static_cast<size_t>(k)]);
    EXPECT_EQ(item[0], 'a' + k);
    EXPECT_EQ(item[19999], 'a' + k);
  }
}

TEST(MemoryCache, ClearEmptiesTheStoreForRefilling) {
  TMemoryCache cache(12);
  for (int64_t k = 0; k < 2000; ++k) AddKey(cache, k);
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(cache.Find(1, 1000), nullptr);
  AddKey(cache, 7);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(KeyOf(cache.Find(2, 0)), 7);
}

} // namespace
} // namespace qm
