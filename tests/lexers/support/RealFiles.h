// Source files written by others, found on this machine, for lexer property
// tests and benchmarks. Missing folders are skipped.
#pragma once

#include <string>
#include <vector>

namespace qm::test {

struct RealFileSource {
  std::string folder;                   // searched recursively
  std::vector<std::string> extensions;  // with the dot, lower case
};

// Up to maxFiles files of at most maxFileBytes each, taken in sorted path
// order so runs are repeatable, until maxTotalBytes are collected.
std::vector<std::string> FindRealFiles(const std::vector<RealFileSource>& sources, size_t maxFiles,
                                       size_t maxFileBytes, size_t maxTotalBytes);

// Where each language's files are usually found on a Debian machine.
std::vector<RealFileSource> RealFileSourcesFor(const std::string& languageName);

std::string ReadWholeFile(const std::string& path);

} // namespace qm::test
