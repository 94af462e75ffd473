#include "streams/GZipStream.h"

#include "streams/MemoryStream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

namespace qm {
namespace {

std::string TextBytes(size_t n) {
  std::string s;
  s.reserve(n);
  for (size_t i = 0; s.size() < n; ++i) s += "line " + std::to_string(i) + " of the misprint log\r\n";
  s.resize(n);
  return s;
}

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

std::string Compress(const std::string& data) {
  TMemoryStream target;
  TGZipStream gz(target);
  gz.WriteString(data);
  gz.Close();
  return target.AsString();
}

// Everything the reader gives, in reads of chunk bytes, then Close.
std::string Decompress(const std::string& data, int64_t chunk = 4096) {
  TMemoryStream source;
  source.WriteString(data);
  source.SetPosition(0, soBeginning);
  TGUnzipStream gz(source);
  std::string out;
  std::string buffer(static_cast<size_t>(chunk), '\0');
  for (;;) {
    const int64_t n = gz.Read(buffer.data(), chunk);
    if (n == 0) break;
    out.append(buffer, 0, static_cast<size_t>(n));
  }
  gz.Close();
  return out;
}

// The message of the EStreamError that decompressing raises, "" if none.
std::string DecompressError(const std::string& data) {
  try {
    Decompress(data);
  } catch (const EStreamError& e) {
    return e.what();
  }
  return "";
}

// zlib's own gzip reader (windowBits 31) checks header, CRC and length.
std::string ZlibGunzip(const std::string& data) {
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, 31), Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[65536];
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  inflateEnd(&z);
  EXPECT_EQ(rc, Z_STREAM_END);
  return out;
}

uint32_t LittleEndian32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
  return v;
}

// A member with a hand-made header: flags and optional fields before the
// deflate data and trailer of a member written by TGZipStream.
std::string WithHeader(const std::string& member, int flags, const std::string& fields) {
  std::string header = member.substr(0, 10);
  header[3] = static_cast<char>(flags);
  return header + fields + member.substr(10);
}

TEST(GZipStream, WritesTheFixedHeaderAndAMatchingTrailer) {
  const std::string data = TextBytes(5000);
  const std::string gz = Compress(data);
  ASSERT_GE(gz.size(), 18u);
  EXPECT_EQ(gz.substr(0, 10), std::string("\x1F\x8B\x08\0\0\0\0\0\0\0", 10));
  const uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), 5000));
  EXPECT_EQ(LittleEndian32(gz, gz.size() - 8), crc);
  EXPECT_EQ(LittleEndian32(gz, gz.size() - 4), 5000u);
  EXPECT_EQ(ZlibGunzip(gz), data);
}

TEST(GZipStream, OutputIsReadByTheGzipTool) {
  if (std::system("command -v gzip >/dev/null 2>&1") != 0) GTEST_SKIP() << "gzip is not installed";
  const std::string data = TextBytes(100000) + RandomBytes(50000, 1);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("qm_gzip_test_" + std::to_string(getpid()) + ".gz")).string();
  TMemoryStream target;
  {
    TGZipStream gz(target);
    gz.WriteString(data);
    gz.Close();
  }
  target.SaveToFile(path);
  FILE* pipe = popen(("gzip -dc '" + path + "'").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  std::filesystem::remove(path);
  EXPECT_EQ(out, data);
}

TEST(GZipStream, RoundTripsAcrossBufferBoundaries) {
  const size_t sizes[] = {0, 1, 16383, 16384, 16385, 1 << 20};
  for (size_t size : sizes) {
    for (const std::string& data : {TextBytes(size), RandomBytes(size, static_cast<unsigned>(size))}) {
      const std::string gz = Compress(data);
      EXPECT_EQ(ZlibGunzip(gz), data) << size;
      EXPECT_EQ(Decompress(gz), data) << size;
      EXPECT_EQ(Decompress(gz, 65536 * 4), data) << size;
    }
  }
  // Single-byte reads.
  const std::string data = TextBytes(20000);
  EXPECT_EQ(Decompress(Compress(data), 1), data);
}

TEST(GZipStream, PositionCountsTheBytesPassedThrough) {
  TMemoryStream target;
  TGZipStream gz(target);
  gz.WriteString(TextBytes(3000));
  EXPECT_EQ(gz.Position(), 3000);
  EXPECT_EQ(gz.SetPosition(0, soBeginning), 3000);  // arguments are ignored
  EXPECT_EQ(gz.Size(), 3000);
  char b[4];
  EXPECT_EQ(gz.Read(b, 4), 0);
  gz.Close();
  gz.Close();  // once closed, nothing more happens
  EXPECT_EQ(gz.Write("x", 1), 0);

  TMemoryStream source;
  source.WriteString(Compress(TextBytes(3000)));
  source.SetPosition(0, soBeginning);
  TGUnzipStream in(source);
  EXPECT_EQ(in.Write("x", 1), 0);
  char buffer[1000];
  in.ReadBuffer(buffer, 1000);
  EXPECT_EQ(in.Position(), 1000);
}

TEST(GZipStream, ATargetThatRefusesBytesFailsOpenWriteAndClose) {
  // Not even the header fits.
  TMemoryStream tiny(5, -1);
  try {
    TGZipStream gz(tiny);
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "Can't gzopen.");
  }

  // The header fits, the first full piece of output does not.
  TMemoryStream limited(0, 0, 100);
  TGZipStream gz(limited);
  const std::string data = RandomBytes(100000, 2);
  const int64_t taken = gz.Write(data.data(), static_cast<int64_t>(data.size()));
  EXPECT_LT(taken, static_cast<int64_t>(data.size()));
  EXPECT_EQ(gz.Write(data.data(), 10), 0);
  EXPECT_THROW(gz.WriteBuffer(data.data(), 10), EWriteError);
  try {
    gz.Close();
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "gzclose error!");
  }
}

TEST(GUnzipStream, ConcatenatedMembersAreReadInSequence) {
  const std::string a = TextBytes(30000);
  const std::string b = RandomBytes(20000, 3);
  EXPECT_EQ(Decompress(Compress(a) + Compress(b)), a + b);
  EXPECT_EQ(Decompress(Compress(a) + Compress("") + Compress(b), 777), a + b);
}

TEST(GUnzipStream, OptionalHeaderFieldsAreSkipped) {
  const std::string data = TextBytes(3000);
  const std::string member = Compress(data);
  const std::string extra("\x05\x00" "ab\0cd", 7);
  const std::string name("file.txt\0", 9);
  const std::string comment("a comment\0", 10);
  const std::string hcrc("\x12\x34", 2);
  struct Case {
    int flags;
    std::string fields;
  };
  const Case cases[] = {
      {0x01, ""},  // FTEXT is only a hint
      {0x04, extra},
      {0x08, name},
      {0x10, comment},
      {0x02, hcrc},
      {0x1E, extra + name + comment + hcrc},
  };
  for (const Case& c : cases) {
    const std::string gz = WithHeader(member, c.flags, c.fields);
    EXPECT_EQ(Decompress(gz), data) << c.flags;
    EXPECT_EQ(Decompress(gz + gz, 1), data + data) << c.flags;  // header parsed byte by byte
  }
}

// A source that hands out one byte per Read, as a slow pipe might.
class TrickleStream : public TStream {
public:
  explicit TrickleStream(std::string bytes) : bytes_(std::move(bytes)) {}
  int64_t Read(void* buffer, int64_t count) override {
    if (count <= 0 || at_ >= bytes_.size()) return 0;
    *static_cast<char*>(buffer) = bytes_[at_++];
    return 1;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t SetPosition(int64_t, int) override { return -1; }

private:
  std::string bytes_;
  size_t at_ = 0;
};

TEST(GUnzipStream, ReadsASourceThatGivesOneByteAtATime) {
  const std::string data = TextBytes(5000);
  const std::string named = WithHeader(Compress(data), 0x0C, std::string("\x02\x00xyname\0", 9));
  const std::string plain = "\x1F" + data;
  const std::pair<std::string, std::string> cases[] = {
      {named + Compress("tail"), data + "tail"},
      {plain, plain},
  };
  for (const auto& [input, expected] : cases) {
    TrickleStream source(input);
    TGUnzipStream gz(source);
    EXPECT_EQ(gz.ReadRest(), expected);
    EXPECT_NO_THROW(gz.Close());
  }
}

TEST(GUnzipStream, PlainDataIsPassedThroughUnchanged) {
  const std::string cases[] = {
      "",
      "x",
      "plain text, not compressed\r\n",
      std::string("\x1F"),
      std::string("\x1F") + "but no second signature byte",
      TextBytes(50000),
  };
  for (const std::string& data : cases) {
    EXPECT_EQ(Decompress(data), data) << data.size();
    EXPECT_EQ(Decompress(data, 3), data) << data.size();
  }
  TMemoryStream source;
  source.WriteString("text");
  source.SetPosition(0, soBeginning);
  TGUnzipStream gz(source);
  EXPECT_TRUE(gz.Transparent());
}

TEST(GUnzipStream, BadDataRaisesWithTheDecompressorsReason) {
  const std::string data = TextBytes(20000);
  const std::string gz = Compress(data);
  auto withByte = [&](size_t at, int value) {
    std::string bad = gz;
    bad[at] = static_cast<char>(value);
    return bad;
  };
  auto flipped = [&](size_t at) { return withByte(at, gz[at] ^ 0x55); };
  struct Case {
    const char* what;
    std::string input;
    std::string message;
  };
  const Case cases[] = {
      {"crc", flipped(gz.size() - 8), "Stream: incorrect data check"},
      {"length", flipped(gz.size() - 2), "Stream: incorrect length check"},
      {"reserved flag", withByte(3, 0x20), "Stream: unknown header flags set"},
      {"method", withByte(2, 7), "Stream: unknown compression method"},
      {"block type", withByte(10, 0x07), "Stream: invalid block type"},
      {"second member", gz + withByte(3, 0x80), "Stream: unknown header flags set"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecompressError(c.input), c.message) << c.what;

  // Deflate data garbled in the middle: the reason is zlib's, within 79 chars.
  const std::string message = DecompressError(flipped(gz.size() / 2));
  EXPECT_EQ(message.rfind("Stream: ", 0), 0u) << message;
  EXPECT_LE(message.size(), 79u);
}

TEST(GUnzipStream, BytesBeforeAFaultComeFirstThenEveryReadAndCloseRaise) {
  const std::string data = TextBytes(10000);
  std::string gz = Compress(data);
  gz[gz.size() - 8] ^= 1;
  TMemoryStream source;
  source.WriteString(gz);
  source.SetPosition(0, soBeginning);
  TGUnzipStream in(source);
  std::string buffer(20000, '\0');
  EXPECT_EQ(in.Read(buffer.data(), 20000), 10000);
  EXPECT_EQ(buffer.substr(0, 10000), data);
  EXPECT_THROW(in.Read(buffer.data(), 20000), EStreamError);
  EXPECT_THROW(in.Read(buffer.data(), 1), EStreamError);
  try {
    in.Close();
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "gzclose error!");
  }
}

TEST(GUnzipStream, TruncatedDataEndsInAnError) {
  const std::string member = Compress(RandomBytes(40000, 4));
  const std::string named = WithHeader(member, 0x08, std::string("name.txt\0", 9));
  const size_t cuts[] = {3, 9, 10, 11, 500, member.size() / 2, member.size() - 9,
                         member.size() - 8, member.size() - 5, member.size() - 1};
  for (size_t cut : cuts)
    EXPECT_EQ(DecompressError(member.substr(0, cut)), "Stream: unexpected end of file") << cut;
  EXPECT_EQ(DecompressError(named.substr(0, 14)), "Stream: unexpected end of file");
  EXPECT_EQ(DecompressError(member + member.substr(0, 20)), "Stream: unexpected end of file");
}

TEST(GUnzipStream, BytesAfterTheLastMemberThatAreNotGzipAreIgnored) {
  const std::string data = TextBytes(1000);
  EXPECT_EQ(Decompress(Compress(data) + std::string(100, '\0')), data);
  EXPECT_EQ(Decompress(Compress(data) + "x"), data);
}

TEST(GUnzipStream, DestroyingWithoutCloseIsSilent) {
  std::string gz = Compress(TextBytes(1000));
  gz[gz.size() - 8] ^= 1;
  TMemoryStream source;
  source.WriteString(gz);
  source.SetPosition(0, soBeginning);
  auto in = std::make_unique<TGUnzipStream>(source);
  EXPECT_THROW(in->ReadRest(), EStreamError);
  EXPECT_NO_THROW(in.reset());

  TMemoryStream target;
  auto out = std::make_unique<TGZipStream>(target);
  out->WriteString(TextBytes(100));
  EXPECT_NO_THROW(out.reset());
}

} // namespace
} // namespace qm
