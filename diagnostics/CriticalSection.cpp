#include "diagnostics/CriticalSection.h"

#include <algorithm>

namespace qm {

namespace {

struct TLockRegistry {
  std::mutex guard;
  std::vector<const TCriticalSection*> locks;
};

// Lives to the very end of the process: locks held by other static objects
// may be destroyed after every static of this file.
TLockRegistry& Registry() {
  static TLockRegistry* registry = new TLockRegistry;
  return *registry;
}

} // namespace

TCriticalSection::TCriticalSection(std::string name) : name_(std::move(name)) {
  TLockRegistry& registry = Registry();
  std::lock_guard<std::mutex> hold(registry.guard);
  registry.locks.push_back(this);
}

TCriticalSection::~TCriticalSection() {
  TLockRegistry& registry = Registry();
  std::lock_guard<std::mutex> hold(registry.guard);
  auto& locks = registry.locks;
  locks.erase(std::remove(locks.begin(), locks.end(), this), locks.end());
}

std::vector<std::string> RegisteredLockNames() {
  TLockRegistry& registry = Registry();
  std::lock_guard<std::mutex> hold(registry.guard);
  std::vector<std::string> names;
  names.reserve(registry.locks.size());
  for (const TCriticalSection* lock : registry.locks) names.push_back(lock->Name());
  return names;
}

} // namespace qm
