#include "platform/StringList.h"

#include <gtest/gtest.h>

#include <vector>

namespace qm {
namespace {

using Lines = std::vector<std::string>;

TEST(StringListText, SplitsOnEveryLineBreakKindAndStopsAtNul) {
  struct Case {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\n", {""}},
      {"a\n\rb", {"a", "", "b"}},
      {std::string("a\nb\0c\nd", 7), {"a", "b"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(list.Lines(), c.lines) << testing::PrintToString(c.text);
  }
}

TEST(StringListText, JoinsEveryLineWithCrLf) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("a");
  list.Add("");
  list.Add("b");
  EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
}

TEST(StringListSorted, KeepsOrderAndAppliesDuplicateRule) {
  TStringList list;
  list.SetSorted(true);
  for (const char* word : {"pear", "Apple", "banana", "apple"}) list.Add(word);
  EXPECT_EQ(list.Lines(), (Lines{"Apple", "banana", "pear"}));  // case-insensitive duplicate ignored

  list.SetDuplicates(TDuplicates::dupError);
  EXPECT_THROW(list.Add("PEAR"), EStringListError);
  list.SetDuplicates(TDuplicates::dupAccept);
  list.Add("PEAR");
  EXPECT_EQ(list.Count(), 4);

  list.SetCaseSensitive(true);
  int index = -1;
  EXPECT_FALSE(list.Find("apple", index));
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST(StringListSorted, FoldsNonAsciiLetters) {
  TStringList list;
  list.SetSorted(true);
  list.Add("\xC3\x89t\xC3\xA9");  // "Été"
  EXPECT_GE(list.IndexOf("\xC3\xA9t\xC3\xA9"), 0);  // "été"
  list.Add("\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(list.Count(), 1);
}

TEST(StringListValues, ReadWriteAndDeleteByName) {
  TStringList list;
  list.SetText("plain line\r\nKey=1\r\nother=a=b\r\n");
  EXPECT_EQ(list.Value("key"), "1");
  EXPECT_EQ(list.Value("OTHER"), "a=b");
  EXPECT_EQ(list.Value("plain line"), "");
  EXPECT_EQ(list.Value("missing"), "");

  list.SetValue("KEY", "2");
  EXPECT_EQ(list[1], "KEY=2");
  list.SetValue("new", "x");
  EXPECT_EQ(list[3], "new=x");
  list.SetValue("key", "");
  EXPECT_EQ(list.Lines(), (Lines{"plain line", "other=a=b", "new=x"}));
}

TEST(StringListEdit, IndexErrorsAndMove) {
  TStringList list;
  list.SetText("a\nb\nc");
  EXPECT_THROW(list.Get(3), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
  list.Move(0, 2);
  EXPECT_EQ(list.Lines(), (Lines{"b", "c", "a"}));
}

} // namespace
} // namespace qm
