#include "persistence/MultiOptions.h"

#include "platform/Files.h"
#include "streams/MemoryStream.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using Lines = std::vector<std::string>;

std::vector<std::pair<std::string, Lines>> Sections(TMultiOptions& options) {
  std::vector<std::pair<std::string, Lines>> out;
  for (int i = 0; i < options.Count(); ++i) {
    TOptionsList* section = options.SectionAt(i);
    out.emplace_back(section->SectionName, section->Lines());
  }
  return out;
}

TEST(SectionText, SavesHeadersLinesAndEmptyLineWithCrLf) {
  TMultiOptions options;
  options.GetSection("a")->Add("x=1");
  options.GetSection("b");
  EXPECT_EQ(options.SectionText(), "[a]\r\nx=1\r\n\r\n[b]\r\n\r\n");
  TMultiOptions empty;
  EXPECT_EQ(empty.SectionText(), "");
}

TEST(SectionText, LoadRules) {
  TMultiOptions options;
  options.SetSectionText(
      "orphan=1\n"
      "[en_us]\r\n"
      "Enabled=TRUE\r\n"
      "\r\n"
      "[user]\n"
      " [indented]\n"
      "[open\n"
      "; not a comment\n"
      "[]\r"
      "x\r"
      "[en_us]\n"
      "Enabled=FALSE\n");
  const std::vector<std::pair<std::string, Lines>> expected = {
      {"en_us", {"Enabled=FALSE"}},  // second header emptied it, first position kept
      {"user", {" [indented]", "[open", "; not a comment"}},
      {"", {"x"}},
  };
  EXPECT_EQ(Sections(options), expected);
}

TEST(SectionText, NulEndsTheText) {
  TMultiOptions options;
  options.SetSectionText(std::string("[a]\nx=1\0\n[b]\n", 12));
  EXPECT_EQ(options.Count(), 1);
}

TEST(SectionText, SectionNamesCompareExactly) {
  TMultiOptions options;
  options.GetSection("en_us");
  EXPECT_EQ(options.FindSection("EN_US"), nullptr);
  TOptionsList* upper = options.GetSection("EN_US");
  EXPECT_EQ(options.Count(), 2);
  EXPECT_EQ(upper->SectionIndex, 1);
  EXPECT_EQ(options.FindSection("en_us")->SectionIndex, 0);
}

TEST(SectionText, FileRoundTripDropsStrayLines) {
  test::TempDir dir;
  const std::string path = dir.File("dictionaries.dat");
  test::WriteFile(path, "stray\n[de_de]\nPath=x\n\n\n[user]\n");
  TMultiOptions options;
  options.LoadFromFile(path);
  options.SaveToFile(path);
  EXPECT_EQ(test::ReadFile(path), "[de_de]\r\nPath=x\r\n\r\n[user]\r\n\r\n");

  TMultiOptions copy;
  copy.GetSection("stale");
  copy.CopyFrom(options);
  EXPECT_EQ(Sections(copy), Sections(options));
}

TEST(SectionText, LoadOfMissingFileRaisesAndStreamLoadStartsEmpty) {
  test::TempDir dir;
  TMultiOptions options;
  EXPECT_THROW(options.LoadFromFile(dir.File("missing.dat")), EFileError);
  options.GetSection("old");
  TMemoryStream data;
  data.WriteString("[new]\r\n");
  data.SetPosition(0, soBeginning);
  options.LoadFromStream(data);
  EXPECT_EQ(Sections(options), (std::vector<std::pair<std::string, Lines>>{{"new", {}}}));
}

} // namespace
} // namespace qm
