#include "persistence/PackDiagnostics.h"

#include "TempDir.h"
#include "diagnostics/Log.h"
#include "diagnostics/StringHelpers.h"
#include "persistence/DataLocations.h"
#include "streams/GZipStream.h"
#include "streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qm {
namespace {

std::string Unpack(const std::string& packed) {
  const std::string gzip = Base64Decode(packed);
  TMemoryStream source;
  source.WriteString(gzip);
  source.SetPos(0);
  TGUnzipStream unzip(source);
  EXPECT_FALSE(unzip.Transparent());
  return unzip.ReadRest();
}

// Numbered lines, so a cut shows where it fell.
std::string NumberedText(size_t size) {
  std::string text;
  for (int i = 0; text.size() < size; ++i) text += "line " + std::to_string(i) + " of the trace\r\n";
  text.resize(size);
  return text;
}

std::string RandomBytes(size_t size) {
  std::mt19937 random(42);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class PackDiagnosticsTest : public ::testing::Test {
protected:
  void SetUp() override { SetDataFolder(dir_.Path().string()); }
  void TearDown() override { SetDataFolder(""); }

  test::TempDir dir_;
  const std::string trace_ = dir_.File("assertions.dat");
};

TEST_F(PackDiagnosticsTest, LongTraceIsCutToItsTailAndPacked) {
  const std::string text = NumberedText(300000);
  test::WriteFile(trace_, text);
  const std::string packed = PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity);
  const std::string tail = text.substr(300000 - 262144);
  EXPECT_EQ(packed.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
            std::string::npos);
  EXPECT_EQ(Unpack(packed), tail);
  EXPECT_EQ(test::ReadFile(trace_), tail);
  EXPECT_EQ(Unpack(PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity)), tail);
}

TEST_F(PackDiagnosticsTest, ShortTraceStaysAsItIs) {
  const std::string text = NumberedText(1000);
  test::WriteFile(trace_, text);
  EXPECT_EQ(Unpack(PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity)), text);
  EXPECT_EQ(test::ReadFile(trace_), text);
  test::WriteFile(trace_, NumberedText(262144));
  EXPECT_EQ(Unpack(PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity)), NumberedText(262144));
}

TEST_F(PackDiagnosticsTest, NothingToPack) {
  EXPECT_EQ(PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity), "");  // no file
  test::WriteFile(trace_, "");
  EXPECT_EQ(PackDiagnostics(kDiagnosticTailBytes, kDiagnosticPackCapacity), "");
  const std::string text = NumberedText(300000);
  test::WriteFile(trace_, text);
  EXPECT_EQ(PackDiagnostics(kDiagnosticTailBytes, 1023), "");
  EXPECT_EQ(test::ReadFile(trace_), text);  // not cut either
  EXPECT_NE(PackDiagnostics(kDiagnosticTailBytes, 1024), "");
}

TEST(PackTailTest, CompressorFailureRetriesWithAShorterEnd) {
  const std::string tail = RandomBytes(100000);  // does not compress
  EXPECT_EQ(Unpack(PackTail(tail, 1024)), tail);

  const std::string packed = PackTail(tail, 1024, 40000);
  ASSERT_NE(packed, "");
  const std::string unpacked = Unpack(packed);
  EXPECT_GT(unpacked.size(), 0u);
  EXPECT_LT(unpacked.size(), 40000u);
  EXPECT_EQ(unpacked, tail.substr(tail.size() - unpacked.size()));

  // A buffer too small for anything: three failures, then nothing.
  EXPECT_EQ(PackTail(tail, 1024, 200), "");
  EXPECT_EQ(PackTail(tail, 1024, 5), "");
  EXPECT_EQ(PackTail("", 1024), "");
}

// The lines of the log after the cut (the first one may have been cut in
// half) are whole and numbered without a gap, up to the last one written.
void ExpectNoLineLost(const std::string& log, int lines) {
  std::vector<int> numbers;
  size_t start = log.find("\r\n") + 2;
  while (start < log.size()) {
    const size_t end = log.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    const std::string line = log.substr(start, end - start);
    const size_t at = line.find(" entry ");
    ASSERT_EQ(at, 19u) << line;
    numbers.push_back(std::stoi(line.substr(at + 7)));
    start = end + 2;
  }
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.back(), lines - 1);
  for (size_t i = 1; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], numbers[i - 1] + 1);
}

constexpr int kLines = 2000;

void WriteNumberedLines() {
  for (int i = 0; i < kLines; ++i) WriteLogLine("entry " + std::to_string(i));
}

// Lines written by this process while another thread packs and cuts the file.
TEST_F(PackDiagnosticsTest, CuttingTheTailLosesNoLineOfThisProcess) {
  StartLogModule();
  ConfigureLog(trace_, false, false);
  std::atomic<bool> writing{true};
  std::thread packer([&] {
    while (writing.load()) PackDiagnostics(4096, 1024);
  });
  WriteNumberedLines();
  writing.store(false);
  packer.join();
  StopLogModule();
  ExpectNoLineLost(test::ReadFile(trace_), kLines);
}

// The same with the writer in another process, which only the file locks
// and the writer's check for a replaced file keep in step.
TEST_F(PackDiagnosticsTest, CuttingTheTailLosesNoLineOfAnotherProcess) {
  StartLogModule();
  ConfigureLog(trace_, false, false);
  const pid_t writer = ::fork();
  if (writer == 0) {
    WriteNumberedLines();
    ::_exit(0);
  }
  StopLogModule();  // this process only packs
  int status = 0;
  while (::waitpid(writer, &status, WNOHANG) != writer) PackDiagnostics(4096, 1024);
  ASSERT_TRUE(WIFEXITED(status));
  ExpectNoLineLost(test::ReadFile(trace_), kLines);
}

} // namespace
} // namespace qm
