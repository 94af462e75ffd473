// The low-level side of the diagnostic log: appending one line to the file
// under an advisory lock with retries, and the time stamps of its lines.
// AppendToLogFile and SignalSafeTimeStamp use only async-signal-safe calls,
// so the exception trap can write from a signal handler.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace qm {

// Called between two attempts to open and lock the log file.
using TLogWait = void (*)();

inline constexpr int kLogAttempts = 10;

// Sleeps 10 ms.
void WaitBetweenLogAttempts() noexcept;

// Appends length bytes to the file at path with one write(2), creating the
// file when it is missing. Each attempt opens the file and takes an exclusive
// flock without blocking; a reader holding a shared lock (the tail packer)
// makes the attempt fail, and so does a file that was replaced between the
// open and the lock. Up to attempts attempts, wait() between two of them.
// False when the bytes could not be written.
bool AppendToLogFile(const char* path, const char* bytes, size_t length, int attempts, TLogWait wait) noexcept;

// "dd-mm-yyyy hh:nn:ss"; without the date part (and its blank) when withDate
// is false.
std::string FormatLogTimeStamp(const std::tm& time, bool withDate);
// "dd-mm-yyyy", the date of a daily log's file name.
std::string FormatLogDate(const std::tm& time);

// The same stamp for the current time, written into buffer (at least 20
// bytes) without the C library's time zone code: utcOffsetSeconds is the
// local offset that ordinary code saw last. Answers the length written.
size_t SignalSafeTimeStamp(char* buffer, long utcOffsetSeconds, bool withDate) noexcept;

} // namespace qm
