#include "diagnostics/SystemInfo.h"

#include "diagnostics/StringHelpers.h"

#include <cerrno>
#include <clocale>
#include <ctime>
#include <fstream>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define QM_HAVE_CPUID 1
#endif

#ifndef QM_PROGRAM_VERSION
#define QM_PROGRAM_VERSION ""
#endif

namespace qm {

namespace {

constexpr const char* kCrLf = "\r\n";

// The value of the first "key : value" line of a /proc or /etc text file
// whose key is key, quotes around the value removed.
std::string FileValue(const std::string& path, const std::string& key, char separator) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t at = line.find(separator);
    if (at == std::string::npos) continue;
    std::string name = CollapseSpaces(line.substr(0, at));
    if (!name.empty() && name[0] == ' ') name.erase(0, 1);
    if (name != key) continue;
    std::string value = CollapseSpaces(line.substr(at + 1));
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return std::string();
}

// Whole number of kilobytes, a half going to the even neighbour.
uint64_t RoundedKilobytes(uint64_t bytes) {
  uint64_t kilobytes = bytes / 1024;
  const uint64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && (kilobytes & 1))) ++kilobytes;
  return kilobytes;
}

std::string Grouped(uint64_t value, const std::string& separator) {
  const std::string digits = std::to_string(value);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
    text += digits[i];
  }
  return text;
}

std::string ThousandsSeparator() {
  const lconv* conventions = std::localeconv();
  return conventions && conventions->thousands_sep ? std::string(conventions->thousands_sep) : std::string();
}

#ifdef QM_HAVE_CPUID
struct TCpuidRegisters {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
};

TCpuidRegisters Cpuid(unsigned leaf) {
  TCpuidRegisters r;
  __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

std::string RegisterText(std::initializer_list<unsigned> registers) {
  std::string text;
  for (unsigned value : registers)
    for (int i = 0; i < 4; ++i) text += static_cast<char>((value >> (8 * i)) & 0xFF);
  return text;
}

// The time-stamp counter's ticks per microsecond over a 20 ms sleep.
int64_t MeasureMHz() {
  timespec start{};
  timespec end{};
  ::clock_gettime(CLOCK_MONOTONIC, &start);
  const uint64_t ticksBefore = __rdtsc();
  timespec pause{0, 20 * 1000 * 1000};
  while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
  ::clock_gettime(CLOCK_MONOTONIC, &end);
  const uint64_t ticksAfter = __rdtsc();
  const int64_t nanoseconds = (end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec);
  if (nanoseconds <= 0) return 0;
  return static_cast<int64_t>((ticksAfter - ticksBefore) * 1000 / static_cast<uint64_t>(nanoseconds));
}

TProcessorInfo IdentifyByCpuid() {
  TProcessorInfo info;
  if (__get_cpuid_max(0, nullptr) == 0) {
    info.Name = "Unidentified CPU";
    info.Vendor = "Unidentified";
    return info;
  }
  const TCpuidRegisters leaf0 = Cpuid(0);
  const unsigned family = (Cpuid(1).eax >> 8) & 0xF;
  info.Vendor = RegisterText({leaf0.ebx, leaf0.edx, leaf0.ecx});
  if ((__get_cpuid_max(0x80000000, nullptr) & 0x7FFFFFFF) != 0) {
    std::string brand;
    for (unsigned leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
      const TCpuidRegisters r = Cpuid(leaf);
      brand += RegisterText({r.eax, r.ebx, r.ecx, r.edx});
    }
    info.Name = brand.substr(0, brand.find('\0'));
    info.MHz = MeasureMHz();
    return info;
  }
  info.Name = family == 3 ? "Generic 386 CPU" : family == 4 ? "Generic 486 CPU" : family == 5 ? "Pentium Class CPU" : "Unknown CPU";
  info.MHz = family > 4 ? MeasureMHz() : 0;
  return info;
}
#endif

// What the kernel tells about the processor on machines without CPUID.
[[maybe_unused]] TProcessorInfo IdentifyByCpuinfo() {
  const std::string cpuinfo = "/proc/cpuinfo";
  TProcessorInfo info;
  info.Name = FileValue(cpuinfo, "model name", ':');
  if (info.Name.empty()) info.Name = FileValue(cpuinfo, "Hardware", ':');
  if (info.Name.empty()) info.Name = FileValue(cpuinfo, "cpu", ':');
  if (info.Name.empty()) info.Name = "Unknown CPU";
  info.Vendor = FileValue(cpuinfo, "vendor_id", ':');
  if (info.Vendor.empty()) info.Vendor = FileValue(cpuinfo, "CPU implementer", ':');
  if (info.Vendor.empty()) info.Vendor = "Unidentified";
  const std::string mhz = FileValue(cpuinfo, "cpu MHz", ':');
  info.MHz = mhz.empty() ? 0 : static_cast<int64_t>(std::stod(mhz));
  if (info.MHz == 0) {
    std::ifstream in("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
    int64_t value = 0;
    if (in >> value) info.MHz = value / 1000;
  }
  return info;
}

} // namespace

TProcessorInfo IdentifyProcessor() {
#ifdef QM_HAVE_CPUID
  return IdentifyByCpuid();
#else
  return IdentifyByCpuinfo();
#endif
}

std::string ProcessorText() {
  try {
    const TProcessorInfo info = IdentifyProcessor();
    return CollapseSpaces(info.Vendor + " [" + info.Name + "] at " + std::to_string(info.MHz) + " MHz");
  } catch (...) {
    return "Unknown";
  }
}

std::string MemoryText(uint64_t totalBytes, uint64_t swapBytes, const std::string& separator) {
  std::string text = Grouped(RoundedKilobytes(totalBytes), separator) + " Kb (Page File: " +
                     Grouped(RoundedKilobytes(swapBytes), separator) + " Kb)";
  // No-break spaces of the locale (UTF-8 U+00A0 and U+202F, or a Latin-1
  // byte 0xA0) become plain blanks.
  text = ReplaceAll(text, "\xC2\xA0", " ");
  text = ReplaceAll(text, "\xE2\x80\xAF", " ");
  return ReplaceAll(text, "\xA0", " ");
}

std::string OperatingSystemText() {
  utsname names{};
  if (::uname(&names) != 0) return std::string();
  std::string text = std::string(names.sysname) + " " + names.release;
  std::string pretty = FileValue("/etc/os-release", "PRETTY_NAME", '=');
  if (pretty.empty()) pretty = FileValue("/usr/lib/os-release", "PRETTY_NAME", '=');
  if (!pretty.empty()) text += " (" + pretty + ")";
  return text;
}

std::string ProgramFileVersion() { return QM_PROGRAM_VERSION; }

TProgramVersion SplitProgramVersion(const std::string& fileVersion) {
  if (fileVersion.empty()) return {};
  return {GetField(fileVersion, 0, '.') + "." + GetField(fileVersion, 1, '.'), GetField(fileVersion, 3, '.')};
}

std::string SystemInfoText() {
  try {
    struct sysinfo memory {};
    if (::sysinfo(&memory) != 0) return std::string();
    const uint64_t unit = memory.mem_unit ? memory.mem_unit : 1;
    const TProgramVersion version = SplitProgramVersion(ProgramFileVersion());
    const std::string rule(31, '=');
    std::string text = std::string(kCrLf) + kCrLf;
    text += std::string("== Application Info ===========") + kCrLf;
    text += "Quillon " + version.Version + kCrLf;
    text += "Build: " + version.Build + kCrLf;
    text += std::string("== System Info ================") + kCrLf;
    text += "CPU: " + ProcessorText() + kCrLf;
    text += "Memory: " + MemoryText(memory.totalram * unit, memory.totalswap * unit, ThousandsSeparator()) + kCrLf;
    text += "OS: " + OperatingSystemText() + kCrLf;
    text += rule + kCrLf + kCrLf;
    return text;
  } catch (...) {
    return std::string();
  }
}

} // namespace qm
