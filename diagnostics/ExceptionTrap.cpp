#include "diagnostics/ExceptionTrap.h"

#include "diagnostics/CriticalSection.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <execinfo.h>
#include <mutex>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

namespace qm {

namespace {

constexpr int kTrappedSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGINT};
constexpr int kSignalCount = sizeof kTrappedSignals / sizeof kTrappedSignals[0];

constexpr int kAnyCode = INT_MIN;
// A fault this close to the interrupted stack pointer ran into the end of
// the stack.
constexpr uintptr_t kStackOverflowReach = 65536;
constexpr int kFramesAsked = 64;
constexpr int kMaxCollected = 27;
constexpr int kMaxWritten = 7;
constexpr size_t kAltStackSize = 256 * 1024;
// How long a thread that faults waits for another thread's trap line.
constexpr int kGateTries = 1000;  // of 1 ms

struct TFaultName {
  int signo;
  int code;
  const char* name;
};

// The names written for each fault, spelled as the trace files have always
// had them ("Devision", "Priveleged").
constexpr TFaultName kFaultNames[] = {
    {SIGFPE, FPE_INTDIV, "Devision by zero"},
    {SIGFPE, FPE_INTOVF, "Integer overflow"},
    {SIGFPE, FPE_FLTDIV, "Float devision by zero"},
    {SIGFPE, FPE_FLTOVF, "Float overflow"},
    {SIGFPE, FPE_FLTUND, "Float underflow"},
    {SIGFPE, FPE_FLTRES, "Float inexact result"},
    {SIGFPE, FPE_FLTINV, "Float invalid operation"},
    {SIGFPE, FPE_FLTSUB, "Array bounds exceeded"},
    {SIGILL, ILL_PRVOPC, "Priveleged instruction"},
    {SIGILL, ILL_PRVREG, "Priveleged instruction"},
    {SIGSEGV, kAnyCode, "Access violation"},
    {SIGBUS, kAnyCode, "Access violation"},
    {SIGINT, kAnyCode, "Control-C exit"},
};

struct TTrapState {
  std::atomic<bool> installed{false};
  bool hooked[kSignalCount] = {};
  struct sigaction previous[kSignalCount] = {};
  stack_t previousStack{};
  bool previousStackKnown = false;
  std::atomic<TDiagnosticSink> sink{nullptr};
  std::atomic<TSignalSafeSink> signalSink{nullptr};
  // The thread writing a trap line now (0: none). In a signal handler this
  // takes the place of the "unitExceptions" lock, which a handler cannot
  // wait for when its own thread holds it; it is also the re-entry flag.
  std::atomic<pid_t> owner{0};
};

TTrapState& State() {
  static TTrapState* state = new TTrapState;
  return *state;
}

TCriticalSection& TrapLock() {
  static TCriticalSection* lock = new TCriticalSection("unitExceptions");
  return *lock;
}

// One alternate signal stack per thread, released when the thread ends.
struct TAltStack {
  void* memory = nullptr;

  ~TAltStack() {
    if (!memory) return;
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && current.ss_sp == memory && !(current.ss_flags & SS_ONSTACK)) {
      stack_t off{};
      off.ss_flags = SS_DISABLE;
      ::sigaltstack(&off, nullptr);
    }
    ::munmap(memory, kAltStackSize);
  }

  void Use() {
    if (!memory) {
      void* block = ::mmap(nullptr, kAltStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (block == MAP_FAILED) return;
      memory = block;
    }
    stack_t stack{};
    stack.ss_sp = memory;
    stack.ss_size = kAltStackSize;
    ::sigaltstack(&stack, nullptr);
  }
};

thread_local TAltStack tAltStack;

int SignalIndex(int signo) noexcept {
  for (int i = 0; i < kSignalCount; ++i)
    if (kTrappedSignals[i] == signo) return i;
  return -1;
}

bool EnterGate() noexcept {
  std::atomic<pid_t>& owner = State().owner;
  const pid_t self = ::gettid();
  if (owner.load() == self) return false;  // a fault inside the trap itself
  for (int i = 0; i < kGateTries; ++i) {
    pid_t expected = 0;
    if (owner.compare_exchange_strong(expected, self)) return true;
    timespec pause{0, 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
  return false;
}

void LeaveGate() noexcept { State().owner.store(0); }

struct TFaultContext {
  uintptr_t pc = 0;
  uintptr_t sp = 0;
};

TFaultContext ContextOf(const siginfo_t* info, const void* context) noexcept {
  TFaultContext fault;
  const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
  if (uc) {
    fault.pc = static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_RIP]);
    fault.sp = static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_RSP]);
  }
#elif defined(__i386__)
  if (uc) {
    fault.pc = static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_EIP]);
    fault.sp = static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_ESP]);
  }
#elif defined(__aarch64__)
  if (uc) {
    fault.pc = static_cast<uintptr_t>(uc->uc_mcontext.pc);
    fault.sp = static_cast<uintptr_t>(uc->uc_mcontext.sp);
  }
#else
  (void)uc;
#endif
  if (fault.pc == 0 && info) fault.pc = reinterpret_cast<uintptr_t>(info->si_addr);
  return fault;
}

size_t PutText(char* out, const char* text) noexcept {
  size_t n = 0;
  while (text[n]) {
    out[n] = text[n];
    ++n;
  }
  return n;
}

size_t PutHex(char* out, uintptr_t value) noexcept {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  constexpr int digits = static_cast<int>(sizeof(uintptr_t) * 2);
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = kDigits[value & 15];
    value >>= 4;
  }
  return digits;
}

// The return addresses of the interrupted code's callers, innermost first,
// each moved back by one byte into its call instruction. The handler's own
// frames and the signal trampoline come before the faulting address in the
// backtrace and are skipped with it.
int CollectCallers(uintptr_t pc, uintptr_t* callers) noexcept {
  void* frames[kFramesAsked];
  const int count = ::backtrace(frames, kFramesAsked);
  int start = -1;
  for (int i = 0; i < count && start < 0; ++i)
    if (reinterpret_cast<uintptr_t>(frames[i]) == pc) start = i + 1;
  int collected = 0;
  for (int i = start < 0 ? count : start; i < count && collected < kMaxCollected; ++i)
    callers[collected++] = reinterpret_cast<uintptr_t>(frames[i]) - 1;
  return collected;
}

size_t BuildTrapLine(char* out, int signo, const siginfo_t* info, const void* context) noexcept {
  const TFaultContext fault = ContextOf(info, context);
  const uintptr_t address = info ? reinterpret_cast<uintptr_t>(info->si_addr) : 0;
  size_t n = PutText(out, FaultName(signo, info ? info->si_code : 0, address, fault.sp));
  out[n++] = '[';
  n += PutHex(out + n, fault.pc);
  uintptr_t callers[kMaxCollected];
  const int collected = CollectCallers(fault.pc, callers);
  for (int i = 0; i < collected && i < kMaxWritten; ++i) {
    out[n++] = ',';
    out[n++] = ' ';
    n += PutHex(out + n, callers[i]);
  }
  out[n++] = ']';
  return n;
}

void WriteTrapLine(int signo, const siginfo_t* info, const void* context) noexcept {
  if (!EnterGate()) return;
  if (const TSignalSafeSink sink = State().signalSink.load()) {
    char line[512];
    sink(line, BuildTrapLine(line, signo, info, context));
  }
  LeaveGate();
}

void TrapHandler(int signo, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  WriteTrapLine(signo, info, context);
  // The previous handler takes over: a processor fault comes back when the
  // faulting instruction runs again, a sent signal is sent again.
  const int index = SignalIndex(signo);
  if (index >= 0) ::sigaction(signo, &State().previous[index], nullptr);
  if (!info || info->si_code <= 0 || signo == SIGINT) ::raise(signo);
  errno = savedErrno;
}

bool IsOurs(int signo) {
  struct sigaction current {};
  return ::sigaction(signo, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) &&
         current.sa_sigaction == &TrapHandler;
}

bool Ignored(const struct sigaction& action) {
  return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN;
}

} // namespace

const char* FaultName(int signo, int code, uintptr_t faultAddress, uintptr_t stackPointer) noexcept {
  if (signo == SIGSEGV && stackPointer != 0) {
    const uintptr_t distance = faultAddress > stackPointer ? faultAddress - stackPointer : stackPointer - faultAddress;
    if (distance < kStackOverflowReach) return "Stack overflow";
  }
  for (const TFaultName& entry : kFaultNames)
    if (entry.signo == signo && (entry.code == kAnyCode || entry.code == code)) return entry.name;
  return "";
}

void InstallExceptionTrap() {
  TTrapState& state = State();
  if (state.installed.load()) return;
  TrapLock();
  // The first backtrace loads the unwinder; that must not happen inside a
  // signal handler.
  void* warmUp[4];
  ::backtrace(warmUp, 4);
  state.previousStackKnown = ::sigaltstack(nullptr, &state.previousStack) == 0;
  tAltStack.Use();
  for (int i = 0; i < kSignalCount; ++i) {
    const int signo = kTrappedSignals[i];
    state.hooked[i] = false;
    if (::sigaction(signo, nullptr, &state.previous[i]) != 0) continue;
    if (signo == SIGINT && Ignored(state.previous[i])) continue;
    struct sigaction action {};
    action.sa_sigaction = &TrapHandler;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    state.hooked[i] = ::sigaction(signo, &action, nullptr) == 0;
  }
  state.installed.store(true);
}

void RemoveExceptionTrap() {
  TTrapState& state = State();
  if (!state.installed.load()) return;
  SetDiagnosticSink(nullptr, nullptr);
  for (int i = 0; i < kSignalCount; ++i) {
    if (state.hooked[i] && IsOurs(kTrappedSignals[i])) ::sigaction(kTrappedSignals[i], &state.previous[i], nullptr);
    state.hooked[i] = false;
  }
  stack_t current{};
  if (tAltStack.memory && ::sigaltstack(nullptr, &current) == 0 && current.ss_sp == tAltStack.memory &&
      !(current.ss_flags & SS_ONSTACK)) {
    stack_t restore{};
    if (state.previousStackKnown) {
      restore = state.previousStack;
      restore.ss_flags &= SS_DISABLE;
    } else {
      restore.ss_flags = SS_DISABLE;
    }
    ::sigaltstack(&restore, nullptr);
  }
  state.installed.store(false);
}

bool ExceptionTrapInstalled() { return State().installed.load(); }

void PrepareThreadForExceptionTrap() { tAltStack.Use(); }

void SetDiagnosticSink(TDiagnosticSink sink, TSignalSafeSink signalSink) {
  std::lock_guard<TCriticalSection> hold(TrapLock());
  State().sink.store(sink);
  State().signalSink.store(signalSink);
}

void ReportText(const std::string& text) {
  try {
    std::lock_guard<TCriticalSection> hold(TrapLock());
    if (const TDiagnosticSink sink = State().sink.load()) sink(text);
  } catch (...) {
    // Diagnostics never raise to their callers.
  }
}

} // namespace qm
