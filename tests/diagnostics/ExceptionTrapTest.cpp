#include "diagnostics/ExceptionTrap.h"

#include "TempDir.h"
#include "diagnostics/CriticalSection.h"
#include "diagnostics/Log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <regex>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm {
namespace {

constexpr int kHexDigits = static_cast<int>(sizeof(void*) * 2);

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// The faults the children run into. None of them may be folded away by the
// optimiser or caught by the sanitizers first, hence the volatile pointer to
// a small non-null address and the assembler division.
int* volatile gNowhere = reinterpret_cast<int*>(16);
volatile bool gNever = false;

[[gnu::noinline]] void WriteThroughNull() { *gNowhere = 1; }

[[gnu::noinline]] int Recurse(volatile char* previous) {
  volatile char block[1024];
  block[0] = previous ? previous[0] : 1;
  if (gNever) return block[0];
  return Recurse(block) + block[0];
}
[[gnu::noinline]] void OverflowTheStack() { Recurse(nullptr); }

[[gnu::noinline]] void DivideByZero() {
#if defined(__x86_64__) || defined(__i386__)
  int zero = 0;
  int result = 1;
  asm volatile("cltd\n\tidivl %1" : "+a"(result) : "r"(zero) : "edx", "cc");
#else
  ::raise(SIGFPE);
#endif
}

[[gnu::noinline]] void ExecuteInvalidInstruction() { __builtin_trap(); }

[[gnu::noinline]] void PressControlC() { ::raise(SIGINT); }

// Runs body in a child process and answers its wait status; a child that
// hangs is killed and counts as a failure.
int RunInChild(const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const int quiet = ::open("/dev/null", O_WRONLY);  // the sanitizers' reports
    if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
    body();
    ::_exit(0);
  }
  int status = 0;
  for (int i = 0; i < 6000; ++i) {
    if (::waitpid(child, &status, WNOHANG) == child) return status;
    ::usleep(10 * 1000);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  ADD_FAILURE() << "the child hung";
  return -1;
}

// The handling of the fault went on as without the trap: the signal ended
// the child (the sanitizers' own handlers end it their way).
void ExpectEndedBy(int status, int signo) {
  if (kSanitized && signo != SIGINT) {
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0)) << status;
  } else {
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signo);
  }
}

struct TTrapLine {
  std::string name;
  std::vector<uintptr_t> addresses;
};

// Splits "dd-mm-yyyy hh:nn:ss (ann) name[addr, addr]\r\n".
std::vector<TTrapLine> TrapLines(const std::string& log) {
  static const std::regex line("(\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d) \\(ann\\) ([A-Za-z -]*)\\[([0-9A-F, ]*)\\]\r\n");
  std::vector<TTrapLine> lines;
  size_t matched = 0;
  for (std::sregex_iterator it(log.begin(), log.end(), line), end; it != end; ++it) {
    EXPECT_EQ(static_cast<size_t>(it->position()), matched) << "unexpected text in " << log;
    matched = it->position() + it->length();
    TTrapLine trap{(*it)[2].str(), {}};
    const std::string list = (*it)[3].str();
    static const std::regex address("[0-9A-F]+");
    for (std::sregex_iterator a(list.begin(), list.end(), address), none; a != none; ++a) {
      EXPECT_EQ(a->length(), kHexDigits) << list;
      trap.addresses.push_back(std::stoull(a->str(), nullptr, 16));
    }
    EXPECT_EQ(list.find(",,"), std::string::npos);
    lines.push_back(trap);
  }
  EXPECT_EQ(matched, log.size()) << "unexpected text in " << log;
  return lines;
}

class ExceptionTrapTest : public ::testing::Test {
protected:
  // In the child: the log on path_ with user "ann", the trap, and the sink
  // unless told otherwise.
  void PrepareChild(bool connectSink) {
    StartLogModule();
    SetLogUserName("ann");
    ConfigureLog(path_, false, true);
    InstallExceptionTrap();
    if (connectSink) SetDiagnosticSink(&WriteLogLine, &WriteLogLineFromSignal);
  }

  test::TempDir dir_;
  const std::string path_ = dir_.File("assertions.dat");
};

TEST_F(ExceptionTrapTest, FaultsWriteOneNamedLineAndEndTheProcessAsBefore) {
  struct Case {
    const char* name;
    void (*fault)();
    int signo;
  };
  const Case cases[] = {
      {"Access violation", &WriteThroughNull, SIGSEGV},
      {"Stack overflow", &OverflowTheStack, SIGSEGV},
      {"Devision by zero", &DivideByZero, SIGFPE},
      {"", &ExecuteInvalidInstruction, SIGILL},  // a fault without a name
      {"Control-C exit", &PressControlC, SIGINT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(path_);
    const int status = RunInChild([&] {
      std::signal(SIGINT, SIG_DFL);  // a shell may have started the tests with it ignored
      PrepareChild(true);
      c.fault();
    });
    ExpectEndedBy(status, c.signo);
    const std::vector<TTrapLine> lines = TrapLines(test::ReadFile(path_));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].name, c.name);
    ASSERT_GE(lines[0].addresses.size(), 1u);
    EXPECT_LE(lines[0].addresses.size(), 8u);
  }
}

TEST_F(ExceptionTrapTest, LineNamesTheFaultingInstructionAndItsCallers) {
  const int status = RunInChild([&] {
    PrepareChild(true);
    WriteThroughNull();
  });
  ExpectEndedBy(status, SIGSEGV);
  const std::vector<TTrapLine> lines = TrapLines(test::ReadFile(path_));
  ASSERT_EQ(lines.size(), 1u);
  const uintptr_t function = reinterpret_cast<uintptr_t>(&WriteThroughNull);
  EXPECT_GE(lines[0].addresses[0], function);
  EXPECT_LT(lines[0].addresses[0], function + 256);
  EXPECT_GE(lines[0].addresses.size(), 2u) << "no callers";
}

TEST_F(ExceptionTrapTest, NothingIsTracedBeforeTheSinkIsSet) {
  const int status = RunInChild([&] {
    PrepareChild(false);
    WriteThroughNull();
  });
  ExpectEndedBy(status, SIGSEGV);
  EXPECT_EQ(test::ReadFile(path_), "");
}

TEST_F(ExceptionTrapTest, FaultInsideTheLogWriterDoesNotDeadlock) {
  const int status = RunInChild([&] {
    PrepareChild(true);
    // The clock runs while the writer holds its lock.
    SetLogClock([](std::tm&) {
      WriteThroughNull();
      return false;
    });
    WriteLogLine("never written");
  });
  ExpectEndedBy(status, SIGSEGV);
  const std::vector<TTrapLine> lines = TrapLines(test::ReadFile(path_));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].name, "Access violation");
}

[[gnu::noinline]] void FaultingSink(const char*, size_t) noexcept { WriteThroughNull(); }

TEST_F(ExceptionTrapTest, FaultInsideTheTrapIsNotTracedAgain) {
  const int status = RunInChild([&] {
    PrepareChild(false);
    SetDiagnosticSink(&WriteLogLine, &FaultingSink);
    WriteThroughNull();
  });
  ASSERT_TRUE(WIFSIGNALED(status) || WIFEXITED(status));
  EXPECT_NE(status, 0);
  EXPECT_EQ(test::ReadFile(path_), "");
}

TEST_F(ExceptionTrapTest, ThrownExceptionsAreNeverTraced) {
  PrepareChild(true);
  try {
    throw std::runtime_error("the program's own");
  } catch (const std::exception&) {
  }
  EXPECT_FALSE(std::filesystem::exists(path_));
  RemoveExceptionTrap();
  StopLogModule();
}

std::vector<std::string> gReported;
void RecordingSink(const std::string& text) { gReported.push_back(text); }

TEST_F(ExceptionTrapTest, ReportTextGoesToTheSinkWhileThereIsOne) {
  gReported.clear();
  ReportText("before");
  InstallExceptionTrap();
  SetDiagnosticSink(&RecordingSink, nullptr);
  ReportText("line one\r\nline two");
  RemoveExceptionTrap();  // clears the sink
  ReportText("after");
  EXPECT_EQ(gReported, std::vector<std::string>{"line one\r\nline two"});
}

TEST_F(ExceptionTrapTest, RemovingPutsThePreviousHandlersBack) {
  struct sigaction before {};
  ::sigaction(SIGSEGV, nullptr, &before);
  InstallExceptionTrap();
  EXPECT_TRUE(ExceptionTrapInstalled());
  const std::vector<std::string> names = RegisteredLockNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "unitExceptions"), names.end());
  struct sigaction during {};
  ::sigaction(SIGSEGV, nullptr, &during);
  EXPECT_NE(during.sa_sigaction, before.sa_sigaction);
  RemoveExceptionTrap();
  EXPECT_FALSE(ExceptionTrapInstalled());
  struct sigaction after {};
  ::sigaction(SIGSEGV, nullptr, &after);
  EXPECT_EQ(after.sa_sigaction, before.sa_sigaction);
}

TEST(FaultNameTest, FaultsNextToTheStackPointerAreStackOverflows) {
  const uintptr_t sp = 0x7ffd00010000;
  EXPECT_STREQ(FaultName(SIGSEGV, SEGV_MAPERR, sp - 8, sp), "Stack overflow");
  EXPECT_STREQ(FaultName(SIGSEGV, SEGV_ACCERR, sp - 4096, sp), "Stack overflow");
  EXPECT_STREQ(FaultName(SIGSEGV, SEGV_MAPERR, 0, sp), "Access violation");
  EXPECT_STREQ(FaultName(SIGBUS, BUS_ADRERR, 0x1000, sp), "Access violation");
  EXPECT_STREQ(FaultName(SIGFPE, FPE_FLTDIV, 0, sp), "Float devision by zero");
  EXPECT_STREQ(FaultName(SIGILL, ILL_PRVOPC, 0, sp), "Priveleged instruction");
  EXPECT_STREQ(FaultName(SIGILL, ILL_ILLOPN, 0, sp), "");
}

} // namespace
} // namespace qm
