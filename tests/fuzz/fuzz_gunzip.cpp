// Arbitrary bytes through the gzip reader: read everything in chunks, then
// Close. EStreamError is the expected answer to bad data; a crash, a leak or
// any other exception is a finding.
#include "streams/GZipStream.h"
#include "streams/MemoryStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qm::TMemoryStream source;
  source.WriteBuffer(data, static_cast<int64_t>(size));
  source.SetPosition(0, qm::soBeginning);
  // The first byte picks the chunk size so that odd read sizes are covered.
  const int64_t chunk = size > 0 ? 1 + data[0] * 97 : 1;
  static char buffer[1 + 255 * 97];
  try {
    qm::TGUnzipStream gz(source);
    while (gz.Read(buffer, chunk) > 0) {
    }
    gz.Close();
  } catch (const qm::EStreamError&) {
  }
  return 0;
}
