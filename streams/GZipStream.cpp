#include "streams/GZipStream.h"

#include <algorithm>
#include <cstring>

namespace qm {

namespace {

const char* const kOpenError = "Can't gzopen.";
const char* const kCloseError = "gzclose error!";
const char* const kReadErrorPrefix = "Stream: ";
constexpr size_t kMaxReadErrorLength = 79;

// The decompressor's own wording for faults found outside raw inflate.
const char* const kTruncated = "unexpected end of file";
const char* const kBadMethod = "unknown compression method";
const char* const kBadFlags = "unknown header flags set";
const char* const kBadCrc = "incorrect data check";
const char* const kBadLength = "incorrect length check";

constexpr Bytef kMagic0 = 0x1F;
constexpr Bytef kMagic1 = 0x8B;
constexpr int kMethodDeflate = 8;

// Header flag bits.
constexpr int kFlagHeaderCrc = 0x02;
constexpr int kFlagExtra = 0x04;
constexpr int kFlagName = 0x08;
constexpr int kFlagComment = 0x10;
constexpr int kFlagsReserved = 0xE0;

// Signature, deflate, no flags, no time, no extra flags, operating system 0.
constexpr Bytef kHeader[10] = {kMagic0, kMagic1, kMethodDeflate, 0, 0, 0, 0, 0, 0, 0};

constexpr int kLevel = 9;
constexpr int kMemLevel = 8;
constexpr int kRawWindowBits = -15;

// zlib counts in uInt: larger requests go through in pieces of this size.
constexpr int64_t kMaxZlibPiece = int64_t{1} << 30;

void PutLittleEndian32(Bytef* to, uint32_t value) {
  for (int i = 0; i < 4; ++i) to[i] = static_cast<Bytef>(value >> (8 * i));
}

} // namespace

// ---- TGZipStrClass ----

TGZipStrClass::TGZipStrClass(TStream& other)
    : other_(other), buffer_(kBufferSize), crc_(crc32(0, nullptr, 0)) {}

int64_t TGZipStrClass::Read(void*, int64_t) { return 0; }

int64_t TGZipStrClass::Write(const void*, int64_t) { return 0; }

int64_t TGZipStrClass::SetPosition(int64_t, int) { return passed_; }

// ---- TGZipStream ----

TGZipStream::TGZipStream(TStream& target) : TGZipStrClass(target) {
  if (deflateInit2(&z_, kLevel, Z_DEFLATED, kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EStreamError(kOpenError);
  zReady_ = true;
  z_.next_out = buffer_.data();
  z_.avail_out = kBufferSize;
  bool written = false;
  try {
    written = other_.Write(kHeader, sizeof kHeader) == static_cast<int64_t>(sizeof kHeader);
  } catch (...) {
    Release();
    throw;
  }
  if (!written) {
    Release();
    throw EStreamError(kOpenError);
  }
}

TGZipStream::~TGZipStream() { Release(); }

void TGZipStream::Release() {
  if (zReady_) deflateEnd(&z_);
  zReady_ = false;
}

// Send the output gathered so far to the target.
bool TGZipStream::FlushOutput() {
  const int64_t n = kBufferSize - z_.avail_out;
  if (n > 0 && other_.Write(buffer_.data(), n) != n) return false;
  z_.next_out = buffer_.data();
  z_.avail_out = kBufferSize;
  return true;
}

// Run the compressor until it has taken all input (Z_NO_FLUSH) or ended the
// data (Z_FINISH), passing every full output piece on to the target.
bool TGZipStream::Deflate(int flush) {
  for (;;) {
    if (z_.avail_out == 0 && !FlushOutput()) return false;
    const int rc = deflate(&z_, flush);
    if (flush == Z_FINISH && rc == Z_STREAM_END) return true;
    if (flush == Z_NO_FLUSH && z_.avail_in == 0) return true;
    // Any other stop with room left for output means the compressor is stuck.
    if ((rc != Z_OK && rc != Z_BUF_ERROR) || z_.avail_out != 0) return false;
  }
}

int64_t TGZipStream::Write(const void* buffer, int64_t count) {
  if (closed_ || failed_ || count <= 0) return 0;
  const auto* in = static_cast<const Bytef*>(buffer);
  int64_t consumed = 0;
  while (consumed < count) {
    const auto piece = static_cast<uInt>(std::min(count - consumed, kMaxZlibPiece));
    z_.next_in = const_cast<Bytef*>(in + consumed);
    z_.avail_in = piece;
    const bool ok = Deflate(Z_NO_FLUSH);
    const uInt taken = piece - z_.avail_in;
    crc_ = crc32(crc_, in + consumed, taken);
    consumed += taken;
    if (!ok) {
      failed_ = true;
      break;
    }
  }
  z_.next_in = nullptr;
  z_.avail_in = 0;
  memberLength_ += static_cast<uint32_t>(consumed);
  passed_ += consumed;
  return consumed;
}

bool TGZipStream::WriteTrailer() {
  Bytef trailer[8];
  PutLittleEndian32(trailer, static_cast<uint32_t>(crc_));
  PutLittleEndian32(trailer + 4, memberLength_);
  return other_.Write(trailer, sizeof trailer) == static_cast<int64_t>(sizeof trailer);
}

void TGZipStream::Close() {
  if (closed_) return;
  closed_ = true;
  const bool ok = !failed_ && Deflate(Z_FINISH) && FlushOutput() && WriteTrailer();
  Release();
  if (!ok) throw EStreamError(kCloseError);
}

// ---- TGUnzipStream ----

TGUnzipStream::TGUnzipStream(TStream& source) : TGZipStrClass(source) {
  if (inflateInit2(&z_, kRawWindowBits) != Z_OK) throw EStreamError(kOpenError);
  zReady_ = true;
  z_.next_in = buffer_.data();
  z_.avail_in = 0;
  try {
    Start();
  } catch (...) {
    Release();
    throw;
  }
}

TGUnzipStream::~TGUnzipStream() { Release(); }

void TGUnzipStream::Release() {
  if (zReady_) inflateEnd(&z_);
  zReady_ = false;
}

void TGUnzipStream::Fail(const std::string& reason) {
  error_ = (kReadErrorPrefix + reason).substr(0, kMaxReadErrorLength);
  state_ = State::Failed;
}

bool TGUnzipStream::Refill() {
  if (sourceEnded_) return false;
  const int64_t n = other_.Read(buffer_.data(), kBufferSize);
  if (n <= 0) {
    sourceEnded_ = true;
    return false;
  }
  z_.next_in = buffer_.data();
  z_.avail_in = static_cast<uInt>(std::min<int64_t>(n, kBufferSize));
  return true;
}

int TGUnzipStream::NextByte() {
  if (z_.avail_in == 0 && !Refill()) return -1;
  --z_.avail_in;
  return *z_.next_in++;
}

bool TGUnzipStream::SkipBytes(uint32_t count) {
  for (; count > 0; --count)
    if (NextByte() < 0) return false;
  return true;
}

// Skip a zero-terminated header field.
bool TGUnzipStream::SkipString() {
  for (;;) {
    const int c = NextByte();
    if (c < 0) return false;
    if (c == 0) return true;
  }
}

bool TGUnzipStream::ReadLittleEndian32(uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    const int c = NextByte();
    if (c < 0) return false;
    value |= static_cast<uint32_t>(c) << (8 * i);
  }
  return true;
}

// The first member decides between gzip and plain data.
void TGUnzipStream::Start() {
  for (prefixLength_ = 0; prefixLength_ < 2; ++prefixLength_) {
    const int c = NextByte();
    if (c < 0) break;
    prefix_[prefixLength_] = static_cast<Bytef>(c);
  }
  if (prefixLength_ == 2 && prefix_[0] == kMagic0 && prefix_[1] == kMagic1) {
    prefixLength_ = 0;
    ReadHeader();
  } else {
    state_ = prefixLength_ == 0 ? State::End : State::Transparent;
  }
}

// The rest of a member header, after its signature.
void TGUnzipStream::ReadHeader() {
  const int method = NextByte();
  const int flags = NextByte();
  if (flags < 0) return Fail(kTruncated);
  if (method != kMethodDeflate) return Fail(kBadMethod);
  if (flags & kFlagsReserved) return Fail(kBadFlags);
  if (!SkipBytes(6)) return Fail(kTruncated);  // time, extra flags, system
  if (flags & kFlagExtra) {
    const int low = NextByte();
    const int high = NextByte();
    if (high < 0 || !SkipBytes(static_cast<uint32_t>(low | (high << 8)))) return Fail(kTruncated);
  }
  if ((flags & kFlagName) && !SkipString()) return Fail(kTruncated);
  if ((flags & kFlagComment) && !SkipString()) return Fail(kTruncated);
  if ((flags & kFlagHeaderCrc) && !SkipBytes(2)) return Fail(kTruncated);
  crc_ = crc32(0, nullptr, 0);
  memberLength_ = 0;
  state_ = State::Body;
}

int64_t TGUnzipStream::Inflate(Bytef* out, int64_t count) {
  if (z_.avail_in == 0 && !Refill()) {
    Fail(kTruncated);
    return 0;
  }
  z_.next_out = out;
  z_.avail_out = static_cast<uInt>(std::min(count, kMaxZlibPiece));
  const uInt room = z_.avail_out;
  const int rc = inflate(&z_, Z_NO_FLUSH);
  const uInt produced = room - z_.avail_out;
  crc_ = crc32(crc_, out, produced);
  memberLength_ += produced;
  switch (rc) {
    case Z_OK: break;
    case Z_STREAM_END: state_ = State::Trailer; break;
    // With input and room given, anything else is a fault in the data.
    default: Fail(z_.msg ? z_.msg : zError(rc == Z_NEED_DICT ? Z_DATA_ERROR : rc)); break;
  }
  return produced;
}

void TGUnzipStream::CheckTrailer() {
  uint32_t crc = 0;
  uint32_t length = 0;
  if (!ReadLittleEndian32(crc) || !ReadLittleEndian32(length)) return Fail(kTruncated);
  if (crc != static_cast<uint32_t>(crc_)) return Fail(kBadCrc);
  if (length != memberLength_) return Fail(kBadLength);
  state_ = State::NextMember;
}

// Another member may follow a complete one; bytes that do not start with
// the signature are not gzip data and end the stream.
void TGUnzipStream::NextMember() {
  const int c0 = NextByte();
  const int c1 = c0 < 0 ? -1 : NextByte();
  if (c0 != kMagic0 || c1 != kMagic1) {
    state_ = State::End;
    return;
  }
  inflateReset(&z_);
  ReadHeader();
}

int64_t TGUnzipStream::ReadPlain(Bytef* out, int64_t count) {
  int64_t done = 0;
  while (done < count && prefixLength_ > 0) {
    out[done++] = prefix_[0];
    prefix_[0] = prefix_[1];
    --prefixLength_;
  }
  const int64_t buffered = std::min<int64_t>(count - done, z_.avail_in);
  if (buffered > 0) {
    std::memcpy(out + done, z_.next_in, static_cast<size_t>(buffered));
    z_.next_in += buffered;
    z_.avail_in -= static_cast<uInt>(buffered);
    done += buffered;
  }
  if (done < count && !sourceEnded_) {
    const int64_t n = other_.Read(out + done, count - done);
    if (n > 0)
      done += n;
    else
      sourceEnded_ = true;
  }
  return done;
}

int64_t TGUnzipStream::Read(void* buffer, int64_t count) {
  if (closed_ || count <= 0) return 0;
  auto* out = static_cast<Bytef*>(buffer);
  int64_t done = 0;
  while (done < count) {
    switch (state_) {
      case State::Body: done += Inflate(out + done, count - done); break;
      case State::Trailer: CheckTrailer(); break;
      case State::NextMember: NextMember(); break;
      case State::Transparent: {
        const int64_t n = ReadPlain(out + done, count - done);
        if (n == 0) state_ = State::End;
        done += n;
        break;
      }
      case State::End: passed_ += done; return done;
      case State::Failed:
        passed_ += done;
        if (done > 0) return done;
        throw EStreamError(error_);
    }
  }
  passed_ += done;
  return done;
}

void TGUnzipStream::Close() {
  if (closed_) return;
  closed_ = true;
  Release();
  if (state_ == State::Failed) throw EStreamError(kCloseError);
}

} // namespace qm
