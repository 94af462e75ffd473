// Value lookups by name in an option list of 500 names.
#include "persistence/OptionsList.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("msgSomeMessageKey" + std::to_string(i));
  return names;
}

void BM_OptionsListValue(benchmark::State& state) {
  const auto names = Names(500);
  qm::TOptionsList list;
  for (const auto& name : names) list.Add(name + "=value of " + name);
  list.Value(names[0]);  // build the index once, as after a load
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(list.Value(names[i]));
    i = (i + 7) % names.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OptionsListValue);

// The first lookup after a change pays for rebuilding the index.
void BM_OptionsListValueAfterChange(benchmark::State& state) {
  const auto names = Names(500);
  qm::TOptionsList list;
  for (const auto& name : names) list.Add(name + "=value");
  for (auto _ : state) {
    list.SetValue(names[10], "changed");
    benchmark::DoNotOptimize(list.Value(names[400]));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OptionsListValueAfterChange);

} // namespace
