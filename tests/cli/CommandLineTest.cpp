#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, DefaultsWithPathsOnly) {
  const TCheckCommand command = ParseCommandLine({"src", "a.c"});
  EXPECT_EQ(command.paths, (Args{"src", "a.c"}));
  EXPECT_FALSE(command.suggest);
  EXPECT_EQ(command.format, TOutputFormat::Text);
  EXPECT_EQ(command.dataFolder, "");
  EXPECT_EQ(command.jobs, 0);
  EXPECT_EQ(command.language, "");
  EXPECT_FALSE(command.help || command.version || command.listLanguages);
}

TEST(CommandLine, EveryOptionInBothSpellings) {
  const Args spellings[] = {
      {"--suggest", "--format", "json", "--data", "/d", "--jobs", "4", "--language", "Python", "x", "y"},
      {"x", "--format=json", "--data=/d", "--suggest", "--jobs=4", "--language=Python", "y"},
      {"-j4", "--suggest", "x", "--format", "json", "--data", "/d", "--language", "Python", "y"},
  };
  for (const Args& args : spellings) {
    SCOPED_TRACE(testing::PrintToString(args));
    const TCheckCommand command = ParseCommandLine(args);
    EXPECT_EQ(command.paths, (Args{"x", "y"}));
    EXPECT_TRUE(command.suggest);
    EXPECT_EQ(command.format, TOutputFormat::Json);
    EXPECT_EQ(command.dataFolder, "/d");
    EXPECT_EQ(command.jobs, 4);
    EXPECT_EQ(command.language, "Python");
  }
}

TEST(CommandLine, InformationOptionsNeedNoPath) {
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"-h"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  EXPECT_TRUE(ParseCommandLine({"--list-languages"}).listLanguages);
}

TEST(CommandLine, DoubleDashEndsTheOptions) {
  EXPECT_EQ(ParseCommandLine({"--", "--suggest", "-j2"}).paths, (Args{"--suggest", "-j2"}));
  EXPECT_EQ(ParseCommandLine({"-", "a"}).paths, (Args{"-", "a"}));
}

TEST(CommandLine, ErrorsNameTheProblem) {
  const std::pair<Args, std::string> cases[] = {
      {{}, "no file"},
      {{"--suggest"}, "no file"},
      {{"--bogus", "a"}, "--bogus"},
      {{"-x", "a"}, "-x"},
      {{"a", "--format"}, "--format"},
      {{"--format", "xml", "a"}, "xml"},
      {{"--data=", "a"}, "--data"},
      {{"--jobs", "0", "a"}, "\"0\""},
      {{"--jobs", "1025", "a"}, "1025"},
      {{"--jobs", "4x", "a"}, "4x"},
      {{"-j", "a"}, "-j"},
      {{"-jx", "a"}, "\"x\""},
      {{"a", "--language"}, "--language"},
  };
  for (const auto& [args, mention] : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    try {
      ParseCommandLine(args);
      ADD_FAILURE() << "no error";
    } catch (const ECommandLineError& error) {
      EXPECT_NE(std::string(error.what()).find(mention), std::string::npos) << error.what();
    }
  }
}

TEST(CommandLine, UsageNamesEveryOption) {
  const std::string usage = UsageText();
  for (const char* option : {"--suggest", "--format", "--data", "--jobs", "--language", "--list-languages", "--help",
                             "--version"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}

} // namespace
} // namespace qm::cli
