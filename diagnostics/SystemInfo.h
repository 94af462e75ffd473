// The system information report written to the diagnostic log at every start,
// and the processor identification it uses.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

struct TProcessorInfo {
  std::string Name;
  std::string Vendor;
  int64_t MHz = 0;
};

// x86: the CPUID brand and vendor strings and the time-stamp counter's rate
// measured against the monotonic clock over 20 ms; elsewhere what
// /proc/cpuinfo says.
TProcessorInfo IdentifyProcessor();

// The report: an empty line, "== Application Info ===========", "Quillon " +
// version, "Build: " + build, "== System Info ================", "CPU: ",
// "Memory: ", "OS: ", 31 "=" and an empty line, every line ending in CR LF.
// Empty when anything fails.
std::string SystemInfoText();

// The pieces of the report.
// vendor + " [" + name + "] at " + MHz + " MHz", white space collapsed;
// "Unknown" when identification fails.
std::string ProcessorText();
// "<total> Kb (Page File: <swap> Kb)": bytes / 1024 rounded, digits grouped
// by three with separator, non-breaking spaces turned into blanks.
std::string MemoryText(uint64_t totalBytes, uint64_t swapBytes, const std::string& separator);
// Kernel name and release and the distribution's pretty name, such as
// "Linux 6.1.0-18-amd64 (Debian GNU/Linux 12 (bookworm))".
std::string OperatingSystemText();

// The program's four-part version as the build set it ("1.1.0.43").
std::string ProgramFileVersion();
struct TProgramVersion {
  std::string Version;  // the first two fields, "1.1"
  std::string Build;    // the fourth field, "43"
};
TProgramVersion SplitProgramVersion(const std::string& fileVersion);

} // namespace qm
