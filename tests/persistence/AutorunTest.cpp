#include "persistence/Autorun.h"

#include "TempDir.h"
#include "platform/ProgramFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qm {
namespace {

class AutorunTest : public ::testing::Test {
protected:
  void SetUp() override { SetHomeFolder(home_.Path().string()); }
  void TearDown() override { SetHomeFolder(""); }

  std::string Entry() const { return home_.File(".config/autostart/Quillon.desktop"); }
  void WriteEntry(const std::string& text) {
    std::filesystem::create_directories(home_.File(".config/autostart"));
    test::WriteFile(Entry(), text);
  }

  test::TempDir home_;
};

TEST_F(AutorunTest, EntryIsTheDesktopFileInTheHomeAutostartFolder) {
  EXPECT_EQ(AutorunEntryFile(), home_.Path().string() + "/.config/autostart/Quillon.desktop");
  SetHomeFolder("");
  EXPECT_FALSE(HomeFolder().empty());  // from the password database
  EXPECT_EQ(HomeFolder().back(), '/');
}

TEST_F(AutorunTest, OnlyEntriesNamingThisProgramAreFound) {
  const std::string program = ProgramFile();
  ASSERT_FALSE(program.empty());
  struct Case {
    std::string text;
    bool found;
  };
  const Case cases[] = {
      {"[Desktop Entry]\nType=Application\nExec=\"" + program + "\" /min\n", true},
      {"[Desktop Entry]\r\nExec=\"" + program + "\"\r\n", true},
      {"[Desktop Entry]\nExec=" + program + "\n", true},
      {"[Desktop Entry]\nExec=" + program + " --minimized\n", true},
      {"[Desktop Entry]\nExec = \"" + program + "\"\n", true},
      {"[Desktop Entry]\nExec=\"/opt/other/quillon-mini\" /min\n", false},
      {"[Desktop Entry]\nExec=" + program + "x\n", false},
      {"[Desktop Entry]\nExec=\"" + program + "x\"\n", false},
      {"[Desktop Entry]\nExec=/usr/bin/env " + program + "\n", false},
      {"[Desktop Entry]\nName=" + program + "\n", false},
      {"[Desktop Action x]\nExec=\"" + program + "\"\n", false},
      {"", false},
  };
  for (const Case& c : cases) {
    WriteEntry(c.text);
    EXPECT_EQ(HasAutorunEntry(), c.found) << c.text;
  }
}

TEST_F(AutorunTest, FirstActivationRemovesOnlyThisProgramsEntry) {
  const auto firstActivation = [] {
    if (HasAutorunEntry()) RemoveAutorunEntry();
  };
  WriteEntry("[Desktop Entry]\nExec=\"/opt/other/quillon-mini\"\n");
  firstActivation();
  EXPECT_TRUE(std::filesystem::exists(Entry()));

  WriteEntry("[Desktop Entry]\nExec=\"" + ProgramFile() + "\" /min\n");
  firstActivation();
  EXPECT_FALSE(std::filesystem::exists(Entry()));
  EXPECT_FALSE(HasAutorunEntry());
  RemoveAutorunEntry();  // nothing to remove: no error
  EXPECT_FALSE(std::filesystem::exists(home_.File(".config/autostart/Quillon.desktop")));
}

TEST_F(AutorunTest, MissingFolderOrHomeGivesNoEntry) {
  EXPECT_FALSE(HasAutorunEntry());
  SetHomeFolder(home_.File("missing"));
  EXPECT_FALSE(HasAutorunEntry());
  RemoveAutorunEntry();
  EXPECT_FALSE(std::filesystem::exists(home_.File("missing")));  // nothing is created
}

} // namespace
} // namespace qm
