#include "cli/Report.h"

#include <gtest/gtest.h>

#include <string>

namespace qm::cli {
namespace {

TFoundMisprint Misprint(std::u16string word, std::vector<std::u16string> suggestions = {}) {
  TFoundMisprint misprint;
  misprint.line = 3;
  misprint.column = 14;
  misprint.word = std::move(word);
  misprint.suggestions = std::move(suggestions);
  return misprint;
}

TEST(Report, TextLines) {
  EXPECT_EQ(FormatText("src/a.c", Misprint(u"tset"), false), "src/a.c:3:14: tset");
  EXPECT_EQ(FormatText("src/a.c", Misprint(u"tset", {u"test", u"set", u"stet"}), true),
            "src/a.c:3:14: tset -> test, set, stet");
  EXPECT_EQ(FormatText("src/a.c", Misprint(u"tset", {u"test"}), false), "src/a.c:3:14: tset");
  EXPECT_EQ(FormatText("f", Misprint(u"na\u00EFf", {u"na\u00EFve"}), true), "f:3:14: na\xC3\xAF" "f -> na\xC3\xAFve");
}

TEST(Report, JsonLines) {
  EXPECT_EQ(FormatJson("src/a.c", Misprint(u"tset"), false),
            R"({"file":"src/a.c","line":3,"column":14,"word":"tset"})");
  EXPECT_EQ(FormatJson("src/a.c", Misprint(u"tset", {u"test", u"set"}), true),
            R"({"file":"src/a.c","line":3,"column":14,"word":"tset","suggestions":["test","set"]})");
  EXPECT_EQ(FormatJson("a", Misprint(u"x"), true), R"({"file":"a","line":3,"column":14,"word":"x","suggestions":[]})");
}

TEST(Report, JsonStringsEscapeQuotesBackslashesAndControls) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(JsonString("\n\r\t"), R"("\n\r\t")");
  EXPECT_EQ(JsonString(std::string("\x01\x1F\0", 3)), R"("\u0001\u001f\u0000")");
  EXPECT_EQ(JsonString("caf\xC3\xA9 \x7F"), "\"caf\xC3\xA9 \x7F\"");  // UTF-8 passes as it is
}

} // namespace
} // namespace qm::cli
