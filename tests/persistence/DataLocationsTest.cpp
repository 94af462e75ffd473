#include "persistence/DataLocations.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

TEST(DataLocations, FoldersComeFromTheProgramFileUnlessChosen) {
  const std::string program = ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program.back(), '/');
  EXPECT_TRUE(fs::exists(program + "test_persistence"));
  EXPECT_EQ(DataFolder(), program + "data/");

  SetDataFolder("/srv/quillon");
  EXPECT_EQ(DataFolder(), "/srv/quillon/");
  EXPECT_EQ(ConfigFile(), "/srv/quillon/config.dat");
  EXPECT_EQ(DictionariesFile(), "/srv/quillon/dictionaries.dat");
  EXPECT_EQ(DictionaryInfoFile(), "/srv/quillon/dictionaries.info");
  EXPECT_EQ(TraceFile(), "/srv/quillon/assertions.dat");
  SetDataFolder("");
  EXPECT_EQ(DataFolder(), program + "data/");
}

TEST(DataLocations, FindFilesListsMatchingFilesOfOneFolder) {
  test::TempDir dir;
  const std::string folder = dir.Path().string() + "/";
  for (const char* name : {"b.aff", "a.aff", "c.dic", "ab.dic", ".hidden.aff", "x.affix", "A.AFF"})
    test::WriteFile(folder + name, "x");
  fs::create_directory(folder + "folder.aff");
  fs::create_directory(folder + "sub");
  test::WriteFile(folder + "sub/d.aff", "x");
  fs::create_symlink(folder + "a.aff", folder + "link.aff");

  TStringList list;
  list.Add("kept");
  FindFiles(folder + "*.aff", list);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"kept", folder + "a.aff", folder + "b.aff", folder + "link.aff"}));

  list.Clear();
  FindFiles(folder + "?.dic", list);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{folder + "c.dic"}));

  list.Clear();
  FindFiles(folder + "missing/*.aff", list);
  EXPECT_TRUE(list.Empty());
}

TEST(DataLocations, FindFilesWithoutFolderLooksBesideTheProgram) {
  const std::string name = "qm-find-" + std::to_string(::getpid()) + ".probe";
  test::WriteFile(ProgramFolder() + name, "x");
  TStringList list;
  FindFiles("qm-find-*.probe", list);
  fs::remove(ProgramFolder() + name);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{ProgramFolder() + name}));
}

TEST(DataLocations, FileSizeOfAnswersMinusOneForWhatCannotBeOpened) {
  test::TempDir dir;
  test::WriteFile(dir.File("five"), "12345");
  test::WriteFile(dir.File("empty"), "");
  EXPECT_EQ(FileSizeOf(dir.File("five")), 5);
  EXPECT_EQ(FileSizeOf(dir.File("empty")), 0);
  EXPECT_EQ(FileSizeOf(dir.File("missing")), -1);
  EXPECT_EQ(FileSizeOf(dir.Path().string()), -1);  // a folder is no file
}

TEST(DataLocations, DictionaryTitlesComeFromTheInfoFile) {
  test::TempDir dir;
  SetDataFolder(dir.Path().string());
  test::WriteFile(DictionaryInfoFile(), "EN_US=English (United States)\r\nen_us=Second\nde_de=\nuser=User Dictionary\n");
  LoadDictionaryDescriptions();
  EXPECT_EQ(DictionaryTitle("en_us"), "English (United States)");  // case ignored, first line wins
  EXPECT_EQ(DictionaryTitle("user"), "User Dictionary");
  EXPECT_EQ(DictionaryTitle("de_de"), "de_de");  // empty description
  EXPECT_EQ(DictionaryTitle("fr"), "fr");

  fs::remove(DictionaryInfoFile());
  LoadDictionaryDescriptions();
  EXPECT_TRUE(DictionaryDescriptions().Empty());
  EXPECT_EQ(DictionaryTitle("en_us"), "en_us");
  SetDataFolder("");
}

} // namespace
} // namespace qm
