#include "streams/BlockStream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qm {
namespace {

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

std::string ReadAll(TBlockStream& s) {
  s.SetPosition(0, soBeginning);
  std::string out(static_cast<size_t>(s.Size()), '\0');
  EXPECT_EQ(s.Read(out.data(), s.Size()), s.Size());
  return out;
}

TEST(BlockStream, SmallBlockSizeIsRaisedAndBytesAreAddressedPerBlock) {
  TBlockStream s(100);
  EXPECT_EQ(s.BlockSize(), 1024);
  const std::string data = RandomBytes(2500, 1);
  EXPECT_EQ(s.Write(data.data(), 2500), 2500);
  EXPECT_EQ(s.Capacity(), 3 * 1024);
  EXPECT_EQ(s.Size(), 2500);

  char* third = s.AddressOf(2048);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(*third, data[2048]);
  EXPECT_EQ(s.AddressOf(2048 + 451), third + 451);  // same block
  EXPECT_EQ(s.AddressOf(3071), third + 1023);        // last allocated byte
  EXPECT_EQ(s.AddressOf(3072), nullptr);
  EXPECT_EQ(s.AddressOf(4000), nullptr);
  EXPECT_EQ(s.AddressOf(-1), nullptr);
  EXPECT_EQ(ReadAll(s), data);
}

// Pieces of awkward sizes written and read at awkward offsets cross block
// boundaries in every way.
TEST(BlockStream, PiecewiseWritesAndReadsMatchAFlatCopy) {
  TBlockStream s(1024);
  const std::string data = RandomBytes(10000, 2);
  for (size_t at = 0; at < data.size();) {
    const size_t n = std::min<size_t>(data.size() - at, 1 + at % 1500);
    ASSERT_EQ(s.Write(data.data() + at, static_cast<int64_t>(n)), static_cast<int64_t>(n));
    at += n;
  }
  EXPECT_EQ(ReadAll(s), data);
  for (int64_t at : {0, 1023, 1024, 1025, 4095, 9000, 9999}) {
    char piece[2100];
    s.SetPosition(at, soBeginning);
    const int64_t n = s.Read(piece, sizeof piece);
    EXPECT_EQ(n, std::min<int64_t>(sizeof piece, 10000 - at));
    EXPECT_EQ(std::string(piece, static_cast<size_t>(n)), data.substr(static_cast<size_t>(at), static_cast<size_t>(n)));
  }
}

TEST(BlockStream, AddressesStayValidWhileTheStreamGrows) {
  TBlockStream s(1024);
  const std::string head = RandomBytes(1500, 3);
  s.Write(head.data(), 1500);
  char* first = s.AddressOf(0);
  char* second = s.AddressOf(1024);
  const std::string more = RandomBytes(1 << 20, 4);
  ASSERT_EQ(s.Write(more.data(), 1 << 20), 1 << 20);
  EXPECT_EQ(s.AddressOf(0), first);
  EXPECT_EQ(s.AddressOf(1024), second);
  EXPECT_EQ(std::string(first, 1024), head.substr(0, 1024));
  EXPECT_EQ(std::string(second, 476), head.substr(1024));
}

TEST(BlockStream, LimitIsRoundedUpToWholeBlocksAndCutsWrites) {
  TBlockStream s(1024, 1500);
  EXPECT_EQ(s.SizeLimit(), 2048);
  const std::string data = RandomBytes(3000, 5);
  EXPECT_EQ(s.Write(data.data(), 3000), 2048);
  EXPECT_EQ(s.LastError(), TBlockStream::kErrLimit);
  EXPECT_EQ(s.Size(), 2048);
  EXPECT_EQ(ReadAll(s), data.substr(0, 2048));

  // Full: nothing more fits, and a write beyond the end leaves the size.
  s.SetPosition(5000, soBeginning);
  EXPECT_EQ(s.Write(data.data(), 10), 0);
  EXPECT_EQ(s.Size(), 2048);
  EXPECT_EQ(s.LastError(), TBlockStream::kErrLimit);
  // The next operation resets the error.
  EXPECT_EQ(s.SetPosition(0, soBeginning), 0);
  EXPECT_EQ(s.LastError(), 0);
}

TEST(BlockStream, SetStreamSizeAllocatesExactlyAndRaisesBeyondTheLimit) {
  TBlockStream s(1024, 4096);
  s.SetStreamSize(3000);
  EXPECT_EQ(s.Size(), 3000);
  EXPECT_EQ(s.Capacity(), 3072);
  s.SetPosition(2999, soBeginning);

  try {
    s.SetStreamSize(4097);
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "Error setting stream size");
  }
  EXPECT_EQ(s.Size(), 3000);
  EXPECT_EQ(s.Position(), 2999);
  EXPECT_THROW(s.SetStreamSize(-1), EStreamError);

  // Shrinking frees surplus blocks and pulls the position back.
  s.SetStreamSize(10);
  EXPECT_EQ(s.Capacity(), 1024);
  EXPECT_EQ(s.Position(), 10);
  s.SetStreamSize(0);
  EXPECT_EQ(s.Capacity(), 0);
}

TEST(BlockStream, ClearFreesEverything) {
  TBlockStream s;
  s.SetStreamSize(100000);
  s.SetPosition(500, soBeginning);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.Capacity(), 0);
  EXPECT_EQ(s.AddressOf(0), nullptr);
}

TEST(BlockStream, SetPositionRulesAndReadsOutsideTheData) {
  TBlockStream s;
  s.Write("abcdef", 6);
  struct Case {
    int64_t offset;
    int origin;
    int64_t expected;  // -1: refused, position stays at 2
  };
  const Case cases[] = {
      {2, soBeginning, 2},   {3, soCurrent, 5},   {-1, soEnd, 5},  {10, soEnd, 16},
      {-1, soBeginning, -1}, {-3, soCurrent, -1}, {0, 3, -1},      {int64_t{1} << 40, soBeginning, -1},
  };
  for (const Case& c : cases) {
    s.SetPosition(2, soBeginning);
    EXPECT_EQ(s.SetPosition(c.offset, c.origin), c.expected) << c.offset << "/" << c.origin;
    EXPECT_EQ(s.Position(), c.expected < 0 ? 2 : c.expected);
  }

  char b[4];
  s.SetPosition(6, soBeginning);
  EXPECT_EQ(s.Read(b, 4), 0);
  s.SetPosition(4, soBeginning);
  EXPECT_EQ(s.Read(b, 0), 0);
  EXPECT_EQ(s.Read(b, -1), 0);
  EXPECT_EQ(s.Read(b, 4), 2);
  EXPECT_EQ(std::string(b, 2), "ef");

  // Writing past the end extends the size to the end of the new bytes.
  s.SetPosition(3000, soBeginning);
  EXPECT_EQ(s.Write("xy", 2), 2);
  EXPECT_EQ(s.Size(), 3002);
}

} // namespace
} // namespace qm
