#include "persistence/PersistObj.h"

#include "platform/FileStream.h"
#include "streams/MemoryStream.h"

#include <cstring>

namespace qm {

namespace {

// Every item block needs at least its 4-byte size field.
constexpr int64_t kMinItemBytes = 4;

void WriteInt32(TStream& stream, int32_t value) {
  unsigned char bytes[4];
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
  stream.WriteBuffer(bytes, 4);
}

int32_t DecodeInt32(const unsigned char* bytes) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return static_cast<int32_t>(value);
}

int32_t ReadInt32(TStream& stream) {
  unsigned char bytes[4];
  stream.ReadBuffer(bytes, 4);
  return DecodeInt32(bytes);
}

} // namespace

TPersistObj* TPersistObjList::Item(int index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)].get();
}

void TPersistObjList::Delete(int index) {
  Item(index);
  items_.erase(items_.begin() + index);
}

void TPersistObjList::Move(int from, int to) {
  Item(from);
  Item(to);
  if (from == to) return;
  auto item = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(item));
}

int TPersistObjList::AddNew() {
  items_.push_back(CreateItem());
  return Count() - 1;
}

void TPersistObjList::SetCount(int n) {
  items_.clear();
  for (int i = 0; i < n; ++i) AddNew();
}

void TPersistObjList::SaveToStream(TStream& stream) {
  const unsigned char countWidth[2] = {4, 0};
  stream.WriteBuffer(countWidth, 2);
  WriteInt32(stream, Count());
  for (auto& item : items_) {
    TMemoryStream data;
    item->SaveToStream(data);
    WriteInt32(stream, static_cast<int32_t>(data.Size()));
    if (data.Size() > 0) stream.WriteBuffer(data.Memory(), data.Size());
  }
}

void TPersistObjList::LoadFromStream(TStream& stream) {
  unsigned char width[2] = {0, 0};
  stream.Read(width, 2);
  const int countWidth = width[0] | (width[1] << 8);
  if (countWidth > 4) throw EReadError("Invalid stream format");
  unsigned char countBytes[4] = {0, 0, 0, 0};
  stream.Read(countBytes, countWidth);
  const int32_t count = DecodeInt32(countBytes);

  // A corrupt or hostile count must not create items the data cannot hold.
  const int64_t remaining = stream.Size() - stream.Position();
  if (count > 0 && int64_t{count} * kMinItemBytes > remaining) {
    items_.clear();
    throw EReadError();
  }
  SetCount(count);
  for (auto& item : items_) {
    const int32_t size = ReadInt32(stream);
    TMemoryStream data;
    if (size > 0) {
      if (size > stream.Size() - stream.Position()) throw EReadError();
      data.SetStreamSize(size);
      stream.ReadBuffer(data.Memory(), size);
    }
    item->LoadFromStream(data);
  }
}

void TPersistObjList::CopyFrom(TPersistObjList& source) {
  TMemoryStream data;
  source.SaveToStream(data);
  data.SetPosition(0, soBeginning);
  LoadFromStream(data);
}

void TPersistObjList::LoadFromFile(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  LoadFromStream(file);
}

void TPersistObjList::SaveToFile(const std::string& path) {
  TMemoryStream data;
  SaveToStream(data);
  data.SaveToFile(path);
}

} // namespace qm
