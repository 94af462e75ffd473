#include "persistence/SettingsModule.h"

#include "TempDir.h"
#include "diagnostics/ExceptionTrap.h"
#include "diagnostics/Log.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionsStore.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qm {
namespace {

class SettingsModuleTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetDataFolder(data_);
    StartLogModule();
    SetLogUserName("ann");
  }
  void TearDown() override {
    EndSettingsModule();
    StopLogModule();
    SetDiagnosticSink(nullptr, nullptr);
    SetDataFolder("");
  }

  test::TempDir dir_;
  const std::string data_ = dir_.File("data/");
};

TEST_F(SettingsModuleTest, StartCutsTheTraceWritesTheReportAndLoadsTheSettings) {
  std::filesystem::create_directories(data_);
  std::string old;
  for (int i = 0; old.size() < 300000; ++i) old += "old line " + std::to_string(i) + "\r\n";
  old.resize(300000);
  test::WriteFile(data_ + "assertions.dat", old);
  test::WriteFile(data_ + "config.dat", "Skin=Plain\r\nFormLayout=|0|0|640|480\r\n");
  test::WriteFile(data_ + "dictionaries.info", "en_us=English (United States)\r\nde_de=German\r\n");

  StartSettingsModule();

  const std::string trace = test::ReadFile(data_ + "assertions.dat");
  ASSERT_GT(trace.size(), 262144u);
  EXPECT_EQ(trace.substr(0, 262144), old.substr(300000 - 262144));
  const std::string entry = trace.substr(262144);
  EXPECT_EQ(entry.substr(19, 11), " (ann) \r\n\r\n");
  EXPECT_NE(entry.find("== Application Info ===========\r\nQuillon "), std::string::npos);
  EXPECT_NE(entry.find("\r\nOS: "), std::string::npos);
  EXPECT_EQ(entry.substr(entry.size() - 39), "\r\n===============================\r\n\r\n\r\n");

  EXPECT_EQ(ReadOptionString(Options(), "Skin"), "Plain");
  EXPECT_EQ(ReadOptionString(Options(), "MaxFileSize"), "1024");  // defaults fill the rest
  EXPECT_EQ(test::ReadFile(data_ + "config.dat"), "Skin=Plain\r\nFormLayout=|0|0|640|480\r\n");  // not saved
  EXPECT_EQ(DictionaryTitle("en_us"), "English (United States)");

  // The trap's sink is the log now.
  ReportText("reported");
  EXPECT_NE(test::ReadFile(data_ + "assertions.dat").find(" (ann) reported\r\n"), std::string::npos);

  EndSettingsModule();
  EXPECT_EQ(Options().Count(), 0);
  EXPECT_EQ(DictionaryDescriptions().Count(), 0);
}

TEST_F(SettingsModuleTest, FirstRunCreatesTheDataFolderWithTheReportOnly) {
  StartSettingsModule();
  EXPECT_TRUE(std::filesystem::is_directory(data_));
  const std::string trace = test::ReadFile(data_ + "assertions.dat");
  EXPECT_EQ(trace.substr(19, 11), " (ann) \r\n\r\n");
  EXPECT_NE(trace.find("== System Info ================\r\nCPU: "), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(data_ + "config.dat"));
  EXPECT_TRUE(ReadOptionBool(Options(), "WordWrap"));
  EXPECT_EQ(DictionaryDescriptions().Count(), 0);
}

} // namespace
} // namespace qm
