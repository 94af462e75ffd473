#include "streams/MoveBlock.h"

#include "streams/BlockStream.h"
#include "streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>

namespace qm {
namespace {

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>('a' + rng() % 26);
  return s;
}

std::string Contents(TStream& s) {
  s.SetPosition(0, soBeginning);
  return s.ReadRest();
}

// What a move must produce: the source range read first, then written.
std::string Expected(std::string bytes, int64_t from, int64_t to, int64_t count) {
  if (count < 0) count = static_cast<int64_t>(bytes.size()) - from;
  count = std::min<int64_t>(count, static_cast<int64_t>(bytes.size()) - from);
  if (from == to || count <= 0) return bytes;
  const std::string piece = bytes.substr(static_cast<size_t>(from), static_cast<size_t>(count));
  if (bytes.size() < static_cast<size_t>(to + count)) bytes.resize(static_cast<size_t>(to + count));
  bytes.replace(static_cast<size_t>(to), piece.size(), piece);
  return bytes;
}

using StreamFactory = std::function<std::unique_ptr<TStream>()>;

const std::pair<const char*, StreamFactory> kStreams[] = {
    {"block", [] { return std::make_unique<TBlockStream>(1024); }},
    {"memory", [] { return std::make_unique<TMemoryStream>(); }},
};

TEST(MoveBlock, MatchesACopyThroughASeparateBuffer) {
  struct Case {
    int64_t size, from, to, count;
  };
  const Case cases[] = {
      {200, 0, 10, 100},        // overlapping, target above
      {200, 10, 0, 100},        // overlapping, target below
      {20000, 0, 1, 15000},     // many pieces, shift up by one
      {20000, 1, 0, 15000},     // many pieces, shift down by one
      {20000, 100, 5100, 9000}, // overlap of more than a piece
      {20000, 5100, 100, 9000},
      {300, 50, 250, -1},       // to the end; the stream grows
      {300, 250, 0, 1000},      // count cut at the end of the stream
      {300, 100, 100, 50},      // same place: nothing
      {300, 400, 0, -1},        // start beyond the end: nothing
  };
  for (const auto& [name, make] : kStreams) {
    for (const Case& c : cases) {
      auto s = make();
      const std::string bytes = RandomBytes(static_cast<size_t>(c.size), 7);
      s->WriteString(bytes);
      s->SetPosition(33, soBeginning);
      MoveBlock(*s, c.from, c.to, c.count);
      EXPECT_EQ(Contents(*s), Expected(bytes, c.from, c.to, c.count))
          << name << " " << c.from << "->" << c.to << " x" << c.count;
      s->SetPosition(33, soBeginning);
    }
  }
}

TEST(MoveBlock, RestoresThePositionAfterMovingAndAfterAnError) {
  TBlockStream s(1024);
  s.WriteString(RandomBytes(5000, 8));
  s.SetPosition(1234, soBeginning);
  MoveBlock(s, 0, 3000, 2000);
  EXPECT_EQ(s.Position(), 1234);

  // A target that cannot take the bytes: the move fails, the position stays.
  TMemoryStream limited(0, 0, 100);
  limited.WriteString(RandomBytes(100, 9));
  limited.SetPosition(42, soBeginning);
  EXPECT_THROW(MoveBlock(limited, 0, 50, 100), EWriteError);
  EXPECT_EQ(limited.Position(), 42);
}

TEST(MoveBlock, NegativeOffsetsDoNothing) {
  TBlockStream s(1024);
  const std::string bytes = RandomBytes(100, 10);
  s.WriteString(bytes);
  MoveBlock(s, -5, 10, 20);
  MoveBlock(s, 10, -5, 20);
  EXPECT_EQ(Contents(s), bytes);
}

} // namespace
} // namespace qm
