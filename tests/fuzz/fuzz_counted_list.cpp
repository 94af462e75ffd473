// The counted layout of any bytes either loads or raises a stream error,
// without creating more items than the data can describe.
#include "persistence/PersistObj.h"
#include "streams/MemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Blob : qm::TPersistObj {
  std::string bytes;
  void SaveToStream(qm::TStream& stream) override { stream.WriteString(bytes); }
  void LoadFromStream(qm::TStream& stream) override { bytes = stream.ReadRest(); }
};

struct BlobList : qm::TPersistObjList {
  std::unique_ptr<qm::TPersistObj> CreateItem() override { return std::make_unique<Blob>(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qm::TMemoryStream input;
  input.WriteBuffer(data, static_cast<int64_t>(size));
  input.SetPosition(0, qm::soBeginning);
  BlobList list;
  try {
    list.LoadFromStream(input);
  } catch (const qm::EStreamError&) {
    if (static_cast<size_t>(list.Count()) * 4 > size) std::abort();
    return 0;
  }
  if (static_cast<size_t>(list.Count()) * 4 > size) std::abort();
  BlobList copy;
  copy.CopyFrom(list);
  if (copy.Count() != list.Count()) std::abort();
  return 0;
}
