// Copy a range of bytes inside one stream, also when source and target overlap.
#pragma once

#include "platform/Stream.h"

#include <cstdint>

namespace qm {

// Copies count bytes from offset from to offset to; a negative count means up
// to the end of the stream. The range is cut at the stream's end, negative
// offsets do nothing, and the stream's position is restored afterwards, also
// when an error (EWriteError for a refused write) leaves the call.
void MoveBlock(TStream& stream, int64_t from, int64_t to, int64_t count);

} // namespace qm
