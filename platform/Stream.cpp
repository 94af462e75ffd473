#include "platform/Stream.h"

#include <algorithm>
#include <vector>

namespace qm {

int64_t TStream::GetStreamSize() {
  const int64_t here = SetPosition(0, soCurrent);
  const int64_t size = SetPosition(0, soEnd);
  SetPosition(here, soBeginning);
  return size;
}

void TStream::SetStreamSize(int64_t) {
  throw EStreamError("Error setting stream size");
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0, soBeginning);
    count = source.Size();
  }
  constexpr int64_t kChunk = 64 * 1024;
  std::vector<char> buffer(static_cast<size_t>(std::min(count, kChunk)));
  int64_t done = 0;
  while (done < count) {
    const int64_t n = std::min(count - done, kChunk);
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    done += n;
  }
  return done;
}

std::string TStream::ReadRest() {
  std::string bytes;
  char chunk[16384];
  for (;;) {
    const int64_t n = Read(chunk, sizeof chunk);
    if (n <= 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  return bytes;
}

} // namespace qm
