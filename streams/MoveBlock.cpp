#include "streams/MoveBlock.h"

#include <algorithm>
#include <cstdint>

namespace qm {

namespace {

constexpr int64_t kPiece = 4096;

void SeekTo(TStream& stream, int64_t offset) {
  if (stream.SetPosition(offset, soBeginning) != offset) throw EStreamError("Stream seek error");
}

// One piece: answers the number of bytes read (and written).
int64_t CopyPiece(TStream& stream, char* buffer, int64_t from, int64_t to, int64_t k) {
  SeekTo(stream, from);
  const int64_t n = std::max<int64_t>(stream.Read(buffer, k), 0);
  SeekTo(stream, to);
  stream.WriteBuffer(buffer, n);
  return n;
}

// Low to high: safe when the target lies below the source.
void CopyForward(TStream& stream, int64_t from, int64_t to, int64_t count) {
  char buffer[kPiece];
  while (count > 0) {
    const int64_t k = std::min(count, kPiece);
    const int64_t n = CopyPiece(stream, buffer, from, to, k);
    from += n;
    to += n;
    count -= n;
    if (n < k) break;
  }
}

// High to low: safe when the target lies above the source.
void CopyBackward(TStream& stream, int64_t from, int64_t to, int64_t count) {
  char buffer[kPiece];
  from += count;
  to += count;
  while (count > 0) {
    const int64_t k = std::min(count, kPiece);
    from -= k;
    to -= k;
    const int64_t n = CopyPiece(stream, buffer, from, to, k);
    count -= n;
    if (n < k) break;
  }
}

} // namespace

void MoveBlock(TStream& stream, int64_t from, int64_t to, int64_t count) {
  if (from == to || from < 0 || to < 0) return;
  // Bytes beyond the end do not exist; copying them would only stop the
  // backward copy early and leave the range half moved.
  count = count < 0 ? stream.Size() - from : std::min(count, stream.Size() - from);
  if (count <= 0) return;
  if (to > INT64_MAX - count) throw EStreamError("Stream seek error");
  const int64_t saved = stream.Position();
  try {
    if (from > to)
      CopyForward(stream, from, to, count);
    else
      CopyBackward(stream, from, to, count);
  } catch (...) {
    stream.SetPosition(saved, soBeginning);
    throw;
  }
  stream.SetPosition(saved, soBeginning);
}

} // namespace qm
