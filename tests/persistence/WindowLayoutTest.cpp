#include "persistence/WindowLayout.h"

#include "persistence/OptionsStore.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qm {
namespace {

// A window that records what was done to it.
class FakeWindow : public TPlacedWindow {
public:
  TWindowPlacement placement;
  std::vector<std::string> calls;
  bool failApply = false;

  TWindowPlacement GetPlacement() const override { return placement; }
  void SetPlacement(const TWindowPlacement& p) override {
    if (failApply) throw std::runtime_error("no window");
    placement.NormalRect = p.NormalRect;
    calls.push_back("place");
  }
  void Maximize() override {
    placement.Maximized = true;
    calls.push_back("maximize");
  }
};

TEST(WindowLayoutTest, SavesFlagAndNormalRectangle) {
  struct Case {
    TWindowPlacement placement;
    std::string text;
  };
  const Case cases[] = {
      {{{10, 20, 800, 600}, true}, "M|10|20|800|600"},
      {{{0, 0, 640, 480}, false}, "|0|0|640|480"},
      {{{-8, -8, 1928, 1088}, false}, "|-8|-8|1928|1088"},
  };
  for (const Case& c : cases) {
    TOptionsList list;
    FakeWindow window;
    window.placement = c.placement;
    SaveWindowLayout(list, "FormLayout", &window);
    EXPECT_EQ(ReadOptionString(list, "FormLayout"), c.text);
  }

  TOptionsList list;
  FakeWindow window;
  SaveWindowLayout(list, "", &window);
  SaveWindowLayout(list, "FormLayout", nullptr);
  EXPECT_EQ(list.Count(), 0);
}

TEST(WindowLayoutTest, RestoresEdgesFieldByFieldThenMaximises) {
  struct Case {
    std::string text;
    bool restored;
    TRect rect;
    std::vector<std::string> calls;
  };
  const TRect current{1, 2, 3, 4};
  const std::vector<std::string> placed{"place"};
  const std::vector<std::string> placedAndMaximised{"place", "maximize"};
  const Case cases[] = {
      {"M|10|20|800|600", true, {10, 20, 800, 600}, placedAndMaximised},
      {"|0|0|640|480", true, {0, 0, 640, 480}, placed},
      {"|10|x|800|600", true, {10, 2, 800, 600}, placed},
      {"|10|20", true, {10, 20, 3, 4}, placed},
      {"  M|5|6|7|8  ", true, {5, 6, 7, 8}, placedAndMaximised},
      {"m|5|6|7|8", true, {5, 6, 7, 8}, placed},
      {"Max|5|6|7|8", true, {5, 6, 7, 8}, placed},
      {"|+5|-6| 7|8.5", true, {5, -6, 3, 4}, placed},
      {"|99999999999|6|7|8", true, {1, 6, 7, 8}, placed},
      {"garbage", true, current, placed},
      {"   ", false, current, {}},
      {"", false, current, {}},
  };
  for (const Case& c : cases) {
    TOptionsList list;
    if (!c.text.empty()) list.Add("FormLayout=" + c.text);
    FakeWindow window;
    window.placement.NormalRect = current;
    EXPECT_EQ(RestoreWindowLayout(list, "FormLayout", &window), c.restored) << c.text;
    EXPECT_EQ(window.placement.NormalRect, c.rect) << c.text;
    EXPECT_EQ(window.calls, c.calls) << c.text;
  }
}

TEST(WindowLayoutTest, FailuresWhileApplyingAnswerFalse) {
  TOptionsList list;
  WriteOptionString(list, "FormLayout", "M|10|20|800|600");
  FakeWindow window;
  window.failApply = true;
  EXPECT_FALSE(RestoreWindowLayout(list, "FormLayout", &window));
  EXPECT_TRUE(window.calls.empty());
  EXPECT_FALSE(RestoreWindowLayout(list, "FormLayout", nullptr));
}

TEST(WindowLayoutTest, SavedLayoutRestoresTheSameWindow) {
  TOptionsList list;
  FakeWindow saved;
  saved.placement = {{-3, 40, 1200, 900}, true};
  SaveWindowLayout(list, "FormLayout", &saved);
  FakeWindow restored;
  EXPECT_TRUE(RestoreWindowLayout(list, "FormLayout", &restored));
  EXPECT_EQ(restored.placement.NormalRect, saved.placement.NormalRect);
  EXPECT_TRUE(restored.placement.Maximized);
}

} // namespace
} // namespace qm
