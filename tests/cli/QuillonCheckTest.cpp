// Runs the built quillon-check program on files in a temporary folder, with
// a temporary data folder holding the system's en_US dictionary.
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace qm {
namespace {

namespace fs = std::filesystem;

struct TRun {
  int status = -1;
  std::string out;
  std::string err;
};

// build/quillon-check, beside the folder of this test program (build/tests).
std::string Program() { return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "quillon-check").string(); }

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files[entry.path().string()] = entry.is_regular_file() ? test::ReadFile(entry.path().string()) : "(folder)";
  return files;
}

class QuillonCheckTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(Program())) << Program();
    fs::create_directory(data_);
    for (const char* name : {"en_US.aff", "en_US.dic"})
      fs::copy_file(fs::path("/usr/share/hunspell") / name, data_ / name);
    test::WriteFile((data_ / "user.aff").string(), "SET UTF-8\n");
    test::WriteFile((data_ / "user.dic").string(), "1\nQuillon\n");
    fs::create_directory(src_);
    dataBefore_ = Snapshot(data_);
  }

  void TearDown() override { EXPECT_EQ(Snapshot(data_), dataBefore_) << "the data folder was written"; }

  void Write(const std::string& relative, const std::string& text) {
    fs::create_directories((src_ / relative).parent_path());
    test::WriteFile((src_ / relative).string(), text);
  }

  // Runs the program in the source folder with --data and the arguments.
  TRun Run(const std::string& arguments) {
    const std::string out = dir_.File("out.txt");
    const std::string err = dir_.File("err.txt");
    const std::string command = "cd " + Quoted(src_.string()) + " && " + Quoted(Program()) + " --data " +
                                Quoted(data_.string()) + " " + arguments + " >" + Quoted(out) + " 2>" + Quoted(err);
    const int raw = std::system(command.c_str());
    TRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = test::ReadFile(out);
    run.err = test::ReadFile(err);
    return run;
  }

  test::TempDir dir_;
  fs::path data_ = dir_.Path() / "data";
  fs::path src_ = dir_.Path() / "src";
  std::map<std::string, std::string> dataBefore_;
};

using Output = std::vector<std::string>;

const char* const kBadC = "/* A tset of the chekcer. */\nint tset;\nconst char* s = \"Quillon says helo\";\n";

TEST_F(QuillonCheckTest, ExitStatusAndCompilerStyleLines) {
  Write("clean.c", "// All fine here, see notes.txt.\n");
  Write("bad.c", kBadC);

  TRun run = Run("clean.c");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");

  run = Run("clean.c bad.c");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out), (Output{"bad.c:1:6: tset", "bad.c:1:18: chekcer", "bad.c:3:31: helo"}));
  EXPECT_EQ(run.err, "");

  // A missing file is an error; the other files are still checked.
  run = Run("missing.c bad.c");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(Lines(run.out).size(), 3u);
  ASSERT_EQ(Lines(run.err).size(), 1u);
  EXPECT_NE(run.err.find("missing.c"), std::string::npos);
}

TEST_F(QuillonCheckTest, BadOptionsAndUnknownLanguagesAreErrors) {
  Write("bad.c", kBadC);
  for (const char* arguments : {"--bogus bad.c", "--jobs 0 bad.c", "--format xml bad.c", "", "--language Klingon bad.c"}) {
    SCOPED_TRACE(arguments);
    const TRun run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
  }
  const TRun languages = Run("--list-languages");
  EXPECT_EQ(languages.status, 0);
  EXPECT_NE(languages.out.find("\nCandCPlusPlus\n"), std::string::npos);
  EXPECT_EQ(Run("--version").status, 0);
  EXPECT_NE(Run("--help").out.find("usage: quillon-check"), std::string::npos);
}

TEST_F(QuillonCheckTest, DataFolderProblemsAreReported) {
  Write("bad.c", kBadC);
  // The last --data wins over the one Run gives.
  TRun run = Run("--data " + Quoted(dir_.File("nowhere")) + " bad.c");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("nowhere"), std::string::npos);

  fs::create_directory(dir_.Path() / "empty");
  run = Run("--data " + Quoted(dir_.File("empty")) + " bad.c");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no dictionary"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir_.Path() / "empty"));
}

TEST_F(QuillonCheckTest, SuggestionsAndJson) {
  Write("bad.c", kBadC);
  TRun run = Run("--suggest bad.c");
  EXPECT_EQ(run.status, 1);
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("bad.c:1:6: tset -> ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("test"), std::string::npos) << lines[0];

  run = Run("--format json bad.c");
  ASSERT_EQ(Lines(run.out).size(), 3u);
  EXPECT_EQ(Lines(run.out)[2], R"({"file":"bad.c","line":3,"column":31,"word":"helo"})");
  run = Run("--format=json --suggest bad.c");
  ASSERT_EQ(Lines(run.out).size(), 3u);
  EXPECT_EQ(Lines(run.out)[1].rfind(R"({"file":"bad.c","line":1,"column":18,"word":"chekcer","suggestions":[")", 0), 0u);
}

TEST_F(QuillonCheckTest, ParallelJobsKeepTheOrder) {
  for (int i = 0; i < 12; ++i) {
    std::string text;
    for (int line = 0; line <= i; ++line) text += "# tset number " + std::to_string(line) + " of wrold\n";
    Write("tree/" + std::string(1, static_cast<char>('a' + (i * 5) % 12)) + "/f" + std::to_string(i) + ".py", text);
  }
  Write("tree/.hidden/x.py", "# tset\n");
  const TRun one = Run("--jobs 1 tree");
  const TRun four = Run("--jobs 4 tree");
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(four.status, 1);
  EXPECT_EQ(Lines(one.out).size(), 2u * (12 * 13 / 2));
  EXPECT_EQ(four.out, one.out);
  EXPECT_EQ(one.out.rfind("tree/a/f0.py:1:3: tset\ntree/a/f0.py:1:20: wrold\n", 0), 0u) << one.out.substr(0, 200);
  EXPECT_EQ(one.out.find(".hidden"), std::string::npos);
}

TEST_F(QuillonCheckTest, FilesAboveTheSizeLimitAreSkippedWithANote) {
  test::WriteFile((data_ / "config.dat").string(), "SkipLargeFiles=TRUE\r\nMaxFileSize=1\r\n");
  dataBefore_ = Snapshot(data_);
  const std::string line = "# tset\n";
  std::string exact;
  while (exact.size() + line.size() <= 1024) exact += line;
  exact += std::string(1024 - exact.size(), '#');
  Write("exact.py", exact);        // 1024 bytes: checked
  Write("over.py", exact + "\n");  // 1025 bytes: skipped
  const TRun run = Run("exact.py over.py");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.find("over.py"), std::string::npos);
  EXPECT_EQ(run.out.rfind("exact.py:1:3: tset\n", 0), 0u);
  ASSERT_EQ(Lines(run.err).size(), 1u);
  EXPECT_NE(run.err.find("over.py"), std::string::npos);
  EXPECT_NE(run.err.find("1 KB"), std::string::npos);

  test::WriteFile((data_ / "config.dat").string(), "SkipLargeFiles=FALSE\r\nMaxFileSize=1\r\n");
  dataBefore_ = Snapshot(data_);
  EXPECT_NE(Run("over.py").out.find("over.py:1:3: tset"), std::string::npos);
}

TEST_F(QuillonCheckTest, SettingsAndLanguageChooseWhatIsChecked) {
  Write("notes.txt", "int tset; // tset\n");
  EXPECT_EQ(Lines(Run("notes.txt").out), (Output{"notes.txt:1:5: tset", "notes.txt:1:14: tset"}));
  EXPECT_EQ(Lines(Run("--language CandCPlusPlus notes.txt").out), (Output{"notes.txt:1:14: tset"}));

  test::WriteFile((data_ / "config.dat").string(), "CheckScope=--%0D%0AString\r\n");
  dataBefore_ = Snapshot(data_);
  const TRun run = Run("--language CandCPlusPlus notes.txt");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
}

} // namespace
} // namespace qm
