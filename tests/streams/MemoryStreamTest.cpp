#include "streams/MemoryStream.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace qm {
namespace {

std::string Bytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('A' + i % 23);
  return s;
}

TEST(MemoryStream, NegativeGrowthStepNeverGrows) {
  TMemoryStream s(16, -1);
  EXPECT_EQ(s.Capacity(), 16);
  EXPECT_EQ(s.Write(Bytes(10).data(), 10), 10);
  EXPECT_EQ(s.Write(Bytes(10).data(), 10), 0);
  EXPECT_EQ(s.LastError(), TMemoryStream::kErrNoGrowth);
  EXPECT_EQ(s.Size(), 10);
  EXPECT_EQ(s.Position(), 10);
  // Within the capacity it still writes.
  EXPECT_EQ(s.Write("abcdef", 6), 6);
  EXPECT_EQ(s.Size(), 16);
}

TEST(MemoryStream, LimitCutsAWriteToWhatFits) {
  TMemoryStream s(0, 0, 100);
  const std::string data = Bytes(150);
  EXPECT_EQ(s.Write(data.data(), 150), 100);
  EXPECT_EQ(s.LastError(), TMemoryStream::kErrLimit);
  EXPECT_EQ(s.Size(), 100);
  EXPECT_EQ(s.AsString(), data.substr(0, 100));
  EXPECT_EQ(s.Write("x", 1), 0);

  // A small write below the limit takes only its own bytes, even though the
  // growth it asked for was cut.
  TMemoryStream t(0, 0, 100);
  EXPECT_EQ(t.Write("abc", 3), 3);
  EXPECT_EQ(t.Size(), 3);
  EXPECT_EQ(t.AsString(), "abc");

  // The initial capacity is held to the limit as well.
  EXPECT_EQ(TMemoryStream(1000, 0, 100).Capacity(), 100);
}

TEST(MemoryStream, GrowthStepDecidesTheCapacity) {
  struct Case {
    int32_t step;
    int64_t written;
    int32_t capacity;
  };
  const Case cases[] = {
      {0, 1, 1 + 8192},           // half the need, at least 8192
      {0, 40000, 40000 + 20000},  // half the need
      {100, 10, 110},             // the step is added to the need
  };
  for (const Case& c : cases) {
    TMemoryStream s(0, c.step);
    const std::string data = Bytes(static_cast<size_t>(c.written));
    EXPECT_EQ(s.Write(data.data(), c.written), c.written);
    EXPECT_EQ(s.Capacity(), c.capacity) << c.step << "/" << c.written;
  }
}

TEST(MemoryStream, PositionRules) {
  TMemoryStream s;
  s.WriteString("abcdef");
  s.SetPosition(2, soBeginning);
  EXPECT_EQ(s.SetPosition(0, 3), -1);
  EXPECT_EQ(s.SetPosition(-1, soBeginning), -1);
  EXPECT_EQ(s.SetPosition(-3, soCurrent), -1);
  EXPECT_EQ(s.Position(), 2);
  EXPECT_EQ(s.SetPosition(-2, soEnd), 4);
  EXPECT_EQ(s.SetPosition(10, soEnd), 16);

  // Reading at or beyond the end gives nothing; writing there extends.
  char b[4];
  EXPECT_EQ(s.Read(b, 4), 0);
  EXPECT_EQ(s.Write("xy", 2), 2);
  EXPECT_EQ(s.Size(), 18);
  s.SetPosition(4, soBeginning);
  EXPECT_EQ(s.Read(b, 0), 0);
  EXPECT_EQ(s.Read(b, 4), 4);
  EXPECT_EQ(std::string(b, 2), "ef");
}

TEST(MemoryStream, SetStreamSizeRaisesBeyondTheLimitAndCutsThePosition) {
  TMemoryStream s(0, 0, 1000);
  s.SetStreamSize(1000);
  EXPECT_EQ(s.Size(), 1000);
  s.SetPosition(900, soBeginning);
  try {
    s.SetStreamSize(1001);
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "Error setting stream size");
  }
  EXPECT_EQ(s.Size(), 1000);
  s.SetStreamSize(10);
  EXPECT_EQ(s.Position(), 10);
  EXPECT_THROW(s.SetStreamSize(-1), EStreamError);
}

TEST(MemoryStream, ClearKeepsTheBuffer) {
  TMemoryStream s;
  s.WriteString(Bytes(5000));
  const int32_t capacity = s.Capacity();
  const char* memory = s.Memory();
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.Capacity(), capacity);
  EXPECT_EQ(s.Memory(), memory);
  EXPECT_EQ(s.AsString(), "");
}

TEST(MemoryStream, SavesToStreamAndFile) {
  TMemoryStream s;
  const std::string data = Bytes(70000);
  s.WriteString(data);
  TMemoryStream copy;
  s.SaveToStream(copy);
  EXPECT_EQ(copy.AsString(), data);

  const auto path = std::filesystem::temp_directory_path() / ("qm_memstream_" + std::to_string(getpid()));
  s.SaveToFile(path.string());
  EXPECT_EQ(ReadFileBytes(path.string()), data);
  TMemoryStream empty;
  empty.SaveToFile(path.string());  // replaces the file
  EXPECT_EQ(ReadFileBytes(path.string()), "");
  std::filesystem::remove(path);
}

} // namespace
} // namespace qm

namespace qm {
namespace {

TEST(MemoryStream, BytesGainedWithoutWritingAreZero) {
  TMemoryStream stream(0, 0, 0);
  stream.SetPosition(5, soBeginning);
  stream.WriteString("x");
  stream.SetStreamSize(10);
  EXPECT_EQ(stream.AsString(), std::string("\0\0\0\0\0x\0\0\0\0", 10));
}

} // namespace
} // namespace qm
