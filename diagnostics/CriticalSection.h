// Named locks. Every lock of the system is a TCriticalSection with a name
// ("unitExceptions", "unitLog.", "FeedbackThread" ...); while it exists it is
// listed in a process-wide registry of named locks.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace qm {

class TCriticalSection {
public:
  explicit TCriticalSection(std::string name);
  ~TCriticalSection();
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  // Recursive, as the thread that holds the lock may take it again.
  void Enter() { mutex_.lock(); }
  void Leave() { mutex_.unlock(); }
  bool TryEnter() { return mutex_.try_lock(); }

  // So that std::lock_guard and std::unique_lock work with it.
  void lock() { Enter(); }
  void unlock() { Leave(); }
  bool try_lock() { return TryEnter(); }

  const std::string& Name() const { return name_; }

private:
  std::string name_;
  std::recursive_mutex mutex_;
};

// The names of the named locks that exist now, in order of creation.
std::vector<std::string> RegisteredLockNames();

} // namespace qm
