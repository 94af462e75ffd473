// The misprint store under the load of a large check: a million ascending
// inserts, then a million lookups in each mode.
#include "engine/MemoryCache.h"
#include "engine/MisprintRecord.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kItems = 1000000;
constexpr int kColumnsPerLine = 8;

// Ascending keys as a full check produces them: a few misprints per line.
int64_t KeyOf(int i) { return qm::MisprintKey(1 + i / kColumnsPerLine, 1 + 10 * (i % kColumnsPerLine)); }

void FillStore(qm::TMemoryCache& cache) {
  for (int i = 0; i < kItems; ++i) {
    const qm::MisprintRecord record{1 + 10 * (i % kColumnsPerLine), 1 + i / kColumnsPerLine, 5};
    std::memcpy(cache.Add(KeyOf(i)), &record, sizeof record);
  }
}

void BM_AddAscending(benchmark::State& state) {
  for (auto _ : state) {
    qm::TMemoryCache cache(sizeof(qm::MisprintRecord));
    FillStore(cache);
    benchmark::DoNotOptimize(cache.Count());
  }
  state.SetItemsProcessed(state.iterations() * kItems);
  state.counters["ns_per_op"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kItems, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Lookups at keys half of which miss (columns between stored ones), so the
// previous and next modes take their neighbour path as often as the exact one.
void BM_Find(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  static const std::unique_ptr<qm::TMemoryCache> cache = [] {
    auto c = std::make_unique<qm::TMemoryCache>(static_cast<int32_t>(sizeof(qm::MisprintRecord)));
    FillStore(*c);
    return c;
  }();
  std::vector<int64_t> probes(kItems);
  uint32_t seed = 12345;
  for (int64_t& key : probes) {
    seed = seed * 1664525u + 1013904223u;
    const int i = static_cast<int>(seed % kItems);
    key = KeyOf(i) + ((seed >> 16) & 1 ? 3 : 0);
  }
  for (auto _ : state) {
    for (int64_t key : probes) benchmark::DoNotOptimize(cache->Find(mode, key));
  }
  state.SetItemsProcessed(state.iterations() * kItems);
  state.counters["ns_per_op"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kItems, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_AddAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find)->Arg(0)->Arg(1)->Arg(2)->ArgName("mode")->Unit(benchmark::kMillisecond);
