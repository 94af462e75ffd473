// How quillon-check prints what it found: compiler-style lines or JSON lines.
#pragma once

#include "cli/CheckRunner.h"
#include "cli/CommandLine.h"

#include <string>

namespace qm::cli {

// FILE:LINE:COL: WORD, with " -> s1, s2, s3" when suggestions are given.
std::string FormatText(const std::string& path, const TFoundMisprint& misprint, bool withSuggestions);
// {"file":...,"line":N,"column":N,"word":...[,"suggestions":[...]]}
std::string FormatJson(const std::string& path, const TFoundMisprint& misprint, bool withSuggestions);
// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& utf8);

} // namespace qm::cli
