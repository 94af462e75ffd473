#include "diagnostics/Log.h"

#include "TempDir.h"
#include "platform/ProgramFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace qm {
namespace {

std::tm LocalTime(int day, int month, int year, int hour, int minute, int second) {
  std::tm time{};
  time.tm_mday = day;
  time.tm_mon = month - 1;
  time.tm_year = year - 1900;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

TLogClock FixedClock(const std::tm& time) {
  return [time](std::tm& now) {
    now = time;
    return true;
  };
}

// Counts the pauses between attempts and can let go of a lock at one of them.
int gWaits = 0;
int gReleaseAtWait = 0;
int gLockedFd = -1;
void CountingWait() {
  if (++gWaits == gReleaseAtWait) ::flock(gLockedFd, LOCK_UN);
}

class LogTest : public ::testing::Test {
protected:
  void SetUp() override {
    StartLogModule();
    SetLogUserName("ann");
    SetLogClock(FixedClock(LocalTime(9, 12, 2026, 18, 40, 13)));
    ConfigureLog(path_, false, true);
  }
  void TearDown() override {
    StopLogModule();
    SetLogClock({});
    SetLogRetryWait(nullptr);
  }
  std::string Log() const { return test::ReadFile(path_); }

  test::TempDir dir_;
  const std::string path_ = dir_.File("assertions.dat");
};

TEST_F(LogTest, LinesCarryTimeStampUserAndText) {
  struct Case {
    std::tm time;
    std::optional<std::string> user;
    bool userPrefix;
    std::string text;
    std::string line;
  };
  const std::tm evening = LocalTime(9, 12, 2026, 18, 40, 13);
  const Case cases[] = {
      {evening, "ann", true, "x", "09-12-2026 18:40:13 (ann) x\r\n"},
      {LocalTime(1, 1, 2027, 0, 0, 0), "ann", true, "x", "01-01-2027 00:00:00 (ann) x\r\n"},
      {evening, std::nullopt, true, "x", "09-12-2026 18:40:13 x\r\n"},
      {evening, "", true, "x", "09-12-2026 18:40:13 x\r\n"},
      {evening, "ann", false, "x", "09-12-2026 18:40:13 x\r\n"},
      {evening, "ann", true, "\r\n\r\ntwo\r\nlines\r\n", "09-12-2026 18:40:13 (ann) \r\n\r\ntwo\r\nlines\r\n\r\n"},
      {LocalTime(31, 7, 999, 9, 5, 7), "ann", true, "", "31-07-0999 09:05:07 (ann) \r\n"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(path_);
    SetLogUserName(c.user);
    SetLogClock(FixedClock(c.time));
    ConfigureLog(path_, false, c.userPrefix);
    WriteLogLine(c.text);
    EXPECT_EQ(Log(), c.line);
  }
}

TEST_F(LogTest, ClockFailureLeavesTheStampEmpty) {
  SetLogClock([](std::tm&) { return false; });
  WriteLogLine("x");
  EXPECT_EQ(Log(), " (ann) x\r\n");
}

TEST_F(LogTest, LongUserNamesAreCut) {
  SetLogUserName(std::string(300, 'u'));
  WriteLogLine("x");
  EXPECT_EQ(Log(), "09-12-2026 18:40:13 (" + std::string(254, 'u') + ") x\r\n");
}

TEST_F(LogTest, LinesAreAppended) {
  test::WriteFile(path_, "old\r\n");
  WriteLogLine("a");
  WriteLogLine("b");
  EXPECT_EQ(Log(), "old\r\n09-12-2026 18:40:13 (ann) a\r\n09-12-2026 18:40:13 (ann) b\r\n");
}

TEST_F(LogTest, DailyLogPutsTheDateInTheFileNameAndStampsTheTime) {
  ConfigureLog(dir_.File("run.log"), true, false);
  EXPECT_EQ(DefaultLogFile(), dir_.File("run(09-12-2026).log"));
  WriteLogLine("x");
  EXPECT_EQ(test::ReadFile(dir_.File("run(09-12-2026).log")), "18:40:13 x\r\n");
}

TEST_F(LogTest, ConfigureCreatesTheFolderAndKeepsMissingParts) {
  const std::string folder = dir_.File("data/deeper/");
  ConfigureLog(folder + "assertions.dat", false, true);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(DefaultLogFile(), folder + "assertions.dat");

  ConfigureLog(dir_.File("other/"), false, true);  // no file name: the old one stays
  EXPECT_EQ(DefaultLogFile(), dir_.File("other/assertions.dat"));
  ConfigureLog("trace", false, true);  // no folder, no extension
  EXPECT_EQ(DefaultLogFile(), dir_.File("other/trace.dat"));

  // A folder that cannot be made falls back to the program's.
  test::WriteFile(dir_.File("plain"), "x");
  ConfigureLog(dir_.File("plain/sub/x.log"), false, true);
  EXPECT_EQ(DefaultLogFile(), ProgramFileFolder() + "x.log");
}

TEST_F(LogTest, NothingIsWrittenBeforeConfigurationOrAfterStop) {
  StopLogModule();
  WriteLogLine("stopped");
  EXPECT_FALSE(std::filesystem::exists(path_));

  StartLogModule();  // a new default log has no file
  WriteLogLine("unconfigured");
  EXPECT_EQ(DefaultLogFile(), "");
  EXPECT_FALSE(std::filesystem::exists(path_));

  SetLogUserName("ann");
  ConfigureLog(path_, false, true);
  WriteLogLine("written");
  StopLogModule();
  WriteLogLine("stopped again");
  ConfigureLog(path_, false, true);
  WriteLogLine("still stopped");
  EXPECT_EQ(Log(), "09-12-2026 18:40:13 (ann) written\r\n");
}

TEST_F(LogTest, LockedFileGetsTenAttemptsThenTheLineIsDropped) {
  test::WriteFile(path_, "");
  const int reader = ::open(path_.c_str(), O_RDONLY);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(::flock(reader, LOCK_SH), 0);
  gWaits = 0;
  gReleaseAtWait = 0;
  SetLogRetryWait(&CountingWait);

  WriteLogLine("lost");
  EXPECT_EQ(gWaits, kLogAttempts - 1);
  EXPECT_EQ(Log(), "");

  // The reader lets go during the pauses: the line goes in at the next attempt.
  gWaits = 0;
  gReleaseAtWait = 3;
  gLockedFd = reader;
  WriteLogLine("late");
  EXPECT_EQ(gWaits, 3);
  EXPECT_EQ(Log(), "09-12-2026 18:40:13 (ann) late\r\n");
  ::close(reader);
}

TEST_F(LogTest, LinesOfTwoThreadsNeverInterleave) {
  SetLogClock({});
  constexpr int kLines = 400;
  const std::string a(300, 'a');
  const std::string b(300, 'b');
  std::thread first([&] {
    for (int i = 0; i < kLines; ++i) WriteLogLine(a);
  });
  std::thread second([&] {
    for (int i = 0; i < kLines; ++i) WriteLogLine(b);
  });
  first.join();
  second.join();

  const std::string log = Log();
  int countA = 0;
  int countB = 0;
  size_t start = 0;
  while (start < log.size()) {
    const size_t end = log.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    const std::string line = log.substr(start, end - start);
    ASSERT_GT(line.size(), 26u);
    const std::string text = line.substr(line.size() - 300);
    if (text == a) ++countA;
    else if (text == b) ++countB;
    else FAIL() << "mixed line: " << line;
    EXPECT_EQ(line.substr(19, 7), " (ann) ");
    start = end + 2;
  }
  EXPECT_EQ(countA, kLines);
  EXPECT_EQ(countB, kLines);
}

TEST_F(LogTest, SignalSafeWriterUsesTheSameFormat) {
  SetLogClock({});
  ConfigureLog(path_, false, true);
  const char text[] = "from a handler";
  WriteLogLineFromSignal(text, sizeof text - 1);
  const std::string log = Log();
  ASSERT_EQ(log.size(), 19u + 7u + 14u + 2u);
  EXPECT_EQ(log.substr(19), " (ann) from a handler\r\n");
}

TEST(LogFileTest, SignalSafeTimeStampAgreesWithTheCalendar) {
  // Offsets from the present reach far into the past and the future, over
  // leap days and century years.
  for (long long days = -80000; days <= 80000; days += 997) {
    const long offset = static_cast<long>(days * 86400 + days % 86400);
    for (int attempt = 0; attempt < 3; ++attempt) {
      const time_t before = ::time(nullptr);
      char buffer[24];
      const std::string stamp(buffer, SignalSafeTimeStamp(buffer, offset, true));
      if (::time(nullptr) != before) continue;  // a second boundary passed
      const time_t local = before + offset;
      std::tm expected{};
      ASSERT_NE(::gmtime_r(&local, &expected), nullptr);
      EXPECT_EQ(stamp, FormatLogTimeStamp(expected, true)) << days;
      break;
    }
  }
  char buffer[24];
  EXPECT_EQ(SignalSafeTimeStamp(buffer, 0, false), 8u);
}

TEST(CriticalSectionTest, NamedLocksAreListedWhileTheyExist) {
  const auto count = [](const std::string& name) {
    const std::vector<std::string> names = RegisteredLockNames();
    return std::count(names.begin(), names.end(), name);
  };
  {
    TCriticalSection lock("FeedbackThread-test");
    EXPECT_EQ(lock.Name(), "FeedbackThread-test");
    EXPECT_EQ(count("FeedbackThread-test"), 1);
    lock.Enter();
    lock.Enter();  // the holder may take it again
    lock.Leave();
    lock.Leave();
  }
  EXPECT_EQ(count("FeedbackThread-test"), 0);
  StartLogModule();
  EXPECT_EQ(count("unitLog."), 1);
  StopLogModule();
}

} // namespace
} // namespace qm
