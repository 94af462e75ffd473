#include "persistence/PersistObj.h"

#include "streams/MemoryStream.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// An item that stores its text as its whole content.
struct TextItem : TPersistObj {
  std::string text;
  bool loaded = false;
  void SaveToStream(TStream& stream) override { stream.WriteString(text); }
  void LoadFromStream(TStream& stream) override {
    text = stream.ReadRest();
    loaded = true;
  }
};

struct TextList : TPersistObjList {
  std::unique_ptr<TPersistObj> CreateItem() override { return std::make_unique<TextItem>(); }
  TextItem& At(int i) { return *static_cast<TextItem*>(Item(i)); }
  void Append(const std::string& text) { At(AddNew()).text = text; }
};

std::string Saved(TPersistObjList& list) {
  TMemoryStream data;
  list.SaveToStream(data);
  return data.AsString();
}

void Load(TPersistObjList& list, const std::string& bytes) {
  TMemoryStream data;
  data.WriteString(bytes);
  data.SetPosition(0, soBeginning);
  list.LoadFromStream(data);
}

using namespace std::string_literals;

TEST(CountedLayout, ExactBytesAndRoundTrip) {
  TextList list;
  list.Append("ab");
  list.Append("");
  list.Append("xyz");
  const std::string bytes = Saved(list);
  EXPECT_EQ(bytes, "\x04\x00"s "\x03\x00\x00\x00"s
                   "\x02\x00\x00\x00"s "ab"
                   "\x00\x00\x00\x00"s
                   "\x03\x00\x00\x00"s "xyz");
  TextList copy;
  copy.Append("old");
  copy.CopyFrom(list);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.At(0).text, "ab");
  EXPECT_TRUE(copy.At(1).loaded);  // a zero-size item still loads, from an empty stream
  EXPECT_EQ(copy.At(1).text, "");
  EXPECT_EQ(copy.At(2).text, "xyz");
}

TEST(CountedLayout, CountFieldWidths) {
  TextList list;
  Load(list, "\x01\x00\x02"s "\x00\x00\x00\x00\x01\x00\x00\x00q"s);  // one-byte count
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.At(1).text, "q");
  Load(list, "\x04\x00\xFF\xFF\xFF\xFF"s);  // negative count: nothing
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(Load(list, "\x05\x00\x01\x00\x00\x00\x00"s), EReadError);
}

TEST(CountedLayout, HostileCountCreatesNothing) {
  TextList list;
  list.Append("before");
  EXPECT_THROW(Load(list, "\x04\x00\xFF\xFF\xFF\x7F\x00\x00\x00\x00"s), EReadError);
  EXPECT_EQ(list.Count(), 0);
}

TEST(CountedLayout, ShortItemKeepsLoadedItemsAndFreshOnes) {
  TextList list;
  EXPECT_THROW(Load(list, "\x04\x00\x03\x00\x00\x00"s
                          "\x01\x00\x00\x00" "a"s
                          "\x09\x00\x00\x00" "short"s
                          "\x00\x00"s),
               EReadError);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.At(0).text, "a");
  EXPECT_FALSE(list.At(1).loaded);
  EXPECT_FALSE(list.At(2).loaded);
}

TEST(CountedLayout, MoveReordersItems) {
  TextList list;
  for (const char* t : {"a", "b", "c"}) list.Append(t);
  list.Move(2, 0);
  EXPECT_EQ(list.At(0).text + list.At(1).text + list.At(2).text, "cab");
  EXPECT_THROW(list.Move(0, 3), std::out_of_range);
}

} // namespace
} // namespace qm
