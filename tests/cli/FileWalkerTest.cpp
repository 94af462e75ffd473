#include "cli/FileWalker.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qm::cli {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

class FileWalkerTest : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = dir_.Path() / "root";
    for (const char* folder : {"root", "root/sub", "root/.git", "root/other", "root/B"}) fs::create_directory(dir_.Path() / folder);
    for (const char* file : {"root/b.txt", "root/a.c", "root/.hidden.c", "root/.git/config.c", "root/sub/z.txt",
                             "root/sub/.z.txt", "root/other/o.txt", "root/B/upper.c", "root/a.c.d"})
      test::WriteFile((dir_.Path() / file).string(), "text\n");
    fs::create_directory_symlink(root_ / "other", root_ / "linked");  // a link to a folder
    fs::create_symlink(root_ / "a.c", root_ / "c.c");                 // a link to a file
    fs::create_symlink(root_ / "gone", root_ / "dangling");
  }

  std::string In(const std::string& relative) const { return (root_ / relative).string(); }

  test::TempDir dir_;
  fs::path root_;
};

TEST_F(FileWalkerTest, WalksFoldersInSortedOrderSkippingHiddenEntriesAndFolderLinks) {
  std::vector<TPathError> errors;
  const Paths files = CollectFiles({root_.string()}, errors);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(files, (Paths{In("B/upper.c"), In("a.c"), In("a.c.d"), In("b.txt"), In("c.c"), In("other/o.txt"),
                          In("sub/z.txt")}));
}

TEST_F(FileWalkerTest, FilesAreTakenAsGivenAndMissingPathsReported) {
  std::vector<TPathError> errors;
  const Paths files = CollectFiles({In("b.txt"), In("nope.c"), In(".hidden.c"), In("sub"), In("linked")}, errors);
  // A hidden file or a linked folder named on the command line is checked.
  EXPECT_EQ(files, (Paths{In("b.txt"), In(".hidden.c"), In("sub/z.txt"), In("linked/o.txt")}));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].path, In("nope.c"));
  EXPECT_FALSE(errors[0].reason.empty());
}

} // namespace
} // namespace qm::cli
