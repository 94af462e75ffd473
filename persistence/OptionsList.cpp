#include "persistence/OptionsList.h"

#include "platform/CaseMap.h"

#include <atomic>
#include <chrono>
#include <random>

namespace qm {

std::string ProvisionalSectionName() {
  // A counter running 1..99, 0, 1, ... and a random number below 999999 drawn
  // from a generator seeded from the clock at each call.
  static std::atomic<int> counter{0};
  int previous = counter.load();
  int next = 0;
  do {
    next = previous >= 99 ? 0 : previous + 1;
  } while (!counter.compare_exchange_weak(previous, next));
  std::mt19937 random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  const int number = std::uniform_int_distribution<int>(0, 999998)(random);
  return std::to_string(number) + "6-" + std::to_string(next) + "2";
}

TOptionsList::TOptionsList() : SectionName(ProvisionalSectionName()) {}

void TOptionsList::CopyLinesFrom(const TStringList& source) {
  TStringList::CopyLinesFrom(source);
  if (const auto* options = dynamic_cast<const TOptionsList*>(&source)) {
    SectionName = options->SectionName;
    SectionIndex = options->SectionIndex;
  }
}

void TOptionsList::Changed() {
  if (!indexed_) return;
  indexed_ = false;
  names_.clear();
  lines_.clear();
}

void TOptionsList::BuildIndexes() const {
  names_.clear();
  lines_.clear();
  const auto& all = Lines();
  names_.reserve(all.size());
  lines_.reserve(all.size());
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = all[static_cast<size_t>(i)];
    lines_[FoldCaseUtf8(line)] = i;
    const size_t eq = line.find('=');
    if (eq != std::string::npos) names_[FoldCaseUtf8(line.substr(0, eq))] = i;
  }
  indexed_ = true;
}

int TOptionsList::FindLine(const std::string& line) const {
  if (!indexed_) BuildIndexes();
  const auto it = lines_.find(FoldCaseUtf8(line));
  return it == lines_.end() ? -1 : it->second;
}

int TOptionsList::FindName(const std::string& name) const {
  if (!indexed_) BuildIndexes();
  const auto it = names_.find(FoldCaseUtf8(name));
  return it == names_.end() ? -1 : it->second;
}

} // namespace qm
