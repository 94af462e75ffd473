#include "persistence/OptionsList.h"

#include <gtest/gtest.h>

#include <set>

namespace qm {
namespace {

TEST(OptionsList, LastOfDuplicateNamesWinsForReadAndWrite) {
  TOptionsList list;
  list.Add("Key=1");
  list.Add("key=2");
  EXPECT_EQ(list.Value("KEY"), "2");
  list.SetValue("KEY", "3");
  EXPECT_EQ(list[0], "Key=1");
  EXPECT_EQ(list[1], "KEY=3");
}

TEST(OptionsList, IndexFollowsEveryChange) {
  TOptionsList list;
  list.SetText("a=1\r\nb=2\r\n");
  EXPECT_EQ(list.FindName("B"), 1);  // builds the index
  list.Insert(0, "b=0");
  EXPECT_EQ(list.FindName("b"), 2);  // still the last "b"
  list.Delete(2);
  EXPECT_EQ(list.Value("b"), "0");
  list.Put(0, "c=9");
  EXPECT_EQ(list.FindName("b"), -1);
  EXPECT_EQ(list.FindLine("C=9"), 0);
  list.Clear();
  EXPECT_EQ(list.FindLine("c=9"), -1);
}

TEST(OptionsList, LinesWithoutEqualsHaveNoName) {
  TOptionsList list;
  list.Add("novalue");
  list.Add("=empty name");
  EXPECT_EQ(list.FindName("novalue"), -1);
  EXPECT_EQ(list.FindLine("NOVALUE"), 0);
  EXPECT_EQ(list.Value(""), "empty name");
}

TEST(OptionsList, CopyTakesSectionNameAndIndex) {
  TOptionsList source;
  source.SectionName = "en_us";
  source.SectionIndex = 3;
  source.Add("Enabled=TRUE");
  TOptionsList copy;
  copy.CopyLinesFrom(source);
  EXPECT_EQ(copy.SectionName, "en_us");
  EXPECT_EQ(copy.SectionIndex, 3);
  EXPECT_EQ(copy.Value("enabled"), "TRUE");
}

TEST(OptionsList, ProvisionalNamesFollowTheCounterPattern) {
  std::set<std::string> names;
  for (int i = 0; i < 150; ++i) {
    const std::string name = TOptionsList().SectionName;
    // digits "6-" digits "2"
    const size_t dash = name.find("6-");
    ASSERT_NE(dash, std::string::npos) << name;
    ASSERT_EQ(name.back(), '2') << name;
    const int counter = std::stoi(name.substr(dash + 2, name.size() - dash - 3));
    EXPECT_GE(counter, 0);
    EXPECT_LE(counter, 99);
    names.insert(name);
  }
  EXPECT_GT(names.size(), 100u);
}

} // namespace
} // namespace qm
