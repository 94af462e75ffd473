// Whole-file helpers on POSIX: existence, reading, and atomic replacement.
#pragma once

#include <string>

namespace qm {

bool FileExists(const std::string& path);

// The whole file; raises EFileError when it cannot be opened or read.
std::string ReadFileBytes(const std::string& path);

// Replace path's content with bytes so that readers see the old file or the
// new one, never a part: the bytes go to a temporary file in the same folder,
// are flushed to disk and renamed over path. An existing file keeps its
// permission bits. Raises EFileError and leaves path untouched on failure.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace qm
