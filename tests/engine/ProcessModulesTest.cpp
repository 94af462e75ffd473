#include "engine/ProcessModules.h"

#include "TempDir.h"
#include "TinyDictionaries.h"
#include "diagnostics/ExceptionTrap.h"
#include "diagnostics/Log.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellerLibrary.h"
#include "persistence/DataLocations.h"
#include "persistence/SettingsModule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <regex>

namespace qm {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class ProcessModulesTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(data_);
    test::WriteDictionary(data_, "user", test::kUtf8Affix, {"wibble"});
    test::WriteDictionary(data_, "en_US", test::kUtf8Affix, {"hello"});
    SetDataFolder(data_);
    UnloadSpellerLibrary();  // as at process start
  }
  void TearDown() override {
    StopProcessModules();
    ClearRegisteredProcessModules();
    SetDataFolder("");
    LoadSpellerLibrary();  // as the other engine tests expect it
  }

  // What a registered module sees when it starts or stops.
  static std::string Surroundings() {
    return std::string(LogModuleRunning() ? "log" : "no log") + ", " +
           (Options().Count() > 0 ? "settings" : "no settings") + ", " +
           (SpellerAvailable() ? "speller" : "no speller");
  }

  test::TempDir dir_;
  const std::string data_ = dir_.File("data/");
  const std::string trace_ = data_ + "assertions.dat";
};

TEST_F(ProcessModulesTest, StartAndStopRunTheModulesInOrderAndReverse) {
  std::vector<std::string> events;
  RegisterProcessModule({"messages", [&] { events.push_back("start: " + Surroundings()); },
                         [&] { events.push_back("stop: " + Surroundings()); }});

  const auto started = std::chrono::steady_clock::now();
  StartProcessModules();
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  std::printf("StartProcessModules took %.1f ms\n", took.count() / 1000.0);
  RecordProperty("StartMicroseconds", static_cast<int>(took.count()));

  EXPECT_TRUE(ExceptionTrapInstalled());
  EXPECT_TRUE(LogModuleRunning());
  EXPECT_TRUE(SpellerAvailable());
  EXPECT_EQ(events, std::vector<std::string>{"start: log, settings, no speller"});
  const std::string trace = test::ReadFile(trace_);
  EXPECT_EQ(Count(trace, "== Application Info ==========="), 1u);
  EXPECT_TRUE(std::regex_search(trace, std::regex("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d (\\([^)]+\\) )?\r\n\r\n"
                                                 "== Application Info ===========\r\nQuillon \\d+\\.\\d+\r\n")))
      << trace;
  StartProcessModules();  // already running: nothing happens
  EXPECT_EQ(test::ReadFile(trace_), trace);

  // The window's part: the registry with the user dictionary open.
  LoadDictionaries(DictionariesFile(), DataFolder());
  AddUserWord("quillonish");

  StopProcessModules();
  EXPECT_EQ(events, (std::vector<std::string>{"start: log, settings, no speller", "stop: log, settings, no speller"}));
  EXPECT_FALSE(ExceptionTrapInstalled());
  EXPECT_FALSE(LogModuleRunning());
  EXPECT_FALSE(SpellerAvailable());
  EXPECT_EQ(DictionaryRegistry(), nullptr);
  EXPECT_EQ(Options().Count(), 0);
  EXPECT_NE(test::ReadFile(data_ + "user.dic").find("quillonish"), std::string::npos);

  WriteLogLine("after the stop");
  EXPECT_EQ(test::ReadFile(trace_), trace);
}

TEST_F(ProcessModulesTest, EachStartCutsTheTraceThenAppendsOneReport) {
  test::WriteFile(trace_, std::string(300000, 'x'));
  StartProcessModules();
  StopProcessModules();
  const std::string first = test::ReadFile(trace_);
  EXPECT_EQ(first.find_first_not_of('x'), 262144u);
  const size_t report = first.size() - 262144;

  StartProcessModules();
  StopProcessModules();
  const std::string second = test::ReadFile(trace_);
  EXPECT_EQ(second.size(), 262144 + report);
  EXPECT_EQ(second.find_first_not_of('x'), 262144 - report);
  EXPECT_EQ(Count(second, "== Application Info ==========="), 2u);
}

} // namespace
} // namespace qm
