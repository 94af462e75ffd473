// The compressed tail of the diagnostic trace file that goes out with user
// feedback; packing it also cuts the file down to that tail.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// What both callers pass: the settings module at start-up and the feedback
// sender for each message.
inline constexpr int64_t kDiagnosticTailBytes = 262144;
inline constexpr int32_t kDiagnosticPackCapacity = 60000;

// Base64 (standard alphabet, no line breaks) of the gzip-compressed last
// min(size, maxTailBytes) bytes of TraceFile(). A longer file is rewritten
// (atomically) to hold exactly those bytes. Empty when initialCapacity is
// below 1024, the file is missing or empty, or it could not be read. The file
// is read under a shared flock, so log writers of any process wait for it
// (through their retries), and under the default log's lock, so no line of
// this process goes into the old file while the tail is rewritten. Never
// raises.
std::string PackDiagnostics(int64_t maxTailBytes, int32_t initialCapacity);

// The compression with its retry rule: gzip tail from a start offset into a
// buffer of initialCapacity bytes that grows as needed (never beyond
// outputLimit when that is above 0), in pieces of 16384 bytes. When the
// compressor fails, the next attempt starts at size - 0.9 * (bytes consumed -
// 16384), rounded half to even, so a shorter end part is tried; after 3
// failures, or when nothing would be left to pack, the result is empty.
std::string PackTail(const std::string& tail, int32_t initialCapacity, int32_t outputLimit = 0);

} // namespace qm
