// Objects that write themselves to a stream and read themselves back, and an
// owning list of them with a counted byte layout:
//   u16 length of the count field (4), i32 item count N,
//   then N blocks of: i32 size S, S bytes written by the item.
#pragma once

#include "platform/Stream.h"

#include <memory>
#include <string>
#include <vector>

namespace qm {

class TPersistObj {
public:
  virtual ~TPersistObj() = default;
  virtual void SaveToStream(TStream& stream) = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
};

class TPersistObjList {
public:
  TPersistObjList() = default;
  TPersistObjList(const TPersistObjList&) = delete;
  TPersistObjList& operator=(const TPersistObjList&) = delete;
  virtual ~TPersistObjList() = default;

  int Count() const { return static_cast<int>(items_.size()); }
  TPersistObj* Item(int index) const;
  void Delete(int index);
  void Clear() { items_.clear(); }
  // Moves an item to another position, shifting those in between.
  void Move(int from, int to);

  virtual void CopyFrom(TPersistObjList& source);
  virtual void SaveToStream(TStream& stream);
  virtual void LoadFromStream(TStream& stream);
  virtual int AddNew();
  virtual std::unique_ptr<TPersistObj> CreateItem() = 0;

  // Frees every item, then appends n fresh ones (none for n <= 0).
  void SetCount(int n);
  // Raise EFileError; the save replaces the file atomically, so a failure
  // leaves the old file as it was.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path);

private:
  std::vector<std::unique_ptr<TPersistObj>> items_;
};

} // namespace qm
