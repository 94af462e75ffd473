// The diagnostic log writer: log items that append time-stamped lines to a
// text file, and the module that owns the default log ("assertions.dat" once
// the settings module has configured it).
//
// Line format: time stamp "dd-mm-yyyy hh:nn:ss", one blank, "(user) " when
// the item carries the user prefix and the user name is known, the text
// unchanged, CR LF.
#pragma once

#include "diagnostics/CriticalSection.h"
#include "diagnostics/LogFile.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace qm {

// One log file: folder (with its trailing "/"), file name without extension,
// extension with its dot. A daily log puts "(dd-mm-yyyy)" between file name
// and extension and stamps its lines with the time only.
class TLogItem {
public:
  // The lock is named "unitLog." followed by name.
  explicit TLogItem(std::string name);

  const std::string& Name() const { return name_; }
  TCriticalSection& Lock() { return lock_; }

  // Points the item at path (see ConfigureLog); never raises.
  void Configure(const std::string& path, bool daily, bool userPrefix);
  // Appends one line; a line that cannot be written after kLogAttempts
  // attempts is dropped. Never raises. Nothing happens while no folder is set.
  void WriteLine(const std::string& text);
  // The file the next line goes to; empty while no folder is set.
  std::string FilePath();
  // Back to the state of a new item (no file, not daily, user prefix on).
  void Reset();

private:
  std::string PathFor(const std::tm* now) const;

  std::string name_;
  TCriticalSection lock_;
  std::string folder_;
  std::string fileName_;
  std::string extension_;
  bool daily_ = false;
  bool userPrefix_ = true;
};

// Module start: reads the user name and creates the default log item (no
// file yet). Module stop: from then on every write is ignored, the exception
// trap's included. A stopped module can be started again.
void StartLogModule();
void StopLogModule();
bool LogModuleRunning();

// Points the default log at path, under its lock: the folder part (else the
// item's folder, else the program's folder) is created with its parents,
// falling back to the program's folder when that fails; an empty file name
// or extension keeps the item's. Never raises; nothing before the module starts.
void ConfigureLog(const std::string& path, bool daily, bool userPrefix);
// Appends one line to the default log; ignored while the module is not
// running or no file is configured. Safe from any thread; never raises.
void WriteLogLine(const std::string& text);
// The same from a signal handler: uses no lock, no allocation and no time
// zone code, only the state the last ordinary call left behind.
void WriteLogLineFromSignal(const char* text, size_t length) noexcept;
// The default log's file; empty while none is configured.
std::string DefaultLogFile();

// Holds the default log's lock while it lives, so that no line of this
// process is appended meanwhile (the tail rewrite of the trace file).
class TLogHold {
public:
  TLogHold();
  ~TLogHold();
  TLogHold(const TLogHold&) = delete;
  TLogHold& operator=(const TLogHold&) = delete;

private:
  TCriticalSection* lock_ = nullptr;
};

// Seams for tests. The clock fills a local broken-down time and answers
// false when it cannot (the stamp is then empty); an empty clock is the
// system's local time. SetLogUserName replaces the name read at module start
// (nullopt: no name); the signal-safe writer sees it from the next
// ConfigureLog on. SetLogRetryWait replaces the 10 ms pause (nullptr:
// back to it).
using TLogClock = std::function<bool(std::tm&)>;
void SetLogClock(TLogClock clock);
void SetLogUserName(const std::optional<std::string>& name);
void SetLogRetryWait(TLogWait wait);

} // namespace qm
