#include "diagnostics/LogFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

bool WriteAll(int fd, const char* bytes, size_t length) noexcept {
  while (length > 0) {
    const ssize_t n = ::write(fd, bytes, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

// The descriptor still names the file at path: a tail rewrite renames a new
// file over the old one, and a line appended to the old one would be lost.
bool StillThere(int fd, const char* path) noexcept {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::stat(path, &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// One attempt: 1 written, 0 worth another try, -1 failed while writing.
int AppendOnce(const char* path, const char* bytes, size_t length) noexcept {
  const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return 0;
  int result = 0;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillThere(fd, path)) result = WriteAll(fd, bytes, length) ? 1 : -1;
  ::close(fd);  // releases the lock
  return result;
}

void PutTwoDigits(char* out, int value) noexcept {
  out[0] = static_cast<char>('0' + value / 10 % 10);
  out[1] = static_cast<char>('0' + value % 10);
}

// Days since 1970-01-01 to year, month (1-12), day (1-31) of the civil
// calendar, for any day count (Howard Hinnant's algorithm).
void CivilFromDays(long long days, long long& year, int& month, int& day) noexcept {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

// Writes the stamp into out (20 bytes at least); answers its length.
size_t PutStamp(char* out, long long year, int month, int day, int hour, int minute, int second, bool withDate) noexcept {
  size_t n = 0;
  if (withDate) {
    PutTwoDigits(out, day);
    out[2] = '-';
    PutTwoDigits(out + 3, month);
    out[5] = '-';
    const long long y = year < 0 ? 0 : year % 10000;
    PutTwoDigits(out + 6, static_cast<int>(y / 100));
    PutTwoDigits(out + 8, static_cast<int>(y % 100));
    out[10] = ' ';
    n = 11;
  }
  PutTwoDigits(out + n, hour);
  out[n + 2] = ':';
  PutTwoDigits(out + n + 3, minute);
  out[n + 5] = ':';
  PutTwoDigits(out + n + 6, second);
  return n + 8;
}

} // namespace

void WaitBetweenLogAttempts() noexcept {
  timespec pause{0, 10 * 1000 * 1000};
  while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

bool AppendToLogFile(const char* path, const char* bytes, size_t length, int attempts, TLogWait wait) noexcept {
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    const int result = AppendOnce(path, bytes, length);
    if (result != 0) return result > 0;
    if (attempt < attempts && wait) wait();
  }
  return false;
}

std::string FormatLogTimeStamp(const std::tm& time, bool withDate) {
  char buffer[24];
  const size_t length = PutStamp(buffer, 1900LL + time.tm_year, time.tm_mon + 1, time.tm_mday, time.tm_hour,
                                 time.tm_min, time.tm_sec, withDate);
  return std::string(buffer, length);
}

std::string FormatLogDate(const std::tm& time) { return FormatLogTimeStamp(time, true).substr(0, 10); }

size_t SignalSafeTimeStamp(char* buffer, long utcOffsetSeconds, bool withDate) noexcept {
  timespec now{};
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0) return 0;
  const long long local = static_cast<long long>(now.tv_sec) + utcOffsetSeconds;
  const long long days = (local >= 0 ? local : local - 86399) / 86400;
  const long long secondOfDay = local - days * 86400;
  long long year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(days, year, month, day);
  return PutStamp(buffer, year, month, day, static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                  static_cast<int>(secondOfDay % 60), withDate);
}

} // namespace qm
