#include "diagnostics/Log.h"

#include "platform/ProgramFile.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace qm {

namespace {

constexpr size_t kMaxUserName = 254;

// What a signal handler needs to write a line: copied by ordinary code into
// one of two fixed buffers and published through an atomic pointer, so the
// handler never reads a buffer that is being filled.
struct TSignalView {
  char path[PATH_MAX] = {};
  char prefix[kMaxUserName + 4] = {};
  bool daily = false;
};

struct TLogModule {
  // Created at the first start and kept to process end, so a thread that is
  // writing while the module stops never touches a freed lock.
  std::atomic<TLogItem*> item{nullptr};
  std::atomic<bool> running{false};
  std::mutex settingsGuard;  // userPrefix and clock
  std::string userPrefix;    // "(name) " or empty
  TLogClock clock;
  std::atomic<TLogWait> wait{nullptr};

  TSignalView views[2];
  int nextView = 0;  // written under the item's lock
  std::atomic<const TSignalView*> view{nullptr};
  std::atomic<long> utcOffset{0};
};

TLogModule& Module() {
  static TLogModule* module = new TLogModule;
  return *module;
}

std::string UserPrefixFor(const std::optional<std::string>& name) {
  if (!name || name->empty()) return std::string();
  return "(" + name->substr(0, kMaxUserName) + ") ";
}

// The name of the user running the program, from the password database.
std::optional<std::string> SystemUserName() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_name)
    return std::nullopt;
  return std::string(found->pw_name);
}

std::string UserPrefix() {
  TLogModule& module = Module();
  std::lock_guard<std::mutex> hold(module.settingsGuard);
  return module.userPrefix;
}

// The local time now; keeps the UTC offset for the signal handler's stamps.
bool ReadClock(std::tm& now) {
  TLogModule& module = Module();
  {
    std::lock_guard<std::mutex> hold(module.settingsGuard);
    if (module.clock) return module.clock(now);
  }
  const time_t seconds = ::time(nullptr);
  if (!::localtime_r(&seconds, &now)) return false;
  module.utcOffset.store(now.tm_gmtoff);
  return true;
}

TLogWait CurrentWait() {
  const TLogWait wait = Module().wait.load();
  return wait ? wait : &WaitBetweenLogAttempts;
}

void CopyText(char* target, size_t capacity, const std::string& text) {
  const size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(target, text.data(), length);
  target[length] = '\0';
}

// Publishes the default log's file and prefix for the signal handler; called
// under the item's lock. An empty path withdraws them.
void PublishSignalView(const std::string& path, bool daily, bool userPrefix) {
  TLogModule& module = Module();
  if (path.empty() || path.size() >= PATH_MAX) {
    module.view.store(nullptr);
    return;
  }
  TSignalView& view = module.views[module.nextView];
  CopyText(view.path, sizeof view.path, path);
  CopyText(view.prefix, sizeof view.prefix, userPrefix ? UserPrefix() : std::string());
  view.daily = daily;
  module.view.store(&view);
  module.nextView ^= 1;
}

void RefreshUtcOffset() {
  std::tm now{};
  const time_t seconds = ::time(nullptr);
  if (::localtime_r(&seconds, &now)) Module().utcOffset.store(now.tm_gmtoff);
}

} // namespace

TLogItem::TLogItem(std::string name) : name_(std::move(name)), lock_("unitLog." + name_) {}

std::string TLogItem::PathFor(const std::tm* now) const {
  if (folder_.empty()) return std::string();
  if (!daily_) return folder_ + fileName_ + extension_;
  return folder_ + fileName_ + "(" + (now ? FormatLogDate(*now) : std::string()) + ")" + extension_;
}

std::string TLogItem::FilePath() {
  try {
    std::lock_guard<TCriticalSection> hold(lock_);
    std::tm now{};
    return PathFor(daily_ && ReadClock(now) ? &now : nullptr);
  } catch (...) {
    return std::string();
  }
}

void TLogItem::Reset() {
  std::lock_guard<TCriticalSection> hold(lock_);
  folder_.clear();
  fileName_.clear();
  extension_.clear();
  daily_ = false;
  userPrefix_ = true;
}

void TLogItem::Configure(const std::string& path, bool daily, bool userPrefix) {
  namespace fs = std::filesystem;
  try {
    std::lock_guard<TCriticalSection> hold(lock_);
    const size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    if (folder.empty()) folder = folder_;
    if (folder.empty()) folder = ProgramFileFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) folder = ProgramFileFolder();

    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    std::string fileName = dot == std::string::npos ? name : name.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    if (fileName.empty()) fileName = fileName_;
    if (extension.empty()) extension = extension_;

    folder_ = folder;
    fileName_ = fileName;
    extension_ = extension;
    daily_ = daily;
    userPrefix_ = userPrefix;
    if (this == Module().item.load()) {
      RefreshUtcOffset();
      std::tm now{};
      PublishSignalView(PathFor(daily_ && ReadClock(now) ? &now : nullptr), daily_, userPrefix_);
    }
  } catch (...) {
    // A log that cannot be configured keeps its old settings.
  }
}

void TLogItem::WriteLine(const std::string& text) {
  try {
    std::lock_guard<TCriticalSection> hold(lock_);
    if (folder_.empty()) return;
    std::tm now{};
    const bool haveTime = ReadClock(now);
    std::string line = haveTime ? FormatLogTimeStamp(now, !daily_) : std::string();
    line += ' ';
    if (userPrefix_) line += UserPrefix();
    line += text;
    line += "\r\n";
    const std::string path = PathFor(haveTime ? &now : nullptr);
    if (daily_ && this == Module().item.load()) PublishSignalView(path, daily_, userPrefix_);
    AppendToLogFile(path.c_str(), line.data(), line.size(), kLogAttempts, CurrentWait());
  } catch (...) {
    // The line is lost; the caller never hears of it.
  }
}

void StartLogModule() {
  TLogModule& module = Module();
  TLogItem* item = module.item.load();
  if (!item) {
    item = new TLogItem(std::string());
    module.item.store(item);
  } else {
    item->Reset();
  }
  {
    std::lock_guard<std::mutex> hold(module.settingsGuard);
    module.userPrefix = UserPrefixFor(SystemUserName());
  }
  RefreshUtcOffset();
  module.view.store(nullptr);
  module.running.store(true);
}

void StopLogModule() {
  TLogModule& module = Module();
  module.running.store(false);
  module.view.store(nullptr);
  if (TLogItem* item = module.item.load()) item->Reset();
}

bool LogModuleRunning() { return Module().running.load(); }

void ConfigureLog(const std::string& path, bool daily, bool userPrefix) {
  TLogModule& module = Module();
  if (!module.running.load()) return;
  if (TLogItem* item = module.item.load()) item->Configure(path, daily, userPrefix);
}

void WriteLogLine(const std::string& text) {
  TLogModule& module = Module();
  if (!module.running.load()) return;
  if (TLogItem* item = module.item.load()) item->WriteLine(text);
}

void WriteLogLineFromSignal(const char* text, size_t length) noexcept {
  TLogModule& module = Module();
  if (!module.running.load()) return;
  const TSignalView* view = module.view.load();
  if (!view) return;
  char line[2048];
  size_t used = SignalSafeTimeStamp(line, module.utcOffset.load(), !view->daily);
  line[used++] = ' ';
  const size_t prefixLength = std::strlen(view->prefix);
  std::memcpy(line + used, view->prefix, prefixLength);
  used += prefixLength;
  const size_t room = sizeof line - used - 2;
  const size_t textLength = length < room ? length : room;
  std::memcpy(line + used, text, textLength);
  used += textLength;
  line[used++] = '\r';
  line[used++] = '\n';
  AppendToLogFile(view->path, line, used, kLogAttempts, &WaitBetweenLogAttempts);
}

std::string DefaultLogFile() {
  TLogItem* item = Module().item.load();
  return item && LogModuleRunning() ? item->FilePath() : std::string();
}

TLogHold::TLogHold() {
  if (TLogItem* item = Module().item.load()) {
    lock_ = &item->Lock();
    lock_->Enter();
  }
}

TLogHold::~TLogHold() {
  if (lock_) lock_->Leave();
}

void SetLogClock(TLogClock clock) {
  TLogModule& module = Module();
  std::lock_guard<std::mutex> hold(module.settingsGuard);
  module.clock = std::move(clock);
}

void SetLogUserName(const std::optional<std::string>& name) {
  TLogModule& module = Module();
  std::lock_guard<std::mutex> hold(module.settingsGuard);
  module.userPrefix = UserPrefixFor(name);
}

void SetLogRetryWait(TLogWait wait) { Module().wait.store(wait); }

} // namespace qm
