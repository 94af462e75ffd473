#include "persistence/OptionsStore.h"

#include "persistence/OptionEscaping.h"
#include "persistence/OptionKeys.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <filesystem>

namespace qm {
namespace {

TEST(LoadOptions, FirstRunGivesExactlyTheEightDefaults) {
  test::TempDir dir;
  TOptionsList options;
  EXPECT_FALSE(LoadOptions(options, dir.File("config.dat")));
  EXPECT_EQ(options.Text(),
            "Skin=Office2007 Blue (internal)\r\n"
            "Show Hints=TRUE\r\n"
            "SkipLargeFiles=TRUE\r\n"
            "MaxFileSize=1024\r\n"
            "CheckScope=--%0D%0ADocumentation%0D%0AComment%0D%0AString%0D%0AText\r\n"
            "IgnoreUppercase=TRUE\r\n"
            "IgnoreNumbers=TRUE\r\n"
            "WordWrap=TRUE\r\n");
  EXPECT_EQ(ReadOptionLines(options, keys::CheckScope),
            (std::vector<std::string>{"--", "Documentation", "Comment", "String", "Text"}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("config.dat")));  // loading never saves
}

TEST(LoadOptions, StoredValuesWinAndBadValuesFallBack) {
  test::TempDir dir;
  const std::string path = dir.File("config.dat");
  test::WriteFile(path, "Show Hints=true\r\nMaxFileSize=abc\nSkin=Mine\rIgnoreNumbers=FALSE\r\n");
  TOptionsList options;
  EXPECT_TRUE(LoadOptions(options, path));
  EXPECT_FALSE(ReadOptionBool(options, keys::ShowHints));  // "true" is not "TRUE"
  EXPECT_EQ(ReadOptionInteger(options, keys::MaxFileSize, keys::DefaultMaxFileSize), 1024);
  EXPECT_EQ(ReadOptionString(options, keys::Skin), "Mine");
  EXPECT_FALSE(ReadOptionBool(options, keys::IgnoreNumbers));
  EXPECT_TRUE(ReadOptionBool(options, keys::WordWrap));
  EXPECT_EQ(options[0], "Show Hints=true");  // the bad text stays until written
}

TEST(LoadOptions, UnreadableFileCountsAsFirstRun) {
  test::TempDir dir;
  const std::string path = dir.File("config.dat");
  std::filesystem::create_directory(path);  // exists, but cannot be read as a file
  TOptionsList options;
  EXPECT_FALSE(LoadOptions(options, path));
  EXPECT_TRUE(ReadOptionBool(options, keys::SkipLargeFiles));
}

TEST(SaveOptions, EmptyValuesVanishAndFailuresAnswerFalse) {
  test::TempDir dir;
  const std::string path = dir.File("config.dat");
  TOptionsList options;
  WriteOptionString(options, keys::SenderName, "Zoë 50%");
  WriteOptionString(options, keys::SenderEmail, "z@example.org");
  ASSERT_TRUE(SaveOptions(options, path));
  EXPECT_EQ(test::ReadFile(path), "SenderName=Zo%C3%AB 50%25\r\nSenderEmail=z@example.org\r\n");

  WriteOptionString(options, keys::SenderName, "");
  ASSERT_TRUE(SaveOptions(options, path));
  EXPECT_EQ(test::ReadFile(path), "SenderEmail=z@example.org\r\n");

  EXPECT_FALSE(SaveOptions(options, dir.File("missing/config.dat")));
}

TEST(OptionValues, DuplicateKeysReadAndWriteTheLast) {
  TOptionsList options;
  options.SetText("Skin=first\r\nSKIN=second\r\n");
  EXPECT_EQ(ReadOptionString(options, "skin"), "second");
  WriteOptionString(options, keys::Skin, "third");
  EXPECT_EQ(options.Text(), "Skin=first\r\nSkin=third\r\n");
}

TEST(OptionValues, ScrambledPasswordRoundTripAndRemoval) {
  TOptionsList options;
  const std::string password = "a rather long proxy password, longer than the key";
  WriteOptionString(options, keys::ProxyPass, ScrambleText(password));
  EXPECT_EQ(options.Value(keys::ProxyPass).find(password), std::string::npos);
  EXPECT_EQ(UnscrambleText(ReadOptionString(options, keys::ProxyPass)), password);
  WriteOptionString(options, keys::ProxyPass, ScrambleText(""));
  EXPECT_EQ(options.FindName(keys::ProxyPass), -1);
}

TEST(OptionValues, IntegersAndBooleans) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {{"1024", 1024}, {"-7", -7}, {"+3", 3}, {"", 99}, {"abc", 99}, {"12x", 99},
               {" 5", 99},     {"2147483647", 2147483647}, {"2147483648", 99}};
  for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text, 99), c.value) << c.text;

  TOptionsList options;
  WriteOptionInteger(options, keys::ProxyPort, 8080);
  EXPECT_EQ(ReadOptionInteger(options, keys::ProxyPort, keys::DefaultProxyPort), 8080);
  WriteOptionBool(options, keys::UseProxy, false);
  EXPECT_EQ(options.Value(keys::UseProxy), "FALSE");
  EXPECT_FALSE(ReadOptionBool(options, "absent"));
}

} // namespace
} // namespace qm
