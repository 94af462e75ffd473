#include "platform/FileStream.h"
#include "platform/Files.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

TEST(AtomicWrite, ReplacesContentAndKeepsPermissions) {
  test::TempDir dir;
  const std::string path = dir.File("config.dat");
  test::WriteFile(path, "old content that is longer");
  ::chmod(path.c_str(), 0640);

  WriteFileAtomically(path, "new");
  EXPECT_EQ(test::ReadFile(path), "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AtomicWrite, FailedWriteLeavesTheOldFileUntouched) {
  test::TempDir dir;
  const std::string path = dir.File("config.dat");
  test::WriteFile(path, "old content");
  // A file-size limit makes the write fail part-way, like a full disk.
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 16;
  ::setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(WriteFileAtomically(path, std::string(100, 'x')), EFileError);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(test::ReadFile(path), "old content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AtomicWrite, LongFileNamesAreFine) {
  test::TempDir dir;
  const std::string path = dir.File(std::string(250, 'n'));
  WriteFileAtomically(path, "x");
  EXPECT_EQ(test::ReadFile(path), "x");
}

TEST(AtomicWrite, MissingFolderIsAFileError) {
  test::TempDir dir;
  EXPECT_THROW(WriteFileAtomically(dir.File("no/such/file"), "x"), EFileError);
}

TEST(FileStream, ReadsWritesSeeksAndReportsMissingFiles) {
  test::TempDir dir;
  const std::string path = dir.File("f.bin");
  {
    TFileStream out(path, FileMode::Create);
    out.WriteString("hello world");
    EXPECT_EQ(out.Size(), 11);
  }
  TFileStream in(path, FileMode::OpenRead);
  EXPECT_EQ(in.Seek(6, soBeginning), 6);
  char word[5];
  in.ReadBuffer(word, 5);
  EXPECT_EQ(std::string(word, 5), "world");
  EXPECT_THROW(in.ReadBuffer(word, 1), EReadError);
  EXPECT_EQ(in.SetPosition(0, 7), -1);

  try {
    TFileStream missing(dir.File("missing"), FileMode::OpenRead);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos);
  }
}

} // namespace
} // namespace qm
