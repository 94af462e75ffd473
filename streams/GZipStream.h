// Gzip (RFC 1952) over another stream: TGZipStream compresses what is written
// to it into a target stream, TGUnzipStream decompresses a source stream as it
// is read. Compression is zlib's raw deflate; the container is written and
// read here.
#pragma once

#include "platform/Stream.h"

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// Common state of the gzip writer and reader. Read and Write do nothing here;
// SetPosition ignores its arguments and answers the number of uncompressed
// bytes passed through so far.
class TGZipStrClass : public TStream {
public:
  static constexpr int kBufferSize = 16384;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t SetPosition(int64_t offset, int origin) override;
  // Finish the stream; raises EStreamError("gzclose error!") when it did not
  // end well. A second call does nothing. The destructor never raises: an
  // object destroyed without Close just releases its resources.
  virtual void Close() = 0;

protected:
  explicit TGZipStrClass(TStream& other);

  TStream& other_;              // the target (writer) or source (reader)
  z_stream z_{};
  bool zReady_ = false;         // z_ holds zlib state that must be ended
  bool closed_ = false;
  std::vector<Bytef> buffer_;   // compressed bytes on their way out or in
  uLong crc_ = 0;               // CRC-32 of the current member's data
  uint32_t memberLength_ = 0;   // its length modulo 2^32
  int64_t passed_ = 0;          // uncompressed bytes through the stream
};

class TGZipStream : public TGZipStrClass {
public:
  // Starts a member at compression level 9 and writes its 10-byte header to
  // target at once; raises EStreamError("Can't gzopen.") when that fails.
  explicit TGZipStream(TStream& target);
  ~TGZipStream() override;

  // Answers the input bytes consumed: fewer than count only when the target
  // refused a piece of output, after which the stream is broken.
  int64_t Write(const void* buffer, int64_t count) override;
  // Writes the pending output and the CRC-32 and length trailer.
  void Close() override;

private:
  bool Deflate(int flush);
  bool FlushOutput();
  bool WriteTrailer();
  void Release();

  bool failed_ = false;
};

class TGUnzipStream : public TGZipStrClass {
public:
  // Reads the first member's header at once; raises
  // EStreamError("Can't gzopen.") when the decompressor cannot be set up.
  // A source that does not start with the gzip signature is passed through
  // unchanged.
  explicit TGUnzipStream(TStream& source);
  ~TGUnzipStream() override;

  // Up to count decompressed bytes, 0 at the end of the data. Corrupt or
  // truncated data raises EStreamError("Stream: " + the reason), once the
  // bytes before the fault have been handed out.
  int64_t Read(void* buffer, int64_t count) override;
  // Raises EStreamError("gzclose error!") when reading met an error.
  void Close() override;

  bool Transparent() const { return state_ == State::Transparent; }

private:
  enum class State { Body, Trailer, NextMember, Transparent, End, Failed };

  void Start();
  void ReadHeader();
  bool SkipBytes(uint32_t count);
  bool SkipString();
  int64_t Inflate(Bytef* out, int64_t count);
  void CheckTrailer();
  void NextMember();
  int64_t ReadPlain(Bytef* out, int64_t count);
  bool ReadLittleEndian32(uint32_t& value);
  int NextByte();
  bool Refill();
  void Fail(const std::string& reason);
  void Release();

  State state_ = State::End;
  bool sourceEnded_ = false;
  Bytef prefix_[2] = {0, 0};    // bytes read while looking for the signature
  int prefixLength_ = 0;
  std::string error_;
};

} // namespace qm
