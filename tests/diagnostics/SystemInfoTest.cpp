#include "diagnostics/SystemInfo.h"

#include <gtest/gtest.h>

#include <regex>
#include <sys/utsname.h>

namespace qm {
namespace {

TEST(SystemInfoTest, ReportHasTheFixedLayout) {
  const std::string report = SystemInfoText();
  const TProgramVersion version = SplitProgramVersion(ProgramFileVersion());
  const std::regex layout(
      "\r\n\r\n"
      "== Application Info ===========\r\n"
      "Quillon " + version.Version + "\r\n"
      "Build: " + version.Build + "\r\n"
      "== System Info ================\r\n"
      "CPU: [^\r\n]+ \\[[^\r\n]*\\] at \\d+ MHz\r\n"
      "Memory: [^\r\n]+ Kb \\(Page File: [^\r\n]+ Kb\\)\r\n"
      "OS: [^\r\n]+\r\n"
      "={31}\r\n\r\n");
  EXPECT_TRUE(std::regex_match(report, layout)) << report;
}

TEST(SystemInfoTest, VersionComesFromTheBuild) {
  EXPECT_TRUE(std::regex_match(ProgramFileVersion(), std::regex("\\d+\\.\\d+\\.\\d+\\.\\d+"))) << ProgramFileVersion();
  const TProgramVersion version = SplitProgramVersion("1.1.0.43");
  EXPECT_EQ(version.Version, "1.1");
  EXPECT_EQ(version.Build, "43");
  const TProgramVersion none = SplitProgramVersion("");
  EXPECT_EQ(none.Version, "");
  EXPECT_EQ(none.Build, "");
}

TEST(SystemInfoTest, MemoryTextGroupsRoundedKilobytes) {
  struct Case {
    uint64_t total;
    uint64_t swap;
    std::string separator;
    std::string text;
  };
  const Case cases[] = {
      {2147483648ULL, 1073741824ULL, ",", "2,097,152 Kb (Page File: 1,048,576 Kb)"},
      {2147483648ULL, 0, "", "2097152 Kb (Page File: 0 Kb)"},
      {2147483648ULL, 0, "\xC2\xA0", "2 097 152 Kb (Page File: 0 Kb)"},      // UTF-8 no-break space
      {2147483648ULL, 0, "\xE2\x80\xAF", "2 097 152 Kb (Page File: 0 Kb)"},  // narrow no-break space
      {2147483648ULL, 0, "\xA0", "2 097 152 Kb (Page File: 0 Kb)"},          // Latin-1 no-break space
      {1536, 2560, ",", "2 Kb (Page File: 2 Kb)"},                             // halves go to even
      {1535, 1537, ",", "1 Kb (Page File: 2 Kb)"},
      {999 * 1024, 1000 * 1024, ".", "999 Kb (Page File: 1.000 Kb)"},
  };
  for (const Case& c : cases) EXPECT_EQ(MemoryText(c.total, c.swap, c.separator), c.text);
}

TEST(SystemInfoTest, ProcessorAndSystemTexts) {
  const TProcessorInfo processor = IdentifyProcessor();
  EXPECT_FALSE(processor.Name.empty());
  EXPECT_FALSE(processor.Vendor.empty());
#if defined(__x86_64__) || defined(__i386__)
  EXPECT_GT(processor.MHz, 0);
#endif
  const std::string text = ProcessorText();
  EXPECT_EQ(text.find("  "), std::string::npos) << text;
  EXPECT_EQ(text.rfind(" MHz"), text.size() - 4) << text;

  utsname names{};
  ASSERT_EQ(::uname(&names), 0);
  const std::string system = OperatingSystemText();
  EXPECT_EQ(system.rfind(std::string(names.sysname) + " " + names.release, 0), 0u) << system;
}

} // namespace
} // namespace qm
